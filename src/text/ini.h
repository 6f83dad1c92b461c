#pragma once
// Windows-style INI files of CP932 text, read and updated key by key. Section and key names
// match ignoring ASCII case, the first match wins; every line the writer does not touch stays
// byte for byte as it was.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace bw {

class IniFile {
  public:
    IniFile() = default;
    /// Parses INI text (CR LF, LF or CR line ends).
    explicit IniFile(std::string_view text);

    /// The value as read back: blanks trimmed, one pair of enclosing quotes dropped, cut to
    /// 2047 bytes; nullopt when the key is missing.
    std::optional<std::string> Value(std::string_view section, std::string_view key) const;
    std::string ReadString(std::string_view section, std::string_view key, std::string_view def) const;
    /// Decimal with optional "-", or "0x" and hex digits; anything else gives def.
    long ReadInteger(std::string_view section, std::string_view key, long def) const;
    bool ReadBool(std::string_view section, std::string_view key, bool def) const;

    /// Replaces the key's value in place, or appends the key to its section, or appends the
    /// section with the key.
    void Write(std::string_view section, std::string_view key, std::string_view value);
    void WriteBool(std::string_view section, std::string_view key, bool value) {
        Write(section, key, value ? "1" : "0");
    }
    void WriteInteger(std::string_view section, std::string_view key, long value);

    /// The file's text, CR LF line ends for the lines the writer added.
    std::string Text() const;

  private:
    static constexpr std::size_t npos = static_cast<std::size_t>(-1);
    std::size_t FindSection(std::string_view section) const; // header line of the first match
    std::size_t SectionEnd(std::size_t header) const;        // next header line, or the end
    std::size_t FindKey(std::size_t header, std::string_view key) const;

    std::vector<std::string> lines_;  // without line breaks
    std::vector<std::string> breaks_; // the break that followed each line ("" for none)
};

/// Outcome of reading an INI file: a missing file is an empty file.
struct IniLoad {
    bool ok = true; ///< false when something is there but cannot be read
    IniFile ini;
};
IniLoad LoadIniFile(const std::filesystem::path& path);

/// One key to write.
struct IniWrite {
    std::string section, key, value;
};
/// One atomic rewrite: load (missing file: empty), apply the writes in order, replace the
/// file. False when the file cannot be read or written; the old file is then unchanged.
bool UpdateIniFile(const std::filesystem::path& path, const std::vector<IniWrite>& writes);

/// "%s に書き込めません" (CP932) for a file that UpdateIniFile could not write.
std::string IniWriteFailedMessage(const std::filesystem::path& path);

/// Parses an INI integer value the way ReadInteger does.
std::optional<long> ParseIniInteger(std::string_view value);

} // namespace bw
