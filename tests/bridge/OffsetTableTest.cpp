// The offset table grown in steps, over more than one band of distances,
// against a plain sort of every group: the order and each index beside it.
#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>
#include <vector>

#include "OffsetTable.h"

namespace {

TEST(OffsetTableTest, GrownTableMatchesAPlainSortAndItsIndices) {
    constexpr uint16_t kRings = 400;  // keys up to 320,000: several bands
    OffsetTable table;
    for (const uint16_t rings : {uint16_t(3), uint16_t(70), uint16_t(190), kRings}) {
        table.BuildRings(rings);
    }
    std::vector<OffsetGroup> plain;
    for (uint32_t ring = 1; ring <= kRings; ++ring) {
        for (uint32_t minor = 0; minor <= ring; ++minor) {
            plain.push_back(
                OffsetGroup{ring * ring + minor * minor, uint16_t(ring), uint16_t(minor)});
        }
    }
    std::sort(plain.begin(), plain.end(), [](const OffsetGroup& a, const OffsetGroup& b) {
        return std::tie(a.key, a.ring) < std::tie(b.key, b.ring);
    });
    ASSERT_EQ(table.Size(), plain.size() + 1);  // and the sentinel
    for (size_t at = 0; at < plain.size(); ++at) {
        ASSERT_EQ(table[at].key, plain[at].key) << at;
        ASSERT_EQ(table[at].ring, plain[at].ring) << at;
        ASSERT_EQ(table[at].minor, plain[at].minor) << at;
    }

    const auto firstOfKey = [&plain](uint32_t key) {
        return size_t(std::lower_bound(plain.begin(), plain.end(), key,
                                       [](const OffsetGroup& g, uint32_t k) { return g.key < k; }) -
                      plain.begin());
    };
    for (uint32_t key = 0; key < table.CompleteBelowKey(); key += 7) {
        ASSERT_EQ(table.FirstGroupOfKey(key), firstOfKey(key)) << key;
    }
    for (uint16_t ring = 1; ring <= kRings; ++ring) {
        ASSERT_EQ(table.FirstGroupOfSquare(ring), firstOfKey(uint32_t(ring) * ring)) << ring;
        ASSERT_EQ(table[table.AxisGroup(ring)].ring, ring);
        ASSERT_EQ(table[table.AxisGroup(ring)].minor, 0);
        ASSERT_EQ(table[table.CornerGroup(ring)].minor, ring);
    }

    // Every key below the listed limit has its offsets listed, in walk order.
    ASSERT_EQ(table.ListedBelowKey(), OffsetTable::kListedKeys);
    size_t listedCount = 0;
    const Offset* listed = table.ListedOffsets(listedCount);
    size_t expected = 0;
    for (size_t at = 0; plain[at].key < OffsetTable::kListedKeys; ++at) {
        const OffsetGroup& group = plain[at];
        for (int slot = group.FirstSlot(); slot < 8; slot += group.SlotStep(), ++expected) {
            ASSERT_LT(expected, listedCount);
            ASSERT_EQ(listed[expected].dx, group.At(slot).dx) << expected;
            ASSERT_EQ(listed[expected].dy, group.At(slot).dy) << expected;
        }
    }
    EXPECT_EQ(listedCount, expected);
}

}  // namespace
