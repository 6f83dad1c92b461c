#include "editing/templates.h"

#include "composer/composer.h"
#include "editing/phrases.h"
#include "text/files.h"

#include <array>

namespace bw {

std::string TemplateSubFolder(int section) {
    static const std::array<const char*, kSectionCount> folders = {
        "introduction", "install",   "uninstall", "files",   "operate", "development", "howuse",
        "copyright",    "reproduce", "ESCclause", "history", "other",   "other",       "other"};
    return folders.at(static_cast<std::size_t>(section));
}

std::vector<std::string> TemplateLines(const std::string& bytes) {
    std::vector<std::string> lines;
    std::string line;
    bool atLineStart = true;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const char c = bytes[i];
        if (atLineStart && c == '\x1A') return lines;
        if (c == '\n') {
            lines.push_back(std::move(line));
            line.clear();
            atLineStart = true;
            continue;
        }
        atLineStart = false;
        if (c != '\r') line += c;
    }
    if (!atLineStart) lines.push_back(std::move(line));
    return lines;
}

std::optional<std::string> ExpandTemplateFile(const std::filesystem::path& file, const ReadMeProject& p) {
    const ReadResult r = ReadWholeFile(file);
    if (!r.ok()) return std::nullopt;
    std::vector<std::string> lines = TemplateLines(r.bytes);
    for (std::string& line : lines)
        line = ExpandPlaceholders(line, p);
    return JoinLines(lines);
}

namespace {
std::size_t ExtensionStart(const std::string& name) {
    const std::size_t dot = name.rfind('.');
    return dot == std::string::npos ? name.size() : dot;
}
} // namespace

std::filesystem::path RenamedTemplatePath(const std::filesystem::path& file, const std::string& newName) {
    const std::string name = file.filename().string();
    return file.parent_path() / (newName + name.substr(ExtensionStart(name)));
}

std::string TemplateStem(const std::filesystem::path& file) {
    const std::string name = file.filename().string();
    return name.substr(0, ExtensionStart(name));
}

} // namespace bw
