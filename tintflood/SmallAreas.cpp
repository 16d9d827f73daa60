// Small areas: flagged with the marker colour, or queued and later joined to
// the colour of the nearest normal area around them.
#include <algorithm>
#include <memory>
#include <queue>
#include <type_traits>
#include <vector>

#include "AreaRuns.h"
#include "ImageAccess.h"
#include "ImageModes.h"
#include "NearestSearch.h"
#include "TintfloodPlugin.h"

namespace {

// Where the pixels lie that could give a queued area its colour (sources:
// neither black nor flag-coloured nor too dark), kept coarsely: one flag per
// block of 8 x 8 pixels, per block of 8 x 8 such blocks, and so on up. A
// seed whose search would walk far asks for the squared distance of its
// nearest source instead, found best first through the blocks (exact, and
// quick however far the source is, or when there is none). Sources only
// appear during the joining pass, as areas take a colour; the flags follow.
class JoinSources {
public:
    // anySource(left, top, end, bottom): whether columns left to end - 1 of
    // rows top to bottom - 1 hold a source.
    template <typename AnySource>
    JoinSources(uint32_t width, uint32_t height, AnySource anySource)
        : width(width), height(height) {
        for (uint32_t w = width, h = height;;) {
            w = (w + 7) / 8;
            h = (h + 7) / 8;
            levels.push_back(Level{w, h, std::vector<uint8_t>(size_t(w) * h, 0)});
            if (w == 1 && h == 1) {
                break;
            }
        }
        // A block holding a source is marked, and the blocks above it.
        for (uint32_t by = 0; by < levels[0].height; ++by) {
            for (uint32_t bx = 0; bx < levels[0].width; ++bx) {
                if (anySource(bx * 8, by * 8, std::min(width, bx * 8 + 8),
                              std::min(height, by * 8 + 8))) {
                    Add(bx * 8, by * 8);
                }
            }
        }
    }

    void Add(uint32_t x, uint32_t y) {
        for (Level& level : levels) {
            x /= 8;
            y /= 8;
            uint8_t& flag = level.flags[size_t(y) * level.width + x];
            if (flag != 0) {
                return;
            }
            flag = 1;
        }
    }

    // The squared distance from (x, y) to the nearest source; false when
    // there is none.
    template <typename IsSource>
    bool Nearest(uint32_t x, uint32_t y, IsSource isSource, uint32_t& squaredDistance) {
        uint64_t best = ~uint64_t(0);
        pending = Queue();
        const int top = int(levels.size()) - 1;
        if (levels[size_t(top)].flags[0] != 0) {
            pending.push(Block{Reach(x, y, top, 0, 0), top, 0, 0});
        }
        while (!pending.empty() && pending.top().reach < best) {
            const Block block = pending.top();
            pending.pop();
            const uint32_t side = 8;
            if (block.level == 0) {
                for (uint32_t py = block.y * side; py < std::min(height, (block.y + 1) * side);
                     ++py) {
                    for (uint32_t px = block.x * side; px < std::min(width, (block.x + 1) * side);
                         ++px) {
                        const uint64_t reach = Square(int64_t(px) - x) + Square(int64_t(py) - y);
                        if (reach < best && isSource(px, py)) {
                            best = reach;
                        }
                    }
                }
                continue;
            }
            const Level& below = levels[size_t(block.level - 1)];
            for (uint32_t by = block.y * side; by < std::min(below.height, (block.y + 1) * side);
                 ++by) {
                for (uint32_t bx = block.x * side; bx < std::min(below.width, (block.x + 1) * side);
                     ++bx) {
                    if (below.flags[size_t(by) * below.width + bx] != 0) {
                        const uint64_t reach = Reach(x, y, block.level - 1, bx, by);
                        if (reach < best) {
                            pending.push(Block{reach, block.level - 1, bx, by});
                        }
                    }
                }
            }
        }
        squaredDistance = uint32_t(std::min<uint64_t>(best, ~uint32_t(0)));
        return best != ~uint64_t(0);
    }

private:
    struct Level {
        uint32_t width;  // in blocks
        uint32_t height;
        std::vector<uint8_t> flags;
    };
    struct Block {
        uint64_t reach;  // squared distance from the centre to the block's nearest pixel
        int level;
        uint32_t x;
        uint32_t y;
        bool operator<(const Block& other) const { return reach > other.reach; }
    };
    using Queue = std::priority_queue<Block>;

