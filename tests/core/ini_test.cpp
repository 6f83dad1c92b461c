#include "text/cp932.h"
#include "text/ini.h"

#include "store_test_support.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

using namespace bw;
namespace fs = std::filesystem;
using bw::test::FileSizeLimit;
using bw::test::ReadBytes;
using bw::test::TempFolder;
using bw::test::WriteBytes;

namespace {

std::optional<std::string> ValueOf(const std::string& valueText) {
    return IniFile("[S]\r\nK=" + valueText + "\r\n").Value("S", "K");
}

} // namespace

TEST(Ini, ValueForms) {
    const std::string kanji2047 =
        std::string(2045, 'x') + Sjis("表"); // 2047 bytes, ends in a trail byte 0x5C
    struct Case {
        std::string raw;
        std::string value;
    } cases[] = {
        {"abc", "abc"},
        {"  a b \t", "a b"},
        {"\"quoted\"", "quoted"},
        {"'single'", "single"},
        {" \" padded \" ", " padded "}, // blanks inside the quotes stay
        {"\"\"x\"\"", "\"x\""},         // only one pair goes
        {"\"mixed'", "\"mixed'"},
        {"\"", "\""},
        {"''", ""},
        {" ", ""},
        {"a=b", "a=b"}, // the first '=' ends the key
        {std::string(3000, 'y'), std::string(2047, 'y')},
        {kanji2047, kanji2047},
        // A double-byte character across the cut is dropped whole, leaving no lone lead byte.
        {std::string(2046, 'x') + Sjis("表"), std::string(2046, 'x')},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ValueOf(c.raw), c.value) << c.raw.substr(0, 40);
    EXPECT_EQ(IniFile("[S]\r\nOther=1\r\n").Value("S", "K"), std::nullopt);
}

TEST(Ini, IntegersAndBooleans) {
    struct Case {
        std::string raw;
        std::optional<long> value; // nullopt: the default is returned
    } cases[] = {
        {"12", 12},
        {"-3", -3},
        {" 7 ", 7},
        {"\"5\"", 5},
        {"0x1F", 31},
        {"0xff", 255},
        {"007", 7},
        {"0", 0},
        {"", std::nullopt},
        {"-", std::nullopt},
        {"0x", std::nullopt},
        {"+4", std::nullopt},
        {"1.5", std::nullopt},
        {"12abc", std::nullopt},
        {"1 2", std::nullopt},
        {"abc", std::nullopt},
        {"-0x5", std::nullopt},
        {"0xg", std::nullopt},
        {"99999999999999999999", std::nullopt},
        {"0x10000000000000000", std::nullopt},
    };
    for (const auto& c : cases) {
        const IniFile ini("[S]\r\nK=" + c.raw + "\r\n");
        EXPECT_EQ(ini.ReadInteger("S", "K", -77), c.value.value_or(-77)) << c.raw;
        const bool expected = c.value ? *c.value != 0 : true;
        EXPECT_EQ(ini.ReadBool("S", "K", true), expected) << c.raw;
        EXPECT_EQ(ini.ReadBool("S", "K", false), c.value ? *c.value != 0 : false) << c.raw;
    }
    const IniFile empty;
    EXPECT_EQ(empty.ReadInteger("S", "K", 6), 6);
    EXPECT_TRUE(empty.ReadBool("S", "K", true));
}

TEST(Ini, NamesMatchIgnoringAsciiCaseFirstMatchWins) {
    const std::string a = Sjis("ア"), dji = Sjis("ヂ"), zo = Sjis("ゾ"); // 83 41, 83 61, 83 5D
    const IniFile ini("[oneline]\r\n"
                      " softname = first \r\n"
                      "SOFTNAME=second\r\n"
                      "[OneLine]\r\n"
                      "Version=ignored, a later section of the same name\r\n"
                      "[" +
                      a + "]\n" + a +
                      "=katakana a\n"
                      "[" +
                      zo +
                      "]\n"
                      "k=zo\n");
    EXPECT_EQ(ini.ReadString("OneLine", "SoftName", "-"), "first");
    EXPECT_EQ(ini.ReadString("ONELINE", "Version", "-"), "-");
    EXPECT_EQ(ini.ReadString(a, a, "-"), "katakana a");
    // The trail bytes 0x41 and 0x61 are not letters: these are different characters.
    EXPECT_EQ(ini.ReadString(dji, a, "-"), "-");
    EXPECT_EQ(ini.ReadString(a, dji, "-"), "-");
    // A trail byte 0x5D does not close the section name.
    EXPECT_EQ(ini.ReadString(zo, "K", "-"), "zo");
}

