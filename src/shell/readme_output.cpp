#include "shell/readme_output.h"

#include "text/cp932.h"
#include "text/files.h"

#include <fcntl.h>
#include <sys/stat.h>

namespace bw {

namespace {

std::string PathMessage(const char* before, const std::filesystem::path& path, const char* after) {
    return Sjis(before) + Utf8ToCp932Lenient(path.string()) + Sjis(after);
}

} // namespace

OutputOutcome WriteReadMeFile(const std::filesystem::path& path, const TextLines& lines,
                              std::optional<std::time_t> stamp) {
    if (!WriteFileAtomic(path, lines.Joined("\r\n")))
        return {false, PathMessage("ファイル ", path, " を作成できません")};
    if (stamp) {
        const struct timespec times[2] = {{0, UTIME_OMIT}, {*stamp, 0}};
        if (::utimensat(AT_FDCWD, path.c_str(), times, 0) != 0)
            return {false, PathMessage("ファイル ", path, " は開けません")};
    }
    return {};
}

} // namespace bw
