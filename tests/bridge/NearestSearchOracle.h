// An independent, deliberately plain nearest-first search: an ordered
// multimap filled one ring at a time exactly as the offsets are specified,
// walked with an iterator. The tests compare the fast search against it.
#pragma once

#include <cstdint>
#include <map>
#include <utility>

class NearestSearchOracle {
public:
    int boundTop = 0, boundLeft = 0, boundBottom = 0, boundRight = 0;

    NearestSearchOracle() {
        cursor = table.end();
        for (int i = 0; i < 10; ++i) {
            AddRing();
        }
    }

    void AddRing() {
        const int r = ++ringCount;
        ringKey = uint32_t(r) * uint32_t(r);
        auto hint = cursor;
        for (int i = 0; i <= r; ++i) {
            const uint32_t key = uint32_t(r * r + i * i);
            const std::pair<int, int> eight[8] = {{-i, r}, {-r, i}, {-r, -i}, {-i, -r},
                                                  {i, -r}, {r, -i}, {r, i},   {i, r}};
            for (int k = 0; k < 8; ++k) {
                const bool edge = (i == 0 || i == r);
                if (edge && k % 2 == 0) {
                    continue;
                }
                // Insert after every entry of the same key, whatever the hint.
                hint = table.insert(table.upper_bound(key), {key, eight[k]});
            }
        }
    }

    bool Begin(int& dx, int& dy, uint16_t startRadius) {
        const uint32_t key = uint32_t(startRadius) * startRadius;
        cursor = table.begin();
        if (key != 0) {
            auto found = table.find(key);
            if (found != table.end()) {
                cursor = table.lower_bound(key);
            }
        }
        return Next(dx, dy);
    }

    bool Next(int& dx, int& dy) {
        for (int tries = 0; tries < 8; ++tries) {
            if (cursor->first > ringKey) {
                const uint32_t previous = ringKey;
                AddRing();
                cursor = table.upper_bound(previous);
            }
            dx = cursor->second.first;
            dy = cursor->second.second;
            ++cursor;
            if (boundTop <= dy && dy <= boundBottom && boundLeft <= dx && dx <= boundRight) {
                return true;
            }
        }
        return false;
    }

    int ringCount = 0;
    uint32_t ringKey = 0;

private:
    std::multimap<uint32_t, std::pair<int, int>> table;
    std::multimap<uint32_t, std::pair<int, int>>::iterator cursor;
};
