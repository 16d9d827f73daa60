// The joining of small areas against a plain pass, and stopping it.
#include <gtest/gtest.h>

#include <cstring>
#include <random>

#include "FilterSelectors.h"
#include "PassOracle.h"
#include "ResultCodes.h"
#include "TintfloodTestHost.h"
#include "host/run/ProgressSink.h"

namespace {

using oxhost::Document;

const std::vector<std::array<uint8_t, 3>> kPalette = {
    {{250, 200, 200}}, {{200, 250, 200}}, {{200, 200, 250}}, {{240, 240, 160}}, {{160, 240, 240}}};

class TintfloodJoinTest : public ::testing::Test {
protected:
    void SetUp() override { WritePassPalette("join.aco", kPalette); }
    void TearDown() override { tintfloodtest::RemoveSwatchFile("join.aco"); }
};

// White cells between black lines at random places (up to `thickest` pixels
// thick), with some grey pixels (too dark and light enough) and some
// coloured ones.
Document CellPage(std::mt19937& random, int height, int width, int widestCell, int thickest = 1,
                  uint32_t specks = 4) {
    Document page;
    page.height = height;
    page.width = width;
    page.pixels.assign(size_t(height * width * 3), 255);
    const auto lines = [&random, widestCell, thickest](int length) {
        std::vector<bool> line(size_t(length), false);
        for (int at = int(random() % 3); at < length;) {
            for (int end = at + 1 + int(random() % uint32_t(thickest));
                 at < std::min(end, length);) {
                line[size_t(at++)] = true;
            }
            at += 1 + int(random() % uint32_t(widestCell));
        }
        return line;
    };
    const std::vector<bool> rows = lines(height);
    const std::vector<bool> columns = lines(width);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            uint8_t* pixel = page.Pixel(y, x);
            if (rows[size_t(y)] || columns[size_t(x)]) {
                std::fill(pixel, pixel + 3, uint8_t(0));
            }
            const uint32_t odd = random() % 100 + 4 - specks;
            if (odd < 3) {
                std::fill(pixel, pixel + 3, uint8_t(odd == 0 ? 60 : 150));  // grey
            } else if (odd == 3) {
                pixel[0] = 90;  // too dark
                pixel[1] = 30;
                pixel[2] = 91;  // but one channel above 90
            }
        }
    }
    return page;
}

// The plain pass's result for an RGB page, as its bytes.
std::vector<uint8_t> PlainPass(const Document& page, const PassSettings& settings) {
    static_assert(sizeof(Rgb) == 3, "pixels are copied as three bytes each");
    std::vector<Rgb> pixels(size_t(page.width) * size_t(page.height));
    std::memcpy(pixels.data(), page.pixels.data(), page.pixels.size());
    PassOracle oracle(page.height, page.width, pixels);
    const std::vector<Rgb>& result = oracle.Run(settings);
    std::vector<uint8_t> bytes(page.pixels.size());
    std::memcpy(bytes.data(), result.data(), bytes.size());
    return bytes;
}

TintfloodSettings SettingsFor(const PassSettings& oracle) {
    return EngineSettings(oracle, "join.aco");
}

// Every small area must end with the colour the plain walk gives it: on
// random cell pages, one-pixel-wide ones, pages where no area is normal and
// pages where most seeds are far from any normal area.
TEST_F(TintfloodJoinTest, JoinsLikeThePlainPass) {
    std::mt19937 random(3);
    for (int trial = 0; trial < 60; ++trial) {
        const int shape = trial % 6;
        const int height = shape == 0 ? 1 : 1 + int(random() % 50);
        const int width = shape == 1 ? 1 : 1 + int(random() % 50);
        Document page = CellPage(random, height, width, shape == 2 ? 7 : 16);
        if (shape == 3) {
            // Normal areas in two corners; every other cell is small, and
            // thick lines keep the cells far from each other.
            page = CellPage(random, 64, 64, 4, 12, 0);
            for (int y = 0; y < 20; ++y) {
                for (int x = 0; x < 20; ++x) {
                    std::fill(page.Pixel(y, 44 + x), page.Pixel(y, 44 + x) + 3, uint8_t(255));
                    std::fill(page.Pixel(44 + y, x), page.Pixel(44 + y, x) + 3, uint8_t(255));
                }
            }
        }
        PassSettings oracle;
        oracle.palette = kPalette;
        oracle.joinAreas = true;
        oracle.joinSize = 2 + uint32_t(random() % 10);
        oracle.flagAreas = random() % 2 == 0;
        oracle.flagSize = oracle.joinSize + uint32_t(random() % 8);
        oracle.measureArea = random() % 3 == 0;
        if (shape == 3) {
            oracle.joinSize = 9 + uint32_t(random() % 3);  // every cell but the corner area
            oracle.measureArea = false;
        }
        const std::vector<uint8_t> expected = PlainPass(page, oracle);
        const auto outcome = tintfloodtest::RunTintflood(page, SettingsFor(oracle));
        ASSERT_EQ(outcome.result.result, noErr) << "trial " << trial;
        ASSERT_EQ(page.pixels, expected) << "trial " << trial << " size " << page.height << "x"
                                         << page.width << " join " << oracle.joinSize;
    }
}

// Stops at the first question after the scan is done, and counts the
// questions and reports.
class StopAfterScan : public oxhost::ProgressSink {
public:
    explicit StopAfterScan(int rows) : rows(rows) {}
    void Report(int32_t done, int32_t total) override { reports.push_back({done, total}); }
    bool AbortRequested() override {
        ++questions;
        return int(reports.size()) > rows;
    }
    int rows;
    int questions = 0;
    std::vector<std::pair<int32_t, int32_t>> reports;
};

TEST_F(TintfloodJoinTest, TheUserCanStopTheJoining) {
    // Many small cells, none of them normal: a long joining pass.
    std::mt19937 random(5);
    Document page = CellPage(random, 700, 700, 4);
    PassSettings oracle;
    oracle.joinAreas = true;
    StopAfterScan progress(page.height);
    const auto outcome = tintfloodtest::RunTintflood(
        page, SettingsFor(oracle), -1,
        [&progress](oxhost::RunOptions& options) { options.progress = &progress; });
    EXPECT_EQ(outcome.result.result, userCanceledErr);
    EXPECT_EQ(outcome.result.failedSelector, filterSelectorStart);
    // One report of the joining, then nothing more is asked or reported.
    ASSERT_EQ(progress.reports.size(), size_t(page.height) + 1);
    EXPECT_LT(progress.reports.back().first, progress.reports.back().second);
    EXPECT_EQ(progress.questions, page.height + 1);
}

}  // namespace
