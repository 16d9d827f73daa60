// The largest value of any range of a fixed array in constant time, and the
// first value above a bound from an index on in logarithmic time: a sparse
// table, row k holding the maximum of every run of 2^k values (n log n
// values of memory).
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

class RangeMaximum {
public:
    void Assign(const std::vector<uint16_t>& values) {
        rows.assign(1, values);
        for (size_t width = 1; 2 * width <= values.size(); width *= 2) {
            const std::vector<uint16_t>& below = rows.back();
            std::vector<uint16_t> row(values.size() - 2 * width + 1);
            for (size_t i = 0; i < row.size(); ++i) {
                row[i] = below[i] < below[i + width] ? below[i + width] : below[i];
            }
            rows.push_back(std::move(row));
        }
    }

    // The largest value of [first, last]; requires first <= last < size.
    uint16_t Max(size_t first, size_t last) const {
        const size_t k = size_t(63 - __builtin_clzll(uint64_t(last - first + 1)));
        const uint16_t a = rows[k][first];
        const uint16_t b = rows[k][last + 1 - (size_t(1) << k)];
        return a < b ? b : a;
    }

    // The first index in [first, last] whose value exceeds `bound`; last + 1
    // when there is none. Requires last < the array's size.
    size_t FirstAbove(size_t first, size_t last, uint16_t bound) const {
        if (first > last || Max(first, last) <= bound) {
            return last + 1;
        }
        // Grow the stretch known to stay within the bound, largest steps first.
        size_t at = first;
        for (size_t k = rows.size(); k-- > 0;) {
            const size_t width = size_t(1) << k;
            if (at + width - 1 <= last && rows[k][at] <= bound) {
                at += width;
            }
        }
        return at;
    }

private:
    std::vector<std::vector<uint16_t>> rows;
};
