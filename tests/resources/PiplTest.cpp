#include <gtest/gtest.h>

#include "ByteBuilder.h"
#include "host/HostError.h"
#include "host/module/Pipl.h"

namespace {

using restest::ByteBuilder;
using restest::Bytes;
using restest::PiplBuilder;

Bytes FilterCases(uint8_t flags1) {
    ByteBuilder cases;
    for (int i = 0; i < 7; ++i) {
        cases.U8(1).U8(2 + i).U8(flags1).U8(0);
    }
    return cases.Get();
}

PiplBuilder CompletePipl() {
    PiplBuilder pipl;
    pipl.Property("kind", ByteBuilder().FourCC("8BFM").Get())
        .Property("name", ByteBuilder().LengthPrefixed("Tintflood...").Get())
        .Property("catg", ByteBuilder().LengthPrefixed("Oxlen").Get())
        .Property("vers", ByteBuilder().U32(0x00040000).Get())
        .Property("wx86", ByteBuilder().CString("PluginMain").Get())
        .Property("hstm",
                  ByteBuilder().U32(0).FourCC("TnFl").FourCC("TnFr").U16(16000).CString("").Get())
        .Property("mode", ByteBuilder().U8(0x18).U8(0x00).Get())
        .Property("enbl", ByteBuilder().CString("in (PSHOP_ImageMode, RGBMode)").Get())
        .Property("xtra", ByteBuilder().Text("ignored").Get())
        .Property("fici", FilterCases(1));
    return pipl;
}

oxhost::PiplProperties Parse(const Bytes& bytes) {
    return oxhost::ParsePipl(bytes.data(), bytes.size(), "test.8bf");
}

std::string ErrorOf(const Bytes& bytes) {
    try {
        Parse(bytes);
    } catch (const oxhost::HostError& error) {
        return error.what();
    }
    return "no error";
}

Bytes OneProperty(const char (&key)[5], const Bytes& data) {
    return PiplBuilder().Property(key, data).Build();
}

TEST(Pipl, ReadsEveryPropertyTheHostUses) {
    oxhost::PiplProperties pipl = Parse(CompletePipl().Build());
    EXPECT_EQ(pipl.kind, 0x3842464Du);  // '8BFM'
    EXPECT_EQ(pipl.name, "Tintflood...");
    EXPECT_EQ(pipl.category, "Oxlen");
    EXPECT_EQ(pipl.version, 0x00040000);
    EXPECT_EQ(pipl.entryPoint, "PluginMain");
    EXPECT_EQ(pipl.modeSet, 0x1800);
    EXPECT_EQ(pipl.enableExpression, "in (PSHOP_ImageMode, RGBMode)");
    ASSERT_TRUE(pipl.terminology.present);
    EXPECT_EQ(pipl.terminology.version, 0);
    EXPECT_EQ(pipl.terminology.classId, 0x546E466Cu);  // 'TnFl'
    EXPECT_EQ(pipl.terminology.eventId, 0x546E4672u);  // 'TnFr'
    EXPECT_EQ(pipl.terminology.resourceId, 16000);
    EXPECT_EQ(pipl.terminology.scope, "");
    ASSERT_TRUE(pipl.hasFilterCaseInfo);
    for (int i = 0; i < 7; ++i) {
        EXPECT_EQ(pipl.filterCases[i].inputHandling, 1);
        EXPECT_EQ(pipl.filterCases[i].outputHandling, 2 + i);
        EXPECT_EQ(pipl.filterCases[i].flags1, 1);
        EXPECT_EQ(pipl.filterCases[i].flags2, 0);
    }
}

TEST(Pipl, AbsentOptionalPropertiesStayEmpty) {
    oxhost::PiplProperties pipl = Parse(OneProperty("kind", ByteBuilder().FourCC("8BFM").Get()));
    EXPECT_FALSE(pipl.terminology.present);
    EXPECT_FALSE(pipl.hasFilterCaseInfo);
    EXPECT_TRUE(pipl.entryPoint.empty());
    EXPECT_FALSE(pipl.SupportsMode(3));
}

TEST(Pipl, ModeSetCountsFromTheTopBitOfTheFirstByte) {
    oxhost::PiplProperties rgbAndCmyk =
        Parse(OneProperty("mode", ByteBuilder().U8(0x18).U8(0).Get()));
    for (int mode = -1; mode <= 16; ++mode) {
        EXPECT_EQ(rgbAndCmyk.SupportsMode(mode), mode == 3 || mode == 4) << mode;
    }
    oxhost::PiplProperties bitmapAndLab =
        Parse(OneProperty("mode", ByteBuilder().U8(0x80).U8(0x40).Get()));
    for (int mode = 0; mode <= 15; ++mode) {
        EXPECT_EQ(bitmapAndLab.SupportsMode(mode), mode == 0 || mode == 9) << mode;
    }
}

TEST(Pipl, LastPropertyMayLackItsPadding) {
    Bytes bytes = OneProperty("wx86", ByteBuilder().CString("Main").Get());
    bytes[10 + 12] = 5;  // length 5 instead of the padded 8
    bytes.resize(bytes.size() - 3);
    EXPECT_EQ(Parse(bytes).entryPoint, "Main");
}

TEST(Pipl, DamagedHeadersAreErrors) {
    Bytes good = CompletePipl().Build();
    Bytes wrongVersion = good;
    wrongVersion[0] = 2;
    EXPECT_EQ(ErrorOf(wrongVersion),
              "'test.8bf' has a damaged PiPL: its header is not version 1, 0");
    Bytes wrongReserved = good;
    wrongReserved[2] = 1;
    EXPECT_EQ(ErrorOf(wrongReserved),
              "'test.8bf' has a damaged PiPL: its header is not version 1, 0");
    EXPECT_EQ(ErrorOf(Bytes(good.begin(), good.begin() + 9)),
              "'test.8bf' has a damaged PiPL: it is only 9 bytes long");
    Bytes negativeCount = good;
    negativeCount[9] = 0x80;
    EXPECT_EQ(ErrorOf(negativeCount),
              "'test.8bf' has a damaged PiPL: its property count -2147483638 is negative");
}

TEST(Pipl, WrongVendorIsAnError) {
    Bytes bytes = CompletePipl().Build();
    bytes[10 + 20 + 0] = 'X';  // vendor of the second property, stored as "MIB8"
    EXPECT_EQ(ErrorOf(bytes),
              "'test.8bf' has a damaged PiPL: property 2 of 10 has vendor '8BIX', expected '8BIM'");
}

TEST(Pipl, LengthsRunningPastTheEndAreErrors) {
    Bytes tooLong = OneProperty("name", ByteBuilder().LengthPrefixed("Abc").Get());
    tooLong[10 + 12] = 5;
    EXPECT_EQ(ErrorOf(tooLong),
              "'test.8bf' has a damaged PiPL: property 1 of 1 ('name', 5 bytes) runs past the end");

    Bytes countTooLarge = OneProperty("name", ByteBuilder().LengthPrefixed("Abc").Get());
    countTooLarge[6] = 2;
    EXPECT_EQ(ErrorOf(countTooLarge),
              "'test.8bf' has a damaged PiPL: property 2 of 2 runs past the end");

    Bytes nameTooLong = OneProperty("name", ByteBuilder().U8(9).Text("Abc").Get());
    EXPECT_EQ(
        ErrorOf(nameTooLong),
        "'test.8bf' has a damaged PiPL: property 'name' is 4 bytes long, too short for its value");
}

TEST(Pipl, ValuesTooShortForTheirPropertyAreErrors) {
    EXPECT_EQ(ErrorOf(OneProperty("wx86", ByteBuilder().Text("Main").Get())),
              "'test.8bf' has a damaged PiPL: property 'wx86' holds a string without its "
              "terminating NUL");
    EXPECT_EQ(
        ErrorOf(OneProperty("fici", ByteBuilder().ZerosTo(24).Get())),
        "'test.8bf' has a damaged PiPL: property 'fici' is 24 bytes long, too short for its value");
    EXPECT_EQ(
        ErrorOf(OneProperty("hstm", ByteBuilder().ZerosTo(12).Get())),
        "'test.8bf' has a damaged PiPL: property 'hstm' is 12 bytes long, too short for its value");
    EXPECT_EQ(
        ErrorOf(OneProperty("kind", Bytes())),
        "'test.8bf' has a damaged PiPL: property 'kind' is 0 bytes long, too short for its value");
}

TEST(Pipl, EveryTruncationIsAnError) {
    Bytes good = CompletePipl().Build();
    for (size_t size = 0; size < good.size(); ++size) {
        Bytes prefix(good.begin(), good.begin() + size);
        EXPECT_THROW(Parse(prefix), oxhost::HostError) << size;
    }
}

TEST(FourCharCodeText, PrintsPrintableCodesAndHexOtherwise) {
    EXPECT_EQ(oxhost::FourCharCodeText(0x3842464D), "8BFM");
    EXPECT_EQ(oxhost::FourCharCodeText(0x00000001), "0x00000001");
}

}  // namespace
