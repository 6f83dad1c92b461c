#pragma once
// The program's own settings file beside the executable: the author's default facts and the
// switch that applies them at start-up.

#include "project/readme_project.h"

#include <filesystem>
#include <string>

namespace bw {

struct AppSettings {
    std::string Producer, CopyRighter, DevelopLang, HomePage, MainAddress; // CP932
    bool CreateRead = false;
    bool operator==(const AppSettings&) const = default;
};

/// The executable's path with its extension replaced by ".ini" (appended when it has none).
std::filesystem::path SettingsFilePath(const std::filesystem::path& executable);

/// Reads all six fields; a missing file or key gives the defaults (homePageDefault for HomePage).
AppSettings ReadAppSettings(const std::filesystem::path& file, const std::string& homePageDefault);

/// Writes the six keys in their order as one atomic rewrite; false when the file cannot be
/// written, the old file then unchanged (message: IniWriteFailedMessage(file) of text/ini.h).
bool WriteAppSettings(const std::filesystem::path& file, const AppSettings& s);

/// Start-up: when the switch is on, the five defaults replace the record's fields.
void ApplyAuthorDefaults(ReadMeProject& p, const std::filesystem::path& file);

} // namespace bw
