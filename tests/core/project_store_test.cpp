#include "project/project_store.h"
#include "text/cp932.h"
#include "text/ini.h"

#include "store_test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

using namespace bw;
namespace fs = std::filesystem;
using bw::test::FileSizeLimit;
using bw::test::ReadBytes;
using bw::test::Snapshot;
using bw::test::TempFolder;
using bw::test::WriteBytes;

namespace {

const char* const kSectionFilesUtf8[kSectionCount] = {
    "はじめに.dat", "インストール.dat", "アンインストール.dat", "ファイル構成.dat", "動作環境.dat",
    "開発環境.dat", "使い方.dat",       "著作権.dat",           "転載・再配布.dat", "免責.dat",
    "開発履歴.dat", "その他１.dat",     "その他２.dat",         "その他３.dat"};

std::string Replace(std::string s, const std::string& from, const std::string& to) {
    for (std::size_t at = s.find(from); at != std::string::npos; at = s.find(from, at + to.size()))
        s.replace(at, from.size(), to);
    return s;
}

// A record in which every stored field differs from its default.
ReadMeProject Filled() {
    ReadMeProject p = StartupDefaults();
    p.SoftName = Sjis("ソフト");
    p.Version = "1.2";
    p.ArcName = "soft";
    p.ArcExt = ".zip";
    p.Kind = Sjis("シェアウェア");
    p.Value = "500";
    p.DevLang = "C++";
    p.RunTime = Sjis("ランタイム");
    p.Producer = Sjis("作者");
    p.CopyRight = "holder";
    p.HomePage = "http://example.jp/";
    p.Mailadrs = "a@b.c";
    std::reverse(p.BasicOrder.begin(), p.BasicOrder.end());
    std::rotate(p.SectionOrder.begin(), p.SectionOrder.begin() + 3, p.SectionOrder.end());
    p.Other1Title = "T1";
    p.Other2Title = Sjis("表題");
    p.Other3Title = "T3";
    p.Operate.W95 = true;
    p.Operated.WXP = true;
    p.Preview = {"[", "]", 3, "=", "~", BuiltinStyleName(2), false};
    for (int k = 0; k < kSectionCount; ++k)
        p.SectionText[static_cast<std::size_t>(k)] = "text " + std::to_string(k) + "\r\n";
    return p;
}

class StoreTest : public ::testing::Test {
  protected:
    StoreTest() { fs::create_directories(projects()); }

    fs::path home() const { return tmp.path(); }
    fs::path projects() const { return folders.ProjectFolder(); }
    fs::path sectionFile(const std::string& project, int k) const {
        return projects() / project / kSectionFilesUtf8[k];
    }

    // Creates project Foo with the wizard's step and returns the bound record.
    ReadMeProject Create(const std::string& name = "Foo", ReadMeProject p = StartupDefaults()) {
        const CreateOutcome c = CreateProject(p, folders, name, "me", "http://", "a@b.c");
        EXPECT_TRUE(c.ok);
        return p;
    }

    OpenOutcome Open(ReadMeProject& p, const fs::path& file) { return OpenProject(p, folders, file); }

    TempFolder tmp;
    ProgramFolders folders{tmp.path()};
};

} // namespace

TEST(ProjectFile, EighteenLinesNamingTheProjectsFiles) {
    std::string expected = "ProjectFile : Brindlewocket;\r\n\r\nFoo\\Foo.ini\r\n\r\n";
    for (const char* f : kSectionFilesUtf8)
        expected += "Foo\\" + Sjis(f) + "\r\n";
    EXPECT_EQ(ProjectFileText("Foo"), expected);
    EXPECT_EQ(ProjectFileMark().size(), 28u);
    EXPECT_EQ(SplitLines(ProjectFileText(Sjis("ソ"))).size(), 18u);
}

TEST(ProjectFile, StoredPathsStayBelowTheProjectFolder) {
    const fs::path pf = "/prog/project";
    struct Case {
        std::string line;
        fs::path disk; // empty: refused
    } cases[] = {
        {"Foo\\Foo.ini", "/prog/project/Foo/Foo.ini"},
        {Sjis("ソ\\表.dat"), "/prog/project/ソ/表.dat"}, // trail bytes 0x5C are not separators
        {Sjis("表.ini"), "/prog/project/表.ini"},
        {"Foo..\\...\\x", "/prog/project/Foo../.../x"},
        {"", "/prog/project"},
        {"\\Foo\\Foo.ini", ""},
        {"\\\\server\\share\\x", ""},
        {"..", ""},
        {"..\\victim.txt", ""},
        {"Foo\\..\\..\\victim.txt", ""},
        {"Foo\\..", ""},
        {"Foo/Foo.ini", ""},
        {"/etc/passwd", ""},
        {std::string("..\0x\\y", 6), ""}, // the NUL would cut the name down to ".."
        {"Foo\\\x81", ""},                // a lone lead byte does not decode
    };
    for (const auto& c : cases)
        EXPECT_EQ(StoredPathToDisk(pf, c.line), c.disk) << c.line;
}

