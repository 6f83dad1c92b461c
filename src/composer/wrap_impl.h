#pragma once
// Template bodies of the wrap rule (included by composer.h).

#include "text/cp932.h"

#include <cstring>

namespace bw {

namespace detail {
inline bool IsAsciiGraphic(char c) { return c >= 0x21 && c <= 0x7E; }
} // namespace detail

template <typename F> void WrapLine(std::string_view line, std::size_t width, F&& f) {
    constexpr std::size_t none = std::string_view::npos;
    while (line.size() > width) {
        // e: the largest character boundary <= width; prev: start of the character before it.
        std::size_t e = 0, prev = none, lastSpace = none;
        for (;;) {
            const std::size_t len = CharLength(line, e);
            if (e + len > width) break;
            if (line[e] == ' ') lastSpace = e;
            prev = e;
            e += len;
        }
        if (e == 0) e = CharLength(line, 0); // a width below one character still makes progress
        const bool wordBefore = prev != none && e - prev == 1 && detail::IsAsciiGraphic(line[prev]);
        const bool wordAfter = CharLength(line, e) == 1 && detail::IsAsciiGraphic(line[e]);
        if (wordBefore && wordAfter && lastSpace != none) e = lastSpace + 1;
        f(line.substr(0, e));
        line.remove_prefix(e);
    }
    f(line);
}

template <typename F> void ForEachDisplayLine(std::string_view text, std::size_t width, F&& f) {
    // CR and LF never occur as the second byte of a character, so a byte search is safe.
    while (!text.empty()) {
        const char* base = text.data();
        const void* lf = std::memchr(base, '\n', text.size());
        std::size_t end = lf ? static_cast<std::size_t>(static_cast<const char*>(lf) - base) : text.size();
        std::size_t next = lf ? end + 1 : end;
        if (const void* cr = std::memchr(base, '\r', end)) {
            const std::size_t at = static_cast<std::size_t>(static_cast<const char*>(cr) - base);
            next = at + 1 == end ? next : at + 1; // CR LF ends at the LF; a lone CR ends by itself
            end = at;
        }
        WrapLine(text.substr(0, end), width, f);
        text.remove_prefix(next);
    }
}

} // namespace bw
