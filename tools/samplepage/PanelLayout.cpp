#include "tools/samplepage/PanelLayout.h"

#include <algorithm>
#include <cmath>

namespace oxlineart {
namespace {

// Sizes that add up to `total`, each a random share near total / count.
std::vector<double> RandomShares(int count, double total, Prng& prng) {
    std::vector<double> shares(count);
    double sum = 0;
    for (double& share : shares) {
        share = prng.Uniform(0.75, 1.3);
        sum += share;
    }
    for (double& share : shares) {
        share *= total / sum;
    }
    return shares;
}

}  // namespace

std::vector<Box> LayoutPanels(int pageWidth, int pageHeight, Prng& prng) {
    double shortSide = std::min(pageWidth, pageHeight);
    double margin = std::max(4.0, shortSide * 0.04);
    double gutter = std::max(3.0, shortSide * 0.025);
    int rows = std::clamp(int(std::lround(pageHeight / 420.0)), 2, 8);
    // Enough columns that panels stay roughly square on average.
    int mostColumns = std::clamp(int(std::lround(1.2 * rows * pageWidth / pageHeight)), 2, 10);
    int fewestColumns = std::max(1, mostColumns / 2);

    std::vector<double> rowHeights =
        RandomShares(rows, pageHeight - 2 * margin - gutter * (rows - 1), prng);
    std::vector<Box> panels;
    double top = margin;
    for (double rowHeight : rowHeights) {
        int columns = fewestColumns + prng.Below(mostColumns - fewestColumns + 1);
        std::vector<double> columnWidths =
            RandomShares(columns, pageWidth - 2 * margin - gutter * (columns - 1), prng);
        double left = margin;
        for (double columnWidth : columnWidths) {
            panels.push_back({left, top, left + columnWidth, top + rowHeight});
            left += columnWidth + gutter;
        }
        top += rowHeight + gutter;
    }
    return panels;
}

}  // namespace oxlineart
