// A small seeded random generator (splitmix64), so that a page depends only
// on its seed, whatever the standard library.
#pragma once

#include <cstdint>

namespace oxlineart {

class Prng {
public:
    explicit Prng(uint64_t seed) : state_(seed) {}

    uint64_t Next() {
        uint64_t value = (state_ += 0x9E3779B97F4A7C15u);
        value = (value ^ (value >> 30)) * 0xBF58476D1CE4E5B9u;
        value = (value ^ (value >> 27)) * 0x94D049BB133111EBu;
        return value ^ (value >> 31);
    }
    // In [0, 1).
    double Uniform() { return double(Next() >> 11) * (1.0 / 9007199254740992.0); }
    // In [low, high).
    double Uniform(double low, double high) { return low + (high - low) * Uniform(); }
    // In [0, count); count > 0.
    int Below(int count) { return int(Next() % uint64_t(count)); }
    bool Chance(double probability) { return Uniform() < probability; }

private:
    uint64_t state_;
};

}  // namespace oxlineart
