#include "host/flat/ComponentRuns.h"

#include <cstring>

#include "host/flat/DisjointSets.h"

namespace oxhost {

namespace {

constexpr uint64_t kEveryByteOne = 0x0101010101010101u;
constexpr uint64_t kEveryByteHigh = 0x8080808080808080u;

uint64_t EightBytes(const uint8_t* bytes) {
    uint64_t word;
    std::memcpy(&word, bytes, sizeof word);
    return word;
}

// Whether some byte of `word` is zero (exact: borrows only pass zero bytes).
bool HasZeroByte(uint64_t word) {
    return ((word - kEveryByteOne) & ~word & kEveryByteHigh) != 0;
}

// The first pixel of row[from, width) equal to `member`, or width.
int SkipOthers(const uint8_t* row, int from, int width, uint8_t member) {
    const uint64_t members = kEveryByteOne * member;
    int x = from;
    while (x + 8 <= width && !HasZeroByte(EightBytes(row + x) ^ members)) {
        x += 8;
    }
    while (x < width && row[x] != member) {
        ++x;
    }
    return x;
}

// The first pixel of row[from, width) not equal to `member`, or width.
int SkipMembers(const uint8_t* row, int from, int width, uint8_t member) {
    const uint64_t members = kEveryByteOne * member;
    int x = from;
    while (x + 8 <= width && EightBytes(row + x) == members) {
        x += 8;
    }
    while (x < width && row[x] == member) {
        ++x;
    }
    return x;
}

}  // namespace

ComponentRuns LabelComponentRuns(const std::vector<uint8_t>& bytes, int width, int height,
                                 uint8_t member) {
    ComponentRuns result;
    DisjointSets sets;  // `component` holds the provisional set until the end
    size_t aboveBegin = 0;
    size_t aboveEnd = 0;
    for (int y = 0; y < height; ++y) {
        const uint8_t* row = bytes.data() + size_t(y) * size_t(width);
        size_t next = aboveBegin;  // first run above that may still touch a run of this row
        for (int begin = SkipOthers(row, 0, width, member); begin < width;
             begin = SkipOthers(row, begin, width, member)) {
            const int end = SkipMembers(row, begin, width, member);
            while (next < aboveEnd && result.runs[next].end <= begin) {
                ++next;
            }
            bool joined = false;
            uint32_t set = 0;
            for (size_t k = next; k < aboveEnd && result.runs[k].begin < end; ++k) {
                set = joined ? sets.Join(set, result.runs[k].component) : result.runs[k].component;
                joined = true;
            }
            result.runs.push_back(ComponentRun{y, begin, end, joined ? set : sets.Add()});
            begin = end;
        }
        aboveBegin = aboveEnd;
        aboveEnd = result.runs.size();
    }

    // A set's root is its smallest member, made by the component's first
    // run, so numbering roots in order numbers components in scan order.
    std::vector<uint32_t> component(sets.Size());
    for (uint32_t set = 0; set < sets.Size(); ++set) {
        const uint32_t root = sets.Find(set);
        component[set] = root == set ? ++result.count : component[root];
    }
    for (ComponentRun& run : result.runs) {
        run.component = component[run.component];
    }
    return result;
}

}  // namespace oxhost
