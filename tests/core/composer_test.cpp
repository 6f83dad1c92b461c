#include "composer/composer.h"
#include "text/cp932.h"
#include "text/files.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

using namespace bw;
namespace fs = std::filesystem;
using Lines = std::vector<std::string>;

namespace {

const std::string kStars(80, '*');
const std::string kDashes(80, '-');
const std::string kFull = Sjis("　");

std::string Repeat(const std::string& s, int n) {
    std::string out;
    for (int i = 0; i < n; ++i)
        out += s;
    return out;
}

ComposerSettings DefaultSettings() {
    return ComposerState().Settings;
}

// A record with every basic item empty (start-up defaults otherwise).
ReadMeProject EmptyItems() {
    ReadMeProject p = StartupDefaults();
    p.LastUpDate.clear();
    p.RunTime.clear();
    p.HomePage.clear();
    return p;
}

Lines Header(void (*builder)(const ReadMeProject&, const ComposerSettings&, TextLines&),
             const ReadMeProject& p, const ComposerSettings& s = DefaultSettings()) {
    TextLines out;
    builder(p, s, out);
    return out.ToVector();
}

Lines Sections(const ReadMeProject& p, const ComposerSettings& s = DefaultSettings(), TextLines header = {}) {
    ComposerState state;
    state.Settings = s;
    state.HeaderLines = std::move(header);
    ComposeSections(state, p);
    return state.ReadMeLines.ToVector();
}

} // namespace

TEST(MakeHorizLine, PatternsGiveExactly80Bytes) {
    const std::string ka = Sjis("カ");
    const std::string aKa = "a" + ka;
    struct Case {
        std::string pattern, expected;
    } cases[] = {
        {"*", kStars},
        {"", std::string(80, ' ')},
        {"=-", Repeat("=-", 40)},
        {ka, Repeat(ka, 40)},
        {"abc", Repeat("abc", 26) + "ab"},
        // half-width + full-width: 26 copies, then "a" and the lead byte of カ
        {aKa, Repeat(aKa, 26) + "a" + ka.substr(0, 1)},
        {std::string(60, 'x') + std::string(40, 'y'), std::string(60, 'x') + std::string(20, 'y')},
    };
    for (const auto& c : cases) {
        const std::string line = MakeHorizLine(c.pattern);
        EXPECT_EQ(line.size(), 80u);
        EXPECT_EQ(line, c.expected) << c.pattern;
    }
}

TEST(PadSectionTitle, CentresIn12Bytes) {
    const std::string F = kFull;
    // Titles of L bytes made of ASCII letters; the field around them per length.
    const std::pair<std::string, std::string> pads[] = {
        {F + F + F, F + F + F},
        {F + F + " ", F + F + F},
        {F + F + " ", " " + F + F},
        {F + F, " " + F + F},
        {F + F, F + F},
        {F + " ", F + F},
        {F + " ", " " + F},
        {F, " " + F},
        {F, F},
        {" ", F},
        {" ", " "},
        {"", " "},
        {"", ""},
    };
    for (std::size_t len = 0; len <= 12; ++len) {
        const std::string title(len, 'T');
        EXPECT_EQ(PadSectionTitle(title), pads[len].first + title + pads[len].second) << len;
        EXPECT_EQ(PadSectionTitle(title).size(), 12u) << len;
    }
    EXPECT_EQ(PadSectionTitle(std::string(13, 'T')), " " + std::string(13, 'T') + " ");
    EXPECT_EQ(PadSectionTitle(std::string(14, 'T')), " " + std::string(14, 'T') + " ");
}

TEST(BuiltinHeaders, TamaraskExample) {
    ReadMeProject p = EmptyItems();
    p.SoftName = Sjis("テスト");
    p.Version = "1.00";
    p.Producer = Sjis("作者");
    const Lines expected = {kStars,
                            Sjis("【  ソフト名  】　テスト"),
                            Sjis("【 バージョン 】　1.00"),
                            Sjis("【   作者名   】　作者"),
                            kStars,
                            kDashes};
    EXPECT_EQ(Header(ComposeTamaraskHeader, p), expected);
}

