// The preparation steps of `oxhost flat` on a generated line-art page of
// about 52 megapixels (anti-aliased black lines of 1-10 px, with a few filled
// black blobs for the solid-black step), each step timed alone, then the
// checks and composites run on flats made up from the page's areas.
#include <cstdio>
#include <ctime>
#include <vector>

#include "BenchPage.h"
#include "BenchSupport.h"
#include "host/flat/AreaLabels.h"
#include "host/flat/Composite.h"
#include "host/flat/GapClosing.h"
#include "host/flat/LineExtraction.h"
#include "host/flat/PreparedPage.h"
#include "host/flat/SameColourCheck.h"
#include "host/flat/SolidBlack.h"
#include "tools/samplepage/LineArt.h"

namespace {

using oxbench::Stopwatch;
using oxhost::Document;

// Wall time, and processor time besides: on a machine shared with other
// work the second is the fairer figure (the steps run on one thread).
class StepTimer {
public:
    double WallSeconds() const { return wall.Seconds(); }
    double CpuSeconds() const { return double(std::clock() - cpuStart) / CLOCKS_PER_SEC; }

private:
    Stopwatch wall;
    std::clock_t cpuStart = std::clock();
};

double totalWall = 0;
double totalCpu = 0;

void Report(const char* step, double megapixels, const StepTimer& timer, const char* note = "",
            bool counted = true) {
    const double wall = timer.WallSeconds();
    const double cpu = timer.CpuSeconds();
    if (counted) {
        totalWall += wall;
        totalCpu += cpu;
    }
    std::printf("%-22s %7.3f s wall %7.3f s cpu %8.1f MP/s (cpu)  %s\n", step, wall, cpu,
                megapixels / cpu, note);
}

Document PageWithBlacks(int width, int height) {
    oxlineart::LineArtOptions options;
    options.width = width;
    options.height = height;
    options.seed = 2026;
    Document page = oxlineart::DrawLineArtPage(options);
    // Filled squares, as dark hair or shadows would be, over the drawing.
    const int side = width / 40;
    for (int blob = 0; blob < 12; ++blob) {
        const int left = (blob * 7919) % (width - side);
        const int top = (blob * 104729) % (height - side);
        for (int y = top; y < top + side; ++y) {
            for (int x = left; x < left + side; ++x) {
                uint8_t* pixel = page.Pixel(y, x);
                pixel[0] = pixel[1] = pixel[2] = 0;
            }
        }
    }
    return page;
}

// Flats as the filters might leave them: each area one of 64 colours, ink
// taken by the area to its left, so areas of one colour side by side across
// a line run together now and then.
Document MadeUpFlats(const oxhost::AreaLabels& labels) {
    Document flats;
    flats.width = labels.width;
    flats.height = labels.height;
    flats.pixels.resize(labels.label.size() * 3);
    for (int y = 0; y < labels.height; ++y) {
        uint32_t area = 0;
        for (int x = 0; x < labels.width; ++x) {
            const uint32_t own = labels.label[size_t(y) * size_t(labels.width) + size_t(x)];
            area = own != 0 ? own : area;
            uint8_t* pixel = flats.Pixel(y, x);
            pixel[0] = uint8_t(area % 64 * 4);
            pixel[1] = uint8_t(area % 8 * 32);
            pixel[2] = 128;
        }
    }
    return flats;
}

}  // namespace

int main(int argc, char** argv) {
    const char* usage =
        "usage: flat_prepare_bench [--quick]\n\n"
        "Prints the time and throughput of each step that prepares a page for\n"
        "the two filters, on a generated page of about 52 megapixels (--quick: 4).\n";
    oxbench::BenchOptions options;
    int exitStatus = 0;
    if (!oxbench::ParseBenchOptions(argc, argv, usage, options, exitStatus)) {
        return exitStatus;
    }
    const auto [width, height] = oxbench::BenchPageSize(options.quick);
    const double megapixels = double(width) * height / 1e6;

    Stopwatch drawing;
    const Document page = PageWithBlacks(width, height);
    std::printf("(drew the %.1f MP page in %.1f s)\n", megapixels, drawing.Seconds());

    StepTimer watch;
    const std::vector<uint8_t> darkness = oxhost::PixelDarkness(page);
    Report("PixelDarkness", megapixels, watch);
    watch = StepTimer();
    const int threshold = oxhost::OtsuThreshold(darkness);
    char note[96];
    std::snprintf(note, sizeof note, "threshold %d", threshold);
    Report("OtsuThreshold", megapixels, watch, note);
    watch = StepTimer();
    oxhost::InkMask mask = oxhost::ThresholdInk(darkness, width, height, threshold);
    Report("ThresholdInk", megapixels, watch);
    for (int gapWidth : {oxhost::kDefaultGapWidth, 16}) {
        size_t added = 0;
        watch = StepTimer();
        const oxhost::InkMask closed = oxhost::CloseGaps(mask, gapWidth, &added);
        std::snprintf(note, sizeof note, "width %d, %zu pixels added", gapWidth, added);
        // The wider width is a comparison, not a step.
        Report("CloseGaps", megapixels, watch, note, gapWidth == oxhost::kDefaultGapWidth);
        if (gapWidth == oxhost::kDefaultGapWidth) {
            mask = closed;
        }
    }
    size_t regions = 0;
    watch = StepTimer();
    mask = oxhost::KeepSolidBlackAreas(mask, oxhost::kDefaultSolidBlackThickness,
                                       oxhost::kDefaultSolidBlackPixels, &regions);
    std::snprintf(note, sizeof note, "%zu solid blacks", regions);
    Report("KeepSolidBlackAreas", megapixels, watch, note);
    watch = StepTimer();
    oxhost::PreparedDocument(mask);
    Report("PreparedDocument", megapixels, watch);
    watch = StepTimer();
    const oxhost::AreaLabels labels = oxhost::LabelPaperAreas(mask);
    std::snprintf(note, sizeof note, "%zu areas", labels.areas.size());
    Report("LabelPaperAreas", megapixels, watch, note);
    std::printf("%-22s %7.3f s wall %7.3f s cpu %8.1f MP/s (cpu)\n\n", "preparation in all",
                totalWall, totalCpu, megapixels / totalCpu);

    const Document flats = MadeUpFlats(labels);
    watch = StepTimer();
    const size_t merged = oxhost::FindMergedAreas(labels, flats, 1000).size();
    std::snprintf(note, sizeof note, "%zu pairs (capped at 1000)", merged);
    Report("FindMergedAreas", megapixels, watch, note);
    watch = StepTimer();
    const size_t colours = oxhost::CountDistinctColours(flats);
    std::snprintf(note, sizeof note, "%zu colours", colours);
    Report("CountDistinctColours", megapixels, watch, note);
    watch = StepTimer();
    oxhost::MultiplyOver(page, flats);
    Report("MultiplyOver", megapixels, watch);
    watch = StepTimer();
    oxhost::LineArtLayer(page);
    Report("LineArtLayer", megapixels, watch);
    return 0;
}
