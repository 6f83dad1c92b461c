#include "shell/app_settings.h"
#include "text/cp932.h"

#include "store_test_support.h"

#include <gtest/gtest.h>

#include <string>

using namespace bw;
namespace fs = std::filesystem;
using bw::test::FileSizeLimit;
using bw::test::ReadBytes;
using bw::test::TempFolder;
using bw::test::WriteBytes;

TEST(AppSettings, FileBesideTheExecutable) {
    struct Case {
        fs::path exe, ini;
    } cases[] = {
        {"/opt/bw/abc.exe", "/opt/bw/abc.ini"},
        {"/opt/bw/brindlewocket", "/opt/bw/brindlewocket.ini"},
        {"/opt/bw.v2/brindlewocket", "/opt/bw.v2/brindlewocket.ini"},
        {"/opt/bw/a.b.c", "/opt/bw/a.b.ini"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(SettingsFilePath(c.exe), c.ini) << c.exe;
}

TEST(AppSettings, ReadGivesDefaultsForWhatIsMissing) {
    TempFolder tmp;
    const fs::path file = tmp.path() / "bw.ini";
    EXPECT_EQ(ReadAppSettings(file, "http://"), (AppSettings{"", "", "", "http://", "", false}));
    EXPECT_EQ(ReadAppSettings(file, ""), AppSettings{});
    fs::create_directory(file); // unreadable: defaults as well
    EXPECT_EQ(ReadAppSettings(file, "http://"), (AppSettings{"", "", "", "http://", "", false}));
    fs::remove(file);

    WriteBytes(file, "[basesetting]\nproducer = " + Sjis("作者") +
                         " \nHomePage=\"http://x/\"\n[CreateRead]\nRead=0x1\n");
    EXPECT_EQ(ReadAppSettings(file, "http://"), (AppSettings{Sjis("作者"), "", "", "http://x/", "", true}));

    struct Case {
        std::string stored;
        bool on;
    } reads[] = {{"1", true},   {"0", false}, {"2", true},  {"-1", true},
                 {"on", false}, {"", false},  {"1x", false}};
    for (const auto& c : reads) {
        WriteBytes(file, "[CreateRead]\r\nRead=" + c.stored + "\r\n");
        EXPECT_EQ(ReadAppSettings(file, "").CreateRead, c.on) << c.stored;
    }
}

TEST(AppSettings, WriteIsOneRewriteInKeyOrder) {
    TempFolder tmp;
    const fs::path file = tmp.path() / "bw.ini";
    const AppSettings s{Sjis("作者"), "holder", "C++", "http://x/", "a@b.c", true};
    ASSERT_TRUE(WriteAppSettings(file, s));
    EXPECT_EQ(ReadBytes(file), "[BaseSetting]\r\nProducer=" + Sjis("作者") +
                                   "\r\nCopyRighter=holder\r\nDevelopLang=C++\r\nHomePage=http://x/\r\n"
                                   "MainAddress=a@b.c\r\n\r\n[CreateRead]\r\nRead=1\r\n");
    EXPECT_EQ(ReadAppSettings(file, ""), s);

    // Later writes replace values in place and leave everything else.
    WriteBytes(file,
               "; mine\n[Other]\nx=1\n[basesetting]\nMainAddress=old\nproducer=old\n[CreateRead]\nRead=1\n");
    ASSERT_TRUE(WriteAppSettings(file, {"p", "c", "d", "h", "m", false}));
    EXPECT_EQ(ReadBytes(file), "; mine\n[Other]\nx=1\n[basesetting]\nMainAddress=m\nproducer=p\n"
                               "CopyRighter=c\r\nDevelopLang=d\r\nHomePage=h\r\n[CreateRead]\nRead=0\n");
}

TEST(AppSettings, FailedWritesLeaveTheOldFile) {
    TempFolder tmp;
    const AppSettings s{"p", "c", "d", "h", "m", true};
    EXPECT_FALSE(WriteAppSettings(tmp.path() / "gone" / "bw.ini", s));
    fs::create_directory(tmp.path() / "dir.ini");
    EXPECT_FALSE(WriteAppSettings(tmp.path() / "dir.ini", s));

    const fs::path file = tmp.path() / "bw.ini";
    const std::string old = "[BaseSetting]\r\nProducer=old\r\n";
    WriteBytes(file, old);
    {
        FileSizeLimit limit(old.size() + 10);
        EXPECT_FALSE(WriteAppSettings(file, {std::string(100, 'p'), "c", "d", "h", "m", true}));
    }
    EXPECT_EQ(ReadBytes(file), old);
}

TEST(AppSettings, AuthorDefaultsAtStartUp) {
    TempFolder tmp;
    const fs::path file = tmp.path() / "bw.ini";
    const ReadMeProject fresh = StartupDefaults();

    ReadMeProject p = fresh;
    ApplyAuthorDefaults(p, file); // no file
    EXPECT_EQ(p, fresh);

    WriteBytes(
        file,
        "[BaseSetting]\r\nProducer=me\r\nCopyRighter=holder\r\nDevelopLang=Ruby\r\nHomePage=http://x/\r\n"
        "MainAddress=a@b.c\r\n[CreateRead]\r\nRead=0\r\n");
    ApplyAuthorDefaults(p, file); // switch off
    EXPECT_EQ(p, fresh);

    WriteBytes(file, "[BaseSetting]\r\nProducer=me\r\nDevelopLang=Ruby\r\n[CreateRead]\r\nRead=1\r\n");
    p.CopyRight = "before";
    p.Mailadrs = "before";
    ApplyAuthorDefaults(p, file);
    EXPECT_EQ(p.Producer, "me");
    EXPECT_EQ(p.DevLang, "Ruby");
    EXPECT_EQ(p.CopyRight, "");
    EXPECT_EQ(p.HomePage, ""); // a missing key empties the field, "http://" included
    EXPECT_EQ(p.Mailadrs, "");
    EXPECT_EQ(p.RunTime, fresh.RunTime);
}
