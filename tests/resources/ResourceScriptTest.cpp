#include <gtest/gtest.h>

#include "ByteBuilder.h"
#include "ResourceScript.h"
#include "ScriptError.h"
#include "TemporaryFolder.h"

namespace {

using oxrc::ParseResourceScript;
using restest::ByteBuilder;
using restest::Bytes;

Bytes DataOf(const std::string& script) {
    oxrc::ResourceScript parsed = ParseResourceScript(script, "test.rc");
    EXPECT_EQ(parsed.resources.size(), 1u);
    return parsed.resources.empty() ? Bytes() : parsed.resources[0].data;
}

Bytes DataOfItems(const std::string& items) {
    return DataOf("1 T BEGIN " + items + " END");
}

std::string ErrorOf(const std::string& script, const std::string& scriptPath = "test.rc") {
    try {
        ParseResourceScript(script, scriptPath);
    } catch (const oxrc::ScriptError& error) {
        return error.what();
    }
    return "no error";
}

Bytes BytesOf(const std::string& text) {
    return Bytes(text.begin(), text.end());
}

TEST(ResourceScriptNumbers, PlainNumbersAreWordsAndLSuffixMakesLongs) {
    EXPECT_EQ(DataOfItems("1, 0x1234, 2L, 0x12345678L, 0X10l"),
              ByteBuilder().U16(1).U16(0x1234).U32(2).U32(0x12345678).U32(0x10).Get());
}

TEST(ResourceScriptNumbers, NegativeNumbersAreTwosComplement) {
    EXPECT_EQ(
        DataOfItems("-1, -1L, -32768, -2147483648L, -0x10"),
        ByteBuilder().U16(0xFFFF).U32(0xFFFFFFFF).U16(0x8000).U32(0x80000000).U16(0xFFF0).Get());
}

TEST(ResourceScriptNumbers, LeadingZeroIsStillDecimal) {
    EXPECT_EQ(DataOfItems("010"), ByteBuilder().U16(10).Get());
}

TEST(ResourceScriptNumbers, ValuesAtTheEdgesOfTheirSizeAreAccepted) {
    EXPECT_EQ(DataOfItems("65535, 0xFFFFFFFFL"), ByteBuilder().U16(0xFFFF).U32(0xFFFFFFFF).Get());
}

TEST(ResourceScriptNumbers, ValuesTooLargeForTheirSizeAreErrors) {
    EXPECT_EQ(ErrorOf("1 T BEGIN\n 65536 END"),
              "test.rc:2: 65536 does not fit in 16 bits; add L for 32 bits");
    EXPECT_EQ(ErrorOf("1 T BEGIN -32769 END"),
              "test.rc:1: -32769 does not fit in 16 bits; add L for 32 bits");
    EXPECT_EQ(ErrorOf("1 T BEGIN 0x100000000L END"), "test.rc:1: number does not fit in 32 bits");
    EXPECT_EQ(ErrorOf("1 T BEGIN -2147483649L END"),
              "test.rc:1: -2147483649L does not fit in 32 bits");
    EXPECT_EQ(ErrorOf("1 T BEGIN 12ab END"), "test.rc:1: malformed number: unexpected 'a'");
}

TEST(ResourceScriptStrings, EveryEscapeDecodesAndNoTerminatorIsAdded) {
    EXPECT_EQ(DataOfItems(R"("a\n\t\r\\\"\'\0\x41\101z")"),
              BytesOf(std::string("a\n\t\r\\\"'\0AAz", 11)));
}

TEST(ResourceScriptStrings, HexEscapesTakeTwoDigitsAndOctalThree) {
    EXPECT_EQ(DataOfItems(R"("\x41BC\1234\x7")"), BytesOf("ABCS4\x07"));
}

TEST(ResourceScriptStrings, DoubledQuoteIsOneQuote) {
    EXPECT_EQ(DataOfItems(R"("say ""hi""", "")"), BytesOf("say \"hi\""));
}

TEST(ResourceScriptStrings, StringsAndNumbersFollowEachOtherUnpadded) {
    EXPECT_EQ(DataOfItems(R"("abc", 1, "\0")"), ByteBuilder().Text("abc").U16(1).U8(0).Get());
}

TEST(ResourceScriptStrings, NonAsciiBytesAreKeptVerbatim) {
    EXPECT_EQ(DataOfItems("\"caf\xC3\xA9\""), BytesOf("caf\xC3\xA9"));
}

TEST(ResourceScriptStrings, MalformedStringsAreErrors) {
    EXPECT_EQ(ErrorOf("1 T BEGIN\n\"abc\nEND"), "test.rc:2: unterminated string");
    EXPECT_EQ(ErrorOf("1 T BEGIN \"\\q\" END"),
              "test.rc:1: unknown escape sequence: backslash before 'q'");
    EXPECT_EQ(ErrorOf("1 T BEGIN \"\\xg\" END"), "test.rc:1: \\x escape without hex digits");
    EXPECT_EQ(ErrorOf("1 T BEGIN \"\\777\" END"), "test.rc:1: octal escape does not fit in a byte");
    EXPECT_EQ(ErrorOf("1 T BEGIN L\"wide\" END"),
              "test.rc:1: wide strings (L\"...\") are not supported");
}

TEST(ResourceScriptLayout, CommentsAndPreprocessorLinesAreSkippedAndLinesStillCount) {
    const char* script =
        "#include \"resource.h\"\n"
        "#pragma code_page(65001)\n"
        "// a comment with \"quotes\" and BEGIN\n"
        "/* a comment\n"
        "   over lines */ 7 Thing /* inside */ {\n"
        "  1, // one\n"
        "  2\n"
        "}\n"
        "8 Thing { 1, 2 3 }\n";
    EXPECT_EQ(ErrorOf(script), "test.rc:9: expected ',' or END, found 3");
}

TEST(ResourceScriptLayout, TypeNamesAreUpperCasedAndBlocksMayBeEmpty) {
    oxrc::ResourceScript parsed =
        ParseResourceScript("16000 PiPL BEGIN 1 END\n0x10 aete { }\n", "test.rc");
    ASSERT_EQ(parsed.resources.size(), 2u);
    EXPECT_EQ(parsed.resources[0].type, "PIPL");
    EXPECT_EQ(parsed.resources[0].id, 16000u);
    EXPECT_EQ(parsed.resources[1].type, "AETE");
    EXPECT_EQ(parsed.resources[1].id, 16u);
    EXPECT_TRUE(parsed.resources[1].data.empty());
}

TEST(ResourceScriptStringTable, EachStringIsAResourceWithOrWithoutComma) {
    oxrc::ResourceScript parsed = ParseResourceScript(
        "STRINGTABLE\nBEGIN\n  16000, \"About \xC3\xA9\"\n  16990 \"two\\n\"\nEND\n", "test.rc");
    ASSERT_EQ(parsed.resources.size(), 2u);
    EXPECT_EQ(parsed.resources[0].type, "STRING");
    EXPECT_EQ(parsed.resources[0].id, 16000u);
    EXPECT_EQ(parsed.resources[0].data, BytesOf("About \xC3\xA9"));
    EXPECT_EQ(parsed.resources[1].id, 16990u);
    EXPECT_EQ(parsed.resources[1].data, BytesOf("two\n"));
}

TEST(ResourceScriptStringTable, MissingStringIsAnError) {
    EXPECT_EQ(ErrorOf("STRINGTABLE {\n 1, 2\n}"),
              "test.rc:2: expected the string of entry 1, found 2");
}

TEST(ResourceScriptErrors, UnsupportedStatementsNameTheirLine) {
    EXPECT_EQ(ErrorOf("1 T { 1 }\n\n16000 MENU\n"), "test.rc:3: MENU resources are not supported");
    EXPECT_EQ(ErrorOf("\nLANGUAGE 9, 1\n"), "test.rc:2: unsupported statement 'LANGUAGE'");
    EXPECT_EQ(ErrorOf("1 STRING { 1 }"),
              "test.rc:1: type name STRING is reserved for STRINGTABLE entries");
    EXPECT_EQ(ErrorOf("1 LONGTYPENAME { 1 }"),
              "test.rc:1: resource type name 'LONGTYPENAME' is longer than 8 characters");
}

TEST(ResourceScriptErrors, MalformedResourcesAreErrors) {
    EXPECT_EQ(ErrorOf("65536 T { 1 }"), "test.rc:1: resource id 65536 is not within 0..65535");
    EXPECT_EQ(ErrorOf("1 T begin 1 end"),
              "test.rc:1: expected BEGIN, '{' or a file name after the type T, found 'begin'");
    EXPECT_EQ(ErrorOf("1 T { 1,\n"), "test.rc:2: expected a number or a string, found end of file");
    EXPECT_EQ(ErrorOf("1 T { 1 }\n}"),
              "test.rc:2: expected a resource id or STRINGTABLE, found '}'");
    EXPECT_EQ(ErrorOf("1 T { 1 } /* open"), "test.rc:1: unterminated /* comment");
    EXPECT_EQ(ErrorOf("1 T { 1 ; }"), "test.rc:1: unexpected ';'");
}

TEST(ResourceScriptErrors, DuplicateTypeAndIdIsAnErrorButSameIdOfOtherTypeIsNot) {
    EXPECT_EQ(ErrorOf("1 T { 1 }\n2 T { 1 }\n1 U { 1 }\n\n1 t { 2 }\n"),
              "test.rc:5: duplicate resource T 1 (first defined on line 1)");
    EXPECT_EQ(ErrorOf("STRINGTABLE {\n 5 \"a\"\n 5 \"b\"\n}"),
              "test.rc:3: duplicate resource STRING 5 (first defined on line 2)");
}

class ResourceScriptFiles : public ::testing::Test {
protected:
    restest::TemporaryFolder folder_;
};

TEST_F(ResourceScriptFiles, FileResourceIsTheFileRelativeToTheScript) {
    std::filesystem::create_directory(folder_.File("sub"));
    Bytes content = ByteBuilder().Text("raw\0bytes").U32(0xDEADBEEF).Get();
    std::string dataPath = folder_.Write("sub/data.bin", content);

    oxrc::ResourceScript parsed = ParseResourceScript(
        "1 DATA \"sub/data.bin\"\n2 DATA \"sub\\\\data.bin\"\n", folder_.File("x.rc"));
    ASSERT_EQ(parsed.resources.size(), 2u);
    EXPECT_EQ(parsed.resources[0].data, content);
    EXPECT_EQ(parsed.resources[1].data, content);
    ASSERT_EQ(parsed.referencedFiles.size(), 2u);
    EXPECT_EQ(parsed.referencedFiles[0], dataPath);
}

TEST_F(ResourceScriptFiles, BitmapDropsTheFourteenByteFileHeader) {
    Bytes dib = ByteBuilder().U32(40).U32(1).U32(1).U16(1).U16(24).Text("pixel").Get();
    Bytes file = ByteBuilder()
                     .Text("BM")
                     .U32(14 + static_cast<uint32_t>(dib.size()))
                     .U32(0)
                     .U32(54)
                     .Append(dib)
                     .Get();
    folder_.Write("site.bmp", file);

    oxrc::ResourceScript parsed =
        ParseResourceScript("16009 BITMAP \"site.bmp\"", folder_.File("x.rc"));
    ASSERT_EQ(parsed.resources.size(), 1u);
    EXPECT_EQ(parsed.resources[0].type, "BITMAP");
    EXPECT_EQ(parsed.resources[0].id, 16009u);
    EXPECT_EQ(parsed.resources[0].data, dib);
}

TEST_F(ResourceScriptFiles, BadOrMissingFilesAreErrors) {
    folder_.Write("not.bmp", BytesOf("XX not a bitmap at all"));
    folder_.Write("short.bmp", BytesOf("BM12345"));
    std::string script = folder_.File("x.rc");
    EXPECT_EQ(ErrorOf("\n1 BITMAP \"not.bmp\"", script),
              script + ":2: 'not.bmp' is not a .bmp file");
    EXPECT_EQ(ErrorOf("1 BITMAP \"short.bmp\"", script),
              script + ":1: 'short.bmp' is not a .bmp file");
    EXPECT_EQ(ErrorOf("1 BITMAP { 1 }", script),
              script + ":1: expected the name of a .bmp file after BITMAP, found '{'");
    EXPECT_EQ(ErrorOf("1 DATA \"missing.bin\"", script),
              script + ":1: cannot read '" + folder_.File("missing.bin") + "'");
    EXPECT_EQ(ErrorOf("1 DATA \".\"", script),
              script + ":1: cannot read '" + folder_.File(".") + "'");
}

}  // namespace
