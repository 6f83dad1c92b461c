#pragma once
// Small helpers for the tests of the INI files, the project store and the settings file:
// a temporary folder, whole-file reads and writes, and a way to make writes fail.

#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <sys/resource.h>

namespace bw::test {

namespace fs = std::filesystem;

/// A fresh folder below /tmp, removed with everything in it at the end of the test.
class TempFolder {
  public:
    TempFolder() {
        char tmpl[] = "/tmp/bwstoreXXXXXX";
        if (!mkdtemp(tmpl)) std::abort();
        path_ = tmpl;
    }
    ~TempFolder() {
        std::error_code ec;
        fs::remove_all(path_, ec);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    const fs::path& path() const { return path_; }

  private:
    fs::path path_;
};

inline void WriteBytes(const fs::path& path, const std::string& bytes) {
    fs::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out) ADD_FAILURE() << "cannot write " << path;
}

inline std::string ReadBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        ADD_FAILURE() << "cannot read " << path;
        return {};
    }
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

/// Every regular file below folder with its bytes, keyed by the path relative to folder.
inline std::map<std::string, std::string> Snapshot(const fs::path& folder) {
    std::map<std::string, std::string> files;
    for (const auto& e : fs::recursive_directory_iterator(folder))
        if (e.is_regular_file()) files[fs::relative(e.path(), folder).string()] = ReadBytes(e.path());
    return files;
}

/// While alive, no file may grow beyond limit bytes: a write past it fails (EFBIG) in the
/// middle of the file, as on a full disk. Root is bound by this limit too.
class FileSizeLimit {
  public:
    explicit FileSizeLimit(rlim_t limit) {
        oldHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &old_);
        rlimit r = old_;
        r.rlim_cur = limit;
        setrlimit(RLIMIT_FSIZE, &r);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &old_);
        std::signal(SIGXFSZ, oldHandler_);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

  private:
    rlimit old_{};
    void (*oldHandler_)(int) = nullptr;
};

} // namespace bw::test
