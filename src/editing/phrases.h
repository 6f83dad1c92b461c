#pragma once
// Texts the editing aids build from small inputs: the operating-environment phrase, the
// version text, the development-history block, and the price and key rules. All CP932.

#include "project/readme_project.h"

#include <string>
#include <vector>

namespace bw {

/// "Windows 98/Me" and "(Windows XPで動作確認済み)" from the ticked boxes; no line for an
/// empty row.
std::vector<std::string> BuildOperatingPhrase(const OsFlags& operate, const OsFlags& operated);

/// prefix + " " + major + "." + minor + "." + release + "." + build + " " + extra, leaving out
/// each empty part with its separator (nothing is trimmed).
std::string ComposeVersionText(const std::string& prefix, const std::string& major, const std::string& minor,
                               const std::string& release, const std::string& build,
                               const std::string& extra);

/// "--- date  version ---", one "　　　・" line per non-empty row, then an empty line.
std::vector<std::string> BuildHistoryBlock(const std::string& date, const std::string& version,
                                           const std::vector<std::string>& rows);

/// The history text with block put first (insertFirst) or last.
std::string ApplyHistoryBlock(const std::string& history, const std::vector<std::string>& block,
                              bool insertFirst);

/// Lines of a text joined by CR LF (the last one without).
std::string JoinLines(const std::vector<std::string>& lines);

/// The price box is usable exactly while the kind is "シェアウェア".
bool PriceEnabled(const std::string& kind);

/// A typed character passes when it is "0"-"9" or backspace.
constexpr bool DigitKeyFilter(char32_t typed) {
    return (typed >= U'0' && typed <= U'9') || typed == 8;
}

/// The remembered history position: exactly "Ins" means insert first.
inline bool HistoryInsertFirst(const std::string& stored) {
    return stored == "Ins";
}

} // namespace bw