TEST(BuiltinHeaders, AllItemsEmpty) {
    const ReadMeProject p = EmptyItems();
    EXPECT_EQ(Header(ComposeTamaraskHeader, p), (Lines{kStars, kStars, kDashes}));
    EXPECT_EQ(Header(ComposeGeneralHeader, p), (Lines{kStars, kStars, kDashes}));
    EXPECT_EQ(Header(ComposeSimple1Header, p), (Lines{kStars, "   ()", kStars, kDashes}));
    EXPECT_EQ(Header(ComposeSimple2Header, p),
              (Lines{kStars, "", std::string(40, ' '), "", kStars, kDashes}));
}

TEST(BuiltinHeaders, TamaraskConditionsAndOrder) {
    ReadMeProject p = EmptyItems();
    p.ArcName = "tool";     // no extension: no archive line
    p.HomePage = "http://"; // no home page line
    p.Kind = Sjis("シェアウェア");
    p.Value = "500";
    p.CopyRight = Sjis("権利者");
    p.Mailadrs = "a@b";
    p.BasicOrder = {Sjis("連絡先"),       "unknown",          Sjis("種別"),  Sjis("アーカイブ名"),
                    Sjis("ホームページ"), Sjis("著作権者名"), Sjis("連絡先")};
    const Lines expected = {kStars,
                            Sjis("【   連絡先   】　a@b"),
                            Sjis("【    種別    】　シェアウェア　[ ") + "\x5C" + "500 ]",
                            Sjis("【  著作権者  】　権利者"),
                            Sjis("【   連絡先   】　a@b"),
                            kStars,
                            kDashes};
    EXPECT_EQ(Header(ComposeTamaraskHeader, p), expected);

    p.ArcExt = ".lzh";
    p.HomePage = "http://x";
    p.Kind = Sjis("フリーウェア");
    p.BasicOrder = {Sjis("アーカイブ名"), Sjis("ホームページ"), Sjis("種別")};
    EXPECT_EQ(Header(ComposeTamaraskHeader, p),
              (Lines{kStars, Sjis("【アーカイブ名】　tool.lzh"), Sjis("【ホームページ】　http://x"),
                     Sjis("【    種別    】　フリーウェア"), kStars, kDashes}));
}

TEST(BuiltinHeaders, SharewareWithoutPriceAndEmptyBrackets) {
    ReadMeProject p = EmptyItems();
    p.Kind = Sjis("シェアウェア");
    ComposerSettings s = DefaultSettings();
    s.LBracket.clear();
    s.RBracket.clear();
    EXPECT_EQ(Header(ComposeTamaraskHeader, p, s)[1], Sjis("    種別    　シェアウェア　[ ") + "\x5C ]");
}

TEST(BuiltinHeaders, GeneralStyle) {
    ReadMeProject p = EmptyItems();
    p.SoftName = "Tool";
    p.Producer = Sjis("作者");
    p.Version = "2";
    p.RunTime = Sjis("なし");
    p.LastUpDate = "2004/07/28"; // not part of this style
    EXPECT_EQ(Header(ComposeGeneralHeader, p),
              (Lines{kStars, Sjis("【  ソフト名  】　Tool  2"), Sjis("【 必要ﾗﾝﾀｲﾑ  】　なし"),
                     Sjis("【   著作権   】　作者"), kStars, kDashes}));
    p.Version.clear();
    p.BasicOrder = {Sjis("ソフト名")};
    EXPECT_EQ(Header(ComposeGeneralHeader, p)[1], Sjis("【  ソフト名  】　Tool  "));
}