    static uint64_t Square(int64_t value) { return uint64_t(value * value); }

    // Squared distance from (x, y) to block (bx, by) of a level.
    static uint64_t Reach(uint32_t x, uint32_t y, int level, uint32_t bx, uint32_t by) {
        const int shift = 3 * (level + 1);
        const auto gap = [shift](uint32_t at, uint32_t block) {
            const int64_t first = int64_t(block) << shift;
            const int64_t last = first + (int64_t(1) << shift) - 1;
            return at < first ? first - at : at > last ? at - last : 0;
        };
        return Square(gap(x, bx)) + Square(gap(y, by));
    }

    uint32_t width;
    uint32_t height;
    std::vector<Level> levels;  // from blocks of 8 x 8 pixels up to one block
    Queue pending;
};

// Whether columns left to end - 1 (at most 8) of rows top to bottom - 1 hold
// a source: a pixel in neither the flag range nor the range of colours too
// dark to fill with, which is the usable test of a fill colour.
template <typename Rows>
bool AnySourceIn(const Rows& flagRows, const Rows& darkRows, int32_t left, int32_t top, int32_t end,
                 int32_t bottom) {
    const uint64_t blockBits = (uint64_t(1) << ((end - left) * Rows::kBitsPerPixel)) - 1;
    for (int32_t y = top; y < bottom; ++y) {
        const uint8_t* row = flagRows.Row(y);
        if (left + kBlockPixels <= flagRows.Width()) {
            const uint64_t taken = flagRows.BlockBits(row, left) | darkRows.BlockBits(row, left);
            if ((~taken & Rows::kPixelBits & blockBits) != 0) {
                return true;
            }
            continue;
        }
        for (int32_t x = left; x < end; ++x) {
            if (!flagRows.Contains(row, x) && !darkRows.Contains(row, x)) {
                return true;
            }
        }
    }
    return false;
}

// Work between two looks at the host's abort (candidates examined, pixels
// painted), and how far a search walks before it asks for the nearest source.
constexpr uint32_t kWorkBetweenChecks = 1u << 16;
constexpr uint32_t kShortWalk = 64;

}  // namespace

bool TintfloodPlugin::IsSmall(uint32_t limit) const {
    if (settings.measureArea) {
        return areaPixels <= limit;
    }
    return uint32_t(areaRight - areaLeft) < limit && uint32_t(areaBottom - areaTop) < limit;
}

void TintfloodPlugin::HandleSmallArea(uint16_t column, uint16_t row) {
    const bool flag = settings.flagAreas && IsSmall(settings.flagSize);
    const bool join = settings.joinAreas && IsSmall(settings.joinSize);
    if (join) {
        AddJoinSeed(column, row);
    }
    if (!flag && !join) {
        return;
    }
    // The range becomes exactly the colour just painted, so the refill
    // covers this area and nothing else.
    for (int k = 0; k < 4; ++k) {
        range.low[k] = range.high[k] = areaColor[k];
    }
    ConvertRGBColor(settings.flagColor, areaColor);
    if (IsUsableFillColor()) {
        FillArea(column, row);
    }
    SetRange(settings.fillColor, settings.tolerance);
}

void TintfloodPlugin::AddJoinSeed(uint16_t column, uint16_t row) {
    joinSeeds.push_back((PackedPoint(row) << 16) | PackedPoint(column));
}

// Whether the pixel could give a queued area its colour: the joining walk
// passes over black pixels and flag-coloured ones, and takes the first
// other pixel whose colour is a usable fill colour. Black is never usable,
// so this is the usable test alone. It leaves areaColor holding the pixel.
bool TintfloodPlugin::IsJoinSource(const uint8_t* pixel) {
    for (uint8_t k = 0; k < channelCount && k < 4; ++k) {
        areaColor[k] = pixel[k * planeStep];
    }
    return IsUsableFillColor();
}

