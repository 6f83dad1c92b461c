#include "editing/order_moves.h"
#include "editing/phrases.h"
#include "editing/templates.h"
#include "text/cp932.h"
#include "text/files.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

using namespace bw;
namespace fs = std::filesystem;
using Lines = std::vector<std::string>;

namespace {
Lines Letters(const std::string& s) {
    Lines out;
    for (char c : s)
        out.emplace_back(1, c);
    return out;
}
} // namespace

TEST(OrderMoves, ExamplesAndEdges) {
    enum Op { Up, Down, To, Click };
    struct Case {
        const char* name;
        Op op;
        int selected, target;
        std::string after;
        int selection;
    } cases[] = {
        {"drop C on row 5", To, 2, 5, "ABDEFCG", 5},
        {"drop F on row 2", To, 5, 2, "ABFCDEG", 2},
        {"drop on its own row", To, 3, 3, "ABCDEFG", 3},
        {"drop first below the last row", To, 0, -1, "BCDEFGA", 6},
        {"drop without a selection", To, -1, 2, "ABCDEFG", -1},
        {"up", Up, 3, 0, "ABDCEFG", 2},
        {"up on the first row", Up, 0, 0, "ABCDEFG", 0},
        {"up without a selection", Up, -1, 0, "ABCDEFG", -1},
        {"down", Down, 3, 0, "ABCEDFG", 4},
        {"down on the last row", Down, 6, 0, "ABCDEFG", 6},
        {"down without a selection", Down, -1, 0, "ABCDEFG", -1},
        {"click leaving no selection", Click, -1, 0, "ABCDEFG", 6},
        {"click on a row", Click, 2, 0, "ABCDEFG", 2},
    };
    for (const auto& c : cases) {
        Lines order = Letters("ABCDEFG");
        int sel = c.op == Up     ? MoveOrderItemUp(order, c.selected)
                  : c.op == Down ? MoveOrderItemDown(order, c.selected)
                  : c.op == To   ? MoveOrderItemTo(order, c.selected, c.target)
                                 : SelectionAfterClick(c.selected, static_cast<int>(order.size()));
        EXPECT_EQ(order, Letters(c.after)) << c.name;
        EXPECT_EQ(sel, c.selection) << c.name;
    }
}

