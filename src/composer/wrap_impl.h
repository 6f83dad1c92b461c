#pragma once
// Template bodies of the wrap rule (included by composer.h).

#include "text/cp932.h"
#include "text/lines.h"


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
        if (line.empty()) return; // a width below one character consumed the rest
    }
    f(line);
}

template <typename F> void ForEachDisplayLine(std::string_view text, std::size_t width, F&& f) {
    ForEachLine(text, [&](std::string_view line) { WrapLine(line, width, f); });
}

} // namespace bw
