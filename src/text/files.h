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

/// True when a regular file (or a link to one) is at path.
bool IsRegularFile(const std::filesystem::path& path);

/// Replaces the file at path with bytes: written to a temporary file in the same folder,
/// then renamed over the target, so a reader never sees half a file. On failure the old file is untouched and the
/// temporary file removed.
bool WriteFileAtomic(const std::filesystem::path& path, std::string_view bytes);

/// Folder of the running executable.
std::filesystem::path ExecutableFolder();

} // namespace bw

namespace bw {

enum class NameOrder { Exact, IgnoreCase };

/// Names (UTF-8) of the ordinary files of folder: no folders, no hidden (dot) files, sorted
/// by name. nullopt when the folder cannot be listed.
std::optional<std::vector<std::string>> ListOrdinaryFiles(const std::filesystem::path& folder,
                                                          NameOrder order = NameOrder::Exact);

} // namespace bw
