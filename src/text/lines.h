#pragma once
// Splitting text into lines. CR and LF are never the second byte of a CP932 character, so
// a byte search is safe.

#include <cstring>
#include <string>
#include <string_view>
#include <vector>

namespace bw {

/// Calls f(line) for each line of text: lines end at CR LF, LF or a lone CR; a final line
/// break makes no empty last line; an empty text has no lines.
template <typename F> void ForEachLine(std::string_view text, F&& f) {
    while (!text.empty()) {
        const char* base = text.data();
        const void* lf = std::memchr(base, '\n', text.size());
        std::size_t end = lf ? static_cast<std::size_t>(static_cast<const char*>(lf) - base) : text.size();
        std::size_t next = lf ? end + 1 : end;
        if (const void* cr = std::memchr(base, '\r', end)) {
            const std::size_t at = static_cast<std::size_t>(static_cast<const char*>(cr) - base);
            if (at + 1 != end) next = at + 1; // a lone CR ends the line by itself
            end = at;
        }
        f(text.substr(0, end));
        text.remove_prefix(next);
    }
}

/// The lines of text, as ForEachLine gives them.
inline std::vector<std::string> SplitLines(std::string_view text) {
    std::vector<std::string> lines;
    ForEachLine(text, [&](std::string_view line) { lines.emplace_back(line); });
    return lines;
}

} // namespace bw
