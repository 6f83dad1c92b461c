#pragma once
// Whole-file reads and atomic whole-file writes. Paths are file-system paths (UTF-8).

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace bw {

enum class ReadStatus { Ok, NotFound, Failed };

struct ReadResult {
    ReadStatus status = ReadStatus::Ok;
    std::string bytes;
    bool ok() const { return status == ReadStatus::Ok; }
};

/// The whole content of a regular file; NotFound when nothing is there, Failed when
/// something is there that cannot be read as a file (a folder, no permission, an I/O error).
ReadResult ReadWholeFile(const std::filesystem::path& path);

/// A hint that the fresh memory [data, data + size) will be filled whole: large ranges get
/// 2 MB pages where the system allows it.
void PreferHugePages(void* data, std::size_t size);

/// True when a regular file (or a link to one) is at path.
bool IsRegularFile(const std::filesystem::path& path);

/// A file being replaced: the bytes go to a temporary file beside the target, and Commit
/// renames it over the target, so a reader never sees half a file and a failure (a full
/// disk, a folder at the target) leaves the old file untouched. Without a successful Commit
/// the temporary file is removed.
class AtomicFile {
  public:
    explicit AtomicFile(const std::filesystem::path& target);
    ~AtomicFile();
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    bool Write(std::string_view bytes);
    /// Keeps the permissions of the file being replaced (a new file: 0666 less the umask).
    bool Commit();
    bool ok() const { return error_ == 0; }
    /// errno of the first failure, 0 while all went well.
    int error() const { return error_; }

  private:
    void Fail();
    std::filesystem::path target_;
    std::string temp_;
    int fd_ = -1;
    int error_ = 0;
};

/// Replaces the file at path with bytes through an AtomicFile.
bool WriteFileAtomic(const std::filesystem::path& path, std::string_view bytes);

/// Path of the running executable (empty when the system does not tell).
std::filesystem::path ExecutablePath();

/// Folder of the running executable (the current folder when the system does not tell).
std::filesystem::path ExecutableFolder();

enum class NameOrder { Exact, IgnoreCase };

/// Names (UTF-8) of the ordinary files of folder: no folders, no hidden (dot) files, sorted
/// by name. nullopt when the folder cannot be listed.
std::optional<std::vector<std::string>> ListOrdinaryFiles(const std::filesystem::path& folder,
                                                          NameOrder order = NameOrder::Exact);

} // namespace bw
