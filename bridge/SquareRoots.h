// Integer squares and square roots for reasoning about squared distances.
#pragma once

#include <cmath>
#include <cstdint>

inline uint64_t Square64(uint64_t value) {
    return value * value;
}

// The largest r with r * r <= value (value below 2^52).
inline uint32_t IntegerSquareRoot(uint64_t value) {
    // Exact to within one for values below 2^52.
    uint64_t root = uint64_t(std::sqrt(double(value)));
    if (root * root > value) {
        --root;
    } else if ((root + 1) * (root + 1) <= value) {
        ++root;
    }
    return uint32_t(root);
}

// The smallest r with r * r >= value.
inline uint32_t CeilingSquareRoot(uint64_t value) {
    const uint32_t root = IntegerSquareRoot(value);
    return Square64(root) < value ? root + 1 : root;
}

// IntegerSquareRoot by table for the small values that near searches meet.
inline uint32_t SmallIntegerSquareRoot(uint32_t value) {
    constexpr uint32_t kSmall = 1u << 14;
    struct Roots {
        uint8_t of[kSmall];
        Roots() {
            for (uint32_t root = 0, v = 0; v < kSmall; ++v) {
                if ((root + 1) * (root + 1) <= v) {
                    ++root;
                }
                of[v] = uint8_t(root);
            }
        }
    };
    static const Roots roots;
    return value < kSmall ? roots.of[value] : IntegerSquareRoot(value);
}
