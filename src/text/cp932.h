#pragma once
// Byte helpers for Shift_JIS (code page 932) text held in std::string.
// Every position and length is a byte count; a search never starts a match
// on the second byte of a double-byte character.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace bw {

/// True for the first byte of a double-byte character (0x81-0x9F, 0xE0-0xFC).
constexpr bool IsLeadByte(unsigned char c) {
    return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}

/// Length in bytes of the character starting at pos (1 or 2; a lead byte as the last byte is 1).
inline std::size_t CharLength(std::string_view s, std::size_t pos) {
    return (IsLeadByte(static_cast<unsigned char>(s[pos])) && pos + 1 < s.size()) ? 2 : 1;
}

/// True when pos is 0, s.size() or the start of a character, counting characters from the start.
bool IsCharBoundary(std::string_view s, std::size_t pos);

/// Largest character boundary <= pos (pos is clamped to s.size()).
std::size_t FloorCharBoundary(std::string_view s, std::size_t pos);

/// First occurrence of needle at or after from that begins on a character boundary
/// (from must itself be a boundary); npos when none. An empty needle is never found.
std::size_t FindText(std::string_view hay, std::string_view needle, std::size_t from = 0);

/// Same, for the first of several one-byte characters (as strpbrk does, but boundary-aware).
std::size_t FindAnyChar(std::string_view hay, std::string_view bytes, std::size_t from = 0);

/// Every boundary-aware occurrence of from replaced by to, left to right; the scan resumes
/// right behind each inserted value, so an inserted value is never searched again.
std::string ReplaceAll(std::string_view s, std::string_view from, std::string_view to);

/// True for a name that can only mean one file of one folder: not empty, not "." or "..",
/// no NUL and no "\" or "/" character.
bool IsPlainFileName(std::string_view name);

/// s without bytes <= 0x20 at both ends (blanks and control bytes; a full-width space stays).
std::string_view TrimBlanks(std::string_view s);

/// s with lone CR, lone LF and CR LF all turned into CR LF; a NUL byte ends the text.
std::string NormalizeLineBreaks(std::string_view s);

// Conversion between CP932 and UTF-8 (glibc iconv, "CP932").

/// Lossless conversion for display: bytes that do not decode become U+F700 + byte.
std::string Cp932ToDisplayUtf8(std::string_view cp932);

/// Result of turning UTF-8 back into CP932.
struct EncodeResult {
    std::string bytes;         ///< the CP932 text when ok
    bool ok = true;            ///< false when a character has no CP932 code
    std::size_t badOffset = 0; ///< byte offset in the UTF-8 input of the first such character
    std::string badCharacter;  ///< that character, as UTF-8
};

/// Inverse of Cp932ToDisplayUtf8: U+F700 + byte gives the byte back; any other character
/// that CP932 cannot hold makes the result not ok (nothing is replaced by "?").
EncodeResult DisplayUtf8ToCp932(std::string_view utf8);

/// Strict decoding for names that reach the file system: nullopt when any byte does not decode.
std::optional<std::string> Cp932ToUtf8(std::string_view cp932);

/// For messages only: UTF-8 to CP932 where a character without a code becomes "?".
std::string Utf8ToCp932Lenient(std::string_view utf8);

/// Convenience for program texts written as UTF-8 in the source: their CP932 bytes.
/// Aborts on a text that has no CP932 form (a programming error).
std::string Sjis(std::string_view utf8);

} // namespace bw
