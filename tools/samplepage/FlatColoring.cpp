#include "tools/samplepage/FlatColoring.h"

#include <cstddef>
#include <utility>

namespace oxlineart {
namespace {

struct Rgb {
    uint8_t red;
    uint8_t green;
    uint8_t blue;
};

// Index 0 is white paper; the rest are light enough that black line work on
// them stays the darkest thing on the page.
constexpr Rgb kPaperPalette[] = {
    {255, 255, 255}, {255, 224, 189}, {173, 216, 230}, {152, 224, 152},
    {255, 246, 180}, {255, 190, 200}, {221, 170, 221}, {176, 224, 230},
    {250, 225, 200}, {235, 225, 140}, {200, 240, 190}, {255, 210, 170},
    {215, 215, 250}, {150, 200, 245}, {250, 170, 140}, {215, 190, 150}};
constexpr int kPaletteSize = int(sizeof kPaperPalette / sizeof kPaperPalette[0]);

constexpr uint8_t kUnassigned = 255;

class AreaFiller {
public:
    AreaFiller(const InkCanvas& canvas, std::vector<uint8_t>& colors)
        : ink_(canvas.Ink()), width_(canvas.Width()), height_(canvas.Height()), colors_(colors) {}

    bool IsOpen(size_t index) const {
        return colors_[index] == kUnassigned && ink_[index] < kAreaInkLimit;
    }

    // Span fill: each popped seed is widened to the run of open pixels on its
    // row, painted, and the open runs touching it above and below are queued.
    void Fill(int seedColumn, int seedRow, uint8_t color) {
        seeds_.assign(1, {seedColumn, seedRow});
        while (!seeds_.empty()) {
            auto [column, row] = seeds_.back();
            seeds_.pop_back();
            size_t rowStart = size_t(row) * width_;
            if (!IsOpen(rowStart + column)) {
                continue;
            }
            int left = column;
            while (left > 0 && IsOpen(rowStart + left - 1)) {
                --left;
            }
            int right = column;
            while (right + 1 < width_ && IsOpen(rowStart + right + 1)) {
                ++right;
            }
            for (int x = left; x <= right; ++x) {
                colors_[rowStart + x] = color;
            }
            QueueRuns(row - 1, left, right);
            QueueRuns(row + 1, left, right);
        }
    }

private:
    void QueueRuns(int row, int left, int right) {
        if (row < 0 || row >= height_) {
            return;
        }
        size_t rowStart = size_t(row) * width_;
        bool inRun = false;
        for (int column = left; column <= right; ++column) {
            bool open = IsOpen(rowStart + column);
            if (open && !inRun) {
                seeds_.push_back({column, row});
            }
            inRun = open;
        }
    }

