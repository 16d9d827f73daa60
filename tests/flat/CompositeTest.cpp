#include <gtest/gtest.h>

#include <vector>

#include "RowDocument.h"
#include "host/HostError.h"
#include "host/flat/Composite.h"
#include "host/flat/PreparedPage.h"

namespace {

using oxhost::ColorModel;
using oxhost::Document;

using flattest::OneRow;

TEST(MultiplyOver, RgbLineArtExactly) {
    const Document lineArt = OneRow(ColorModel::RGB, false, {100, 200, 50, 255, 255, 255, 0, 0, 0});
    const Document flats = OneRow(ColorModel::RGB, false, {255, 128, 0, 10, 20, 30, 90, 90, 90});
    const Document page = oxhost::MultiplyOver(lineArt, flats);
    EXPECT_EQ(page.model, ColorModel::RGB);
    EXPECT_FALSE(page.hasAlpha);
    EXPECT_EQ(page.width, 3);
    // (200 * 128 + 127) / 255 = 100; white keeps the flat; black stays black.
    EXPECT_EQ(page.pixels, (std::vector<uint8_t>{100, 100, 0, 10, 20, 30, 0, 0, 0}));
}

TEST(MultiplyOver, AlphaOverWhiteFirstAndCmykConverted) {
    // Black at alpha 128 is grey 127 over white; fully transparent is white.
    const Document rgba = OneRow(ColorModel::RGB, true, {0, 0, 0, 128, 0, 0, 0, 0});
    const Document flats = OneRow(ColorModel::RGB, true, {200, 200, 200, 7, 40, 50, 60, 0});
    EXPECT_EQ(oxhost::MultiplyOver(rgba, flats).pixels,
              (std::vector<uint8_t>{100, 100, 100, 40, 50, 60}));
    // CMYK, 255 = no ink: full magenta is RGB (255, 0, 255); half black 128.
    const Document cmyk = OneRow(ColorModel::CMYK, false, {255, 0, 255, 255, 255, 255, 255, 128});
    const Document white = OneRow(ColorModel::RGB, false, {255, 255, 255, 255, 255, 255});
    EXPECT_EQ(oxhost::MultiplyOver(cmyk, white).pixels,
              (std::vector<uint8_t>{255, 0, 255, 128, 128, 128}));
}

TEST(MultiplyOver, RefusesOtherSizesAndCmykFlats) {
    const Document two = OneRow(ColorModel::RGB, false, {0, 0, 0, 0, 0, 0});
    const Document three = OneRow(ColorModel::RGB, false, {0, 0, 0, 0, 0, 0, 0, 0, 0});
    EXPECT_THROW(oxhost::MultiplyOver(two, three), oxhost::HostError);
    const Document cmyk = OneRow(ColorModel::CMYK, false, {0, 0, 0, 0, 0, 0, 0, 0});
    EXPECT_THROW(oxhost::MultiplyOver(two, cmyk), oxhost::HostError);
}

TEST(LineArtLayer, KeepsAlphaOrMakesItOpaque) {
    EXPECT_EQ(oxhost::LineArtLayer(OneRow(ColorModel::RGB, false, {1, 2, 3})).pixels,
              (std::vector<uint8_t>{1, 2, 3, 255}));
    const Document layer = oxhost::LineArtLayer(OneRow(ColorModel::RGB, true, {1, 2, 3, 40}));
    EXPECT_TRUE(layer.hasAlpha);
    EXPECT_EQ(layer.pixels, (std::vector<uint8_t>{1, 2, 3, 40}));
    EXPECT_EQ(oxhost::LineArtLayer(OneRow(ColorModel::CMYK, true, {255, 0, 255, 128, 9})).pixels,
              (std::vector<uint8_t>{128, 0, 128, 9}));
}

TEST(PreparedDocument, InkBlackPaperWhite) {
    oxhost::InkMask mask;
    mask.width = 2;
    mask.height = 2;
    mask.ink = {1, 0, 0, 1};
    const Document page = oxhost::PreparedDocument(mask);
    EXPECT_EQ(page.model, ColorModel::RGB);
    EXPECT_FALSE(page.hasAlpha);
    EXPECT_EQ(page.height, 2);
    EXPECT_EQ(page.pixels, (std::vector<uint8_t>{0, 0, 0, 255, 255, 255, 255, 255, 255, 0, 0, 0}));
}

}  // namespace
