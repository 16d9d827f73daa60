// Virarar's flatting pass on generated pages of about 52 megapixels: thin
// lines (1-3 px) and thick lines (15-25 px), the pass alone and one whole
// `oxhost run virarar` from file to file; then the pages where searches walk
// far or reach the image edge: white with a 2000 x 2000 black square, all
// black, black with one coloured column at the left edge, black with one
// coloured pixel in a corner, and a checkerboard of 1-pixel line and colour.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "BenchSupport.h"
#include "FlattenImage.h"
#include "ImageModes.h"
#include "LineArt.h"
#include "host/image/ImageFile.h"

namespace {

using oxbench::Stopwatch;
using oxhost::Document;

class NoProgress : public StripReporter {
public:
    bool ReportStrip(int32_t) override { return false; }
};

struct PassFigures {
    double seconds;
    double lineFraction;
    int rings;
};

PassFigures TimePass(const Document& document) {
    const bool cmyk = document.model == oxhost::ColorModel::CMYK;
    Document input = document;
    Document output = document;
    const int planes = document.TotalPlanes();
    FlattenJob job{};
    job.input = PlaneBuffer{input.pixels.data(), int32_t(input.RowBytes()), planes, 1};
    job.output = PlaneBuffer{output.pixels.data(), int32_t(output.RowBytes()), planes, 1};
    job.colorPlanes = int16_t(document.ColorPlanes());
    job.height = uint16_t(document.height);
    job.width = uint16_t(document.width);
    job.imageMode = cmyk ? plugInModeCMYKColor : plugInModeRGBColor;

    size_t linePixels = 0;
    for (size_t i = 0; i < input.pixels.size(); i += size_t(planes)) {
        const uint8_t* p = &input.pixels[i];
        linePixels += (p[0] <= 8 && p[1] <= 8 && p[2] <= 8) ? 1 : 0;
    }

    NearestSearch search;
    NoProgress progress;
    Stopwatch watch;
    FlattenImage(job, search, progress);
    return PassFigures{watch.Seconds(),
                       double(linePixels) / (double(document.width) * document.height),
                       search.RingCount()};
}

double Megapixels(const Document& document) {
    return double(document.width) * document.height / 1e6;
}

void ReportPass(const char* label, const Document& page) {
    const PassFigures figures = TimePass(page);
    std::printf("%-36s %6.1f MP  %5.1f%% line  %8.3f s  %8.1f MP/s  rings %d\n", label,
                Megapixels(page), 100.0 * figures.lineFraction, figures.seconds,
                Megapixels(page) / figures.seconds, figures.rings);
}

Document GeneratedPage(int width, int height, double thinnest, double thickest) {
    oxlineart::LineArtOptions options;
    options.width = width;
    options.height = height;
    options.lineWidthMin = thinnest;
    options.lineWidthMax = thickest;
    options.flatColors = true;
    options.seed = 2026;
    return oxlineart::DrawLineArtPage(options);
}

// All line work (black) but for the coloured pixels that `paint` marks.
template <typename Paint>
Document BlackPageWith(int side, Paint paint) {
    Document page;
    page.width = side;
    page.height = side;
    page.pixels.assign(size_t(side) * side * 3, 0);
    for (int y = 0; y < side; ++y) {
        for (int x = 0; x < side; ++x) {
            if (paint(y, x)) {
                uint8_t* pixel = page.Pixel(y, x);
                pixel[0] = 200;
                pixel[1] = uint8_t(40 + (y + x) % 100);
                pixel[2] = 90;
            }
        }
    }
    return page;
}

Document SquarePage(int side, int square, uint8_t paper, uint8_t ink) {
    Document page;
    page.width = side;
    page.height = side;
    page.pixels.assign(size_t(side) * side * 3, paper);
    const int from = (side - square) / 2;
    for (int y = from; y < from + square; ++y) {
        std::memset(page.Pixel(y, from), ink, size_t(square) * 3);
    }
    return page;
}

void TimeWholeRun(const Document& page) {
    oxbench::ScratchFolder scratch;
    const std::string input = scratch.File("page.png");
    const std::string output = scratch.File("flat.png");
    Stopwatch saving;
    oxhost::SaveImageFile(page, input);
    const double saveSeconds = saving.Seconds();
    const std::string oxhost = oxbench::ProgramFolder() + "/../bin/oxhost";
    Stopwatch watch;
    const int status = oxbench::RunProgram({oxhost, "--quiet", "run", "virarar", input, output});
    const double seconds = watch.Seconds();
    if (status != 0) {
        std::printf("oxhost run virarar failed with status %d\n", status);
        return;
    }
    Stopwatch loading;
    oxhost::LoadImageFile(input);
    std::printf(
        "%-34s %6.1f MP  %8.3f s wall (reading the PNG alone: %.3f s, writing it: %.3f s)\n",
        "oxhost run virarar, PNG to PNG", Megapixels(page), seconds, loading.Seconds(),
        saveSeconds);
}

}  // namespace

int main(int argc, char** argv) {
    const char* usage =
        "usage: flatten_bench [--quick] [PAGE...]\n\n"
        "Prints Virarar's throughput on generated line-art pages of about 52\n"
        "megapixels (--quick: 4 megapixels, and no square page) and on pages\n"
        "where the searches walk far. PAGE names the pages to time: thin, thick,\n"
        "whole-run, black, square, edge-column-1000, edge-column-2000, corner-1000,\n"
        "checkerboard (all of them when none is named).\n";
    oxbench::BenchOptions options;
    int exitStatus = 0;
    if (!oxbench::ParseBenchOptions(argc, argv, usage, options, exitStatus)) {
        return exitStatus;
    }
    const int width = options.quick ? 2400 : 8192;
    const int height = options.quick ? 1700 : 6400;

    if (options.Wants("thin") || options.Wants("whole-run")) {
        Stopwatch drawing;
        const Document thin = GeneratedPage(width, height, 1, 3);
        std::printf("(drew the thin-line page in %.1f s)\n", drawing.Seconds());
        if (options.Wants("thin")) {
            ReportPass("pass, thin lines 1-3 px", thin);
        }
        if (options.Wants("whole-run")) {
            TimeWholeRun(thin);
        }
    }
    if (options.Wants("thick")) {
        ReportPass("pass, thick lines 15-25 px", GeneratedPage(width, height, 15, 25));
    }
    if (options.Wants("black")) {
        ReportPass("pass, all black (left unchanged)",
                   SquarePage(options.quick ? 2000 : 4000, 0, 0, 0));
    }
    if (options.Wants("square") && !options.quick) {
        ReportPass("pass, 2000 px black square on white", SquarePage(4000, 2000, 255, 0));
    }
    const auto leftColumn = [](int, int x) { return x == 0; };
    if (options.Wants("edge-column-1000")) {
        ReportPass("pass, black, colour column at left", BlackPageWith(1000, leftColumn));
    }
    if (options.Wants("edge-column-2000")) {
        ReportPass("pass, black, colour column at left", BlackPageWith(2000, leftColumn));
    }
    if (options.Wants("corner-1000")) {
        ReportPass("pass, black, colour pixel top left",
                   BlackPageWith(1000, [](int y, int x) { return y == 0 && x == 0; }));
    }
    if (options.Wants("checkerboard")) {
        ReportPass("pass, 1 px checkerboard",
                   BlackPageWith(2000, [](int y, int x) { return (y + x) % 2 == 0; }));
    }
    return 0;
}
