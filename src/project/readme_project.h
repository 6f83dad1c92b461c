#pragma once
// The one open ReadMe project: every field the author edits, and its binding to disk.
// All texts are CP932 bytes.

#include <array>
#include <filesystem>
#include <string>
#include <vector>

namespace bw {

inline constexpr int kBasicItemCount = 11;
inline constexpr int kSectionCount = 14;

/// Index of a long-text section, in the fixed section order.
enum SectionIndex : int {
    introduction,
    install,
    uninstall,
    files,
    operate,
    development,
    howuse,
    copyright,
    reproduce,
    ESCclause,
    history,
    other1,
    other2,
    other3
};

/// Caption of basic item k (0-10), the identity stored in BasicOrder ("ソフト名" ...).
const std::string& BasicItemCaption(int k);
/// Caption of section k (0-13), the identity stored in SectionOrder ("はじめに" ...).
const std::string& SectionCaption(int k);
/// Section file name of section k: its caption + ".dat".
std::string SectionFileName(int k);
/// Index of the section whose caption equals caption byte for byte, or -1.
int FindSectionByCaption(const std::string& caption);

/// The default orders: the captions in table order.
std::vector<std::string> DefaultBasicOrder();
std::vector<std::string> DefaultSectionOrder();

/// The six operating-system flags of one group (W95, W98, WMe, WNT, W2k, WXP).
struct OsFlags {
    bool W95 = false, W98 = false, WMe = false, WNT = false, W2k = false, WXP = false;
    bool operator==(const OsFlags&) const = default;
};

/// The four built-in header styles, by position in the style list.
inline constexpr int kBuiltinStyleCount = 4;
const std::string& BuiltinStyleName(int position);
/// Position of a built-in style name (exact bytes), or -1.
int FindBuiltinStyle(const std::string& name);

struct PreviewOptions {
    std::string LeftBracket;
    std::string RightBracket;
    int Indent = 6;
    std::string HorizLine1;
    std::string HorizLine2;
    std::string Style;
    bool PopUserCheck = false;
    bool operator==(const PreviewOptions&) const = default;
};

struct ReadMeProject {
    // Identity and binding to disk.
    std::string ProjectName;
    std::filesystem::path IniPath;
    std::array<std::filesystem::path, kSectionCount> SectionPath;
    bool SavePending = false;

    // Basic items.
    std::string SoftName, Version, ArcName, ArcExt, LastUpDate, Kind, Value, DevLang, RunTime, Producer,
        CopyRight, HomePage, Mailadrs;
    std::vector<std::string> BasicOrder;

    // Long texts (lines separated by CR LF).
    std::array<std::string, kSectionCount> SectionText;
    std::string Other1Title, Other2Title, Other3Title;
    std::vector<std::string> SectionOrder;

    OsFlags Operate, Operated;
    PreviewOptions Preview;

    bool operator==(const ReadMeProject&) const = default;
};

/// Today's date as "yyyy/mm/dd" and as "yyyy年mm月dd日" (CP932).
std::string TodaySlashed();
std::string TodayKanji();

/// A record with the start-up values; LastUpDate is today as "yyyy/mm/dd".
ReadMeProject StartupDefaults();

/// True when IniPath, ProjectName and the introduction's SectionPath are all set.
bool IsProjectOpen(const ReadMeProject& p);
/// True when at least one of the three is set (the rule that enables the save entry).
bool AnyProjectBinding(const ReadMeProject& p);

/// Title of free section k (other1..other3).
const std::string& FreeTitle(const ReadMeProject& p, int k);

/// Window caption: "Brindlewocket" or "Brindlewocket - [name]".
std::string WindowCaption(const ReadMeProject& p);

} // namespace bw
