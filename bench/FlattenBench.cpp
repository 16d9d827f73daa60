// Virarar's flatting pass, single-threaded, in processor time: on generated
// pages of about 52 megapixels with thin lines (1-3 px) and thick lines
// (15-25 px); on the pages where searches walk far or reach the image edge
// (all black, a black square, black with a coloured column at the left edge,
// black with one coloured pixel in a corner, a 1-pixel checkerboard); on
// pages of 1 to 256 megapixels, with the memory the pass takes for itself;
// one whole `oxhost run virarar` from file to file; and scipy's exact
// Euclidean distance transform flatting the same thin and thick pages.
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "Anchors.h"
#include "BenchPage.h"
#include "BenchSupport.h"
#include "FlattenImage.h"
#include "HeapCounter.h"
#include "ImageModes.h"
#include "host/image/ImageFile.h"

namespace {

using oxbench::Fixed;
using oxbench::Table;
using oxhost::Document;

class NoProgress : public StripReporter {
public:
    bool ReportStrip(int32_t) override { return false; }
};

constexpr int kPassRuns = 3;

struct PassFigures {
    double seconds;
    double lineFraction;
    int rings;
    double megabytes;  // the pass's own heap at its peak
};

PassFigures TimePass(const Document& document) {
    Document input = document;
    Document output = document;
    const int planes = document.TotalPlanes();
    FlattenJob job{};
    job.input = PlaneBuffer{input.pixels.data(), int32_t(input.RowBytes()), planes, 1};
    job.output = PlaneBuffer{output.pixels.data(), int32_t(output.RowBytes()), planes, 1};
    job.colorPlanes = int16_t(document.ColorPlanes());
    job.height = uint16_t(document.height);
    job.width = uint16_t(document.width);
    job.imageMode =
        document.model == oxhost::ColorModel::CMYK ? plugInModeCMYKColor : plugInModeRGBColor;
    size_t linePixels = 0;
    for (size_t i = 0; i < input.pixels.size(); i += size_t(planes)) {
        const uint8_t* p = &input.pixels[i];
        linePixels += (p[0] <= 8 && p[1] <= 8 && p[2] <= 8) ? 1 : 0;
    }

    // The best of a few runs, each with a search of its own as the plug-in
    // has: on a shared machine one run may take a quarter longer than the
    // next for reasons of the machine's, first touches of fresh memory above
    // all.
    const oxbench::HeapPeak memory;
    double seconds = 0;
    int rings = 0;
    for (int run = 0; run < kPassRuns; ++run) {
        NearestSearch search;
        NoProgress progress;
        const oxbench::CpuStopwatch watch;
        FlattenImage(job, search, progress);
        const double runSeconds = watch.Seconds();
        seconds = run == 0 ? runSeconds : std::min(seconds, runSeconds);
        rings = search.RingCount();
    }
    return PassFigures{seconds, double(linePixels) / (double(document.width) * document.height),
                       rings, memory.Megabytes()};
}

double Megapixels(const Document& document) {
    return double(document.width) * document.height / 1e6;
}

PassFigures AddPassRow(Table& table, const std::string& label, const Document& page) {
    const PassFigures figures = TimePass(page);
    table.AddRow({label, Fixed(Megapixels(page), 1), Fixed(100.0 * figures.lineFraction, 1),
                  Fixed(figures.seconds, 3), Fixed(Megapixels(page) / figures.seconds, 1),
                  std::to_string(figures.rings)});
    return figures;
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

void AddWholeRunRow(Table& table, const Document& page, oxbench::ScratchFolder& scratch) {
    const std::string input = scratch.File("page.png");
    const std::string output = scratch.File("flat.png");
    oxbench::Stopwatch saving;
    oxhost::SaveImageFile(page, input);
    const double saveSeconds = saving.Seconds();
    const double seconds = oxbench::OxhostRunSeconds({"virarar", input, output});
    oxbench::Stopwatch loading;
    oxhost::LoadImageFile(input);
    table.AddRow({"oxhost run virarar, PNG to PNG", Fixed(Megapixels(page), 1),
                  seconds > 0 ? Fixed(seconds, 3) : "failed", Fixed(loading.Seconds(), 3),
                  Fixed(saveSeconds, 3)});
}

void PrintScaling(bool quick) {
    std::printf(
        "\nVirarar's pass by page size (thin lines 1-3 px); memory: the most heap the\n"
        "pass had in use at once, counted by this program's operator new (the input\n"
        "and output images, which the host owns, are not the pass's)\n\n");
    Table table({"page", "MP", "cpu s", "MP/s", "pass memory MB", "per pixel bytes"});
    for (const int side : {1024, 2048, 4096, 8192, 16384}) {
        if (quick && side > 2048) {
            break;
        }
        const Document page = oxbench::LineArtPage(side, side, 1, 3, true);
        const PassFigures figures = TimePass(page);
        table.AddRow({std::to_string(side) + " x " + std::to_string(side),
                      Fixed(Megapixels(page), 1), Fixed(figures.seconds, 3),
                      Fixed(Megapixels(page) / figures.seconds, 1), Fixed(figures.megabytes, 1),
                      Fixed(figures.megabytes * 1048576.0 / (Megapixels(page) * 1e6), 2)});
    }
    table.Print();
}

void PrintAnchors(const std::vector<std::string>& pamFiles, const std::vector<double>& ours,
                  const std::vector<double>& wholeRuns) {
    std::printf(
        "\nAnchor: scipy.ndimage.distance_transform_edt with return_indices, then the\n"
        "colour of the nearest pixel that is not line work (Debian's python3-scipy)\n\n");
    std::vector<oxbench::AnchorFigure> figures;
    std::string note;
    if (!oxbench::RunAnchors("edt", pamFiles, figures, note)) {
        std::printf("(skipped: %s; `make bench` installs python3-scipy and python3-opencv)\n",
                    note.c_str());
        return;
    }
    std::printf(
        "(the whole run: `oxhost run virarar` of the same page from a TIFF file to a\n"
        "TIFF file, reading, filtering and writing, in wall time)\n\n");
    Table table({"page", "scipy cpu s", "Virarar cpu s", "Virarar faster by", "whole run s",
                 "whole run faster by"});
    for (size_t i = 0; i < figures.size() && i < ours.size() && i < wholeRuns.size(); ++i) {
        const bool ran = wholeRuns[i] > 0;
        table.AddRow({figures[i].page, Fixed(figures[i].seconds, 3), Fixed(ours[i], 3),
                      Fixed(figures[i].seconds / ours[i], 1) + "x",
                      ran ? Fixed(wholeRuns[i], 3) : "failed",
                      ran ? Fixed(figures[i].seconds / wholeRuns[i], 1) + "x" : "-"});
    }
    table.Print();
}

}  // namespace

int main(int argc, char** argv) {
    const char* usage =
        "usage: flatten_bench [--quick] [PAGE...]\n\n"
        "Prints Virarar's pass on generated line-art pages of about 52 megapixels\n"
        "(--quick: 4 megapixels) and on pages where the searches walk far, by page\n"
        "size, one whole oxhost run, and scipy's flatting of the same pages. PAGE\n"
        "names what to time: thin, thick, whole-run, black, square, edge-column-1000,\n"
        "edge-column-2000, corner-1000, checkerboard, scaling, anchors (all of them\n"
        "when none is named).\n";
    oxbench::BenchOptions options;
    int exitStatus = 0;
    if (!oxbench::ParseBenchOptions(argc, argv, usage, options, exitStatus)) {
        return exitStatus;
    }
    const auto [width, height] = oxbench::BenchPageSize(options.quick);
    oxbench::ScratchFolder scratch;

    std::printf("Virarar's pass, single-threaded, in processor time (the best of %d runs)\n\n",
                kPassRuns);
    Table passes({"page", "MP", "line %", "cpu s", "MP/s", "rings"});
    Table wholeRuns({"whole run", "MP", "wall s", "reading the PNG s", "writing it s"});
    std::vector<std::string> pamFiles;
    std::vector<double> ourSeconds;
    std::vector<double> wholeRunSeconds;
    const bool anchors = options.Wants("anchors");
    // The anchors work on the same pages, written out as they are timed.
    const auto timeAndKeep = [&](const Document& page, const std::string& label,
                                 const std::string& name) {
        const PassFigures figures = AddPassRow(passes, label, page);
        if (anchors) {
            pamFiles.push_back(scratch.File(name + ".pam"));
            oxhost::SaveImageFile(page, pamFiles.back());
            ourSeconds.push_back(figures.seconds);
            const std::string tiff = scratch.File(name + ".tif");
            oxhost::SaveImageFile(page, tiff);
            wholeRunSeconds.push_back(
                oxbench::OxhostRunSeconds({"virarar", tiff, scratch.File(name + "-flat.tif")}));
        }
    };
    if (options.Wants("thin") || options.Wants("whole-run") || anchors) {
        const Document thin = oxbench::LineArtPage(width, height, 1, 3, true);
        timeAndKeep(thin, "thin lines 1-3 px", "thin");
        if (options.Wants("whole-run")) {
            AddWholeRunRow(wholeRuns, thin, scratch);
        }
    }
    if (options.Wants("thick") || anchors) {
        timeAndKeep(oxbench::LineArtPage(width, height, 15, 25, true), "thick lines 15-25 px",
                    "thick");
    }
    if (options.Wants("black")) {
        AddPassRow(passes, "all black (left unchanged)",
                   SquarePage(options.quick ? 2000 : 4000, 0, 0, 0));
    }
    if (options.Wants("square") && !options.quick) {
        AddPassRow(passes, "2000 px black square on white", SquarePage(4000, 2000, 255, 0));
    }
    const auto leftColumn = [](int, int x) { return x == 0; };
    if (options.Wants("edge-column-1000")) {
        AddPassRow(passes, "black, colour column at left", BlackPageWith(1000, leftColumn));
    }
    if (options.Wants("edge-column-2000")) {
        AddPassRow(passes, "black, colour column at left", BlackPageWith(2000, leftColumn));
    }
    if (options.Wants("corner-1000")) {
        AddPassRow(passes, "black, colour pixel top left",
                   BlackPageWith(1000, [](int y, int x) { return y == 0 && x == 0; }));
        AddPassRow(passes, "black, colour pixel bottom right",
                   BlackPageWith(1000, [](int y, int x) { return y == 999 && x == 999; }));
    }
    if (options.Wants("checkerboard")) {
        AddPassRow(passes, "1 px checkerboard",
                   BlackPageWith(2000, [](int y, int x) { return (y + x) % 2 == 0; }));
    }
    if (!passes.Empty()) {
        passes.Print();
    }
    if (options.Wants("whole-run")) {
        std::printf("\n");
        wholeRuns.Print();
    }
    if (options.Wants("scaling")) {
        PrintScaling(options.quick);
    }
    if (anchors) {
        PrintAnchors(pamFiles, ourSeconds, wholeRunSeconds);
    }
    return 0;
}
