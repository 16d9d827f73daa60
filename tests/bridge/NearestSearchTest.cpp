#include <gtest/gtest.h>

#include <random>
#include <utility>
#include <vector>

#include "NearestSearch.h"
#include "NearestSearchOracle.h"

namespace {

using Offsets = std::vector<std::pair<int, int>>;

// Centre at (row y, column x) of an image with the given size.
template <typename Search>
void CentreOn(Search& search, int y, int x, int height, int width) {
    search.boundTop = -y;
    search.boundLeft = -x;
    search.boundBottom = height - 1 - y;
    search.boundRight = width - 1 - x;
}

template <typename Search>
Offsets WalkAll(Search& search, uint16_t startRadius, size_t limit = 100000) {
    Offsets offsets;
    int dx = 0, dy = 0;
    for (bool more = search.Begin(dx, dy, startRadius); more && offsets.size() < limit;
         more = search.Next(dx, dy)) {
        offsets.push_back({dx, dy});
    }
    return offsets;
}

TEST(NearestSearchTest, FirstOffsetsComeOutInTheFixedOrder) {
    NearestSearch search;
    CentreOn(search, 100, 100, 1000, 1000);
    const Offsets expected = {{-1, 0},  {0, -1},  {1, 0},  {0, 1},  {-1, 1}, {-1, -1}, {1, -1},
                              {1, 1},   {-2, 0},  {0, -2}, {2, 0},  {0, 2},  {-1, 2},  {-2, 1},
                              {-2, -1}, {-1, -2}, {1, -2}, {2, -1}, {2, 1},  {1, 2},   {-2, 2},
                              {-2, -2}, {2, -2},  {2, 2},  {-3, 0}};
    const Offsets walked = WalkAll(search, 0, expected.size());
    EXPECT_EQ(walked, expected);
}

TEST(NearestSearchTest, TopLeftCornerOfFiveByFiveEndsBeforeTheFarCorner) {
    NearestSearch search;
    CentreOn(search, 0, 0, 5, 5);
    const Offsets expected = {{1, 0}, {0, 1}, {1, 1}, {2, 0}, {0, 2}, {2, 1}, {1, 2}, {2, 2},
                              {3, 0}, {0, 3}, {3, 1}, {1, 3}, {3, 2}, {2, 3}, {4, 0}, {0, 4},
                              {4, 1}, {1, 4}, {3, 3}, {4, 2}, {2, 4}, {4, 3}, {3, 4}};
    EXPECT_EQ(WalkAll(search, 0), expected);
}

TEST(NearestSearchTest, OnePixelWideImageEndsAfterDistanceTwo) {
    NearestSearch search;
    CentreOn(search, 5, 0, 20, 1);
    const Offsets expected = {{0, -1}, {0, 1}, {0, -2}, {0, 2}};
    EXPECT_EQ(WalkAll(search, 0), expected);
}

TEST(NearestSearchTest, CentreOfThreeByThreeGivesTheEightNeighbours) {
    NearestSearch search;
    CentreOn(search, 1, 1, 3, 3);
    const Offsets expected = {{-1, 0}, {0, -1}, {1, 0}, {0, 1}, {-1, 1}, {-1, -1}, {1, -1}, {1, 1}};
    EXPECT_EQ(WalkAll(search, 0), expected);
}

TEST(NearestSearchTest, SinglePixelImageEndsAtOnce) {
    NearestSearch search;
    CentreOn(search, 0, 0, 1, 1);
    int dx = 0, dy = 0;
    EXPECT_FALSE(search.Begin(dx, dy, 0));
}

TEST(NearestSearchTest, StartRadiusFiveBeginsAtTheFirstOffsetOfKeyTwentyFive) {
    NearestSearch search;
    CentreOn(search, 100, 100, 1000, 1000);
    int dx = 0, dy = 0;
    ASSERT_TRUE(search.Begin(dx, dy, 5));
    EXPECT_EQ(std::make_pair(dx, dy), std::make_pair(-3, 4));
    // The eight offsets of ring 4 come before ring 5's axis offsets.
    Offsets rest;
    for (int i = 0; i < 8; ++i) {
        ASSERT_TRUE(search.Next(dx, dy));
        rest.push_back({dx, dy});
    }
    const Offsets expected = {{-4, 3}, {-4, -3}, {-3, -4}, {3, -4},
                              {4, -3}, {4, 3},   {3, 4},   {-5, 0}};
    EXPECT_EQ(rest, expected);
}

TEST(NearestSearchTest, RingsAreEnteredOnceAndKept) {
    NearestSearch search;
    EXPECT_EQ(search.RingCount(), 10);
    EXPECT_EQ(search.RingKey(), 100u);
    // Walk far enough to need ring 11.
    CentreOn(search, 50, 50, 101, 101);
    int dx = 0, dy = 0;
    bool more = search.Begin(dx, dy, 10);
    while (more && !(dx == -11 && dy == 0)) {
        more = search.Next(dx, dy);
    }
    ASSERT_TRUE(more);
    EXPECT_EQ(search.RingCount(), 11);
    // Another centre finds ring 11 in place and does not shrink anything.
    CentreOn(search, 0, 0, 101, 101);
    ASSERT_TRUE(search.Begin(dx, dy, 11));
    EXPECT_EQ(std::make_pair(dx, dy), std::make_pair(11, 0));
    EXPECT_EQ(search.RingCount(), 11);
}

// The fast search must hand out exactly what the plain ordered multimap does,
// including where the eight-try rule ends a search and how rings grow.
TEST(NearestSearchTest, MatchesThePlainOrderedMultimapOnRandomCentres) {
    std::mt19937 random(1234);
    NearestSearch search;
    NearestSearchOracle oracle;
    for (int trial = 0; trial < 400; ++trial) {
        const int height = 1 + int(random() % 90);
        const int width = 1 + int(random() % 90);
        const int y = int(random() % uint32_t(height));
        const int x = int(random() % uint32_t(width));
        const uint16_t start = uint16_t(random() % uint32_t(search.RingCount() + 1));
        CentreOn(search, y, x, height, width);
        CentreOn(oracle, y, x, height, width);
        ASSERT_EQ(WalkAll(search, start), WalkAll(oracle, start))
            << "trial " << trial << " centre " << y << "," << x << " of " << height << "x" << width
            << " start " << start;
        ASSERT_EQ(search.RingCount(), oracle.ringCount);
    }
    EXPECT_GT(search.RingCount(), 60);  // the walks grew the table well past its first rings
}

TEST(NearestSearchTest, EndedSearchLeavesTheLastDisallowedOffset) {
    NearestSearch search;
    NearestSearchOracle oracle;
    CentreOn(search, 1, 1, 3, 3);
    CentreOn(oracle, 1, 1, 3, 3);
    WalkAll(search, 0);
    WalkAll(oracle, 0);
    int dx = 0, dy = 0, odx = 0, ody = 0;
    EXPECT_FALSE(search.Next(dx, dy));
    EXPECT_FALSE(oracle.Next(odx, ody));
    EXPECT_EQ(std::make_pair(dx, dy), std::make_pair(odx, ody));
}

}  // namespace