TEST(Ini, WritesTouchOnlyTheirLines) {
    const std::string before = "; a comment\r\n"
                               "[OneLine]\n"
                               "  SoftName =  old value \n"
                               "junk line without equals\r\n"
                               "Producer=me\r\n"
                               "\r\n"
                               "[VerInput]\r"
                               "VerCmb=1\r"
                               "\r\n"
                               "[Preview]\r\n"
                               "Style=x";
    struct Case {
        const char* what;
        const char* section;
        const char* key;
        const char* value;
        std::string after;
    } cases[] = {
        {"replace in place, keeping the key's spelling and the line's break", "oneline", "SOFTNAME", "new",
         "; a comment\r\n[OneLine]\nSoftName=new\njunk line without equals\r\nProducer=me\r\n\r\n"
         "[VerInput]\rVerCmb=1\r\r\n[Preview]\r\nStyle=x"},
        {"a new key goes after the section's last line, before the blank line", "OneLine", "Version", "1.0",
         "; a comment\r\n[OneLine]\n  SoftName =  old value \njunk line without equals\r\nProducer=me\r\n"
         "Version=1.0\r\n\r\n[VerInput]\rVerCmb=1\r\r\n[Preview]\r\nStyle=x"},
        {"a key of the last section; the open last line gets its break", "Preview", "Indent", "6",
         "; a comment\r\n[OneLine]\n  SoftName =  old value \njunk line without equals\r\nProducer=me\r\n\r\n"
         "[VerInput]\rVerCmb=1\r\r\n[Preview]\r\nStyle=x\r\nIndent=6\r\n"},
        {"a missing section is appended", "LongWord", "Other1Title", "",
         before + "\r\n\r\n[LongWord]\r\nOther1Title=\r\n"},
    };
    for (const auto& c : cases) {
        IniFile ini(before);
        ini.Write(c.section, c.key, c.value);
        EXPECT_EQ(ini.Text(), c.after) << c.what;
        EXPECT_EQ(ini.ReadString(c.section, c.key, "-"), c.value) << c.what;
    }
    EXPECT_EQ(IniFile(before).Text(), before);

    IniFile fresh;
    fresh.Write("A", "k", "1");
    fresh.WriteInteger("A", "n", -12);
    fresh.WriteBool("B", "b", true);
    EXPECT_EQ(fresh.Text(), "[A]\r\nk=1\r\nn=-12\r\n\r\n[B]\r\nb=1\r\n");

    // With two sections of one name, writes go where reads look: the first.
    IniFile twice("[S]\r\nK=1\r\n[S]\r\nK=2\r\n");
    twice.Write("S", "K", "3");
    twice.Write("S", "New", "4");
    EXPECT_EQ(twice.Text(), "[S]\r\nK=3\r\nNew=4\r\n[S]\r\nK=2\r\n");
}

TEST(Ini, UpdateIniFileIsOneAtomicRewrite) {
    TempFolder tmp;
    const auto file = tmp.path() / "p.ini";

    // A missing file is created with the keys in the order given.
    ASSERT_TRUE(UpdateIniFile(file, {{"OneLine", "SoftName", "App"}, {"OneLine", "Producer", "me"}}));
    EXPECT_EQ(ReadBytes(file), "[OneLine]\r\nSoftName=App\r\nProducer=me\r\n");

    const std::string old = "[InputHis]\r\nSelect=Ins\r\n[OneLine]\r\nSoftName=App\r\n";
    WriteBytes(file, old);
    ASSERT_TRUE(UpdateIniFile(file, {{"OneLine", "SoftName", "Next"}}));
    EXPECT_EQ(ReadBytes(file), "[InputHis]\r\nSelect=Ins\r\n[OneLine]\r\nSoftName=Next\r\n");

    // Failures: a folder where the file should be, a missing folder, a write that breaks off.
    fs::create_directory(tmp.path() / "dir.ini");
    EXPECT_FALSE(UpdateIniFile(tmp.path() / "dir.ini", {{"S", "K", "v"}}));
    EXPECT_TRUE(fs::is_directory(tmp.path() / "dir.ini"));
    EXPECT_FALSE(UpdateIniFile(tmp.path() / "gone" / "p.ini", {{"S", "K", "v"}}));
    EXPECT_FALSE(fs::exists(tmp.path() / "gone"));

    WriteBytes(file, old);
    {
        FileSizeLimit limit(old.size() + 8);
        EXPECT_FALSE(UpdateIniFile(file, {{"OneLine", "SoftName", std::string(200, 'z')}}));
    }
    EXPECT_EQ(ReadBytes(file), old);
    EXPECT_EQ(std::distance(fs::directory_iterator(tmp.path()), fs::directory_iterator()),
              2); // no temporary left
}

TEST(Ini, WriteFailedMessage) {
    EXPECT_EQ(IniWriteFailedMessage("/x/p.ini"), "/x/p.ini" + Sjis(" に書き込めません"));
    EXPECT_EQ(IniWriteFailedMessage("/x/\xE3\x81\x82.ini"),
              "/x/\x82\xA0.ini\x20\x82\xC9\x8F\x91\x82\xAB\x8D\x9E\x82\xDF\x82\xDC\x82\xB9\x82\xF1");
}
