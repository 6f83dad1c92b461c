#pragma once
// Long-text templates: plain files below template/<sub-folder>/ whose placeholders are
// replaced by the basic items when one is inserted into a section.

#include "project/readme_project.h"

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace bw {

/// Sub-folder of the template root for section index (the three free sections share "other").
std::string TemplateSubFolder(int section);

/// Lines of a template file: a line ends at LF or CR LF, a lone CR is dropped, a final break
/// makes no empty last line, and 0x1A at the start of a line ends the file.
std::vector<std::string> TemplateLines(const std::string& bytes);

/// The text a template puts into a section: its lines, each expanded, joined by CR LF;
/// nullopt when the file cannot be read.
std::optional<std::string> ExpandTemplateFile(const std::filesystem::path& file, const ReadMeProject& p);

/// The path a rename gives: the file's own folder, the entered name, the old extension
/// (from the last dot of the file name on, the dot included). newName is UTF-8.
std::filesystem::path RenamedTemplatePath(const std::filesystem::path& file, const std::string& newName);

/// The file name without its extension, as the rename prompt shows it (UTF-8).
std::string TemplateStem(const std::filesystem::path& file);

} // namespace bw
