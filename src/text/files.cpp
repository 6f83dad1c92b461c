#include "text/files.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace bw {

namespace fs = std::filesystem;

ReadResult ReadWholeFile(const fs::path& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return {errno == ENOENT || errno == ENOTDIR ? ReadStatus::NotFound : ReadStatus::Failed, {}};
    ReadResult r;
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return {ReadStatus::Failed, {}};
    }
    // One spare byte lets the read that finds the end of the file land in the buffer, so a
    // file of the size fstat gave is read without growing (and copying) the string again.
    r.bytes.resize(static_cast<std::size_t>(st.st_size) + 1);
    std::size_t got = 0;
    for (;;) {
        if (got == r.bytes.size()) r.bytes.resize(got + 65536); // the file grew, or is a special file
        const ssize_t n = ::read(fd, r.bytes.data() + got, r.bytes.size() - got);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            ::close(fd);
            return {ReadStatus::Failed, {}};
        }
        if (n == 0) break;
        got += static_cast<std::size_t>(n);
    }
    ::close(fd);
    r.bytes.resize(got);
    return r;
}

bool IsRegularFile(const fs::path& path) {
    std::error_code ec;
    return fs::is_regular_file(path, ec);
}

bool WriteFileAtomic(const fs::path& path, std::string_view bytes) {
    const fs::path folder = path.has_parent_path() ? path.parent_path() : fs::path(".");
    std::string tmpl = (folder / ("." + path.filename().string() + ".tmp-XXXXXX")).string();
    const int fd = ::mkstemp(tmpl.data());
    if (fd < 0) return false;
    bool ok = true;
    for (std::size_t done = 0; ok && done < bytes.size();) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) ok = false;
        else done += static_cast<std::size_t>(n);
    }
    // Keep the permissions of the file being replaced; a new file gets the usual 0666 & ~umask.
    struct stat old {};
    if (ok) {
        mode_t mode;
        if (::stat(path.c_str(), &old) == 0) {
            if (S_ISDIR(old.st_mode)) ok = false;
            mode = old.st_mode & 07777;
        } else {
            const mode_t mask = ::umask(0);
            ::umask(mask);
            mode = 0666 & ~mask;
        }
        if (ok) ok = ::fchmod(fd, mode) == 0;
    }
    if (::close(fd) != 0) ok = false;
    if (ok) ok = ::rename(tmpl.c_str(), path.c_str()) == 0;
    if (!ok) ::unlink(tmpl.c_str());
    return ok;
}

fs::path ExecutableFolder() {
    std::error_code ec;
    const fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    return ec ? fs::current_path() : exe.parent_path();
}

} // namespace bw

#include <algorithm>
#include <cctype>

namespace bw {

std::optional<std::vector<std::string>> ListOrdinaryFiles(const fs::path& folder, NameOrder order) {
    std::error_code ec;
    fs::directory_iterator it(folder, ec);
    if (ec) return std::nullopt;
    std::vector<std::string> names;
    for (const fs::directory_entry& entry : it) {
        std::string name = entry.path().filename().string();
        if (name.empty() || name[0] == '.') continue;
        std::error_code typeError;
        if (!entry.is_regular_file(typeError)) continue;
        names.push_back(std::move(name));
    }
    auto lower = [](std::string s) {
        for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        return s;
    };
    if (order == NameOrder::IgnoreCase)
        std::sort(names.begin(), names.end(), [&](const std::string& a, const std::string& b) {
            const std::string la = lower(a), lb = lower(b);
            return la != lb ? la < lb : a < b;
        });
    else
        std::sort(names.begin(), names.end());
    return names;
}

} // namespace bw
