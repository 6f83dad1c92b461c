#include "text/files.h"

#include <cerrno>
#include <climits>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace bw {

namespace fs = std::filesystem;

void PreferHugePages(void* data, std::size_t size) {
    // Fresh memory is touched page by page; for texts of many megabytes the 4 KB page faults
    // cost more than the work on the text, so ask for 2 MB pages where the range covers one.
    constexpr std::uintptr_t kHuge = std::uintptr_t(2) << 20;
    if (size < kHuge) return;
    const std::uintptr_t begin = (reinterpret_cast<std::uintptr_t>(data) + kHuge - 1) & ~(kHuge - 1);
    const std::uintptr_t end = (reinterpret_cast<std::uintptr_t>(data) + size) & ~(kHuge - 1);
    if (end > begin) ::madvise(reinterpret_cast<void*>(begin), end - begin, MADV_HUGEPAGE);
}

ReadResult ReadWholeFile(const fs::path& path) {
    // O_NONBLOCK: a FIFO at the path must not hang the open; only regular files are read.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) return {errno == ENOENT || errno == ENOTDIR ? ReadStatus::NotFound : ReadStatus::Failed, {}};
    ReadResult r;
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return {ReadStatus::Failed, {}};
    }
    // One spare byte lets the read that finds the end of the file land in the buffer, so a
    // file of the size fstat gave is read without growing (and copying) the string again.
    r.bytes.reserve(static_cast<std::size_t>(st.st_size) + 1);
    PreferHugePages(r.bytes.data(), r.bytes.capacity());
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

AtomicFile::AtomicFile(const fs::path& target) : target_(target) {
    const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
    temp_ = (folder / ("." + target.filename().string() + ".tmp-XXXXXX")).string();
    fd_ = ::mkstemp(temp_.data());
    if (fd_ < 0) Fail();
}

AtomicFile::~AtomicFile() {
    if (fd_ >= 0) ::close(fd_);
    if (!temp_.empty()) ::unlink(temp_.c_str());
}

void AtomicFile::Fail() {
    if (error_ == 0) error_ = errno != 0 ? errno : EIO;
}

bool AtomicFile::Write(std::string_view bytes) {
    for (std::size_t done = 0; ok() && done < bytes.size();) {
        const ssize_t n = ::write(fd_, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n == 0) errno = ENOSPC;
        if (n <= 0)
            Fail();
        else
            done += static_cast<std::size_t>(n);
    }
    return ok();
}

bool AtomicFile::Commit() {
    struct stat old {};
    mode_t mode;
    if (::stat(target_.c_str(), &old) == 0) {
        if (S_ISDIR(old.st_mode)) errno = EISDIR, Fail();
        mode = old.st_mode & 07777;
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    }
    if (ok() && ::fchmod(fd_, mode) != 0) Fail();
    if (fd_ >= 0 && ::close(fd_) != 0) Fail();
    fd_ = -1;
    if (ok() && ::rename(temp_.c_str(), target_.c_str()) != 0) Fail();
    if (ok()) temp_.clear(); // it is the target now
    return ok();
}

bool WriteFileAtomic(const fs::path& path, std::string_view bytes) {
    AtomicFile file(path);
    file.Write(bytes);
    return file.Commit();
}

fs::path ExecutablePath() {
    std::error_code ec;
    fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    return ec ? fs::path() : exe;
}

fs::path ExecutableFolder() {
    const fs::path exe = ExecutablePath();
    return exe.empty() ? fs::current_path() : exe.parent_path();
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
        for (char& c : s)
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
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
