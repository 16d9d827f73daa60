#include <gtest/gtest.h>

#include <random>
#include <string>
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

// Checks one skip against the plain walk from the same centre and start:
// ended or not, the same last allowed offset and farthest axis offset
// passed, and the same offsets afterwards.
template <typename Plain>
void ExpectSkipMatchesWalk(NearestSearch& search, Plain& plain, int y, int x, int height, int width,
                           uint16_t start, uint32_t distance) {
    CentreOn(plain, y, x, height, width);
    Offsets walk;
    int dx = 0, dy = 0;
    bool more = plain.Begin(dx, dy, start);
    for (; more; more = plain.Next(dx, dy)) {
        walk.push_back({dx, dy});
    }
    const auto key = [](const std::pair<int, int>& o) {
        return uint32_t(o.first * o.first + o.second * o.second);
    };
    const uint32_t endKey = key({dx, dy});
    Offsets nearer, farther;
    int axisRadius = 0;
    for (const auto& offset : walk) {
        (key(offset) < distance ? nearer : farther).push_back(offset);
        if (key(offset) < distance && offset.second == 0) {
            axisRadius = std::abs(offset.first);
        }
    }

    CentreOn(search, y, x, height, width);
    search.Start(start);
    NearestSearch::Passed passed;
    const bool going = search.SkipNearerThan(distance, passed);
    SCOPED_TRACE("centre " + std::to_string(y) + "," + std::to_string(x) + " of " +
                 std::to_string(height) + "x" + std::to_string(width) + " start " +
                 std::to_string(start) + " distance " + std::to_string(distance));
    ASSERT_EQ(going, endKey >= distance);
    ASSERT_EQ(passed.anyAllowed, !nearer.empty());
    if (!nearer.empty()) {
        ASSERT_EQ(std::make_pair(int(passed.lastAllowed.dx), int(passed.lastAllowed.dy)),
                  nearer.back());
    }
    ASSERT_EQ(passed.axisRadius, axisRadius);
    if (going) {
        Offsets rest;
        for (more = search.Next(dx, dy); more; more = search.Next(dx, dy)) {
            rest.push_back({dx, dy});
        }
        ASSERT_EQ(rest, farther);
        ASSERT_EQ(key({dx, dy}), endKey);
    }
}

// Skipping the offsets nearer than a distance must leave the walk exactly as
// the plain walk would be there. Centres on edges, in corners and in
// one-pixel-wide images are where the eight-try rule can end a walk early;
// the distances tried are those where the walk ends and random ones.
TEST(NearestSearchTest, SkippingMatchesThePlainWalk) {
    std::mt19937 random(77);
    NearestSearch search;
    NearestSearchOracle oracle;
    for (int trial = 0; trial < 2000; ++trial) {
        const int shape = trial % 4;
        const int height = shape == 1 ? 1 : 1 + int(random() % 100);
        const int width = shape == 2 ? 1 : 1 + int(random() % 100);
        int y = int(random() % uint32_t(height));
        int x = int(random() % uint32_t(width));
        if (shape == 3) {  // on an edge or in a corner
            y = (random() % 2) ? 0 : height - 1;
            x = (random() % 3) == 0 ? int(random() % uint32_t(width))
                : (random() % 2)    ? 0
                                    : width - 1;
        }
        // Skips enter rings the oracle has not seen; start within both.
        const uint32_t rings = std::min<uint32_t>(search.RingCount(), uint32_t(oracle.ringCount));
        const uint16_t start = uint16_t(random() % 4 == 0 ? random() % (rings + 1) : random() % 3);
        CentreOn(oracle, y, x, height, width);
        int dx = 0, dy = 0;
        Offsets walk;
        for (bool more = oracle.Begin(dx, dy, start); more; more = oracle.Next(dx, dy)) {
            walk.push_back({dx, dy});
        }
        const uint32_t endKey = uint32_t(dx * dx + dy * dy);
        uint32_t distance =
            uint32_t(random() % (2 * uint32_t(height * height + width * width) + 2));
        if (random() % 2 == 0) {
            distance = endKey + uint32_t(random() % 3) - 1;
        } else if (random() % 2 == 0 && !walk.empty()) {
            const auto& offset = walk[random() % walk.size()];
            distance = uint32_t(offset.first * offset.first + offset.second * offset.second);
        }
        ExpectSkipMatchesWalk(search, oracle, y, x, height, width, start, distance);
        if (HasFatalFailure()) {
            return;
        }
    }
}

