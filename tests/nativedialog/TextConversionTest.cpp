// Windows-1252 texts shown as UTF-8, and typed UTF-8 keys passed on as bytes.
#include <gtest/gtest.h>

#include "host/nativedialog/Windows1252.h"

namespace {

using oxhost::TypedByte;
using oxhost::Windows1252ToUtf8;

TEST(Windows1252, AsciiStaysAsItIs) {
    EXPECT_EQ(Windows1252ToUtf8("Virarar\n\nVersion 1.1"), "Virarar\n\nVersion 1.1");
    EXPECT_EQ(Windows1252ToUtf8(""), "");
}

TEST(Windows1252, LatinOneBytesBecomeTwoByteSequences) {
    EXPECT_EQ(Windows1252ToUtf8("Photoshop\xAE."), "Photoshop\xC2\xAE.");
    EXPECT_EQ(Windows1252ToUtf8("\xE9\xFF\xA0"), "\xC3\xA9\xC3\xBF\xC2\xA0");
}

TEST(Windows1252, TheHighControlRowHasItsOwnCharacters) {
    EXPECT_EQ(Windows1252ToUtf8("\x80"), "\xE2\x82\xAC");  // euro sign
    EXPECT_EQ(Windows1252ToUtf8("\x99"), "\xE2\x84\xA2");  // trade mark sign
    EXPECT_EQ(Windows1252ToUtf8("\x9F"), "\xC5\xB8");      // Y with diaeresis
    EXPECT_EQ(Windows1252ToUtf8("\x81\x8D\x8F\x90\x9D"),
              "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD");
}

TEST(TypedByte, AsciiAndLatinOneLettersArePassedOn) {
    uint8_t byte = 0;
    ASSERT_TRUE(TypedByte("a", 1, byte));
    EXPECT_EQ(byte, 'a');
    ASSERT_TRUE(TypedByte("\x1B", 1, byte));
    EXPECT_EQ(byte, 27);
    ASSERT_TRUE(TypedByte("\xC3\xA9", 2, byte));
    EXPECT_EQ(byte, 0xE9);
}

TEST(TypedByte, OtherTextsHaveNoByte) {
    uint8_t byte = 0;
    EXPECT_FALSE(TypedByte("", 0, byte));
    EXPECT_FALSE(TypedByte("\xE2\x82\xAC", 3, byte));  // euro: not Latin-1
    EXPECT_FALSE(TypedByte("\xC2\x85", 2, byte));      // a C1 control
    EXPECT_FALSE(TypedByte("ab", 2, byte));
}

}  // namespace
