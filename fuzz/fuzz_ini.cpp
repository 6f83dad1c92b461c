// The INI reader and writer on arbitrary text: an untouched file keeps its bytes, a written
// key reads back, and other keys keep their values.
#include "fuzz_check.h"
#include "text/ini.h"

#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string text(reinterpret_cast<const char*>(data), size);
    // The last line of the input names the key to write: "section key value".
    std::string command;
    if (const std::size_t lf = text.rfind('\n'); lf != std::string::npos) {
        command = text.substr(lf + 1);
        text.resize(lf + 1);
    }
    const bw::IniFile ini(text);
    FUZZ_CHECK(ini.Text() == text);

    const std::size_t s1 = command.find(' '), s2 = s1 == std::string::npos ? s1 : command.find(' ', s1 + 1);
    if (s2 == std::string::npos) return 0;
    const std::string section = command.substr(0, s1), key = command.substr(s1 + 1, s2 - s1 - 1);
    const std::string value = command.substr(s2 + 1);
    const std::string other = "Other";
    const std::optional<std::string> before = ini.Value(other, "Key");

    bw::IniFile written = ini;
    written.Write(section, key, value);
    const bw::IniFile reread(written.Text());
    // A plain name and a plain value come back as written (a read trims and unquotes).
    auto plain = [](const std::string& s, bool isKey) {
        for (char c : s)
            if (c == '\r' || c == '\n' || c == '\0' || c == '[' || c == ']' || c == '=' || c == ';' ||
                static_cast<unsigned char>(c) <= 0x20 || static_cast<unsigned char>(c) >= 0x80)
                return false;
        return !s.empty() || !isKey;
    };
    if (plain(section, true) && plain(key, true) && plain(value, false) && value.size() < 2000 &&
        (value.empty() || (value.front() != '"' && value.front() != '\''))) {
        FUZZ_CHECK(reread.Value(section, key) == value);
        bw::IniFile again = reread;
        again.Write(section, key, value);
        FUZZ_CHECK(again.Text() == reread.Text()); // a second write of the same value changes nothing
        if (section != other &&
            !(section.size() == other.size() &&
              std::equal(section.begin(), section.end(), other.begin(), [](char a, char b) {
                  return std::tolower(static_cast<unsigned char>(a)) ==
                         std::tolower(static_cast<unsigned char>(b));
              })))
            FUZZ_CHECK(reread.Value(other, "Key") == before);
    }
    (void)ini.ReadInteger(section, key, 7);
    (void)bw::ParseIniInteger(value);
    return 0;
}
