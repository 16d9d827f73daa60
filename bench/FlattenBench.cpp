// Virarar's flatting pass on generated pages of about 52 megapixels: thin
// lines (1-3 px) and thick lines (15-25 px), the pass alone and one whole
// `oxhost run virarar` from file to file; then the two pages where searches
// walk far: white with a 2000 x 2000 black square, and all black.
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
    std::printf("%-34s %6.1f MP  %5.1f%% line  %8.3f s  %8.1f MP/s  rings %d\n", label,
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
        "usage: flatten_bench [--quick]\n\n"
        "Prints Virarar's throughput on generated line-art pages of about 52\n"
        "megapixels (--quick: 4 megapixels, and no square page).\n";
    bool quick = false;
    int exitStatus = 0;
    if (!oxbench::ParseQuickOption(argc, argv, usage, quick, exitStatus)) {
        return exitStatus;
    }
    const int width = quick ? 2400 : 8192;
    const int height = quick ? 1700 : 6400;

    Stopwatch drawing;
    const Document thin = GeneratedPage(width, height, 1, 3);
    std::printf("(drew the thin-line page in %.1f s)\n", drawing.Seconds());
    ReportPass("pass, thin lines 1-3 px", thin);
    const Document thick = GeneratedPage(width, height, 15, 25);
    ReportPass("pass, thick lines 15-25 px", thick);
    TimeWholeRun(thin);
    ReportPass("pass, all black (left unchanged)", SquarePage(quick ? 2000 : 4000, 0, 0, 0));
    if (!quick) {
        ReportPass("pass, 2000 px black square on white", SquarePage(4000, 2000, 255, 0));
    }
    return 0;
}