// Every centre of every image up to 16 x 16, skipping to where the plain
// walk ends, just past it, and halfway.
TEST(NearestSearchTest, SkippingMatchesThePlainWalkFromEveryCentre) {
    NearestSearch search;
    NearestSearch plain;
    for (int height = 1; height <= 16; ++height) {
        for (int width = 1; width <= 16; ++width) {
            for (int y = 0; y < height; ++y) {
                for (int x = 0; x < width; ++x) {
                    CentreOn(plain, y, x, height, width);
                    int dx = 0, dy = 0;
                    for (bool more = plain.Begin(dx, dy, 0); more; more = plain.Next(dx, dy)) {
                    }
                    const uint32_t endKey = uint32_t(dx * dx + dy * dy);
                    for (uint32_t distance : {endKey, endKey + 1, endKey / 2}) {
                        ExpectSkipMatchesWalk(search, plain, y, x, height, width, 0, distance);
                        if (HasFatalFailure()) {
                            return;
                        }
                    }
                }
            }
        }
    }
}

// Larger rectangles with centres at edges and in corners, long and narrow
// ones: where walks end through runs beside axis and corner groups, far out.
TEST(NearestSearchTest, SkippingMatchesThePlainWalkNearEdgesOfLargeRectangles) {
    std::mt19937 random(2026);
    NearestSearch search;
    NearestSearch plain;
    for (int trial = 0; trial < 240; ++trial) {
        const int shape = trial % 4;
        int height = 1 + int(random() % 300);
        int width = 1 + int(random() % 300);
        if (shape == 1) {
            height = 1 + int(random() % 6);
        } else if (shape == 2) {
            width = 1 + int(random() % 6);
        }
        const auto near = [&random](int size) {
            const int in = int(random() % uint32_t(std::min(size, 12)));
            return random() % 2 ? in : size - 1 - in;
        };
        const int y = shape == 3 ? int(random() % uint32_t(height)) : near(height);
        const int x = near(width);
        const uint16_t start = uint16_t(random() % 3 == 0 ? random() % 40 : random() % 2);
        CentreOn(plain, y, x, height, width);
        int dx = 0, dy = 0;
        for (bool more = plain.Begin(dx, dy, start); more; more = plain.Next(dx, dy)) {
        }
        const uint32_t endKey = uint32_t(dx * dx + dy * dy);
        const uint32_t distance =
            random() % 2 ? endKey + uint32_t(random() % 3) - 1 : uint32_t(random() % (endKey + 2));
        ExpectSkipMatchesWalk(search, plain, y, x, height, width, start, distance);
        if (HasFatalFailure()) {
            return;
        }
    }
}

