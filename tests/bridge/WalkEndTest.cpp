// The facts the nearest-first search's skips rest on, each against a plain
// count: where no walk can end, the first group wholly outside the bounds,
// runs across two groups of eight, and the range maxima of the neighbour
// index.
#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "AllowedOffsets.h"
#include "NearestSearch.h"
#include "OffsetTable.h"
#include "OutsideGroups.h"
#include "RangeMaximum.h"

namespace {

Reaches RandomReaches(std::mt19937& random, int most) {
    Reaches reaches{};
    for (int32_t& side : reaches.side) {
        side = int32_t(random() % uint32_t(most + 1));
    }
    return reaches;
}

// The key of the group the plain walk from `startRadius` ends in.
uint32_t PlainEndKey(const Reaches& reaches, uint16_t startRadius = 0) {
    NearestSearch search;
    search.boundLeft = -reaches.side[kLeft];
    search.boundTop = -reaches.side[kUp];
    search.boundRight = reaches.side[kRight];
    search.boundBottom = reaches.side[kDown];
    int dx = 0, dy = 0;
    for (bool more = search.Begin(dx, dy, startRadius); more; more = search.Next(dx, dy)) {
    }
    return uint32_t(dx * dx + dy * dy);
}

TEST(WalkEndTest, NoWalkEndsBelowTheEndlessKey) {
    std::mt19937 random(8);
    for (int trial = 0; trial < 3000; ++trial) {
        const Reaches reaches = RandomReaches(random, trial % 2 ? 12 : 60);
        ASSERT_GE(PlainEndKey(reaches), EndlessBelowKey(reaches))
            << reaches.side[0] << " " << reaches.side[1] << " " << reaches.side[2] << " "
            << reaches.side[3];
    }
}

TEST(WalkEndTest, FirstGroupOutsideIsTheFirstInTableOrder) {
    std::mt19937 random(9);
    OffsetTable table;
    table.BuildRings(160);
    for (int trial = 0; trial < 2000; ++trial) {
        const Reaches reaches = RandomReaches(random, 50);
        const uint32_t from = random() % 2 ? 0 : random() % 8000;
        const uint32_t below = 1 + random() % (table.CompleteBelowKey() - 1);
        GroupKey expected{0, 0, 0};
        bool any = false;
        for (size_t at = table.FirstGroupOfKey(from); table[at].key < below; ++at) {
            const OffsetGroup& group = table[at];
            if (group.HasEight() && AllowedSlots(reaches, group.ring, group.minor) == 0) {
                expected = GroupKey{group.key, group.ring, group.minor};
                any = true;
                break;
            }
        }
        GroupKey found{0, 0, 0};
        ASSERT_EQ(FirstGroupOutside(reaches, from, below, found), any) << "trial " << trial;
        if (any) {
            ASSERT_EQ(found.key, expected.key) << "trial " << trial;
            ASSERT_EQ(found.ring, expected.ring) << "trial " << trial;
        }
    }
}

// A run of eight over the end of one group of eight and the start of a
// later one needs one of the two wholly outside; the skips look for those
// runs only through groups wholly outside.
TEST(WalkEndTest, RunAcrossTwoGroupsOfEightNeedsOneWhollyOutside) {
    const auto tail = [](uint32_t allowed) {
        int run = 0;
        for (int p = 7; p >= 0 && (allowed >> p & 1) == 0; --p) {
            ++run;
        }
        return run;
    };
    const auto head = [](uint32_t allowed) {
        int run = 0;
        for (int p = 0; p < 8 && (allowed >> p & 1) == 0; ++p) {
            ++run;
        }
        return run;
    };
    std::mt19937 random(10);
    for (int trial = 0; trial < 400; ++trial) {
        const Reaches reaches = RandomReaches(random, 9);
        for (uint32_t ra = 2; ra < 13; ++ra) {
            for (uint32_t ia = 1; ia < ra; ++ia) {
                for (uint32_t rb = 2; rb < 13; ++rb) {
                    for (uint32_t ib = 1; ib < rb; ++ib) {
                        const uint32_t keyA = ra * ra + ia * ia, keyB = rb * rb + ib * ib;
                        if (keyA > keyB || (keyA == keyB && ra >= rb)) {
                            continue;
                        }
                        const uint32_t a = AllowedSlots(reaches, ra, ia);
                        const uint32_t b = AllowedSlots(reaches, rb, ib);
                        if (tail(a) + head(b) >= 8) {
                            ASSERT_TRUE(a == 0 || b == 0);
                        }
                    }
                }
            }
        }
    }
}

TEST(WalkEndTest, RangeMaximumFindsTheFirstValueAbove) {
    std::mt19937 random(11);
    for (int trial = 0; trial < 200; ++trial) {
        std::vector<uint16_t> values(1 + random() % 300);
        for (uint16_t& value : values) {
            value = uint16_t(random() % 100);
        }
        RangeMaximum maximum;
        maximum.Assign(values);
        for (int query = 0; query < 50; ++query) {
            const size_t first = random() % values.size();
            const size_t last = first + random() % (values.size() - first);
            const uint16_t bound = uint16_t(random() % 110);
            size_t expected = first;
            while (expected <= last && values[expected] <= bound) {
                ++expected;
            }
            ASSERT_EQ(maximum.FirstAbove(first, last, bound), expected);
        }
    }
}

}  // namespace

// FirstEndBelow is the plain walk's end, and bounds the end of every walk
// with as much room or more, from any start: what lets one search vouch for
// a strip of centres.
TEST(WalkEndTest, FirstEndBelowBoundsWalksWithMoreRoom) {
    std::mt19937 random(10);
    NearestSearch search;
    for (int trial = 0; trial < 600; ++trial) {
        const Reaches reaches = RandomReaches(random, trial % 2 ? 12 : 60);
        const uint32_t plainEnd = PlainEndKey(reaches);
        const uint32_t below = random() % 3 == 0 ? plainEnd : plainEnd + 1 + random() % 50;
        const uint64_t end = search.FirstEndBelow(reaches, below);
        ASSERT_EQ(end, std::min(plainEnd, below)) << trial;

        Reaches roomier = reaches;
        for (int32_t& side : roomier.side) {
            side += int32_t(random() % 4);
        }
        const uint16_t start = uint16_t(random() % 8);
        ASSERT_GE(PlainEndKey(roomier, start), end) << trial;
    }
}