bool TintfloodPlugin::JoinSmallAreas(bool stoppable) {
    SetRange(settings.flagColor, 0);
    FilterRecord* record = filterRecord;
    const uint32_t width = uint32_t(record->outRect.right);
    const uint32_t height = uint32_t(record->outRect.bottom);
    // The usable test reads the fourth channel of CMYK colours; with fewer
    // channels that one is left over from elsewhere and the walk is followed
    // as it is.
    const bool sourcesKnowable = !(record->imageMode == plugInModeCMYKColor && channelCount < 4);
    const auto isSource = [this](uint32_t x, uint32_t y) {
        return IsJoinSource(PixelAddress(x, y));
    };
    // The blocks holding a source, found a row of a block at once.
    const auto findSources = [&]() {
        const PixelBuffer buffer = DeliveredOutput(record, channelCount);
        const ColorRange dark = TooDarkRange(record->imageMode == plugInModeCMYKColor);
        return WithPixelRows(buffer, LayoutOf(buffer), range, areaColor, [&](const auto& flagRows) {
            using Rows = std::decay_t<decltype(flagRows)>;
            const Rows darkRows(buffer, dark, areaColor);
            return std::make_unique<JoinSources>(
                width, height, [&](uint32_t left, uint32_t top, uint32_t end, uint32_t bottom) {
                    return AnySourceIn(flagRows, darkRows, int32_t(left), int32_t(top),
                                       int32_t(end), int32_t(bottom));
                });
        });
    };
    std::unique_ptr<JoinSources> sources;

    NearestSearch search;
    uint32_t work = 0;
    for (size_t done = 0; done < joinSeeds.size(); ++done) {
        if (stoppable && work >= kWorkBetweenChecks) {
            work = 0;
            if (ReportProgressAndTestAbort(record, int32_t(done), int32_t(joinSeeds.size()))) {
                return false;
            }
        }
        const PackedPoint seed = joinSeeds[done];
        const uint32_t column = seed & 0xFFFF;
        const uint32_t row = seed >> 16;
        // An area that took a colour already (or never took the flag colour)
        // is not flag-coloured at its seed: its fill would paint nothing.
        if (!range.Contains(PixelAddress(column, row), channelCount, planeStep)) {
            continue;
        }
        search.boundTop = -int32_t(row);
        search.boundLeft = -int32_t(column);
        search.boundBottom = int32_t(height) - 1 - int32_t(row);
        search.boundRight = int32_t(width) - 1 - int32_t(column);

        // The walk of the joining pass, nearest first; a far one starts again
        // knowing the distance of the nearest source: the offsets nearer, none
        // of which could serve, are passed at once.
        int dx = 0;
        int dy = 0;
        bool more = search.Begin(dx, dy, 0);
        bool found = false;
        for (uint32_t walked = 0; more; more = search.Next(dx, dy)) {
            ++work;
            if (++walked == kShortWalk && sourcesKnowable) {
                if (!sources) {
                    sources = findSources();
                    work += width * height / 16;
                }
                uint32_t nearest = 0;
                if (sources->Nearest(column, row, isSource, nearest)) {
                    const auto isSourceAt = [this, column, row](int offsetX, int offsetY) {
                        return IsJoinSource(PixelAddress(column + offsetX, row + offsetY));
                    };
                    const NearestSearch::Outcome outcome =
                        search.FirstWanted(nearest, 0, false, isSourceAt);
                    // The search may ask about pixels past the one it hands
                    // out: areaColor must be that one's again.
                    found = outcome.found && IsJoinSource(PixelAddress(column + outcome.offset.dx,
                                                                       row + outcome.offset.dy));
                    work += kShortWalk;
                }
                break;
            }
            if (IsJoinSource(PixelAddress(column + dx, row + dy))) {
                found = true;
                break;
            }
        }
        if (found) {
            // The area takes the source's colour; its pixels become sources.
            FillAreaByRuns(*this, uint16_t(column), uint16_t(row),
                           [&sources, &work](int32_t runRow, int32_t left, int32_t end) {
                               work += uint32_t(end - left);
                               if (!sources) {
                                   return;
                               }
                               for (int32_t x = left; x < end; ++x) {
                                   sources->Add(uint32_t(x), uint32_t(runRow));
                               }
                           });
        }
    }
    return true;
}