    const std::vector<uint8_t>& ink_;
    int width_;
    int height_;
    std::vector<uint8_t>& colors_;
    std::vector<std::pair<int, int>> seeds_;
};

// A line pixel beside an area takes the colour of its least inked area
// neighbour; one deeper in a line copies the pixel to its left or above, which
// matters little as its ink hides the paper.
void ColorLinePixels(const InkCanvas& canvas, std::vector<uint8_t>& colors) {
    int width = canvas.Width();
    int height = canvas.Height();
    const std::vector<uint8_t>& ink = canvas.Ink();
    for (int row = 0; row < height; ++row) {
        for (int column = 0; column < width; ++column) {
            size_t index = size_t(row) * width + column;
            if (ink[index] < kAreaInkLimit) {
                continue;
            }
            const std::pair<int, int> neighbours[] = {
                {column - 1, row}, {column + 1, row}, {column, row - 1}, {column, row + 1}};
            uint8_t leastInk = kAreaInkLimit;
            for (auto [x, y] : neighbours) {
                if (x < 0 || y < 0 || x >= width || y >= height) {
                    continue;
                }
                size_t neighbour = size_t(y) * width + x;
                if (ink[neighbour] < leastInk) {
                    leastInk = ink[neighbour];
                    colors[index] = colors[neighbour];
                }
            }
            if (colors[index] == kUnassigned) {
                colors[index] = column > 0 ? colors[index - 1]
                                : row > 0  ? colors[index - width]
                                           : 0;
            }
        }
    }
}

uint8_t Darkened(uint8_t paper, uint8_t ink) {
    return uint8_t((paper * (255 - ink) + 127) / 255);
}

// Paper seen through `ink` of colour `inkColor`; Darkened for black ink.
uint8_t Inked(uint8_t paper, uint8_t ink, uint8_t inkColor) {
    return uint8_t((paper * (255 - ink) + inkColor * ink + 127) / 255);
}

}  // namespace

std::vector<uint8_t> ColorAreas(const InkCanvas& canvas, Prng& prng) {
    std::vector<uint8_t> colors(canvas.Ink().size(), kUnassigned);
    AreaFiller filler(canvas, colors);
    bool first = true;
    for (int row = 0; row < canvas.Height(); ++row) {
        for (int column = 0; column < canvas.Width(); ++column) {
            if (filler.IsOpen(size_t(row) * canvas.Width() + column)) {
                uint8_t color = first ? 0 : uint8_t(1 + prng.Below(kPaletteSize - 1));
                filler.Fill(column, row, color);
                first = false;
            }
        }
    }
    ColorLinePixels(canvas, colors);
    return colors;
}

int CountAreas(const InkCanvas& canvas) {
    std::vector<uint8_t> colors(canvas.Ink().size(), kUnassigned);
    AreaFiller filler(canvas, colors);
    int count = 0;
    for (int row = 0; row < canvas.Height(); ++row) {
        for (int column = 0; column < canvas.Width(); ++column) {
            if (filler.IsOpen(size_t(row) * canvas.Width() + column)) {
                filler.Fill(column, row, 0);
                ++count;
            }
        }
    }
    return count;
}

oxhost::Document ComposePage(const InkCanvas& canvas, const std::vector<uint8_t>& paperColors,
                             const PageInk& pageInk) {
    const bool cmyk = pageInk.cmyk;
    oxhost::Document page;
    page.width = canvas.Width();
    page.height = canvas.Height();
    page.model = cmyk ? oxhost::ColorModel::CMYK : oxhost::ColorModel::RGB;
    page.hasAlpha = pageInk.transparentPaper;
    page.pixels.resize(page.RowBytes() * size_t(page.height));
    const std::vector<uint8_t>& ink = canvas.Ink();
    uint8_t* pixel = page.pixels.data();
    for (size_t index = 0; index < ink.size(); ++index, pixel += page.TotalPlanes()) {
        const Rgb& paper = kPaperPalette[paperColors.empty() ? 0 : paperColors[index]];
        if (cmyk) {
            // Stored CMY of the paper equal its RGB; the line ink drives them
            // towards 255 (no ink) while K takes the ink.
            pixel[0] = uint8_t(255 - Darkened(uint8_t(255 - paper.red), ink[index]));
            pixel[1] = uint8_t(255 - Darkened(uint8_t(255 - paper.green), ink[index]));
            pixel[2] = uint8_t(255 - Darkened(uint8_t(255 - paper.blue), ink[index]));
            pixel[3] = uint8_t(255 - ink[index]);
        } else if (pageInk.transparentPaper) {
            pixel[0] = pageInk.red;
            pixel[1] = pageInk.green;
            pixel[2] = pageInk.blue;
            pixel[3] = ink[index];
        } else {
            pixel[0] = Inked(paper.red, ink[index], pageInk.red);
            pixel[1] = Inked(paper.green, ink[index], pageInk.green);
            pixel[2] = Inked(paper.blue, ink[index], pageInk.blue);
        }
    }
    return page;
}

}  // namespace oxlineart