TEST(OperatingPhrase, FromTheTickedBoxes) {
    OsFlags none, xp, some, all{true, true, true, true, true, true};
    xp.WXP = true;
    some.W98 = some.WMe = some.W2k = some.WXP = true;
    struct Case {
        OsFlags operate, operated;
        Lines lines;
    } cases[] = {
        {some, xp, {"Windows 98/Me/2000/XP", "(Windows XP" + Sjis("で動作確認済み)")}},
        {none, none, {}},
        {none, all, {"(Windows 95/98/Me/NT/2000/XP" + Sjis("で動作確認済み)")}},
        {xp, none, {"Windows XP"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(BuildOperatingPhrase(c.operate, c.operated), c.lines);
    EXPECT_EQ(Sjis("で動作確認済み)").size(), 15u);
}

TEST(VersionText, LeavesOutEmptyParts) {
    struct Case {
        std::string prefix, major, minor, release, build, extra, text;
    } cases[] = {
        {"ver", "1", "2", "0", "5", Sjis("β"), "ver 1.2.0.5 " + Sjis("β")},
        {"", "2", "0", "0", "0", "", "2.0.0.0"},
        {"ver", "", "3", "", "", "", "ver .3"},
        {"ver", "", "", "", "", "", "ver "},
        {"", "", "", "", "", "", ""},
        {" ", "a", "b", " ", "", "+", "  a.b.  +"}, // nothing is trimmed
    };
    for (const auto& c : cases)
        EXPECT_EQ(ComposeVersionText(c.prefix, c.major, c.minor, c.release, c.build, c.extra), c.text);
}

TEST(HistoryBlock, BuildAndApply) {
    const std::string bullet = Sjis("　　　・");
    const Lines block =
        BuildHistoryBlock("2004/05/01", "ver 1.1", {"Fixed a crash", "", "Faster start", " "});
    EXPECT_EQ(block, (Lines{"--- 2004/05/01  ver 1.1 ---", bullet + "Fixed a crash", bullet + "Faster start",
                            bullet + " ", ""}));
    EXPECT_EQ(BuildHistoryBlock("", "", {"", ""}), (Lines{"---    ---", ""}));

    const Lines small = {"--- d  v ---", bullet + "x", ""};
    struct Case {
        std::string before;
        bool insertFirst;
        std::string after;
    } cases[] = {
        {"", true, "--- d  v ---\r\n" + bullet + "x\r\n\r\n"},
        {"", false, "--- d  v ---\r\n" + bullet + "x\r\n\r\n"},
        {"old\r\n", true, "--- d  v ---\r\n" + bullet + "x\r\n\r\nold\r\n"},
        {"old", false, "old\r\n--- d  v ---\r\n" + bullet + "x\r\n\r\n"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ApplyHistoryBlock(c.before, small, c.insertFirst), c.after);

    // Two entries added last keep the empty line between them.
    const std::string twice = ApplyHistoryBlock(ApplyHistoryBlock("", small, false), small, false);
    EXPECT_EQ(twice, "--- d  v ---\r\n" + bullet + "x\r\n\r\n--- d  v ---\r\n" + bullet + "x\r\n\r\n");

    EXPECT_TRUE(HistoryInsertFirst("Ins"));
    for (const char* other : {"ins", "Add", "add", "", "Ins "})
        EXPECT_FALSE(HistoryInsertFirst(other)) << other;
}

TEST(PriceAndKeys, Rules) {
    EXPECT_TRUE(PriceEnabled(Sjis("シェアウェア")));
    for (const std::string& kind :
         {Sjis("シェアウェア "), Sjis("シェアウェ"), Sjis("フリーウェア"), std::string()})
        EXPECT_FALSE(PriceEnabled(kind));
    for (char32_t c : {U'0', U'5', U'9', char32_t(8)})
        EXPECT_TRUE(DigitKeyFilter(c));
    for (char32_t c : {U'a', U'-', U'.', U'０', U' ', char32_t(13)})
        EXPECT_FALSE(DigitKeyFilter(c));
}

TEST(Templates, LinesExpansionAndRenames) {
    struct Case {
        std::string bytes;
        Lines lines;
    } cases[] = {
        {"", {}},
        {"a\r\nb\nc", {"a", "b", "c"}},
        {"a\r\n", {"a"}},
        {"a\rb\r\n", {"ab"}},
        {"a\n\x1A"
         "after\nmore",
         {"a"}},
        {"a\x1A"
         "b\n",
         {"a\x1A"
          "b"}},
        {"\n\n", {"", ""}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(TemplateLines(c.bytes), c.lines);

    EXPECT_EQ(TemplateSubFolder(0), "introduction");
    EXPECT_EQ(TemplateSubFolder(9), "ESCclause");
    EXPECT_EQ(TemplateSubFolder(13), "other");

    const fs::path dir = "/t/intro";
    EXPECT_EQ(RenamedTemplatePath(dir / "intro.txt", "start"), dir / "start.txt");
    EXPECT_EQ(RenamedTemplatePath(dir / "intro.txt", "start.txt"), dir / "start.txt.txt");
    EXPECT_EQ(RenamedTemplatePath(dir / "readme", "x"), dir / "x");
    EXPECT_EQ(TemplateStem(dir / "a.b.txt"), "a.b");

    char tmpl[] = "/tmp/bwtemplXXXXXX";
    ASSERT_NE(mkdtemp(tmpl), nullptr);
    const fs::path folder = tmpl;
    ReadMeProject p = StartupDefaults();
    p.SoftName = "App";
    ASSERT_TRUE(WriteFileAtomic(folder / "t.txt", "[%AppTitle] [%AppTitle]\r\n\r\nend\r\n"));
    EXPECT_EQ(ExpandTemplateFile(folder / "t.txt", p), "App App\r\n\r\nend");
    ASSERT_TRUE(WriteFileAtomic(folder / "empty.txt", ""));
    EXPECT_EQ(ExpandTemplateFile(folder / "empty.txt", p), "");
    EXPECT_EQ(ExpandTemplateFile(folder / "gone.txt", p), std::nullopt);
    fs::create_directory(folder / "sub");
    ASSERT_TRUE(WriteFileAtomic(folder / ".hidden", "x"));
    EXPECT_EQ(ListOrdinaryFiles(folder), (Lines{"empty.txt", "t.txt"}));
    EXPECT_EQ(ListOrdinaryFiles(folder / "missing"), std::nullopt);
    fs::remove_all(folder);
}

TEST(Files, ListIgnoringCaseAndAtomicWrite) {
    char tmpl[] = "/tmp/bwfilesXXXXXX";
    ASSERT_NE(mkdtemp(tmpl), nullptr);
    const fs::path folder = tmpl;
    for (const char* name : {"b.txt", "A.txt", "a.txt", "C.txt"})
        ASSERT_TRUE(WriteFileAtomic(folder / name, name));
    EXPECT_EQ(ListOrdinaryFiles(folder, NameOrder::IgnoreCase), (Lines{"A.txt", "a.txt", "b.txt", "C.txt"}));

    // A failed write leaves the old bytes and no temporary file behind.
    ASSERT_TRUE(WriteFileAtomic(folder / "keep.txt", "old"));
    EXPECT_FALSE(WriteFileAtomic(folder / "missing" / "x.txt", "new"));
    fs::create_directory(folder / "dir.txt");
    EXPECT_FALSE(WriteFileAtomic(folder / "dir.txt", "new"));
    EXPECT_EQ(ReadWholeFile(folder / "keep.txt").bytes, "old");
    EXPECT_EQ(ListOrdinaryFiles(folder)->size(), 5u);
    EXPECT_EQ(ReadWholeFile(folder / "dir.txt").status, ReadStatus::Failed);
    EXPECT_EQ(ReadWholeFile(folder / "nothing").status, ReadStatus::NotFound);
    fs::remove_all(folder);
}