TEST(BuiltinHeaders, CopyrightHolderRule) {
    struct Case {
        std::string copyRight, producer, holder;
    } cases[] = {{"", "P", "P"}, {"C", "", "C"}, {"C", "P", "C"}, {"", "", ""}};
    for (const auto& c : cases) {
        ReadMeProject p = EmptyItems();
        p.CopyRight = c.copyRight;
        p.Producer = c.producer;
        const Lines simple1 = Header(ComposeSimple1Header, p);
        const Lines simple2 = Header(ComposeSimple2Header, p);
        if (c.holder.empty()) {
            EXPECT_EQ(simple1.size(), 4u);
            EXPECT_EQ(simple2.size(), 6u);
        } else {
            EXPECT_EQ(simple1[2].substr(simple1[2].find('C')), "Copyright(C) " + c.holder);
            EXPECT_EQ(simple2[4].substr(simple2[4].find('C')), "Copyright(C) " + c.holder);
        }
        // The Tamarask style writes CopyRight only.
        const Lines tamarask = Header(ComposeTamaraskHeader, p);
        const bool hasHolderLine = std::find(tamarask.begin(), tamarask.end(),
                                             Sjis("【  著作権者  】　") + c.copyRight) != tamarask.end();
        EXPECT_EQ(hasHolderLine, !c.copyRight.empty());
    }
}

TEST(BuiltinHeaders, Simple1Alignment) {
    ReadMeProject p = EmptyItems();
    p.SoftName = "App";
    p.Version = "1.0";
    p.LastUpDate = "2004/07/28";
    p.CopyRight = "abc"; // "Copyright(C) abc" is 16 bytes: P = 63
    p.HomePage = "http://x.jp/";
    const Lines lines = Header(ComposeSimple1Header, p);
    ASSERT_EQ(lines.size(), 6u);
    EXPECT_EQ(lines[1], "  App 1.0(2004/07/28)");
    EXPECT_EQ(lines[2], std::string(63, ' ') + "Copyright(C) abc");
    EXPECT_EQ(lines[2].size(), 79u);
    EXPECT_EQ(lines[3], std::string(63, ' ') + "http://x.jp/");

    p.HomePage = "http://" + std::string(72, 'x'); // 79 bytes: no padding at all
    EXPECT_EQ(Header(ComposeSimple1Header, p)[2], "Copyright(C) abc");
    p.HomePage = "http://";            // not written, but still measured (7 bytes)
    p.Producer = std::string(70, 'p'); // "Copyright(C) " + 70 = 83 bytes
    EXPECT_EQ(Header(ComposeSimple1Header, p),
              (Lines{kStars, "  App 1.0(2004/07/28)", "Copyright(C) abc", kStars, kDashes}));
}

TEST(BuiltinHeaders, Simple2Centring) {
    struct Case {
        std::string softName;
        std::size_t pad;
    } cases[] = {{"abcde", 35}, {"abcdef", 34}, {std::string(79, 'x'), 0}, {std::string(90, 'x'), 0}};
    for (const auto& c : cases) {
        ReadMeProject p = EmptyItems();
        p.SoftName = c.softName;
        p.Version = "1234"; // T = name + " " + version
        const Lines lines = Header(ComposeSimple2Header, p);
        EXPECT_EQ(lines[2], std::string(c.pad, ' ') + c.softName + " 1234");
    }
}

TEST(BuiltinHeaders, HomePageHttpAlone) {
    ReadMeProject p = EmptyItems();
    p.HomePage = "http://";
    for (auto builder :
         {ComposeTamaraskHeader, ComposeGeneralHeader, ComposeSimple1Header, ComposeSimple2Header})
        for (const std::string& line : Header(builder, p))
            EXPECT_EQ(line.find("http://"), std::string::npos);
}

TEST(ComposeSections, Layout) {
    ReadMeProject p = StartupDefaults();
    const std::string six(6, ' ');
    // all empty: the header alone
    EXPECT_EQ(Sections(p, DefaultSettings(), {"H"}), Lines{"H"});

    p.SectionText[introduction] = "a\r\nb";
    EXPECT_EQ(Sections(p, DefaultSettings(), {"H"}),
              (Lines{"H", Sjis("【　はじめに　】"), six + "a", six + "b", ""}));

    struct Case {
        std::string text;
        Lines body;
    } cases[] = {
        {"\r\n", {six}},
        {"a\r\n", {six + "a"}},
        {"a\r\n\r\n", {six + "a", six}},
        {"  \tx", {six + "  \tx"}},
        {" ", {six + " "}},
    };
    for (const auto& c : cases) {
        ReadMeProject q = StartupDefaults();
        q.SectionText[install] = c.text;
        Lines expected{Sjis("【インストール】")};
        expected.insert(expected.end(), c.body.begin(), c.body.end());
        expected.push_back("");
        EXPECT_EQ(Sections(q), expected) << c.text;
    }
}