TEST(ProjectFile, SplitLines) {
    using V = std::vector<std::string>;
    struct Case {
        std::string text;
        V lines;
    } cases[] = {
        {"", {}},
        {"a", {"a"}},
        {"a\r\nb", {"a", "b"}},
        {"a\r\nb\r\n", {"a", "b"}},
        {"a\nb\n", {"a", "b"}},
        {"a\rb\r", {"a", "b"}},
        {"a\r\n\r\nb", {"a", "", "b"}},
        {"a\n\rb", {"a", "", "b"}},
        {"\r\n", {""}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(SplitLines(c.text), c.lines) << c.text;
}

// ---- Create ---------------------------------------------------------------------------

TEST_F(StoreTest, CreateMakesTheFilesAndBindsTheRecord) {
    ReadMeProject p = StartupDefaults();
    p.SectionText[introduction] = "kept";
    p.Version = "9";
    const CreateOutcome c = CreateProject(p, folders, "Foo", Sjis("作者"), "http://x.jp/", "a@b.c");
    ASSERT_TRUE(c.ok);

    EXPECT_EQ(ReadBytes(projects() / "Foo.bwk"), ProjectFileText("Foo"));
    EXPECT_EQ(ReadBytes(projects() / "Foo" / "Foo.ini"),
              "[OneLine]\r\nSoftName=Foo\r\nProducer=" + Sjis("作者") +
                  "\r\nHomePage=http://x.jp/\r\nMailadrs=a@b.c\r\n");
    for (int k = 0; k < kSectionCount; ++k) {
        EXPECT_EQ(fs::file_size(sectionFile("Foo", k)), 0u) << k;
        EXPECT_EQ(p.SectionPath[static_cast<std::size_t>(k)], sectionFile("Foo", k));
    }
    EXPECT_EQ(p.ProjectName, "Foo");
    EXPECT_EQ(p.IniPath, projects() / "Foo" / "Foo.ini");
    EXPECT_EQ(p.SoftName, "Foo");
    EXPECT_EQ(p.Producer, Sjis("作者"));
    EXPECT_EQ(p.HomePage, "http://x.jp/");
    EXPECT_EQ(p.Mailadrs, "a@b.c");
    EXPECT_TRUE(p.SavePending);
    EXPECT_TRUE(IsProjectOpen(p));
    // Nothing else is cleared or read.
    EXPECT_EQ(p.SectionText[introduction], "kept");
    EXPECT_EQ(p.Version, "9");
}

TEST_F(StoreTest, CreateOverAnExistingProjectKeepsTheOtherIniKeys) {
    Create();
    const std::string otherKeys = "[VerInput]\r\nVerCmb=2\r\n+alpha=b\r\n\r\n";
    WriteBytes(
        projects() / "Foo" / "Foo.ini",
        otherKeys +
            "[OneLine]\r\nSoftName=Old\r\nVersion=3.0\r\nProducer=old\r\n\r\n[InputHis]\r\nSelect=Ins\r\n");
    WriteBytes(sectionFile("Foo", history), "old history");
    WriteBytes(projects() / "Foo.bwk", "damaged");

    EXPECT_EQ(CheckProjectName("Foo", folders).result, NameCheck::Exists);
    ReadMeProject p = StartupDefaults();
    p.SectionText[history] = "still in memory";
    ASSERT_TRUE(CreateProject(p, folders, "Foo", "new", "http://n/", "m@n").ok);

    EXPECT_EQ(ReadBytes(projects() / "Foo" / "Foo.ini"),
              otherKeys + "[OneLine]\r\nSoftName=Foo\r\nVersion=3.0\r\nProducer=new\r\nHomePage=http://n/\r\n"
                          "Mailadrs=m@n\r\n\r\n[InputHis]\r\nSelect=Ins\r\n");
    EXPECT_EQ(ReadBytes(sectionFile("Foo", history)), "");
    EXPECT_EQ(ReadBytes(projects() / "Foo.bwk"), ProjectFileText("Foo"));
    EXPECT_EQ(p.SectionText[history], "still in memory");

    // A project file without its folder is no existing project: no question, replaced.
    WriteBytes(projects() / "Bar.bwk", "old");
    EXPECT_EQ(CheckProjectName("Bar", folders).result, NameCheck::Ok);
    Create("Bar");
    EXPECT_EQ(ReadBytes(projects() / "Bar.bwk"), ProjectFileText("Bar"));
}

TEST_F(StoreTest, CreateFailuresStopAndReport) {
    const std::string failure =
        Sjis("失敗しました。。。\r\nここのエラーは予定外なので作者に連絡を取って下さい\r\n"
             "　　(予定外ならこんなダイアログ作るなよ...)");
    // The project folder is missing: nothing is created anywhere.
    fs::remove(projects());
    ReadMeProject p = StartupDefaults();
    CreateOutcome c = CreateProject(p, folders, "Foo", "me", "http://", "");
    EXPECT_FALSE(c.ok);
    EXPECT_EQ(c.message, failure);
    EXPECT_TRUE(p.SavePending);
    EXPECT_TRUE(p.ProjectName.empty());
    EXPECT_TRUE(fs::is_empty(home()));

    // A folder where the fourth section file should go: the first three are made and bound.
    fs::create_directories(projects() / "Foo" / kSectionFilesUtf8[files]);
    p = StartupDefaults();
    c = CreateProject(p, folders, "Foo", "me", "http://", "");
    EXPECT_FALSE(c.ok);
    EXPECT_EQ(p.SectionPath[uninstall], sectionFile("Foo", uninstall));
    EXPECT_TRUE(p.SectionPath[files].empty());
    EXPECT_FALSE(fs::exists(projects() / "Foo.bwk"));
    EXPECT_TRUE(p.SavePending);

    // Names that could not be one folder are refused even when the name check was skipped.
    for (const std::string name : {".", "..", "a\\b", "a/b", ""}) {
        const auto before = Snapshot(home());
        p = StartupDefaults();
        EXPECT_FALSE(CreateProject(p, folders, name, "me", "http://", "").ok) << name;
        EXPECT_EQ(Snapshot(home()), before) << name;
        EXPECT_FALSE(fs::exists(home() / ".bwk")) << name;
        EXPECT_FALSE(fs::exists(projects() / ".ini")) << name;
    }
}

TEST_F(StoreTest, NameChecks) {
    fs::create_directories(projects() / "Taken");
    const std::string badChars =
        Sjis("プロジェクト名に　") + " \\ / : * ? \" < > |  " + Sjis("の文字は使用しないで下さい");
    struct Case {
        std::string name;
        NameCheck::Result result;
        std::string trimmed;
        std::size_t select = 0;
    } cases[] = {
        {"Foo", NameCheck::Ok, "Foo"},
        {" \t Foo \r\n", NameCheck::Ok, "Foo"},
        {Sjis("　Foo "), NameCheck::Ok, Sjis("　Foo")},  // a full-width space stays
        {Sjis("ソフト"), NameCheck::Ok, Sjis("ソフト")}, // ソ holds the byte 0x5C
        {"...", NameCheck::Ok, "..."},
        {"", NameCheck::Empty, ""},
        {" \t ", NameCheck::Empty, ""},
        {"a?b:c?", NameCheck::BadCharacter, "a?b:c?", 3},
        {"x\\", NameCheck::BadCharacter, "x\\", 1},
        {"x/", NameCheck::BadCharacter, "x/", 1},
        {"x:", NameCheck::BadCharacter, "x:", 1},
        {"x*", NameCheck::BadCharacter, "x*", 1},
        {"x?", NameCheck::BadCharacter, "x?", 1},
        {"x\"", NameCheck::BadCharacter, "x\"", 1},
        {"x<", NameCheck::BadCharacter, "x<", 1},
        {"x>", NameCheck::BadCharacter, "x>", 1},
        {"x|", NameCheck::BadCharacter, "x|", 1},
        {"|a|b<", NameCheck::BadCharacter, "|a|b<", 4},
        {Sjis("表|"), NameCheck::BadCharacter, Sjis("表|"), 2},
        {".", NameCheck::DotName, "."},
        {" .. ", NameCheck::DotName, ".."},
        {"Taken", NameCheck::Exists, "Taken"},
    };
    for (const auto& c : cases) {
        const NameCheck r = CheckProjectName(c.name, folders);
        EXPECT_EQ(r.result, c.result) << c.name;
        EXPECT_EQ(r.trimmed, c.trimmed) << c.name;
        if (c.result == NameCheck::BadCharacter) {
            EXPECT_EQ(r.selectStart, c.select) << c.name;
            EXPECT_EQ(r.message, badChars);
            EXPECT_EQ(r.caption, Sjis("えら～"));
        }
    }
    EXPECT_EQ(CheckProjectName(" ", folders).message, Sjis("プロジェクト名を入力して下さい"));
    EXPECT_EQ(CheckProjectName("Taken", folders).message,
              Sjis("既に同名のプロジェクトが存在します。上書きして宜しいですか？"));
    EXPECT_EQ(CheckProjectName("Taken", folders).caption, Sjis("じょーほー"));
    const NameCheck dots = CheckProjectName("..", folders);
    EXPECT_FALSE(dots.message.empty());
    EXPECT_EQ(dots.caption, Sjis("えら～"));
}

// ---- Open -----------------------------------------------------------------------------

TEST_F(StoreTest, OpenReadsBelowTheProjectFolderWhereverTheFileWasPicked) {
    Create();
    WriteBytes(sectionFile("Foo", introduction), "from the project folder");
    // A copy of the project file elsewhere, beside a decoy folder of the same layout.
    const fs::path elsewhere = home() / "elsewhere";
    WriteBytes(elsewhere / "別名.v2.bwk", ProjectFileText("Foo"));
    WriteBytes(elsewhere / "Foo" / kSectionFilesUtf8[introduction], "decoy");
    WriteBytes(elsewhere / "Foo" / "Foo.ini", "[OneLine]\r\nSoftName=decoy\r\n");

    ReadMeProject p = StartupDefaults();
    const OpenOutcome o = Open(p, elsewhere / "別名.v2.bwk");
    ASSERT_EQ(o.status, OpenOutcome::Loaded);
    EXPECT_TRUE(o.missingSections.empty());
    EXPECT_EQ(p.ProjectName, Sjis("別名.v2"));
    EXPECT_EQ(p.IniPath, projects() / "Foo" / "Foo.ini");
    EXPECT_EQ(p.SectionPath[other3], sectionFile("Foo", other3));
    EXPECT_EQ(p.SectionText[introduction], "from the project folder");
    EXPECT_EQ(p.SoftName, "Foo");
    EXPECT_TRUE(p.SavePending);
}

TEST_F(StoreTest, OpenAcceptsAnyLineBreaks) {
    Create();
    for (const std::string eol : {"\n", "\r"}) {
        WriteBytes(projects() / "Foo.bwk", Replace(ProjectFileText("Foo"), "\r\n", eol));
        ReadMeProject p = StartupDefaults();
        EXPECT_EQ(Open(p, projects() / "Foo.bwk").status, OpenOutcome::Loaded);
        EXPECT_EQ(p.IniPath, projects() / "Foo" / "Foo.ini");
    }
}

TEST_F(StoreTest, OpenRejectsFilesThatAreNotSafeProjectFiles) {
    Create();
    WriteBytes(home() / "victim.txt", "outside");
    const std::string good = ProjectFileText("Foo");
    std::vector<std::string> lines = SplitLines(good);
    auto with = [&](std::size_t i, const std::string& line) {
        std::vector<std::string> l = lines;
        if (i < l.size())
            l[i] = line;
        else
            l.push_back(line);
        std::string text;
        for (const auto& s : l)
            text += s + "\r\n";
        return text;
    };
    struct Case {
        const char* what;
        std::string bytes;
    } cases[] = {
        {"first line with a trailing blank", Replace(good, "Brindlewocket;", "Brindlewocket; ")},
        {"first line in lower case",
         Replace(good, "ProjectFile : Brindlewocket;", "projectfile : brindlewocket;")},
        {"empty file", ""},
        {"first line only", "ProjectFile : Brindlewocket;\r\n"},
        {"seventeen lines", good.substr(0, good.rfind("Foo\\"))},
        {"absolute INI path", with(2, "\\Foo\\Foo.ini")},
        {"INI path with a slash", with(2, "Foo/Foo.ini")},
        {"section path climbing out", with(5, "Foo\\..\\..\\victim.txt")},
        {"section path of '..' alone", with(4, "..")},
        {"NUL in a path", with(6, std::string("..\0a\\x.dat", 10))},
        {"unsafe line after the eighteen", with(18, "..\\victim.txt")},
    };
    for (const auto& c : cases) {
        WriteBytes(projects() / "Bad.bwk", c.bytes);
        ReadMeProject p = Filled();
        const ReadMeProject before = p;
        const OpenOutcome o = Open(p, projects() / "Bad.bwk");
        EXPECT_EQ(o.status, OpenOutcome::Rejected) << c.what;
        EXPECT_EQ(o.message, Sjis("不正ファイルの為、読み込みを中断しました。")) << c.what;
        EXPECT_TRUE(p.SavePending) << c.what;
        p.SavePending = before.SavePending;
        EXPECT_EQ(p, before) << c.what;
    }
}

TEST_F(StoreTest, OpenReportsFilesThatCannotBeRead) {
    Create();
    ReadMeProject p = Filled();
    const ReadMeProject before = p;
    OpenOutcome o = Open(p, projects() / "None.bwk");
    EXPECT_EQ(o.status, OpenOutcome::ReadFailed);
    EXPECT_EQ(o.message,
              Sjis("ファイル ") + Sjis((projects() / "None.bwk").string()) + Sjis(" は開けません"));
    EXPECT_TRUE(p.SavePending);
    p.SavePending = false;
    EXPECT_EQ(p, before);

    EXPECT_EQ(Open(p, projects() / "Foo").status, OpenOutcome::ReadFailed); // a folder

    // An INI "file" that is a folder.
    fs::remove(projects() / "Foo" / "Foo.ini");
    fs::create_directory(projects() / "Foo" / "Foo.ini");
    o = Open(p, projects() / "Foo.bwk");
    EXPECT_EQ(o.status, OpenOutcome::ReadFailed);
    EXPECT_EQ(o.message,
              Sjis("ファイル ") + Sjis((projects() / "Foo" / "Foo.ini").string()) + Sjis(" は開けません"));
}

TEST_F(StoreTest, MissingKeysTakeTheOpenDefaults) {
    Create();
    WriteBytes(projects() / "Foo" / "Foo.ini", "[OneLine]\r\nSoftName=App\r\n");
    ReadMeProject p = Filled();
    p.Preview.PopUserCheck = true;
    p.LastUpDate = "2001/02/03";
    ASSERT_EQ(Open(p, projects() / "Foo.bwk").status, OpenOutcome::Loaded);

    EXPECT_EQ(p.SoftName, "App");
    EXPECT_EQ(p.HomePage, ""); // not the start-up "http://"
    EXPECT_EQ(p.RunTime, "");  // not the start-up "なし"
    EXPECT_EQ(p.Producer, "");
    EXPECT_EQ(p.BasicOrder, DefaultBasicOrder());
    EXPECT_EQ(p.SectionOrder, DefaultSectionOrder());
    EXPECT_EQ(p.Operate, OsFlags{});
    EXPECT_EQ(p.Operated, OsFlags{});
    EXPECT_EQ(p.Other2Title, "");
    const PreviewOptions defaults{Sjis("【"), Sjis("】"), 6, "*", "-", Sjis("Tamaraskスタイル"), false};
    EXPECT_EQ(p.Preview, defaults);
    EXPECT_EQ(p.LastUpDate, "2001/02/03"); // never stored
    // The sections were read (they are empty files).
    EXPECT_EQ(p.SectionText[introduction], "");
}

TEST_F(StoreTest, StoredIndentIsFittedIntoItsRange) {
    Create();
    struct Case {
        std::string stored;
        int indent;
    } cases[] = {{"0", 0},           {"10", 10}, {"4", 4},   {"11", 10},
                 {"2147483648", 10}, {"-1", 0},  {"0x3", 3}, {"99999999999999999999", 6},
                 {"six", 6},         {"", 6}};
    for (const auto& c : cases) {
        WriteBytes(projects() / "Foo" / "Foo.ini", "[Preview]\r\nIndent=" + c.stored + "\r\n");
        ReadMeProject p = StartupDefaults();
        ASSERT_EQ(Open(p, projects() / "Foo.bwk").status, OpenOutcome::Loaded);
        EXPECT_EQ(p.Preview.Indent, c.indent) << c.stored;
    }
}

TEST_F(StoreTest, StyleAtOpenKeepsUserModeOnlyForAnExistingPlainLayout) {
    Create();
    const fs::path layouts = home() / "template" / "UserLayout";
    WriteBytes(layouts / "MyLayout.txt", "[%AppTitle]\r\n");
    WriteBytes(layouts / "ソ.txt", "x\r\n");
    WriteBytes(layouts / "sub" / "x.txt", "x\r\n");
    WriteBytes(home() / "template" / "x.txt", "x\r\n");
    fs::create_directories(layouts / "Dir");
    struct Case {
        std::string flag, style;
        bool userMode;
    } cases[] = {
        {"1", "MyLayout.txt", true},
        {"1", Sjis("ソ.txt"), true},
        {"1", "Missing.txt", false},
        {"1", "..\\x.txt", false},
        {"1", "sub/x.txt", false},
        {"1", "sub\\x.txt", false},
        {"1", "Dir", false},
        {"1", "..", false},
        {"1", "", false},
        {"1", Sjis("Tamaraskスタイル"), false},
        {"0", "MyLayout.txt", false},
        {"yes", "MyLayout.txt", false},
    };
    for (const auto& c : cases) {
        WriteBytes(projects() / "Foo" / "Foo.ini",
                   "[Preview]\r\nStyle=" + c.style + "\r\nPopUserCheck=" + c.flag + "\r\n");
        ReadMeProject p = StartupDefaults();
        ASSERT_EQ(Open(p, projects() / "Foo.bwk").status, OpenOutcome::Loaded);
        EXPECT_EQ(p.Preview.PopUserCheck, c.userMode) << c.style;
        EXPECT_EQ(p.Preview.Style, c.style); // the stored name is kept either way
    }
}

TEST_F(StoreTest, SectionFilesReadWithCrLf) {
    Create();
    const std::string x15(15, 'x');
    struct Case {
        std::string file, text;
    } cases[] = {
        {"a\r\nb", "a\r\nb"},
        {"a\nb\n", "a\r\nb\r\n"},
        {"a\rb\r", "a\r\nb\r\n"},
        {"a\r\n\nb\r", "a\r\n\r\nb\r\n"},
        {"\n", "\r\n"},
        {std::string("a\r\nb\0c\nd", 8), "a\r\nb"}, // a NUL ends the text
        {Sjis("表\n"), Sjis("表") + "\r\n"},
        {"", ""},
        // Long texts are checked in blocks of 16 bytes: breaks on and across block edges.
        {x15 + "\r\n" + x15 + "\r\n", x15 + "\r\n" + x15 + "\r\n"},
        {x15 + "\rx" + x15, x15 + "\r\nx" + x15},
        {x15 + "x\n" + x15, x15 + "x\r\n" + x15},
        {x15 + x15 + "\r\r\n", x15 + x15 + "\r\n\r\n"},
        {x15 + x15 + "xx\r", x15 + x15 + "xx\r\n"},
        {x15 + "x" + x15 + "x\n\r\n", x15 + "x" + x15 + "x\r\n\r\n"},
        {x15 + "\r\n" + std::string(1, '\0') + x15, x15 + "\r\n"},
    };
    for (const auto& c : cases) {
        WriteBytes(sectionFile("Foo", howuse), c.file);
        ReadMeProject p = StartupDefaults();
        ASSERT_EQ(Open(p, projects() / "Foo.bwk").status, OpenOutcome::Loaded);
        EXPECT_EQ(p.SectionText[howuse], c.text) << c.file;
        // The next save writes the CR LF form.
        ASSERT_EQ(SaveProject(p).status, SaveOutcome::Saved);
        EXPECT_EQ(ReadBytes(sectionFile("Foo", howuse)), c.text);
    }
}

TEST_F(StoreTest, MissingSectionFilesAreListedAndKeepTheirText) {
    Create();
    for (int k = 0; k < kSectionCount; ++k)
        WriteBytes(sectionFile("Foo", k), "file " + std::to_string(k));
    fs::remove(sectionFile("Foo", install));
    fs::remove(sectionFile("Foo", ESCclause));
    fs::create_directory(sectionFile("Foo", ESCclause)); // a folder is no file
    ReadMeProject p = StartupDefaults();
    p.SectionText[install] = "in memory";
    p.SectionText[ESCclause] = "also in memory";
    const OpenOutcome o = Open(p, projects() / "Foo.bwk");
    ASSERT_EQ(o.status, OpenOutcome::Loaded);
    EXPECT_EQ(o.missingSections, (std::vector<int>{install, ESCclause}));
    EXPECT_EQ(p.SectionText[install], "in memory");
    EXPECT_EQ(p.SectionText[ESCclause], "also in memory");
    EXPECT_EQ(p.SectionText[uninstall], "file 2");
    EXPECT_EQ(p.SectionText[other3], "file 13");
    EXPECT_EQ(MissingSectionsMessage(o.missingSections),
              Sjis("インストール\r\n免責\r\nのファイルが存在しません。このファイルは読み込みませんでした"));
}

TEST_F(StoreTest, ASectionThatCannotBeReadEndsTheOpen) {
    Create();
    fs::remove(sectionFile("Foo", install));
    fs::remove(sectionFile("Foo", development));
    fs::create_symlink(kSectionFilesUtf8[development], sectionFile("Foo", development)); // a link to itself
    WriteBytes(sectionFile("Foo", introduction), "read first");
    WriteBytes(sectionFile("Foo", other3), "never read");
    ReadMeProject p = StartupDefaults();
    const OpenOutcome o = Open(p, projects() / "Foo.bwk");
    EXPECT_EQ(o.status, OpenOutcome::ReadFailed);
    EXPECT_EQ(o.missingSections, std::vector<int>{install});
    EXPECT_EQ(o.message,
              Sjis("ファイル ") + Sjis(sectionFile("Foo", development).string()) + Sjis(" は開けません"));
    EXPECT_EQ(p.SectionText[introduction], "read first");
    EXPECT_EQ(p.SectionText[other3], "");
}

// ---- Save -----------------------------------------------------------------------------

TEST_F(StoreTest, SaveWritesEveryKeyInOrderAndOpenReadsThemBack) {
    ReadMeProject p = Create();
    fs::remove(p.IniPath); // a file written from scratch shows the order
    ReadMeProject filled = Filled();
    filled.ProjectName = p.ProjectName;
    filled.IniPath = p.IniPath;
    filled.SectionPath = p.SectionPath;
    filled.SectionText[copyright] = "a\r\nb";
    filled.SectionText[reproduce] = "";
    filled.SectionText[ESCclause] = "end\r\n";
    const SaveOutcome s = SaveProject(filled);
    ASSERT_EQ(s.status, SaveOutcome::Saved);
    EXPECT_EQ(s.message, Sjis("　　保存しました　　  "));
    EXPECT_FALSE(filled.SavePending);

    std::string ini = "[OneLine]\r\nSoftName=" + Sjis("ソフト") + "\r\nProducer=" + Sjis("作者") +
                      "\r\nVersion=1.2\r\nArcName=soft\r\nArcExt=.zip\r\nKind=" + Sjis("シェアウェア") +
                      "\r\nValue=500\r\nDevLang=C++\r\nCopyRight=holder\r\nRunTime=" + Sjis("ランタイム") +
                      "\r\nHomePage=http://example.jp/\r\nMailadrs=a@b.c\r\n";
    for (int k = 0; k < kBasicItemCount; ++k)
        ini +=
            "WriteOrder" + std::to_string(k + 1) + "=" + BasicItemCaption(kBasicItemCount - 1 - k) + "\r\n";
    ini += "\r\n[Operate]\r\nW95=1\r\nW98=0\r\nWMe=0\r\nWNT=0\r\nW2k=0\r\nWXP=0\r\n"
           "\r\n[Operated]\r\nW95=0\r\nW98=0\r\nWMe=0\r\nWNT=0\r\nW2k=0\r\nWXP=1\r\n"
           "\r\n[LongWord]\r\nOther1Title=T1\r\nOther2Title=" +
           Sjis("表題") + "\r\nOther3Title=T3\r\n";
    for (int k = 0; k < kSectionCount; ++k)
        ini += "WriteOrder" + std::to_string(k + 1) + "=" + SectionCaption((k + 3) % kSectionCount) + "\r\n";
    ini += "\r\n[Preview]\r\nLeftBracket=[\r\nRightBracket=]\r\nIndent=3\r\nHorizLine1==\r\nHorizLine2=~\r\n"
           "Style=" +
           Sjis("シンプル２") + "\r\nPopUserCheck=0\r\n";
    EXPECT_EQ(ReadBytes(p.IniPath), ini);
    EXPECT_EQ(fs::file_size(sectionFile("Foo", copyright)), 4u);
    EXPECT_EQ(fs::file_size(sectionFile("Foo", reproduce)), 0u);
    EXPECT_EQ(ReadBytes(sectionFile("Foo", ESCclause)), "end\r\n");
    EXPECT_EQ(ReadBytes(projects() / "Foo.bwk"), ProjectFileText("Foo"));

    // Reader and writer agree: every stored field comes back.
    ReadMeProject back = StartupDefaults();
    ASSERT_EQ(Open(back, projects() / "Foo.bwk").status, OpenOutcome::Loaded);
    back.LastUpDate = filled.LastUpDate;
    back.SavePending = filled.SavePending;
    EXPECT_EQ(back, filled);
}

TEST_F(StoreTest, SavingTwiceChangesNoByteAndKeepsOtherSections) {
    ReadMeProject p = Create();
    const std::string verInput =
        "[VerInput]\r\nVerCmb=1\r\nVerEd1=2\r\nVerEd2=0\r\nVerEd3=\r\nVerEd4=\r\n+alpha=b\r\n";
    const std::string inputHis = "[InputHis]\r\nSelect=Ins\n";
    WriteBytes(p.IniPath, verInput + ReadBytes(p.IniPath) + inputHis);
    ASSERT_EQ(Open(p, projects() / "Foo.bwk").status, OpenOutcome::Loaded);
    p.Version = "2.0";
    p.SectionText[introduction] = Sjis("はじめ\r\n");
    p.Preview.HorizLine1 = " "; // a blank pattern is read back as empty
    ASSERT_EQ(SaveProject(p).status, SaveOutcome::Saved);
    const auto first = Snapshot(home());
    ASSERT_EQ(SaveProject(p).status, SaveOutcome::Saved);
    EXPECT_EQ(Snapshot(home()), first);

    const std::string ini = first.at("project/Foo/Foo.ini");
    EXPECT_EQ(ini.substr(0, verInput.size()), verInput);
    EXPECT_NE(ini.find(inputHis), std::string::npos);
    EXPECT_EQ(first.at("project/Foo.bwk"), ProjectFileText("Foo"));

    ReadMeProject back = StartupDefaults();
    ASSERT_EQ(Open(back, projects() / "Foo.bwk").status, OpenOutcome::Loaded);
    EXPECT_EQ(back.Preview.HorizLine1, "");
    EXPECT_EQ(back.Version, "2.0");
}

TEST_F(StoreTest, SaveWithNoProjectOpen) {
    ReadMeProject p = StartupDefaults();
    p.ProjectName = "Foo";
    p.SavePending = true;
    const SaveOutcome s = SaveProject(p);
    EXPECT_EQ(s.status, SaveOutcome::NotOpen);
    EXPECT_EQ(s.message, Sjis("プロジェクトを開いていません"));
    EXPECT_TRUE(p.SavePending);
    EXPECT_TRUE(fs::is_empty(projects()));
}

TEST_F(StoreTest, FailedSavesReportAndLeaveTheFilesTheyDidNotReach) {
    ReadMeProject p = Create();
    for (int k = 0; k < kSectionCount; ++k)
        p.SectionText[static_cast<std::size_t>(k)] = "old " + std::to_string(k);
    ASSERT_EQ(SaveProject(p).status, SaveOutcome::Saved);
    const auto saved = Snapshot(home());
    for (int k = 0; k < kSectionCount; ++k)
        p.SectionText[static_cast<std::size_t>(k)] = "new " + std::to_string(k);
    p.Version = "new";

    // The INI file cannot be written: no file changes at all.
    {
        ReadMeProject q = p;
        q.IniPath = projects() / "Foo" / "gone" / "Foo.ini";
        q.SavePending = true;
        const SaveOutcome s = SaveProject(q);
        EXPECT_EQ(s.status, SaveOutcome::Failed);
        EXPECT_EQ(s.message, Sjis(q.IniPath.string()) + Sjis(" に書き込めません"));
        EXPECT_TRUE(q.SavePending);
        EXPECT_EQ(Snapshot(home()), saved);
    }
    // A write that breaks off half-way leaves the old INI bytes.
    {
        ReadMeProject q = p;
        q.Other1Title = std::string(4000, 't');
        FileSizeLimit limit(2000);
        EXPECT_EQ(SaveProject(q).status, SaveOutcome::Failed);
    }
    EXPECT_EQ(Snapshot(home()), saved);

    // The fourth section file cannot be made: the INI and the first three are written.
    fs::remove(sectionFile("Foo", files));
    fs::create_directory(sectionFile("Foo", files));
    p.SavePending = true;
    SaveOutcome s = SaveProject(p);
    EXPECT_EQ(s.status, SaveOutcome::Failed);
    EXPECT_EQ(s.message,
              Sjis("ファイル ") + Sjis(sectionFile("Foo", files).string()) + Sjis(" を作成できません"));
    EXPECT_TRUE(p.SavePending);
    EXPECT_NE(ReadBytes(p.IniPath).find("Version=new\r\n"), std::string::npos);
    for (int k = 0; k < kSectionCount; ++k) {
        if (k == files) continue;
        EXPECT_EQ(ReadBytes(sectionFile("Foo", k)), (k < files ? "new " : "old ") + std::to_string(k)) << k;
    }

    // A section write that breaks off leaves that file's old bytes.
    fs::remove(sectionFile("Foo", files));
    WriteBytes(sectionFile("Foo", files), "old 3");
    p.SectionText[introduction] = std::string(5000, 'x');
    {
        FileSizeLimit limit(3000);
        s = SaveProject(p);
    }
    EXPECT_EQ(s.status, SaveOutcome::Failed);
    EXPECT_EQ(s.message, Sjis("ファイル ") + Sjis(sectionFile("Foo", introduction).string()) +
                             Sjis(" を作成できません"));
    EXPECT_EQ(ReadBytes(sectionFile("Foo", introduction)), "new 0");
    EXPECT_EQ(std::distance(fs::directory_iterator(projects() / "Foo"), fs::directory_iterator()),
              15); // no temporaries
}

// ---- Delete ---------------------------------------------------------------------------

TEST_F(StoreTest, ListAndConfirmation) {
    Create();
    WriteBytes(projects() / "b.txt", "");
    WriteBytes(projects() / "A.bwk", "");
    EXPECT_EQ(ListProjectFolder(folders), (std::vector<std::string>{"A.bwk", "Foo.bwk", "b.txt"}));
    EXPECT_EQ(ListProjectFolder(ProgramFolders{home() / "none"}), std::vector<std::string>{});

    const std::string tail =
        Sjis(" を削除します。\r\n一旦削除すると元には戻せません。\r\n\r\n　よろしいですか？\r\n");
    EXPECT_EQ(DeleteConfirmationText("Foo.bwk"), Sjis("プロジェクト：Foo") + tail);
    EXPECT_EQ(DeleteConfirmationText("a.b.bwk"), Sjis("プロジェクト：a.b") + tail);
    EXPECT_EQ(DeleteConfirmationText("表.bwk"), Sjis("プロジェクト：表") + tail);
}

TEST_F(StoreTest, DeleteRemovesTheProjectWhenItsFolderEmpties) {
    Create();
    Create("Bar");
    const auto bar = Snapshot(projects() / "Bar");
    EXPECT_EQ(DeleteProject(folders, "Foo.bwk").status, DeleteOutcome::Deleted);
    EXPECT_FALSE(fs::exists(projects() / "Foo"));
    EXPECT_FALSE(fs::exists(projects() / "Foo.bwk"));
    EXPECT_EQ(Snapshot(projects() / "Bar"), bar);
    EXPECT_EQ(ListProjectFolder(folders), std::vector<std::string>{"Bar.bwk"});
}

TEST_F(StoreTest, DeleteKeepsTheFolderAndProjectFileWithAUserFile) {
    Create();
    WriteBytes(projects() / "Foo" / "notes.txt", "mine");
    EXPECT_EQ(DeleteProject(folders, "Foo.bwk").status, DeleteOutcome::KeptFolder);
    EXPECT_EQ(Snapshot(projects()), (std::map<std::string, std::string>{{"Foo.bwk", ProjectFileText("Foo")},
                                                                        {"Foo/notes.txt", "mine"}}));
    EXPECT_EQ(DeleteProject(folders, "Foo.bwk").status, DeleteOutcome::KeptFolder);
    EXPECT_EQ(Snapshot(projects()).size(), 2u);

    // Without its folder the project file can never go.
    fs::remove_all(projects() / "Foo");
    EXPECT_EQ(DeleteProject(folders, "Foo.bwk").status, DeleteOutcome::KeptFolder);
    EXPECT_TRUE(fs::exists(projects() / "Foo.bwk"));
}

TEST_F(StoreTest, DeleteDeletesNothingForFilesThatAreNotSafeProjectFiles) {
    Create();
    WriteBytes(home() / "victim.txt", "outside");
    WriteBytes(home() / "project.ini", "program folder");
    const std::string good = ProjectFileText("Foo");
    struct Case {
        const char* what;
        std::string bytes;
    } cases[] = {
        {"not a project file", "hello\r\n\r\nFoo\\Foo.ini\r\n"},
        {"empty", ""},
        {"two lines", "ProjectFile : Brindlewocket;\r\n\r\n"},
        {"a line climbing out", good + "..\\victim.txt\r\n"},
        {"a line climbing out of the sub-folder", Replace(good, "Foo\\Foo.ini", "Foo\\..\\..\\victim.txt")},
        {"an absolute line", good + "\\tmp\\victim.txt\r\n"},
        {"a slash", Replace(good, "Foo\\Foo.ini", "Foo/Foo.ini")},
    };
    for (const auto& c : cases) {
        WriteBytes(projects() / "Bad.bwk", c.bytes);
        const auto before = Snapshot(home());
        EXPECT_EQ(DeleteProject(folders, "Bad.bwk").status, DeleteOutcome::NotAProject) << c.what;
        EXPECT_EQ(Snapshot(home()), before) << c.what;
    }
    // An INI line without a sub-folder never removes the project folder itself.
    WriteBytes(projects() / "Flat.bwk", "ProjectFile : Brindlewocket;\r\n\r\nFlat.ini\r\n");
    WriteBytes(projects() / "Flat.ini", "");
    EXPECT_EQ(DeleteProject(folders, "Flat.bwk").status, DeleteOutcome::KeptFolder);
    EXPECT_FALSE(fs::exists(projects() / "Flat.ini"));
    EXPECT_TRUE(fs::exists(projects() / "Flat.bwk"));

    // A selection that cannot be read.
    fs::create_directory(projects() / "Dir.bwk");
    const DeleteOutcome d = DeleteProject(folders, "Dir.bwk");
    EXPECT_EQ(d.status, DeleteOutcome::ReadFailed);
    EXPECT_EQ(d.message, Sjis("ファイル ") + Sjis((projects() / "Dir.bwk").string()) + Sjis(" は開けません"));
    EXPECT_TRUE(fs::is_directory(projects() / "Dir.bwk"));
}
