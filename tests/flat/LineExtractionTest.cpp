#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

#include "RowDocument.h"
#include "host/HostError.h"
#include "host/flat/LineExtraction.h"

namespace {

using oxhost::ColorModel;
using oxhost::Document;

using flattest::OneRow;

TEST(OtsuThreshold, SeparatesTwoNoisyClustersExactly) {
    std::mt19937 random(7);
    std::normal_distribution<double> paper(12, 4);
    std::normal_distribution<double> ink(215, 12);
    std::vector<uint8_t> darkness;
    int lowMax = 0;
    int highMin = 255;
    for (int i = 0; i < 20000; ++i) {
        if (i % 10 == 0) {  // lines are the minority
            const int value = std::clamp(int(ink(random)), 150, 255);
            highMin = std::min(highMin, value);
            darkness.push_back(uint8_t(value));
        } else {
            const int value = std::clamp(int(paper(random)), 0, 40);
            lowMax = std::max(lowMax, value);
            darkness.push_back(uint8_t(value));
        }
    }
    const int threshold = oxhost::OtsuThreshold(darkness);
    EXPECT_GT(threshold, lowMax);
    EXPECT_LE(threshold, highMin);
}

TEST(OtsuThreshold, TakesTheMiddleOfAnEmptyStretch) {
    // Every t in 21..220 splits the two values alike.
    std::vector<uint8_t> darkness(350, 20);
    std::fill(darkness.begin() + 300, darkness.end(), 220);
    EXPECT_EQ(oxhost::OtsuThreshold(darkness), 120);
}

TEST(OtsuThreshold, BlankAllBlackOrEmptyPageGives128) {
    EXPECT_EQ(oxhost::OtsuThreshold(std::vector<uint8_t>(1000, 0)), 128);
    EXPECT_EQ(oxhost::OtsuThreshold(std::vector<uint8_t>(1000, 255)), 128);
    EXPECT_EQ(oxhost::OtsuThreshold({}), 128);
}

TEST(PixelDarkness, AlphaIsInkCoverage) {
    const Document page =
        OneRow(ColorModel::RGB, true, {0,   0,   0,   0,    // transparent black: paper
                                       0,   0,   0,   128,  // half-covered black
                                       0,   0,   0,   255,  // black
                                       255, 255, 255, 255,  // white
                                       200, 30,  90,  0});  // transparent colour: paper
    EXPECT_EQ(oxhost::PixelDarkness(page), (std::vector<uint8_t>{0, 128, 255, 0, 0}));
}

TEST(PixelDarkness, DarkColouredInkCountsAndLightColourDoesNot) {
    // Dark blue, light yellow, and the page's paper and black lines.
    const Document page =
        OneRow(ColorModel::RGB, false, {0, 0, 128, 255, 255, 160, 255, 255, 255, 0, 0, 0});
    const std::vector<uint8_t> darkness = oxhost::PixelDarkness(page);
    EXPECT_EQ(darkness, (std::vector<uint8_t>{240, 11, 0, 255}));
    const oxhost::InkMask ink =
        oxhost::ThresholdInk(darkness, 4, 1, oxhost::OtsuThreshold(darkness));
    EXPECT_EQ(ink.ink, (std::vector<uint8_t>{1, 0, 0, 1}));
}

TEST(PixelDarkness, CmykThroughTheNaiveFormula) {
    // 255 is no ink: paper, full black, full cyan (RGB 0,255,255), half black with alpha 0.
    const Document page = OneRow(ColorModel::CMYK, true, {255, 255, 255, 255, 255,  //
                                                          255, 255, 255, 0,   255,  //
                                                          0,   255, 255, 255, 255,  //
                                                          255, 255, 255, 128, 0});
    EXPECT_EQ(oxhost::PixelDarkness(page), (std::vector<uint8_t>{0, 255, 77, 0}));
}

TEST(PixelDarkness, RejectsPixelDataOfTheWrongSize) {
    Document page = OneRow(ColorModel::RGB, false, {0, 0, 0, 255, 255, 255});
    page.width = 3;
    EXPECT_THROW(oxhost::PixelDarkness(page), oxhost::HostError);
}

TEST(ThresholdInk, TheThresholdItselfIsInk) {
    const oxhost::InkMask mask = oxhost::ThresholdInk({99, 100, 101, 0, 255, 0}, 3, 2, 100);
    EXPECT_EQ(mask.width, 3);
    EXPECT_EQ(mask.height, 2);
    EXPECT_EQ(mask.ink, (std::vector<uint8_t>{0, 1, 1, 0, 1, 0}));
    EXPECT_TRUE(mask.At(1, 0));
    EXPECT_FALSE(mask.At(3, 0));  // beyond the mask: paper
    EXPECT_THROW(oxhost::ThresholdInk({1, 2, 3}, 2, 2, 100), oxhost::HostError);
}

}  // namespace