TEST(ComposeSections, HistoryIsNotIndentedAndOrderIsFollowed) {
    ReadMeProject p = StartupDefaults();
    p.SectionText[history] = "2004/07/28 v1\r\n\r\n";
    p.SectionText[uninstall] = "x";
    p.SectionText[reproduce] = "y";
    p.SectionOrder = {Sjis("開発履歴"), "nothing", Sjis("転載・再配布"), Sjis("アンインストール"),
                      Sjis("開発履歴")};
    ComposerSettings s = DefaultSettings();
    s.IndentText = std::string(10, ' ');
    const Lines expected = {Sjis("【　開発履歴　】"),
                            "2004/07/28 v1",
                            "",
                            "",
                            Sjis("【再配布・転載】"),
                            std::string(10, ' ') + "y",
                            "",
                            Sjis("【　ｱﾝｲﾝｽﾄｰﾙ　】"),
                            std::string(10, ' ') + "x",
                            "",
                            Sjis("【　開発履歴　】"),
                            "2004/07/28 v1",
                            "",
                            ""};
    EXPECT_EQ(Sections(p, s), expected);
}

TEST(ComposeSections, FreeSectionTitles) {
    const std::string F = kFull;
    struct Case {
        std::string title, field;
    } cases[] = {
        {"", F + F + F + F + F + F},
        {"  abc  ", F + F + "abc" + " " + F + F},
        {"\t" + Sjis("　注意") + "\r", F + " " + Sjis("　注意") + " " + F}, // full-width space is kept
        {std::string(13, 'x'), " " + std::string(13, 'x') + " "},
    };
    for (const auto& c : cases) {
        ReadMeProject p = StartupDefaults();
        p.Other2Title = c.title;
        p.SectionText[other2] = "t";
        ComposerSettings s = DefaultSettings();
        s.IndentText.clear();
        EXPECT_EQ(Sections(p, s), (Lines{Sjis("【") + c.field + Sjis("】"), "t", ""})) << c.title;
    }
    ReadMeProject p = StartupDefaults();
    p.Other1Title = "title";
    EXPECT_TRUE(Sections(p).empty()); // a title without text writes nothing
}

TEST(WrapLine, CutsAt70BytesKeepingWordsAndCharacters) {
    const std::string ka = Sjis("カ");
    const std::string so = Sjis("ソ");
    struct Case {
        std::string name, line;
        Lines pieces;
    } cases[] = {
        {"short", "abc", {"abc"}},
        {"exactly 70", std::string(70, 'a'), {std::string(70, 'a')}},
        {"japanese", Repeat(ka, 40), {Repeat(ka, 35), Repeat(ka, 5)}},
        {"double-byte across the cut",
         "a" + Repeat(ka, 40),
         {"a" + Repeat(ka, 34), ka + ka + ka + ka + ka + ka}},
        {"ascii word cut back to the space",
         std::string(60, 'a') + " " + std::string(20, 'b'),
         {std::string(60, 'a') + " ", std::string(20, 'b')}},
        {"a word without a space is cut hard", std::string(75, 'a'), {std::string(70, 'a'), "aaaaa"}},
        {"space at the cut is no word", std::string(70, 'a') + " b", {std::string(70, 'a'), " b"}},
        // ソ's trail byte 0x5C before the cut is not part of a word
        {"trail byte before the cut", "x " + Repeat(so, 34) + "bb", {"x " + Repeat(so, 34), "bb"}},
        {"kana before the cut",
         "a b" + std::string(65, 'c') + ka + "dd",
         {"a b" + std::string(65, 'c') + ka, "dd"}},
        {"lead byte at the end", std::string(70, 'a') + "\x82", {std::string(70, 'a'), "\x82"}},
        {"lead byte at the end of a long line",
         std::string(69, 'a') + "\x82",
         {std::string(69, 'a') + "\x82"}},
        {"three pieces",
         std::string(150, 'z'),
         {std::string(70, 'z'), std::string(70, 'z'), std::string(10, 'z')}},
    };
    for (const auto& c : cases) {
        Lines pieces;
        WrapLine(c.line, kWrapWidth, [&](std::string_view piece) { pieces.emplace_back(piece); });
        EXPECT_EQ(pieces, c.pieces) << c.name;
        std::string joined;
        for (const auto& piece : pieces)
            joined += piece;
        EXPECT_EQ(joined, c.line) << c.name;
    }
}

