#pragma once
// Writing the composed ReadMe to its file and stamping the file's time. No Qt.

#include "composer/text_lines.h"

#include <ctime>
#include <filesystem>
#include <optional>
#include <string>

namespace bw {

struct OutputOutcome {
    bool ok = true;
    std::string message; ///< CP932: "ファイル %s を作成できません" or "ファイル %s は開けません"
};

/// Replaces the file at path with every line followed by CR LF (atomically: a failed write
/// leaves the old file); then, with stamp, sets the file's modification time to it and leaves
/// the access time alone. The system keeps no settable creation time.
OutputOutcome WriteReadMeFile(const std::filesystem::path& path, const TextLines& lines,
                              std::optional<std::time_t> stamp);

} // namespace bw
