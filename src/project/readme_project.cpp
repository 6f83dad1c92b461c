#include "project/readme_project.h"

#include "text/cp932.h"

#include <ctime>

namespace bw {

namespace {

template <std::size_t N> std::array<std::string, N> ToCp932(const std::array<const char*, N>& utf8) {
    std::array<std::string, N> out;
    for (std::size_t i = 0; i < N; ++i)
        out[i] = Sjis(utf8[i]);
    return out;
}

const std::array<std::string, kBasicItemCount>& BasicCaptions() {
    static const auto captions =
        ToCp932<kBasicItemCount>({"ソフト名", "バージョン", "アーカイブ名", "最終更新日", "種別", "開発言語",
                                  "必要ランタイム", "作者名", "著作権者名", "ホームページ", "連絡先"});
    return captions;
}

const std::array<std::string, kSectionCount>& SectionCaptions() {
    static const auto captions = ToCp932<kSectionCount>(
        {"はじめに", "インストール", "アンインストール", "ファイル構成", "動作環境", "開発環境", "使い方",
         "著作権", "転載・再配布", "免責", "開発履歴", "その他１", "その他２", "その他３"});
    return captions;
}

const std::array<std::string, kBuiltinStyleCount>& BuiltinStyles() {
    static const auto names =
        ToCp932<kBuiltinStyleCount>({"Tamaraskスタイル", "シンプル１", "シンプル２", "汎用（？）"});
    return names;
}

std::string FormatToday(const char* pattern) {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char buf[64];
    std::strftime(buf, sizeof buf, pattern, &local);
    return Sjis(buf);
}

} // namespace

const std::string& BasicItemCaption(int k) {
    return BasicCaptions().at(static_cast<std::size_t>(k));
}
const std::string& SectionCaption(int k) {
    return SectionCaptions().at(static_cast<std::size_t>(k));
}
std::string SectionFileName(int k) {
    return SectionCaption(k) + ".dat";
}

int FindSectionByCaption(const std::string& caption) {
    for (int k = 0; k < kSectionCount; ++k)
        if (SectionCaption(k) == caption) return k;
    return -1;
}

std::vector<std::string> DefaultBasicOrder() {
    return {BasicCaptions().begin(), BasicCaptions().end()};
}
std::vector<std::string> DefaultSectionOrder() {
    return {SectionCaptions().begin(), SectionCaptions().end()};
}

const std::string& BuiltinStyleName(int position) {
    return BuiltinStyles().at(static_cast<std::size_t>(position));
}

int FindBuiltinStyle(const std::string& name) {
    for (int k = 0; k < kBuiltinStyleCount; ++k)
        if (BuiltinStyleName(k) == name) return k;
    return -1;
}

std::string TodaySlashed() {
    return FormatToday("%Y/%m/%d");
}
std::string TodayKanji() {
    return FormatToday("%Y年%m月%d日");
}

ReadMeProject StartupDefaults() {
    ReadMeProject p;
    p.LastUpDate = TodaySlashed();
    p.RunTime = Sjis("なし");
    p.HomePage = "http://";
    p.BasicOrder = DefaultBasicOrder();
    p.SectionOrder = DefaultSectionOrder();
    p.Preview.LeftBracket = Sjis("【");
    p.Preview.RightBracket = Sjis("】");
    p.Preview.Indent = 6;
    p.Preview.HorizLine1 = "*";
    p.Preview.HorizLine2 = "-";
    p.Preview.Style = BuiltinStyleName(0);
    p.Preview.PopUserCheck = false;
    return p;
}

bool IsProjectOpen(const ReadMeProject& p) {
    return !p.IniPath.empty() && !p.ProjectName.empty() && !p.SectionPath[introduction].empty();
}

bool AnyProjectBinding(const ReadMeProject& p) {
    return !p.IniPath.empty() || !p.ProjectName.empty() || !p.SectionPath[introduction].empty();
}

const std::string& FreeTitle(const ReadMeProject& p, int k) {
    return k == other1 ? p.Other1Title : k == other2 ? p.Other2Title : p.Other3Title;
}

std::string WindowCaption(const ReadMeProject& p) {
    if (p.ProjectName.empty()) return "Brindlewocket";
    return "Brindlewocket - [" + p.ProjectName + "]";
}

} // namespace bw
