#include "host/flat/SameColourCheck.h"

#include <algorithm>
#include <utility>

#include "host/HostError.h"
#include "host/flat/DisjointSets.h"
#include "host/flat/DocumentPixels.h"

namespace oxhost {

namespace {

uint32_t PackedRgb(const uint8_t* pixel) {
    return uint32_t(pixel[0]) | uint32_t(pixel[1]) << 8 | uint32_t(pixel[2]) << 16;
}

// Per area, the provisional set of its first pixel in the flats' regions of
// equal colour; `sets` ends up holding how those sets joined.
std::vector<uint32_t> SeedRegions(const AreaLabels& labels, const Document& flats,
                                  DisjointSets& sets) {
    const int width = flats.width;
    // Areas by the scan position of their first pixel.
    std::vector<std::pair<size_t, uint32_t>> seeds;
    seeds.reserve(labels.areas.size());
    for (uint32_t area = 0; area < labels.areas.size(); ++area) {
        const AreaInfo& info = labels.areas[area];
        seeds.emplace_back(size_t(info.seedY) * size_t(width) + size_t(info.seedX), area);
    }
    std::sort(seeds.begin(), seeds.end());
    std::vector<uint32_t> seedSet(labels.areas.size(), 0);
    size_t nextSeed = 0;

    const size_t columns = size_t(width);
    std::vector<uint32_t> colourAbove(columns);
    std::vector<uint32_t> colour(columns);
    std::vector<uint32_t> setAbove(columns);
    std::vector<uint32_t> set(columns);
    for (int y = 0; y < flats.height; ++y) {
        for (int x = 0; x < width; ++x) {
            colour[size_t(x)] = PackedRgb(flats.Pixel(y, x));
        }
        for (int x = 0; x < width; ++x) {
            const bool sameAsLeft = x > 0 && colour[size_t(x)] == colour[size_t(x) - 1];
            const bool sameAsAbove = y > 0 && colour[size_t(x)] == colourAbove[size_t(x)];
            if (sameAsLeft && sameAsAbove) {
                const uint32_t left = set[size_t(x) - 1];
                const uint32_t above = setAbove[size_t(x)];
                set[size_t(x)] = left == above ? left : sets.Join(left, above);
            } else if (sameAsLeft) {
                set[size_t(x)] = set[size_t(x) - 1];
            } else if (sameAsAbove) {
                set[size_t(x)] = setAbove[size_t(x)];
            } else {
                set[size_t(x)] = sets.Add();
            }
            const size_t position = size_t(y) * size_t(width) + size_t(x);
            while (nextSeed < seeds.size() && seeds[nextSeed].first == position) {
                seedSet[seeds[nextSeed].second] = set[size_t(x)];
                ++nextSeed;
            }
        }
        std::swap(colour, colourAbove);
        std::swap(set, setAbove);
    }
    return seedSet;
}

}  // namespace

std::vector<MergedAreas> FindMergedAreas(const AreaLabels& labels, const Document& flats,
                                         size_t maxPairs) {
    RequireWholeDocument(flats, "flats");
    if (flats.model != ColorModel::RGB || flats.width != labels.width ||
        flats.height != labels.height) {
        throw HostError("flats: not an RGB image of the prepared page's size");
    }
    for (const AreaInfo& info : labels.areas) {
        if (info.seedX < 0 || info.seedY < 0 || info.seedX >= flats.width ||
            info.seedY >= flats.height) {
            throw HostError("area labels: an area's first pixel lies outside the image");
        }
    }
    DisjointSets sets;
    const std::vector<uint32_t> seedSet = SeedRegions(labels, flats, sets);

    // Areas grouped by the region their first pixel ended in, lowest area first.
    std::vector<std::pair<uint32_t, uint32_t>> regionOfArea;
    regionOfArea.reserve(seedSet.size());
    for (uint32_t area = 0; area < seedSet.size(); ++area) {
        regionOfArea.emplace_back(sets.Find(seedSet[area]), area);
    }
    std::sort(regionOfArea.begin(), regionOfArea.end());
    std::vector<MergedAreas> pairs;
    for (size_t start = 0; start < regionOfArea.size();) {
        size_t end = start + 1;
        while (end < regionOfArea.size() && regionOfArea[end].first == regionOfArea[start].first) {
            ++end;
        }
        const uint32_t first = regionOfArea[start].second;
        const AreaInfo& seed = labels.areas[first];
        const uint8_t* rgb = flats.Pixel(seed.seedY, seed.seedX);
        for (size_t other = start + 1; other < end; ++other) {
            pairs.push_back(
                MergedAreas{first, regionOfArea[other].second, {rgb[0], rgb[1], rgb[2]}});
        }
        start = end;
    }
    // Regions are numbered by their first pixel, not by their lowest area.
    std::stable_sort(pairs.begin(), pairs.end(),
                     [](const MergedAreas& a, const MergedAreas& b) { return a.first < b.first; });
    if (pairs.size() > maxPairs) {
        pairs.resize(maxPairs);
    }
    return pairs;
}

size_t CountDistinctColours(const Document& flats) {
    RequireWholeDocument(flats, "flats");
    const size_t count = size_t(flats.width) * size_t(flats.height);
    const size_t planes = size_t(flats.TotalPlanes());
    if (flats.model == ColorModel::RGB) {
        std::vector<uint64_t> seen(size_t(1) << 18, 0);  // one bit per 24-bit colour
        size_t distinct = 0;
        for (size_t i = 0; i < count; ++i) {
            const uint32_t rgb = PackedRgb(flats.pixels.data() + i * planes);
            uint64_t& word = seen[rgb >> 6];
            const uint64_t bit = uint64_t(1) << (rgb & 63);
            distinct += (word & bit) == 0 ? 1 : 0;
            word |= bit;
        }
        return distinct;
    }
    std::vector<uint32_t> colours(count);
    for (size_t i = 0; i < count; ++i) {
        const uint8_t* pixel = flats.pixels.data() + i * planes;
        colours[i] = PackedRgb(pixel) | uint32_t(pixel[3]) << 24;
    }
    std::sort(colours.begin(), colours.end());
    return size_t(std::unique(colours.begin(), colours.end()) - colours.begin());
}

}  // namespace oxhost
