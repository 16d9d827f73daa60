// The plainest 4-connected flood fill, for the test oracles: paints every
// pixel reachable from (y, x) through pixels `inside` accepts, breadth first,
// and gives their count and bounding box.
#pragma once

#include <algorithm>
#include <cstdint>
#include <deque>
#include <utility>

struct OracleArea {
    uint32_t pixels = 0;
    int left, top, right, bottom;
};

template <typename Inside, typename Paint>
OracleArea BreadthFirstFill(int width, int height, int y, int x, Inside inside, Paint paint) {
    OracleArea area{0, x, y, x, y};
    if (!inside(y, x)) {
        return area;
    }
    std::deque<std::pair<int, int>> queue{{y, x}};
    paint(y, x);
    while (!queue.empty()) {
        const auto at = queue.front();
        queue.pop_front();
        ++area.pixels;
        area.left = std::min(area.left, at.second);
        area.right = std::max(area.right, at.second);
        area.top = std::min(area.top, at.first);
        area.bottom = std::max(area.bottom, at.first);
        const int steps[4][2] = {{0, -1}, {0, 1}, {-1, 0}, {1, 0}};
        for (const auto& step : steps) {
            const int ny = at.first + step[0];
            const int nx = at.second + step[1];
            if (ny >= 0 && ny < height && nx >= 0 && nx < width && inside(ny, nx)) {
                paint(ny, nx);
                queue.push_back({ny, nx});
            }
        }
    }
    return area;
}
