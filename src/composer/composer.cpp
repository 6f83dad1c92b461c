#include "composer/composer.h"

#include "text/cp932.h"
#include "text/files.h"

#include <algorithm>
#include <array>

namespace bw {

namespace {

// Texts of the composer, converted to CP932 once.
struct Texts {
    std::string fullSpace = Sjis("　");
    std::string shareware = Sjis("シェアウェア");
    std::string priceOpen = Sjis("　[ ") + "\x5C";
    std::string copyrightPrefix = "Copyright(C) ";
    // Labels of the labelled styles, by basic item; empty: no line in that style.
    std::array<std::string, kBasicItemCount> tamarask = {
        Sjis("  ソフト名  "), Sjis(" バージョン "), Sjis("アーカイブ名"), Sjis(" 最終更新日 "),
        Sjis("    種別    "), Sjis("　開発言語　"), Sjis(" 必要ﾗﾝﾀｲﾑ  "), Sjis("   作者名   "),
        Sjis("  著作権者  "), Sjis("ホームページ"), Sjis("   連絡先   ")};
    std::array<std::string, kBasicItemCount> general = {Sjis("  ソフト名  "),
                                                        "",
                                                        "",
                                                        "",
                                                        Sjis("    種別    "),
                                                        "",
                                                        Sjis(" 必要ﾗﾝﾀｲﾑ  "),
                                                        "",
                                                        Sjis("   著作権   "),
                                                        Sjis("ホームページ"),
                                                        Sjis("   連絡先   ")};
    // Title fields of the fixed sections (free sections are padded from their titles).
    std::array<std::string, kSectionCount> sectionTitles = {Sjis("　はじめに　"),
                                                            Sjis("インストール"),
                                                            Sjis("　ｱﾝｲﾝｽﾄｰﾙ　"),
                                                            Sjis("ファイル構成"),
                                                            Sjis("　動作環境　"),
                                                            Sjis("　開発環境　"),
                                                            Sjis("　 使い方 　"),
                                                            Sjis("　 著作権 　"),
                                                            Sjis("再配布・転載"),
                                                            Sjis("　　免責　　"),
                                                            Sjis("　開発履歴　"),
                                                            "",
                                                            "",
                                                            ""};
};

const Texts& T() {
    static const Texts texts;
    return texts;
}

enum BasicItem { kSoft, kVersion, kArchive, kUpdate, kKind, kLang, kRuntime, kAuthor, kHolder, kHome, kMail };

int FindBasicItem(const std::string& caption) {
    for (int k = 0; k < kBasicItemCount; ++k)
        if (BasicItemCaption(k) == caption) return k;
    return -1;
}

bool HasHomePage(const ReadMeProject& p) {
    return !p.HomePage.empty() && p.HomePage != "http://";
}

std::string KindValue(const ReadMeProject& p) {
    if (p.Kind != T().shareware) return p.Kind;
    return p.Kind + T().priceOpen + p.Value + " ]";
}

// CopyRight when set, otherwise Producer; empty when there is no holder.
const std::string& CopyrightHolder(const ReadMeProject& p) {
    return p.CopyRight.empty() ? p.Producer : p.CopyRight;
}

std::string Spaces(long n) {
    return std::string(n > 0 ? static_cast<std::size_t>(n) : 0, ' ');
}

void LabelLine(const ComposerSettings& s, const std::string& label, const std::string& value,
               TextLines& out) {
    out.push_back(s.LBracket + label + s.RBracket + T().fullSpace + value);
}

// The labelled styles: one line per BasicOrder entry whose condition holds.
void ComposeLabelled(const ReadMeProject& p, const ComposerSettings& s, bool general, TextLines& out) {
    const auto& labels = general ? T().general : T().tamarask;
    out.push_back(s.HrzLine1);
    for (const std::string& entry : p.BasicOrder) {
        const int item = FindBasicItem(entry);
        if (item < 0 || labels[static_cast<std::size_t>(item)].empty()) continue;
        const std::string& label = labels[static_cast<std::size_t>(item)];
        switch (item) {
        case kSoft:
            if (!p.SoftName.empty())
                LabelLine(s, label, general ? p.SoftName + "  " + p.Version : p.SoftName, out);
            break;
        case kVersion:
            if (!p.Version.empty()) LabelLine(s, label, p.Version, out);
            break;
        case kArchive:
            if (!p.ArcName.empty() && !p.ArcExt.empty()) LabelLine(s, label, p.ArcName + p.ArcExt, out);
            break;
        case kUpdate:
            if (!p.LastUpDate.empty()) LabelLine(s, label, p.LastUpDate, out);
            break;
        case kKind:
            if (!p.Kind.empty()) LabelLine(s, label, KindValue(p), out);
            break;
        case kLang:
            if (!p.DevLang.empty()) LabelLine(s, label, p.DevLang, out);
            break;
        case kRuntime:
            if (!p.RunTime.empty()) LabelLine(s, label, p.RunTime, out);
            break;
        case kAuthor:
            if (!p.Producer.empty()) LabelLine(s, label, p.Producer, out);
            break;
        case kHolder:
            if (general ? !CopyrightHolder(p).empty() : !p.CopyRight.empty())
                LabelLine(s, label, general ? CopyrightHolder(p) : p.CopyRight, out);
            break;
        case kHome:
            if (HasHomePage(p)) LabelLine(s, label, p.HomePage, out);
            break;
        case kMail:
            if (!p.Mailadrs.empty()) LabelLine(s, label, p.Mailadrs, out);
            break;
        }
    }
    out.push_back(s.HrzLine1);
    out.push_back(s.HrzLine2);
}

} // namespace

ComposerState::ComposerState() {
    Settings.LBracket = Sjis("【");
    Settings.RBracket = Sjis("】");
    Settings.IndentText = std::string(6, ' ');
    Settings.HrzLine1 = MakeHorizLine("*");
    Settings.HrzLine2 = MakeHorizLine("-");
}

HeaderChoice HeaderChoiceFromOptions(const PreviewOptions& options) {
    if (options.PopUserCheck) return HeaderChoice::Layout(options.Style);
    const int position = FindBuiltinStyle(options.Style);
    return position < 0 ? HeaderChoice{} : HeaderChoice::BuiltinStyle(position);
}

std::string MakeHorizLine(std::string_view pattern) {
    if (pattern.empty()) return std::string(kLineWidth, ' ');
    std::string line;
    line.reserve(kLineWidth + pattern.size());
    while (line.size() < kLineWidth)
        line.append(pattern);
    line.resize(kLineWidth);
    return line;
}

std::string PadSectionTitle(std::string_view title) {
    const std::size_t len = title.size();
    if (len > 12) return " " + std::string(title) + " ";
    const std::size_t before = (12 - len) / 2, after = 12 - len - before;
    auto pad = [](std::size_t bytes, bool spaceLast) {
        std::string full;
        for (std::size_t i = 0; i < bytes / 2; ++i)
            full += T().fullSpace;
        if (bytes % 2 == 0) return full;
        return spaceLast ? full + " " : " " + full;
    };
    return pad(before, true) + std::string(title) + pad(after, false);
}

void ComposeTamaraskHeader(const ReadMeProject& p, const ComposerSettings& s, TextLines& header) {
    ComposeLabelled(p, s, false, header);
}

void ComposeGeneralHeader(const ReadMeProject& p, const ComposerSettings& s, TextLines& header) {
    ComposeLabelled(p, s, true, header);
}

void ComposeSimple1Header(const ReadMeProject& p, const ComposerSettings& s, TextLines& header) {
    const std::size_t prefix = T().copyrightPrefix.size();
    const std::size_t widest =
        std::max({prefix + p.CopyRight.size(), prefix + p.Producer.size(), p.HomePage.size()});
    const std::string indent = Spaces(79 - static_cast<long>(widest));
    header.push_back(s.HrzLine1);
    header.push_back("  " + p.SoftName + " " + p.Version + "(" + p.LastUpDate + ")");
    if (const std::string& holder = CopyrightHolder(p); !holder.empty())
        header.push_back(indent + T().copyrightPrefix + holder);
    if (HasHomePage(p)) header.push_back(indent + p.HomePage);
    header.push_back(s.HrzLine1);
    header.push_back(s.HrzLine2);
}

void ComposeSimple2Header(const ReadMeProject& p, const ComposerSettings& s, TextLines& header) {
    auto centred = [](const std::string& text) {
        return Spaces((80 - static_cast<long>(text.size())) / 2) + text;
    };
    header.push_back(s.HrzLine1);
    header.push_back("");
    header.push_back(centred(p.SoftName + " " + p.Version));
    header.push_back("");
    if (const std::string& holder = CopyrightHolder(p); !holder.empty())
        header.push_back(centred(T().copyrightPrefix + holder));
    header.push_back(s.HrzLine1);
    header.push_back(s.HrzLine2);
}

std::string ExpandPlaceholders(std::string_view line, const ReadMeProject& p,
                               const ComposerSettings* layout) {
    const std::string archive = p.ArcName + p.ArcExt;
    const std::pair<std::string_view, std::string_view> basic[] = {
        {"[%AppTitle]", p.SoftName},   {"[%Producer]", p.Producer},  {"[%xVersion]", p.Version},
        {"[%LstUpDat]", p.LastUpDate}, {"[%ArchName]", archive},     {"[%WareKind]", p.Kind},
        {"[%DvlpLang]", p.DevLang},    {"[%Cpyright]", p.CopyRight}, {"[%nRuntime]", p.RunTime},
        {"[%HomePage]", p.HomePage},   {"[%MailAdrs]", p.Mailadrs}};
    std::string out(line);
    for (const auto& [name, value] : basic)
        out = ReplaceAll(out, name, value);
    if (layout) {
        const std::pair<std::string_view, std::string_view> extra[] = {{"[$LBracket]", layout->LBracket},
                                                                       {"[$RBracket]", layout->RBracket},
                                                                       {"[$HrzLine1]", layout->HrzLine1},
                                                                       {"[$HrzLine2]", layout->HrzLine2}};
        for (const auto& [name, value] : extra)
            out = ReplaceAll(out, name, value);
    }
    return out;
}

std::filesystem::path UserLayoutFolder(const std::filesystem::path& programFolder) {
    return programFolder / "template" / "UserLayout";
}

std::optional<std::filesystem::path> UserLayoutPath(const std::filesystem::path& programFolder,
                                                    const std::string& name) {
    if (!IsPlainFileName(name)) return std::nullopt;
    const std::optional<std::string> utf8 = Cp932ToUtf8(name);
    if (!utf8) return std::nullopt;
    return UserLayoutFolder(programFolder) / *utf8;
}

RefreshOutcome ComposeUserLayoutHeader(const ReadMeProject& p, const ComposerSettings& s,
                                       const std::filesystem::path& programFolder, const std::string& name,
                                       TextLines& header) {
    const std::optional<std::filesystem::path> path = UserLayoutPath(programFolder, name);
    const ReadResult file = path ? ReadWholeFile(*path) : ReadResult{ReadStatus::NotFound, {}};
    if (file.status == ReadStatus::NotFound) return {false, "File not found"};
    if (file.status != ReadStatus::Ok) return {false, "File access denied"};
    std::string_view rest = file.bytes;
    while (!rest.empty()) {
        const std::size_t lf = rest.find('\n');
        std::string_view line = rest.substr(0, lf);
        rest.remove_prefix(lf == std::string_view::npos ? rest.size() : lf + 1);
        if (lf != std::string_view::npos && !line.empty() && line.back() == '\r') line.remove_suffix(1);
        header.push_back(ExpandPlaceholders(line, p, &s));
    }
    return {};
}

std::string SectionTitleLine(const ComposerSettings& s, const ReadMeProject& p, int k) {
    const std::string title = k >= other1 ? PadSectionTitle(TrimBlanks(FreeTitle(p, k)))
                                          : T().sectionTitles[static_cast<std::size_t>(k)];
    return s.LBracket + title + s.RBracket;
}

void ComposeSections(ComposerState& state, const ReadMeProject& p) {
    std::size_t bytes = state.HeaderLines.byteCount();
    for (const std::string& text : p.SectionText)
        bytes += text.size() + text.size() / 8;
    TextLines out;
    out.reserve(bytes + 4096, state.HeaderLines.size() + bytes / 32);
    ForEachReadMeLine(state, p,
                      [&](std::string_view head, std::string_view tail) { out.push_back(head, tail); });
    state.ReadMeLines = std::move(out);
}

RefreshOutcome RefreshHeader(ComposerState& state, const ReadMeProject& p, const HeaderChoice& header,
                             const std::filesystem::path& programFolder) {
    ComposerSettings& s = state.Settings;
    s.HrzLine1 = MakeHorizLine(p.Preview.HorizLine1);
    s.HrzLine2 = MakeHorizLine(p.Preview.HorizLine2);
    s.LBracket = p.Preview.LeftBracket;
    s.RBracket = p.Preview.RightBracket;
    s.IndentText = Spaces(std::clamp(p.Preview.Indent, 0, 10));
    state.HeaderLines.clear();
    switch (header.kind) {
    case HeaderChoice::None:
        break;
    case HeaderChoice::Builtin:
        switch (header.builtin) {
        case 0:
            ComposeTamaraskHeader(p, s, state.HeaderLines);
            break;
        case 1:
            ComposeSimple1Header(p, s, state.HeaderLines);
            break;
        case 2:
            ComposeSimple2Header(p, s, state.HeaderLines);
            break;
        case 3:
            ComposeGeneralHeader(p, s, state.HeaderLines);
            break;
        default:
            break;
        }
        break;
    case HeaderChoice::UserLayout:
        if (!header.layoutName.empty())
            return ComposeUserLayoutHeader(p, s, programFolder, header.layoutName, state.HeaderLines);
        break;
    }
    return {};
}

RefreshOutcome RefreshPreview(ComposerState& state, const ReadMeProject& p, const HeaderChoice& header,
                              const std::filesystem::path& programFolder) {
    const RefreshOutcome outcome = RefreshHeader(state, p, header, programFolder);
    if (outcome.ok) ComposeSections(state, p);
    return outcome;
}

} // namespace bw