// The walk's first wanted offset (or where it ends, and the last allowed
// offset before) is the plain walk's, whatever the start and the edges.
TEST(NearestSearchTest, FirstWantedIsThePlainWalksFirstWanted) {
    std::mt19937 random(31);
    NearestSearch search;
    NearestSearchOracle oracle;
    int answeredByGroups = 0;
    int shownToEnd = 0;
    for (int trial = 0; trial < 1500; ++trial) {
        const int height = trial % 5 == 0 ? 1 + int(random() % 3) : 1 + int(random() % 70);
        const int width = trial % 5 == 1 ? 1 + int(random() % 3) : 1 + int(random() % 70);
        std::vector<bool> wanted(size_t(height * width), false);
        const uint32_t odds = 1 + random() % 400;  // 1 in odds pixels is wanted
        for (size_t i = 0; i < wanted.size(); ++i) {
            wanted[i] = random() % odds == 0;
        }
        const int y = int(random() % uint32_t(height));
        const int x = int(random() % uint32_t(width));
        const uint16_t start = uint16_t(random() % 3 == 0 ? random() % 6 : 0);
        const auto isWanted = [&](int dx, int dy) {
            return wanted[size_t((y + dy) * width + (x + dx))];
        };
        uint32_t nearest = ~0u;
        for (int wy = 0; wy < height; ++wy) {
            for (int wx = 0; wx < width; ++wx) {
                if (wanted[size_t(wy * width + wx)] && (wy != y || wx != x)) {
                    nearest =
                        std::min(nearest, uint32_t((wy - y) * (wy - y) + (wx - x) * (wx - x)));
                }
            }
        }
        // The plain walk from the same start.
        CentreOn(oracle, y, x, height, width);
        bool found = false, anyAllowed = false;
        std::pair<int, int> last{0, 0};
        int axisRadius = 0, dx = 0, dy = 0;
        for (bool more = oracle.Begin(dx, dy, start); more && !found; more = oracle.Next(dx, dy)) {
            anyAllowed = true;
            last = {dx, dy};
            axisRadius = dy == 0 ? std::abs(dx) : axisRadius;
            found = isWanted(dx, dy);
        }
        CentreOn(search, y, x, height, width);
        const uint16_t fastStart = std::min<uint16_t>(start, search.RingCount());
        const NearestSearch::Outcome outcome =
            search.FirstWanted(nearest, fastStart, true, isWanted);
        SCOPED_TRACE("trial " + std::to_string(trial));
        ASSERT_EQ(outcome.found, found);
        ASSERT_EQ(outcome.anyAllowed, anyAllowed);
        if (anyAllowed) {
            ASSERT_EQ(std::make_pair(int(outcome.offset.dx), int(outcome.offset.dy)), last);
        }
        ASSERT_EQ(outcome.axisRadius, axisRadius);
        // Not asked for the last allowed offset, it may leave that out, and
        // nothing else.
        // Nor when told where walks of centres with less and more room on
        // every side end.
        const Reaches here{{x, y, width - 1 - x, height - 1 - y}};
        Reaches less = here;
        Reaches more = here;
        for (int side = 0; side < 4; ++side) {
            less.side[side] = std::max(0, here.side[side] - int(random() % 4));
            more.side[side] = here.side[side] + int(random() % 4);
        }
        NearestSearch::KnownEnds known;
        known.noEndBelow = search.FirstEndBelow(less, nearest == ~0u ? nearest : nearest + 1);
        search.EndOf(more, uint32_t((height + 4) * (height + 4) + (width + 4) * (width + 4)),
                     known);
        for (const auto& told : {NearestSearch::KnownEnds(), known}) {
            CentreOn(search, y, x, height, width);
            const NearestSearch::Outcome brief =
                search.FirstWanted(nearest, fastStart, false, isWanted, told);
            ASSERT_EQ(brief.found, found);
            ASSERT_EQ(brief.axisRadius, axisRadius);
            ASSERT_FALSE(brief.lastLeftOut && found);
            if (!brief.lastLeftOut) {
                ASSERT_EQ(brief.anyAllowed, anyAllowed);
                if (anyAllowed) {
                    ASSERT_EQ(std::make_pair(int(brief.offset.dx), int(brief.offset.dy)), last);
                }
            }
            // Asked a group at a time, it answers only for a walk that finds.
            const auto wantedSlots = [&](uint32_t ring, uint32_t minor) {
                uint32_t slots = 0;
                for (int slot = 0; slot < 8; ++slot) {
                    const Offset at = OffsetGroup{0, uint16_t(ring), uint16_t(minor)}.At(slot);
                    const int wy = y + at.dy;
                    const int wx = x + at.dx;
                    if (wy >= 0 && wy < height && wx >= 0 && wx < width && isWanted(at.dx, at.dy)) {
                        slots |= 1u << slot;
                    }
                }
                return slots;
            };
            // Shown to end before the distance, from this start and every
            // nearer one: the plain walks do, and the farthest axis offset
            // each hands out lies within the bounds given.
            CentreOn(search, y, x, height, width);
            uint16_t axisLow = 0, axisHigh = 0;
            if (nearest != ~0u &&
                search.SurelyEndsBefore(nearest, fastStart, told, axisLow, axisHigh)) {
                ++shownToEnd;
                for (uint16_t from = 0; from <= fastStart; ++from) {
                    CentreOn(oracle, y, x, height, width);
                    int axis = 0;
                    for (bool more = oracle.Begin(dx, dy, from); more; more = oracle.Next(dx, dy)) {
                        ASSERT_LT(uint32_t(dx * dx + dy * dy), nearest);
                        axis = dy == 0 ? std::abs(dx) : axis;
                    }
                    ASSERT_GE(std::max<int>(from, axis), std::max<int>(from, axisLow));
                    ASSERT_LE(std::max<int>(from, axis), std::max<int>(from, axisHigh));
                }
            }
            CentreOn(search, y, x, height, width);
            NearestSearch::Outcome byGroups;
            if (search.FirstWantedOfGroups(nearest, fastStart, wantedSlots, byGroups, told)) {
                ++answeredByGroups;
                ASSERT_TRUE(found);
                ASSERT_EQ(std::make_pair(int(byGroups.offset.dx), int(byGroups.offset.dy)), last);
                ASSERT_EQ(byGroups.axisRadius, axisRadius);
            }
        }
    }
    EXPECT_GT(answeredByGroups, 500);
    EXPECT_GT(shownToEnd, 300);
}

}  // namespace
