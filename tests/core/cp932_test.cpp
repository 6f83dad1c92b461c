#include "text/cp932.h"

#include <gtest/gtest.h>

#include <string>

using namespace bw;

namespace {
const std::string kSo = "\x83\x5C"; // ソ: its second byte is a backslash
}

TEST(Cp932, LeadBytes) {
    struct Case {
        unsigned char byte;
        bool lead;
    } cases[] = {{0x80, false}, {0x81, true}, {0x9F, true}, {0xA0, false}, {0xA1, false},
                 {0xDF, false}, {0xE0, true}, {0xFC, true}, {0xFD, false}, {0x5C, false}};
    for (const auto& c : cases)
        EXPECT_EQ(IsLeadByte(c.byte), c.lead) << int(c.byte);
}

TEST(Cp932, BoundariesAndLoneLeadByteAtEnd) {
    const std::string s = "a" + kSo + "\xB1" + "\x82"; // a, ソ, half-width ｱ, lone lead byte
    const bool expected[] = {true, true, false, true, true, true};
    for (std::size_t i = 0; i <= s.size(); ++i)
        EXPECT_EQ(IsCharBoundary(s, i), expected[i]) << i;
    EXPECT_EQ(FloorCharBoundary(s, 2), 1u);
    EXPECT_EQ(CharLength(s, 4), 1u);
}

TEST(Cp932, FindNeverMatchesTrailByte) {
    const std::string s = kSo + "\\x";
    EXPECT_EQ(FindText(s, "\\"), 2u);
    EXPECT_EQ(FindText(kSo, "\\"), std::string::npos);
    EXPECT_EQ(FindAnyChar(kSo + "a:b", ":\\"), 3u);
    EXPECT_EQ(ReplaceAll(kSo + "\\" + kSo, "\\", "/"), kSo + "/" + kSo);
    EXPECT_EQ(ReplaceAll("abab", "ab", "abab"), "abababab"); // inserted values are not searched again
}

TEST(Cp932, TrimBlanksKeepsFullWidthSpace) {
    EXPECT_EQ(TrimBlanks(" \t\x01" + Sjis("　名前") + " \r\n"), Sjis("　名前"));
    EXPECT_EQ(TrimBlanks("   "), "");
}

TEST(Cp932, NormalizeLineBreaks) {
    EXPECT_EQ(NormalizeLineBreaks("a\nb\rc\r\nd"), "a\r\nb\r\nc\r\nd");
    EXPECT_EQ(NormalizeLineBreaks("a\r\r\n"), "a\r\n\r\n");
    EXPECT_EQ(NormalizeLineBreaks(std::string("ab\0cd", 5)), "ab");
}

TEST(Cp932, DecodesLikeWindows) {
    struct Case {
        std::string cp932;
        std::string utf8;
    } cases[] = {
        {"\x5C", "\\"},
        {"~", "~"},
        {"\x81\x60", "\xEF\xBD\x9E"}, // 0x8160 -> U+FF5E
        {"\xF0\x40", "\xEE\x80\x80"}, // first user-defined code -> U+E000
        {"\xB1", "\xEF\xBD\xB1"},     // half-width katakana
        {kSo, "\xE3\x82\xBD"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Cp932ToDisplayUtf8(c.cp932), c.utf8);
        EXPECT_EQ(Cp932ToUtf8(c.cp932), c.utf8);
        EXPECT_EQ(DisplayUtf8ToCp932(c.utf8).bytes, c.cp932);
    }
}

TEST(Cp932, UndecodableBytesSurviveDisplayRoundTrip) {
    const std::string cases[] = {
        "\x80", "\xA0", "\xFD", "a\x81 b", "end\x82", "\x85\x40x", std::string("\0\xFF", 2)};
    for (const auto& bytes : cases) {
        const std::string shown = Cp932ToDisplayUtf8(bytes);
        const EncodeResult back = DisplayUtf8ToCp932(shown);
        ASSERT_TRUE(back.ok);
        EXPECT_EQ(back.bytes, bytes);
    }
    EXPECT_EQ(Cp932ToDisplayUtf8("\xFD"), "\xEF\x9F\xBD"); // U+F7FD
    EXPECT_FALSE(Cp932ToUtf8("ok\xFD").has_value());
    EXPECT_FALSE(Cp932ToUtf8("ok\x82").has_value());
}

TEST(Cp932, EncodingRefusesWhatCp932CannotHold) {
    EXPECT_EQ(DisplayUtf8ToCp932("\xE3\x80\x9C").bytes, "\x81\x60"); // U+301C
    EXPECT_EQ(DisplayUtf8ToCp932("\xE2\x80\x94").bytes, "\x81\x5C"); // U+2014
    EXPECT_TRUE(DisplayUtf8ToCp932("\xC2\xA5").ok);                  // U+00A5
    const EncodeResult e = DisplayUtf8ToCp932("ab\xC3\xA9z");        // é
    EXPECT_FALSE(e.ok);
    EXPECT_EQ(e.badOffset, 2u);
    EXPECT_EQ(e.badCharacter, "\xC3\xA9");
    EXPECT_FALSE(DisplayUtf8ToCp932("\xF0\x9F\x98\x80").ok); // emoji
    EXPECT_FALSE(DisplayUtf8ToCp932("bad\xC3").ok);          // cut UTF-8
    EXPECT_EQ(Utf8ToCp932Lenient("a\xC3\xA9"
                                 "b"),
              "a?b");
    // a duplicate code of one character folds to the code Windows prefers
    EXPECT_EQ(DisplayUtf8ToCp932(Cp932ToDisplayUtf8("\xED\x40")).bytes, "\xFA\x5C");
}

TEST(Cp932, ProgramTextsHaveTheirBytes) {
    EXPECT_EQ(Sjis("ソフト名"), "\x83\x5C\x83\x74\x83\x67\x96\xBC");
    EXPECT_EQ(Sjis("ﾗﾝﾀｲﾑ"), "\xD7\xDD\xC0\xB2\xD1");
    EXPECT_EQ(Sjis("　"), "\x81\x40");
}
