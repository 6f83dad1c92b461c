#include "text/ini.h"

#include "text/cp932.h"
#include "text/files.h"
#include "text/numbers.h"

#include <climits>

namespace bw {

namespace {

constexpr std::size_t kMaxValueBytes = 2047;

char AsciiLower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

// ASCII letters match in either case; a double-byte character must match exactly, so that a
// trail byte that happens to be a letter is never folded.
bool SameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size();) {
        const std::size_t len = CharLength(a, i);
        if (len == 2) {
            if (a[i] != b[i] || a[i + 1] != b[i + 1]) return false;
        } else if (AsciiLower(a[i]) != AsciiLower(b[i])) {
            return false;
        }
        i += len;
    }
    return true;
}

struct ParsedLine {
    enum Kind { Other, Section, Key };
    Kind kind = Other;
    std::string_view name; // section name, or key name (both trimmed)
    std::size_t valueStart = 0;
};

ParsedLine Parse(std::string_view line) {
    const std::string_view t = TrimBlanks(line);
    if (!t.empty() && t[0] == '[') {
        // ']' (0x5D) can be a trail byte, so the search must respect characters.
        const std::size_t close = FindText(t, "]", 1);
        if (close == std::string_view::npos) return {};
        return {ParsedLine::Section, TrimBlanks(t.substr(1, close - 1)), 0};
    }
    // '=' (0x3D) is never a trail byte.
    const std::size_t eq = line.find('=');
    if (eq == std::string_view::npos) return {};
    const std::string_view key = TrimBlanks(line.substr(0, eq));
    if (key.empty()) return {};
    return {ParsedLine::Key, key, eq + 1};
}

} // namespace

IniFile::IniFile(std::string_view text) {
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c != '\r' && c != '\n') continue;
        const std::size_t breakLen = (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ? 2 : 1;
        lines_.emplace_back(text.substr(start, i - start));
        breaks_.emplace_back(text.substr(i, breakLen));
        i += breakLen - 1;
        start = i + 1;
    }
    if (start < text.size()) {
        lines_.emplace_back(text.substr(start));
        breaks_.emplace_back();
    }
}

std::size_t IniFile::FindSection(std::string_view section) const {
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        const ParsedLine l = Parse(lines_[i]);
        if (l.kind == ParsedLine::Section && SameName(l.name, section)) return i;
    }
    return npos;
}

std::size_t IniFile::SectionEnd(std::size_t header) const {
    std::size_t i = header + 1;
    while (i < lines_.size() && Parse(lines_[i]).kind != ParsedLine::Section)
        ++i;
    return i;
}

std::size_t IniFile::FindKey(std::size_t header, std::string_view key) const {
    const std::size_t end = SectionEnd(header);
    for (std::size_t i = header + 1; i < end; ++i) {
        const ParsedLine l = Parse(lines_[i]);
        if (l.kind == ParsedLine::Key && SameName(l.name, key)) return i;
    }
    return npos;
}

std::optional<std::string> IniFile::Value(std::string_view section, std::string_view key) const {
    const std::size_t header = FindSection(section);
    if (header == npos) return std::nullopt;
    const std::size_t at = FindKey(header, key);
    if (at == npos) return std::nullopt;
    const std::string_view line = lines_[at];
    std::string_view v = TrimBlanks(line.substr(Parse(line).valueStart));
    if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front())
        v = v.substr(1, v.size() - 2);
    // Cut on a character boundary so that no lone lead byte is left at the end.
    if (v.size() > kMaxValueBytes) v = v.substr(0, FloorCharBoundary(v, kMaxValueBytes));
    return std::string(v);
}

std::string IniFile::ReadString(std::string_view section, std::string_view key, std::string_view def) const {
    std::optional<std::string> v = Value(section, key);
    return v ? std::move(*v) : std::string(def);
}

long IniFile::ReadInteger(std::string_view section, std::string_view key, long def) const {
    const std::optional<std::string> v = Value(section, key);
    if (!v) return def;
    return ParseIniInteger(*v).value_or(def);
}

bool IniFile::ReadBool(std::string_view section, std::string_view key, bool def) const {
    const std::optional<std::string> v = Value(section, key);
    if (!v) return def;
    const std::optional<long> n = ParseIniInteger(*v);
    return n ? *n != 0 : def;
}

void IniFile::Write(std::string_view section, std::string_view key, std::string_view value) {
    const auto endOpenLine = [this] {
        if (!breaks_.empty() && breaks_.back().empty()) breaks_.back() = "\r\n";
    };
    const std::size_t header = FindSection(section);
    if (header == npos) {
        endOpenLine();
        if (!lines_.empty() && !TrimBlanks(lines_.back()).empty()) {
            lines_.emplace_back();
            breaks_.emplace_back("\r\n");
        }
        lines_.push_back("[" + std::string(section) + "]");
        breaks_.emplace_back("\r\n");
        lines_.push_back(std::string(key) + "=" + std::string(value));
        breaks_.emplace_back("\r\n");
        return;
    }
    if (const std::size_t at = FindKey(header, key); at != npos) {
        // The key keeps its spelling from the file; the value is replaced.
        lines_[at] = std::string(Parse(lines_[at]).name) + "=" + std::string(value);
        return;
    }
    // A new key goes after the section's last non-blank line, before any blank lines that
    // separate it from the next section.
    std::size_t pos = SectionEnd(header);
    while (pos > header + 1 && TrimBlanks(lines_[pos - 1]).empty())
        --pos;
    if (pos == lines_.size()) endOpenLine();
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(pos),
                  std::string(key) + "=" + std::string(value));
    breaks_.insert(breaks_.begin() + static_cast<std::ptrdiff_t>(pos), "\r\n");
}

void IniFile::WriteInteger(std::string_view section, std::string_view key, long value) {
    Write(section, key, std::to_string(value));
}

std::string IniFile::Text() const {
    std::string out;
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        out += lines_[i];
        out += breaks_[i];
    }
    return out;
}

IniLoad LoadIniFile(const std::filesystem::path& path) {
    ReadResult r = ReadWholeFile(path);
    if (r.status == ReadStatus::NotFound) return {};
    if (r.status != ReadStatus::Ok) return {false, {}};
    return {true, IniFile(r.bytes)};
}

bool UpdateIniFile(const std::filesystem::path& path, const std::vector<IniWrite>& writes) {
    IniLoad load = LoadIniFile(path);
    if (!load.ok) return false;
    for (const IniWrite& w : writes)
        load.ini.Write(w.section, w.key, w.value);
    return WriteFileAtomic(path, load.ini.Text());
}

std::string IniWriteFailedMessage(const std::filesystem::path& path) {
    static const std::string tail = Sjis(" に書き込めません");
    return Utf8ToCp932Lenient(path.string()) + tail;
}

std::optional<long> ParseIniInteger(std::string_view value) {
    long n = 0;
    if (value.size() > 2 && value[0] == '0' && value[1] == 'x') {
        for (const char c : value.substr(2)) {
            const int digit = (c >= '0' && c <= '9')   ? c - '0'
                              : (c >= 'a' && c <= 'f') ? c - 'a' + 10
                              : (c >= 'A' && c <= 'F') ? c - 'A' + 10
                                                       : -1;
            if (digit < 0 || n > (LONG_MAX - digit) / 16) return std::nullopt;
            n = n * 16 + digit;
        }
        return n;
    }
    return ParseDecimal(value);
}

} // namespace bw
