#include "text/cp932.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <iconv.h>

namespace bw {

bool IsCharBoundary(std::string_view s, std::size_t pos) {
    if (pos >= s.size()) return pos == s.size();
    std::size_t i = 0;
    while (i < pos)
        i += CharLength(s, i);
    return i == pos;
}

std::size_t FloorCharBoundary(std::string_view s, std::size_t pos) {
    if (pos >= s.size()) return s.size();
    std::size_t i = 0;
    for (;;) {
        const std::size_t next = i + CharLength(s, i);
        if (next > pos) return i;
        i = next;
    }
}

std::size_t FindText(std::string_view hay, std::string_view needle, std::size_t from) {
    if (needle.empty()) return std::string_view::npos;
    const char first = needle[0];
    for (std::size_t i = from; i + needle.size() <= hay.size(); i += CharLength(hay, i)) {
        if (hay[i] == first && std::memcmp(hay.data() + i, needle.data(), needle.size()) == 0) return i;
    }
    return std::string_view::npos;
}

std::size_t FindAnyChar(std::string_view hay, std::string_view bytes, std::size_t from) {
    for (std::size_t i = from; i < hay.size(); i += CharLength(hay, i)) {
        if (bytes.find(hay[i]) != std::string_view::npos) return i;
    }
    return std::string_view::npos;
}

std::string ReplaceAll(std::string_view s, std::string_view from, std::string_view to) {
    std::size_t hit = FindText(s, from);
    if (hit == std::string_view::npos) return std::string(s);
    std::string out;
    out.reserve(s.size() + (to.size() > from.size() ? to.size() - from.size() : 0) * 4);
    std::size_t done = 0;
    while (hit != std::string_view::npos) {
        out.append(s.data() + done, hit - done);
        out.append(to);
        done = hit + from.size();
        hit = FindText(s, from, done);
    }
    out.append(s.data() + done, s.size() - done);
    return out;
}

bool IsPlainFileName(std::string_view name) {
    return !name.empty() && name != "." && name != ".." && name.find('\0') == std::string_view::npos &&
           FindAnyChar(name, "\\/") == std::string_view::npos;
}

std::string_view TrimBlanks(std::string_view s) {
    std::size_t b = 0, e = s.size();
    while (b < e && static_cast<unsigned char>(s[b]) <= 0x20)
        ++b;
    while (e > b && static_cast<unsigned char>(s[e - 1]) <= 0x20)
        --e;
    return s.substr(b, e - b);
}

std::string NormalizeLineBreaks(std::string_view s) {
    const std::size_t nul = s.find('\0');
    if (nul != std::string_view::npos) s = s.substr(0, nul);
    std::string out;
    out.reserve(s.size() + s.size() / 32);
    std::size_t run = 0; // start of the stretch not yet copied
    for (std::size_t i = 0; i < s.size(); ++i) {
        const char c = s[i];
        if (c != '\r' && c != '\n') continue;
        out.append(s.data() + run, i - run);
        out.append("\r\n", 2);
        if (c == '\r' && i + 1 < s.size() && s[i + 1] == '\n') ++i;
        run = i + 1;
    }
    out.append(s.data() + run, s.size() - run);
    return out;
}

namespace {

class Iconv {
  public:
    Iconv(const char* to, const char* from) : cd_(iconv_open(to, from)) {
        if (cd_ == reinterpret_cast<iconv_t>(-1)) std::abort(); // glibc always has CP932
    }
    ~Iconv() { iconv_close(cd_); }
    Iconv(const Iconv&) = delete;
    Iconv& operator=(const Iconv&) = delete;
    iconv_t get() const { return cd_; }
    void reset() { iconv(cd_, nullptr, nullptr, nullptr, nullptr); }

