#pragma once
// Template bodies of the wrap rule and of the line-by-line composition (included by composer.h).

#include "text/cp932.h"
#include "text/lines.h"

namespace bw {

namespace detail {
inline bool IsAsciiGraphic(char c) {
    return c >= 0x21 && c <= 0x7E;
}
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
        const bool wordAfter = e < line.size() && CharLength(line, e) == 1 && detail::IsAsciiGraphic(line[e]);
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

template <typename Emit>
void ForEachReadMeLine(const ComposerState& state, const ReadMeProject& p, Emit&& emit) {
    for (std::size_t i = 0; i < state.HeaderLines.size(); ++i)
        emit(state.HeaderLines[i], std::string_view());
    for (const std::string& entry : p.SectionOrder) {
        const int k = FindSectionByCaption(entry);
        if (k < 0) continue;
        const std::string& text = p.SectionText[static_cast<std::size_t>(k)];
        if (text.empty()) continue;
        emit(SectionTitleLine(state.Settings, p, k), std::string_view());
        // The history dialog indents its entries itself.
        const std::string_view indent =
            k == history ? std::string_view() : std::string_view(state.Settings.IndentText);
        ForEachDisplayLine(text, kWrapWidth, [&](std::string_view line) { emit(indent, line); });
        emit(std::string_view(), std::string_view());
    }
}

} // namespace bw
