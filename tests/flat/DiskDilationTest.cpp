#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <vector>

#include "host/flat/DiskDilation.h"

namespace {

using oxhost::DistanceTo;

// Every pixel against every set pixel.
std::vector<uint8_t> PlainWithinDistance(const std::vector<uint8_t>& bytes, DistanceTo set,
                                         int width, int height, uint64_t maxSquaredDistance) {
    std::vector<uint8_t> within(bytes.size(), 0);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            for (int sy = 0; sy < height; ++sy) {
                for (int sx = 0; sx < width; ++sx) {
                    const bool isSet = (bytes[size_t(sy) * size_t(width) + size_t(sx)] != 0) ==
                                       (set == DistanceTo::NonzeroPixels);
                    const uint64_t squared = uint64_t((x - sx) * (x - sx) + (y - sy) * (y - sy));
                    if (isSet && squared <= maxSquaredDistance) {
                        within[size_t(y) * size_t(width) + size_t(x)] = 1;
                    }
                }
            }
        }
    }
    return within;
}

TEST(WithinDistance, MatchesEveryPairOnRandomMasks) {
    std::mt19937 random(11);
    const int sizes[][2] = {{1, 1}, {1, 17}, {19, 1}, {23, 17}, {40, 31}};
    const uint64_t squares[] = {0, 1, 2, 5, 6, 12, 30, 200, 1u << 30};
    for (const auto& size : sizes) {
        for (int density : {2, 15, 60, 97}) {  // percent of nonzero pixels
            std::vector<uint8_t> bytes(size_t(size[0]) * size_t(size[1]));
            for (uint8_t& byte : bytes) {
                byte = int(random() % 100) < density ? uint8_t(1 + random() % 3) : 0;
            }
            for (DistanceTo set : {DistanceTo::NonzeroPixels, DistanceTo::ZeroPixels}) {
                for (uint64_t square : squares) {
                    EXPECT_EQ(oxhost::WithinDistance(bytes, set, size[0], size[1], square),
                              PlainWithinDistance(bytes, set, size[0], size[1], square))
                        << size[0] << " x " << size[1] << ", " << density << "%, d^2 <= " << square
                        << (set == DistanceTo::ZeroPixels ? ", to zeros" : "");
                }
            }
        }
    }
}

TEST(WithinDistance, NothingNearAnEmptySetAndNothingForAnEmptyPage) {
    EXPECT_EQ(
        oxhost::WithinDistance(std::vector<uint8_t>(12, 0), DistanceTo::NonzeroPixels, 4, 3, 100),
        std::vector<uint8_t>(12, 0));
    EXPECT_TRUE(oxhost::WithinDistance({}, DistanceTo::NonzeroPixels, 0, 0, 100).empty());
}

}  // namespace
