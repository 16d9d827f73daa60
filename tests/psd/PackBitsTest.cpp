#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "host/image/PackBits.h"

namespace {

using Bytes = std::vector<uint8_t>;
using oxhost::AppendPackBits;

// The decoder as the format describes it; fails on -128, which a writer
// should never use, and on codes that run past the end.
bool DecodePackBits(const Bytes& code, Bytes& decoded) {
    decoded.clear();
    size_t index = 0;
    while (index < code.size()) {
        const int header = int8_t(code[index++]);
        if (header == -128) {
            return false;
        }
        if (header >= 0) {
            if (index + size_t(header) + 1 > code.size()) {
                return false;
            }
            decoded.insert(decoded.end(), code.begin() + index, code.begin() + index + header + 1);
            index += size_t(header) + 1;
        } else {
            if (index >= code.size()) {
                return false;
            }
            decoded.insert(decoded.end(), size_t(1 - header), code[index++]);
        }
    }
    return true;
}

Bytes Pack(const Bytes& row) {
    Bytes code;
    const size_t appended = AppendPackBits(row.data(), row.size(), code);
    EXPECT_EQ(appended, code.size());
    return code;
}

Bytes Distinct(size_t count) {
    Bytes bytes(count);
    for (size_t index = 0; index < count; ++index) {
        bytes[index] = uint8_t(index);
    }
    return bytes;
}

Bytes Joined(Bytes first, const Bytes& second) {
    first.insert(first.end(), second.begin(), second.end());
    return first;
}

TEST(PackBitsTest, RunsAndLiteralsSplitAt128) {
    EXPECT_EQ(Pack({}), Bytes{});
    EXPECT_EQ(Pack({7}), (Bytes{0x00, 7}));
    EXPECT_EQ(Pack({7, 7}), (Bytes{0xFF, 7}));
    EXPECT_EQ(Pack(Bytes(128, 7)), (Bytes{0x81, 7}));
    EXPECT_EQ(Pack(Bytes(129, 7)), (Bytes{0x81, 7, 0x00, 7}));
    EXPECT_EQ(Pack(Bytes(130, 7)), (Bytes{0x81, 7, 0xFF, 7}));
    // A pair inside a literal stays there; three equal bytes end it.
    EXPECT_EQ(Pack({1, 2, 2}), (Bytes{0x02, 1, 2, 2}));
    EXPECT_EQ(Pack({1, 2, 2, 2, 3}), (Bytes{0x00, 1, 0xFE, 2, 0x00, 3}));
    EXPECT_EQ(Pack(Distinct(128)), Joined({0x7F}, Distinct(128)));
    EXPECT_EQ(Pack(Distinct(129)), Joined(Joined({0x7F}, Distinct(128)), {0x00, 128}));
    // A flat row as wide as the format allows: two bytes per 128 pixels.
    EXPECT_EQ(Pack(Bytes(30000, 0)).size(), 2u * 235);
}

TEST(PackBitsTest, RandomRowsRoundTripWithinTheBound) {
    std::mt19937 random(12345);
    const size_t runLengths[] = {1, 1, 1, 2, 2, 3, 127, 128, 129, 130, 255, 256, 257};
    for (int trial = 0; trial < 2000; ++trial) {
        Bytes row;
        const int pieces = int(random() % 12);
        for (int piece = 0; piece < pieces; ++piece) {
            const size_t length = runLengths[random() % std::size(runLengths)];
            // Few values, so that neighbouring pieces sometimes merge.
            const bool noise = random() % 3 == 0;
            const uint8_t value = uint8_t(random() % 4);
            for (size_t index = 0; index < length; ++index) {
                row.push_back(noise ? uint8_t(random() % 3) : value);
            }
        }
        Bytes code{0xAA, 0xBB};  // appends after what is there
        const size_t appended = AppendPackBits(row.data(), row.size(), code);
        ASSERT_EQ(appended, code.size() - 2);
        ASSERT_EQ(code[0], 0xAA);
        ASSERT_LE(appended, oxhost::PackBitsBound(row.size()));
        Bytes decoded;
        ASSERT_TRUE(DecodePackBits(Bytes(code.begin() + 2, code.end()), decoded)) << trial;
        ASSERT_EQ(decoded, row) << trial;
    }
}

}  // namespace
