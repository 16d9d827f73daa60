// PAM files: every model the writer makes comes back exactly, CMYK is stored
// as ink amounts, grey files become RGB, and a damaged header is named.
#include <gtest/gtest.h>

#include <string>

#include "TestFiles.h"
#include "host/HostError.h"
#include "host/image/ImageFile.h"
#include "host/image/PamFile.h"

namespace {

using oxhost::ColorModel;
using oxhost::Document;
using oxtest::Bytes;

class PamFileTest : public ::testing::Test {
protected:
    void WriteText(const std::string& name, const std::string& text) {
        oxtest::WriteBytes(folder.File(name), Bytes(text.begin(), text.end()));
    }

    oxtest::TemporaryFolder folder;
};

TEST_F(PamFileTest, RgbRgbaAndCmykRoundTripExactly) {
    for (ColorModel model : {ColorModel::RGB, ColorModel::CMYK}) {
        for (bool hasAlpha : {false, true}) {
            const Document original = oxtest::PatternDocument(13, 7, model, hasAlpha);
            const std::string path = folder.File("page.pam");
            oxhost::SaveImageFile(original, path);
            const Document loaded = oxhost::LoadImageFile(path);
            EXPECT_EQ(loaded.width, 13);
            EXPECT_EQ(loaded.height, 7);
            EXPECT_EQ(loaded.model, model);
            EXPECT_EQ(loaded.hasAlpha, hasAlpha);
            EXPECT_EQ(loaded.pixels, original.pixels);
        }
    }
}

TEST_F(PamFileTest, CmykIsStoredAsInkAmounts) {
    Document document;
    document.width = 1;
    document.height = 1;
    document.model = ColorModel::CMYK;
    document.pixels = {255, 0, 200, 10};  // no cyan, full magenta
    oxhost::WritePamFile(document, folder.File("ink.pam"));
    const std::string header =
        "P7\nWIDTH 1\nHEIGHT 1\nDEPTH 4\nMAXVAL 255\nTUPLTYPE CMYK\nENDHDR\n";
    Bytes expected(header.begin(), header.end());
    expected.insert(expected.end(), {0, 255, 55, 245});
    EXPECT_EQ(oxtest::ReadBytes(folder.File("ink.pam")), expected);
}

TEST_F(PamFileTest, GreyBecomesRgbAndGreyAlphaKeepsAlpha) {
    WriteText("grey.pam",
              "P7\n# a comment\nWIDTH 2\nHEIGHT 1\nDEPTH 1\nMAXVAL 255\n"
              "TUPLTYPE GRAYSCALE\nENDHDR\n\x09\x80");
    Document loaded = oxhost::ReadPamFile(folder.File("grey.pam"));
    EXPECT_EQ(loaded.model, ColorModel::RGB);
    EXPECT_FALSE(loaded.hasAlpha);
    EXPECT_EQ(loaded.pixels, (Bytes{9, 9, 9, 128, 128, 128}));

    WriteText("ga.pam",
              "P7\nWIDTH 1\nHEIGHT 1\nDEPTH 2\nMAXVAL 255\n"
              "TUPLTYPE GRAYSCALE_ALPHA\nENDHDR\n\x0a\xc8");
    loaded = oxhost::ReadPamFile(folder.File("ga.pam"));
    EXPECT_TRUE(loaded.hasAlpha);
    EXPECT_EQ(loaded.pixels, (Bytes{10, 10, 10, 200}));
}

// Netpbm lets images follow one another in a file: each complete one counts,
// and the first is the one read.
TEST_F(PamFileTest, ImagesThatFollowEachOtherAreCounted) {
    const std::string first =
        "P7\nWIDTH 2\nHEIGHT 1\nDEPTH 1\nMAXVAL 255\nTUPLTYPE GRAYSCALE\nENDHDR\n\x01\x02";
    const std::string second =
        "P7\nWIDTH 1\nHEIGHT 1\nDEPTH 3\nMAXVAL 65535\nTUPLTYPE RGB\nENDHDR\n123456";
    const struct {
        std::string text;
        int images;
    } cases[] = {
        {first, 1},
        {first + second, 2},
        {first + second + first, 3},
        {first + second.substr(0, second.size() - 1), 1},  // the second ends early
        {first + "\n", 1},                                 // not a header
        {first + first.substr(0, 20), 1},
    };
    for (const auto& c : cases) {
        WriteText("many.pam", c.text);
        EXPECT_EQ(oxhost::InspectImageFile(folder.File("many.pam")).pages, c.images) << c.text;
        EXPECT_EQ(oxhost::LoadImageFile(folder.File("many.pam")).pixels, (Bytes{1, 1, 1, 2, 2, 2}));
    }
}

TEST_F(PamFileTest, DamagedHeaderIsNamed) {
    WriteText("bad.pam", "P7\nWIDTH 2\nHEIGHT two\nDEPTH 3\nMAXVAL 255\nTUPLTYPE RGB\nENDHDR\n");
    try {
        oxhost::LoadImageFile(folder.File("bad.pam"));
        FAIL() << "no error";
    } catch (const oxhost::HostError& error) {
        EXPECT_EQ(std::string(error.what()), "'" + folder.File("bad.pam") +
                                                 "': damaged PAM header (HEIGHT is not a "
                                                 "positive number: 'two')");
    }
}

}  // namespace