TEST(ForEachDisplayLine, SplitsAtEveryKindOfLineBreak) {
    struct Case {
        std::string text;
        Lines lines;
    } cases[] = {
        {"", {}},
        {"a", {"a"}},
        {"a\r\nb\nc\rd", {"a", "b", "c", "d"}},
        {"a\r\n", {"a"}},
        {"\r\n\r\n", {"", ""}},
        {"a\r", {"a"}},
        {"a\r\r\nb", {"a", "", "b"}},
    };
    for (const auto& c : cases) {
        Lines lines;
        ForEachDisplayLine(c.text, kWrapWidth, [&](std::string_view l) { lines.emplace_back(l); });
        EXPECT_EQ(lines, c.lines);
    }
}

TEST(ExpandPlaceholders, ReplacesInOrderOnCharacterBoundaries) {
    ReadMeProject p = EmptyItems();
    p.SoftName = "App";
    p.Producer = "Me";
    p.ArcName = "tool";
    p.ArcExt = ".lzh";
    p.Kind = Sjis("シェアウェア");
    p.Value = "500";
    p.HomePage = "http://";
    struct Case {
        std::string line, expected;
    } cases[] = {
        {"[%AppTitle] and [%AppTitle]", "App and App"},
        {"[%apptitle] [%AppTitle", "[%apptitle] [%AppTitle"},
        {"[%ArchName]/[%WareKind]", "tool.lzh/" + Sjis("シェアウェア")},
        {"[%HomePage][%MailAdrs]|", "http://|"},
        {"[%xVersion]", ""},
        // the second byte of ソ is not the start of a placeholder
        {"\x83[%AppTitle]", "\x83[%AppTitle]"},
        {Sjis("ソ") + "[%AppTitle]", Sjis("ソ") + "App"},
        {"[$LBracket]", "[$LBracket]"}, // not a template placeholder
    };
    for (const auto& c : cases)
        EXPECT_EQ(ExpandPlaceholders(c.line, p), c.expected) << c.line;

    p.SoftName = "[%Producer]+[%AppTitle]"; // a later placeholder expands, an earlier one does not
    EXPECT_EQ(ExpandPlaceholders("[%AppTitle]", p), "Me+[%AppTitle]");
    p.ArcExt.clear();
    EXPECT_EQ(ExpandPlaceholders("[%ArchName]", p), "tool");
}

class UserLayoutTest : public ::testing::Test {
  protected:
    void SetUp() override {
        char tmpl[] = "/tmp/bwlayoutXXXXXX";
        ASSERT_NE(mkdtemp(tmpl), nullptr);
        home = tmpl;
        fs::create_directories(UserLayoutFolder(home));
    }
    void TearDown() override { fs::remove_all(home); }
    void Layout(const std::string& name, const std::string& bytes) {
        ASSERT_TRUE(WriteFileAtomic(UserLayoutFolder(home) / name, bytes));
    }
    fs::path home;
};

TEST_F(UserLayoutTest, LayoutLinesBecomeTheHeader) {
    ReadMeProject p = EmptyItems();
    p.SoftName = Sjis("テスト");
    p.HomePage = "http://";
    Layout("boxed.txt", "[$HrzLine1]\r\n[$LBracket]" + Sjis("  ソフト名  ") + "[$RBracket]" + kFull +
                            "[%AppTitle]\n\r\n[%HomePage] [$HrzLine2]\n");
    TextLines header;
    ASSERT_TRUE(ComposeUserLayoutHeader(p, DefaultSettings(), home, "boxed.txt", header).ok);
    const Lines tamarask = Header(ComposeTamaraskHeader, p);
    EXPECT_EQ(header.ToVector(), (Lines{kStars, tamarask[1], "", "http:// " + kDashes}));

    Layout("empty.txt", "");
    TextLines none;
    ASSERT_TRUE(ComposeUserLayoutHeader(p, DefaultSettings(), home, "empty.txt", none).ok);
    EXPECT_TRUE(none.empty());
}

