#include "shell/app_settings.h"

#include "text/ini.h"

namespace bw {

namespace {
constexpr const char* kBase = "BaseSetting";
constexpr const char* kCreateRead = "CreateRead";
} // namespace

std::filesystem::path SettingsFilePath(const std::filesystem::path& executable) {
    std::filesystem::path file = executable;
    return file.replace_extension(".ini");
}

AppSettings ReadAppSettings(const std::filesystem::path& file, const std::string& homePageDefault) {
    // A file that cannot be read counts as missing: every value takes its default.
    const IniLoad load = LoadIniFile(file);
    const IniFile& ini = load.ini;
    AppSettings s;
    s.Producer = ini.ReadString(kBase, "Producer", "");
    s.CopyRighter = ini.ReadString(kBase, "CopyRighter", "");
    s.DevelopLang = ini.ReadString(kBase, "DevelopLang", "");
    s.HomePage = ini.ReadString(kBase, "HomePage", homePageDefault);
    s.MainAddress = ini.ReadString(kBase, "MainAddress", "");
    s.CreateRead = ini.ReadBool(kCreateRead, "Read", false);
    return s;
}

bool WriteAppSettings(const std::filesystem::path& file, const AppSettings& s) {
    return UpdateIniFile(file, {{kBase, "Producer", s.Producer},
                                {kBase, "CopyRighter", s.CopyRighter},
                                {kBase, "DevelopLang", s.DevelopLang},
                                {kBase, "HomePage", s.HomePage},
                                {kBase, "MainAddress", s.MainAddress},
                                {kCreateRead, "Read", s.CreateRead ? "1" : "0"}});
}

void ApplyAuthorDefaults(ReadMeProject& p, const std::filesystem::path& file) {
    const AppSettings s = ReadAppSettings(file, "");
    if (!s.CreateRead) return;
    p.Producer = s.Producer;
    p.CopyRight = s.CopyRighter;
    p.DevLang = s.DevelopLang;
    p.HomePage = s.HomePage;
    p.Mailadrs = s.MainAddress;
}

} // namespace bw
