#include "editing/phrases.h"

#include "text/cp932.h"
#include "text/lines.h"

namespace bw {

namespace {
std::string JoinTicked(const OsFlags& f) {
    const std::pair<bool, const char*> tokens[] = {{f.W95, "95"}, {f.W98, "98"},   {f.WMe, "Me"},
                                                   {f.WNT, "NT"}, {f.W2k, "2000"}, {f.WXP, "XP"}};
    std::string joined;
    for (const auto& [ticked, token] : tokens) {
        if (!ticked) continue;
        if (!joined.empty()) joined += '/';
        joined += token;
    }
    return joined;
}
} // namespace

std::vector<std::string> BuildOperatingPhrase(const OsFlags& operate, const OsFlags& operated) {
    std::vector<std::string> lines;
    if (const std::string runs = JoinTicked(operate); !runs.empty()) lines.push_back("Windows " + runs);
    if (const std::string confirmed = JoinTicked(operated); !confirmed.empty())
        lines.push_back("(Windows " + confirmed + Sjis("で動作確認済み)"));
    return lines;
}

std::string ComposeVersionText(const std::string& prefix, const std::string& major, const std::string& minor,
                               const std::string& release, const std::string& build,
                               const std::string& extra) {
    std::string text;
    if (!prefix.empty()) text += prefix + " ";
    text += major;
    for (const std::string* part : {&minor, &release, &build})
        if (!part->empty()) text += "." + *part;
    if (!extra.empty()) text += " " + extra;
    return text;
}

std::vector<std::string> BuildHistoryBlock(const std::string& date, const std::string& version,
                                           const std::vector<std::string>& rows) {
    std::vector<std::string> block{"--- " + date + "  " + version + " ---"};
    const std::string bullet = Sjis("　　　・");
    for (const std::string& row : rows)
        if (!row.empty()) block.push_back(bullet + row);
    block.emplace_back();
    return block;
}

std::string ApplyHistoryBlock(const std::string& history, const std::vector<std::string>& block,
                              bool insertFirst) {
    // Every line, the block's closing empty line too, is followed by CR LF, so that the empty
    // line that separates blocks survives the next entry.
    std::vector<std::string> lines = SplitLines(history);
    lines.insert(insertFirst ? lines.begin() : lines.end(), block.begin(), block.end());
    std::string text;
    for (const std::string& line : lines)
        text += line + "\r\n";
    return text;
}

std::string JoinLines(const std::vector<std::string>& lines) {
    std::string text;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i > 0) text += "\r\n";
        text += lines[i];
    }
    return text;
}

bool PriceEnabled(const std::string& kind) {
    return kind == Sjis("シェアウェア");
}

} // namespace bw
