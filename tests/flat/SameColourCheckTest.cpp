#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "MaskDrawing.h"
#include "host/HostError.h"
#include "host/flat/SameColourCheck.h"

namespace {

using oxhost::Document;

// Four areas in columns 0-1, 3-4, 6-7 and 9-10, parted by ink columns 2, 5, 8.
oxhost::AreaLabels FourAreas() {
    oxhost::InkMask mask = flattest::BlankMask(11, 3);
    for (int x : {2, 5, 8}) {
        flattest::FillRect(mask, x, 0, x, 2);
    }
    return oxhost::LabelPaperAreas(mask);
}

// Flats spelled per pixel: R red, B blue, G green.
Document Flats(const std::vector<std::string>& rows, bool hasAlpha = false) {
    Document flats;
    flats.width = int(rows[0].size());
    flats.height = int(rows.size());
    flats.hasAlpha = hasAlpha;
    for (const std::string& row : rows) {
        for (char c : row) {
            flats.pixels.push_back(c == 'R' ? 220 : 0);
            flats.pixels.push_back(c == 'G' ? 200 : 0);
            flats.pixels.push_back(c == 'B' ? 180 : 0);
            if (hasAlpha) {
                flats.pixels.push_back(uint8_t(flats.pixels.size()));
            }
        }
    }
    return flats;
}

TEST(FindMergedAreas, ReportsAreasThatRanTogetherOnly) {
    const oxhost::AreaLabels labels = FourAreas();
    ASSERT_EQ(labels.areas.size(), 4u);
    // Areas 0 and 1 run together through column 2; area 2 is red as well but
    // walled off by blue; areas 2 and 3 meet through one red pixel of column 8.
    const Document flats = Flats({"RRRRRBRRGRR",  //
                                  "RRRRRBRRRRR",  //
                                  "RRRRRBRRGRR"});
    const std::vector<oxhost::MergedAreas> merged = oxhost::FindMergedAreas(labels, flats, 10);
    ASSERT_EQ(merged.size(), 2u);
    EXPECT_EQ(merged[0].first, 0u);
    EXPECT_EQ(merged[0].second, 1u);
    EXPECT_EQ(merged[1].first, 2u);
    EXPECT_EQ(merged[1].second, 3u);
    EXPECT_EQ(merged[1].rgb[0], 220);
    EXPECT_EQ(merged[1].rgb[1], 0);
    EXPECT_EQ(merged[1].rgb[2], 0);
    EXPECT_EQ(oxhost::FindMergedAreas(labels, flats, 1).size(), 1u);

    // Each area its own colour, the ink columns taken by neighbours: none.
    EXPECT_TRUE(oxhost::FindMergedAreas(labels,
                                        Flats({"RRRGGBBBRRR",  //
                                               "RRRGGBBBRRR",  //
                                               "RRGGGBBBRRR"}),
                                        10)
                    .empty());
}

TEST(FindMergedAreas, OneFlatForAllPairsTheFirstAreaWithEachOtherUpToTheCap) {
    const std::vector<oxhost::MergedAreas> merged = oxhost::FindMergedAreas(
        FourAreas(), Flats({"GGGGGGGGGGG", "GGGGGGGGGGG", "GGGGGGGGGGG"}, true), 2);
    ASSERT_EQ(merged.size(), 2u);
    EXPECT_EQ(merged[0].first, 0u);
    EXPECT_EQ(merged[0].second, 1u);
    EXPECT_EQ(merged[1].first, 0u);
    EXPECT_EQ(merged[1].second, 2u);
    EXPECT_EQ(merged[1].rgb[1], 200);
}

TEST(FindMergedAreas, RefusesFlatsOfAnotherSize) {
    EXPECT_THROW(oxhost::FindMergedAreas(FourAreas(), Flats({"RRRRRRRRRRR", "RRRRRRRRRRR"}), 10),
                 oxhost::HostError);
}

TEST(CountDistinctColours, RgbIgnoringAlphaAndCmyk) {
    EXPECT_EQ(oxhost::CountDistinctColours(Flats({"RRRRRBRRGRR", "RRRRRBRRRRR"})), 3u);
    EXPECT_EQ(oxhost::CountDistinctColours(Flats({"RGRGRGRG"}, true)), 2u);  // alpha differs
    Document cmyk;
    cmyk.model = oxhost::ColorModel::CMYK;
    cmyk.width = 3;
    cmyk.height = 1;
    cmyk.pixels = {1, 2, 3, 4, 1, 2, 3, 5, 1, 2, 3, 4};
    EXPECT_EQ(oxhost::CountDistinctColours(cmyk), 2u);
}

}  // namespace