TEST_F(UserLayoutTest, RefreshWithMissingOrUnreadableLayoutKeepsThePreview) {
    ReadMeProject p = StartupDefaults();
    p.SectionText[introduction] = "x";
    ComposerState state;
    ASSERT_TRUE(RefreshPreview(state, p, HeaderChoice::BuiltinStyle(0), home).ok);
    const TextLines before = state.ReadMeLines;

    p.Preview.Indent = 2;
    RefreshOutcome r = RefreshPreview(state, p, HeaderChoice::Layout("gone.txt"), home);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.message, "File not found");
    EXPECT_EQ(state.ReadMeLines, before);
    EXPECT_TRUE(state.HeaderLines.empty());
    EXPECT_EQ(state.Settings.IndentText, "  "); // settings of the failed refresh stay

    fs::create_directory(UserLayoutFolder(home) / "folder.txt");
    r = RefreshPreview(state, p, HeaderChoice::Layout("folder.txt"), home);
    EXPECT_EQ(r.message, "File access denied");
    EXPECT_EQ(state.ReadMeLines, before);

    // the output path then composes the sections without a header
    ComposeSections(state, p);
    EXPECT_EQ(state.ReadMeLines.ToVector(), (Lines{Sjis("【　はじめに　】"), "  x", ""}));
}

TEST_F(UserLayoutTest, RefreshUsesTheOptions) {
    ReadMeProject p = StartupDefaults();
    p.SoftName = "App";
    p.SectionText[howuse] = "go";
    p.Preview.LeftBracket = "[";
    p.Preview.RightBracket = "]";
    p.Preview.Indent = 0;
    p.Preview.HorizLine1 = "=";
    p.Preview.HorizLine2 = "";
    Layout("l.txt", "[$LBracket]x[$RBracket] [%AppTitle]");
    ComposerState state;
    ASSERT_TRUE(RefreshPreview(state, p, HeaderChoice::Layout("l.txt"), home).ok);
    EXPECT_EQ(state.ReadMeLines.ToVector(), (Lines{"[x] App", "[" + Sjis("　 使い方 　") + "]", "go", ""}));

    ASSERT_TRUE(RefreshPreview(state, p, HeaderChoice::BuiltinStyle(0), home).ok);
    EXPECT_EQ(state.ReadMeLines[0], std::string(80, '='));
    EXPECT_EQ(state.ReadMeLines[5],
              std::string(80, ' ')); // =, name, date, runtime, =, then the empty pattern

    ASSERT_TRUE(RefreshPreview(state, p, HeaderChoice{}, home).ok); // no style: sections only
    EXPECT_EQ(state.ReadMeLines.size(), 3u);
    ASSERT_TRUE(RefreshPreview(state, p, HeaderChoice::Layout(""), home).ok);
    EXPECT_EQ(state.ReadMeLines.size(), 3u);
}

TEST(HeaderChoiceFromOptions, FollowsModeAndName) {
    PreviewOptions o = StartupDefaults().Preview;
    EXPECT_EQ(HeaderChoiceFromOptions(o).kind, HeaderChoice::Builtin);
    o.Style = Sjis("シンプル２");
    EXPECT_EQ(HeaderChoiceFromOptions(o).builtin, 2);
    o.Style = "MyLayout.txt";
    EXPECT_EQ(HeaderChoiceFromOptions(o).kind, HeaderChoice::None);
    o.PopUserCheck = true;
    EXPECT_EQ(HeaderChoiceFromOptions(o).kind, HeaderChoice::UserLayout);
    EXPECT_EQ(HeaderChoiceFromOptions(o).layoutName, "MyLayout.txt");
}