  private:
    iconv_t cd_;
};

constexpr char32_t kRawByteBase = 0xF700;

void AppendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

// Decodes one UTF-8 character; returns its length, or 0 when the bytes are not UTF-8.
std::size_t DecodeUtf8(std::string_view s, std::size_t pos, char32_t& cp) {
    const auto b = [&](std::size_t k) { return static_cast<unsigned char>(s[pos + k]); };
    const unsigned char c = b(0);
    std::size_t len = c < 0x80 ? 1 : (c >> 5) == 6 ? 2 : (c >> 4) == 14 ? 3 : (c >> 3) == 30 ? 4 : 0;
    if (len == 0 || pos + len > s.size()) return 0;
    cp = len == 1 ? c : len == 2 ? (c & 0x1F) : len == 3 ? (c & 0x0F) : (c & 0x07);
    for (std::size_t k = 1; k < len; ++k) {
        if ((b(k) & 0xC0) != 0x80) return 0;
        cp = (cp << 6) | (b(k) & 0x3F);
    }
    return len;
}

// Runs iconv over in; onBad(inPos, extra) handles an undecodable spot by appending to extra,
// and returns how many input bytes it consumed, or 0 to stop. Returns where the input stopped.
template <typename OnBad>
std::size_t Convert(Iconv& cv, std::string_view in, std::string& out, std::size_t maxGrowth, OnBad onBad) {
    out.resize(in.size() * maxGrowth + 16);
    char* src = const_cast<char*>(in.data());
    std::size_t srcLeft = in.size();
    std::size_t used = 0;
    while (srcLeft > 0) {
        char* dst = out.data() + used;
        std::size_t dstLeft = out.size() - used;
        const std::size_t rc = iconv(cv.get(), &src, &srcLeft, &dst, &dstLeft);
        used = static_cast<std::size_t>(dst - out.data());
        if (rc != static_cast<std::size_t>(-1)) break;
        if (errno == E2BIG) {
            out.resize(out.size() * 2 + 16);
            continue;
        }
        const std::size_t pos = static_cast<std::size_t>(src - in.data());
        std::string extra;
        const std::size_t consumed = onBad(pos, extra);
        if (consumed == 0) {
            out.resize(used);
            return pos;
        }
        src += consumed;
        srcLeft -= consumed;
        cv.reset();
        if (out.size() - used < extra.size() + srcLeft * maxGrowth + 16)
            out.resize(used + extra.size() + srcLeft * maxGrowth + 16);
        std::memcpy(out.data() + used, extra.data(), extra.size());
        used += extra.size();
    }
    out.resize(used);
    return in.size();
}

} // namespace

std::string Cp932ToDisplayUtf8(std::string_view cp932) {
    Iconv cv("UTF-8", "CP932");
    std::string out;
    Convert(cv, cp932, out, 3, [&](std::size_t pos, std::string& o) -> std::size_t {
        AppendUtf8(o, kRawByteBase + static_cast<unsigned char>(cp932[pos]));
        return 1;
    });
    return out;
}

std::optional<std::string> Cp932ToUtf8(std::string_view cp932) {
    Iconv cv("UTF-8", "CP932");
    std::string out;
    if (Convert(cv, cp932, out, 3, [](std::size_t, std::string&) -> std::size_t { return 0; }) !=
        cp932.size())
        return std::nullopt;
    return out;
}

EncodeResult DisplayUtf8ToCp932(std::string_view utf8) {
    Iconv cv("CP932", "UTF-8");
    EncodeResult r;
    const std::size_t stop =
        Convert(cv, utf8, r.bytes, 1, [&](std::size_t pos, std::string& o) -> std::size_t {
            char32_t cp = 0;
            const std::size_t len = DecodeUtf8(utf8, pos, cp);
            if (len == 0 || cp < kRawByteBase || cp > kRawByteBase + 0xFF) return 0;
            o += static_cast<char>(cp - kRawByteBase);
            return len;
        });
    if (stop != utf8.size()) {
        r.ok = false;
        r.badOffset = stop;
        char32_t cp = 0;
        const std::size_t len = DecodeUtf8(utf8, stop, cp);
        r.badCharacter = std::string(utf8.substr(stop, len == 0 ? 1 : len));
        r.bytes.clear();
    }
    return r;
}

std::string Utf8ToCp932Lenient(std::string_view utf8) {
    Iconv cv("CP932", "UTF-8");
    std::string out;
    Convert(cv, utf8, out, 1, [&](std::size_t pos, std::string& o) -> std::size_t {
        char32_t cp = 0;
        const std::size_t len = DecodeUtf8(utf8, pos, cp);
        o += '?';
        return len == 0 ? 1 : len;
    });
    return out;
}

std::string Sjis(std::string_view utf8) {
    EncodeResult r = DisplayUtf8ToCp932(utf8);
    if (!r.ok) std::abort();
    return std::move(r.bytes);
}

} // namespace bw
