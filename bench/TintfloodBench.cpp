// Tintflood's multi flood fill, run through the host library with the engine
// built into this program, in processor time (the host's copies of the
// buffers included): on generated line-art pages of about 52 megapixels
// (white areas, black lines of 1-3 px and of 15-25 px), random colours, then
// the same with small areas joined, and what the host alone takes to hand
// over the same buffer (the rest is the engine's); on grids of small cells,
// where joining has to look far (7-pixel cells that are all small, so no
// normal area to join to; the same with flagging on; the same with one normal
// area in a corner; cells of 7 and 30 pixels mixed); on pages of 1 to 256
// megapixels, with the memory the run takes; one whole `oxhost run tintflood`
// from file to file; and OpenCV's 4-connected labelling of the same thin and
// thick pages. Each run's result has a fingerprint, so that two builds can be
// seen to agree.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "Anchors.h"
#include "BenchPage.h"
#include "BenchSupport.h"
#include "FilterSelectors.h"
#include "HeapCounter.h"
#include "ImageAccess.h"
#include "TintfloodSettings.h"
#include "host/color/ColorServicesHost.h"
#include "host/image/ImageFile.h"
#include "host/run/FilterRun.h"
#include "host/run/HostHandles.h"

extern "C" void PluginMain(int16_t selector, void* block, intptr_t* data, int16_t* result);

// A plug-in that asks for the whole image as Tintflood does and does nothing
// with it: what the host itself allocates for such a run.
void HOSTAPI_CALL RequestOnly(int16_t selector, void* block, intptr_t*, int16_t* result) {
    *result = 0;
    if (selector == filterSelectorStart) {
        FilterRecord* record = static_cast<FilterRecord*>(block);
        *result = RequestWholeImage(record, false);
        EmptyOutputRequest(record);
    }
}

namespace {

using oxbench::Fixed;
using oxbench::Table;
using oxhost::Document;

void PutBlock16(char* block, size_t offset, uint16_t value) {
    block[offset] = char(value & 0xFF);
    block[offset + 1] = char(value >> 8);
}

void PutBlock32(char* block, size_t offset, uint32_t value) {
    for (int i = 0; i < 4; ++i) {
        block[offset + size_t(i)] = char((value >> (8 * i)) & 0xFF);
    }
}

// The parameter block of a run with random colours, optionally joining areas
// of up to 10 pixels and flagging those up to 20 (by height and width).
Handle SettingsBlock(bool join, bool flag) {
    TintfloodSettings settings;
    Handle block = oxhost::HostHandles::Instance().New(296);
    char* bytes = *block;
    PutBlock32(bytes, 0, settings.signature);
    PutBlock16(bytes, 4, uint16_t(settings.version));
    PutBlock16(bytes, 8, settings.fillColor.red);
    PutBlock16(bytes, 10, settings.fillColor.green);
    PutBlock16(bytes, 12, settings.fillColor.blue);
    bytes[273] = 1;  // random colours
    PutBlock16(bytes, 276, settings.flagColor.red);
    PutBlock16(bytes, 278, settings.flagColor.green);
    PutBlock16(bytes, 280, settings.flagColor.blue);
    bytes[275] = flag ? 1 : 0;
    PutBlock32(bytes, 284, settings.flagSize);
    bytes[288] = join ? 1 : 0;
    PutBlock32(bytes, 292, settings.joinSize);
    return block;
}

struct RunFigures {
    double seconds;
    double megabytes;  // the run's heap at its peak, the host's buffers included
    int result;
};

RunFigures TimeFill(Document& document, bool join, bool flag, PluginEntryProc entry = PluginMain) {
    Handle parameters = SettingsBlock(join, flag);
    oxhost::ColorServicesHost colorServices{oxhost::ColorConverter(), oxhost::ColorPickerScript()};
    oxhost::RunOptions options;
    options.parameters = &parameters;
    options.colorServices = [&colorServices](ColorServicesInfo* info) {
        return colorServices.Serve(info);
    };
    const oxbench::HeapPeak memory;
    oxhost::FilterRun run(entry, document, options);
    const oxbench::CpuStopwatch watch;
    const oxhost::RunResult result = run.Run();
    const double seconds = watch.Seconds();
    const double megabytes = memory.Megabytes();
    oxhost::HostHandles::Instance().Dispose(parameters);
    return RunFigures{seconds, megabytes, result.result};
}

// A short fingerprint of the pixels (FNV-1a over 8 bytes at a time), so that
// runs of two builds can be seen to give the same result.
std::string Fingerprint(const Document& page) {
    uint64_t hash = 14695981039346656037ull;
    const size_t size = page.pixels.size();
    for (size_t at = 0; at < size; at += 8) {
        uint64_t word = 0;
        std::memcpy(&word, page.pixels.data() + at, std::min<size_t>(8, size - at));
        hash = (hash ^ word) * 1099511628211ull;
    }
    char text[17];
    std::snprintf(text, sizeof(text), "%016llx", static_cast<unsigned long long>(hash));
    return text;
}

double Megapixels(const Document& page) {
    return double(page.width) * page.height / 1e6;
}

RunFigures AddFillRow(Table& table, const std::string& label, const Document& page, bool join,
                      bool flag = false, PluginEntryProc entry = PluginMain) {
    Document document = page;
    const RunFigures figures = TimeFill(document, join, flag, entry);
    table.AddRow({label, Fixed(Megapixels(page), 1), Fixed(figures.seconds, 3),
                  Fixed(Megapixels(page) / figures.seconds, 1), std::to_string(figures.result),
                  Fingerprint(document)});
    return figures;
}

// White cells between black lines of 1 pixel; a cell spans `pitch` pixels
// with its line, or `widePitch` for every second cell when that is not 0.
Document GridPage(int side, int pitch, int widePitch) {
    Document page;
    page.width = side;
    page.height = side;
    page.pixels.assign(size_t(side) * side * 3, 255);
    std::vector<bool> line(size_t(side), false);
    for (int at = 0, cell = 0; at < side; ++cell) {
        line[size_t(at)] = true;
        at += (widePitch != 0 && cell % 2 == 1) ? widePitch : pitch;
    }
    for (int y = 0; y < side; ++y) {
        for (int x = 0; x < side; ++x) {
            if (line[size_t(y)] || line[size_t(x)]) {
                std::memset(page.Pixel(y, x), 0, 3);
            }
        }
    }
    return page;
}

void AddWholeRunRow(Table& table, const Document& page) {
    oxbench::ScratchFolder scratch;
    const std::string input = scratch.File("page.png");
    oxhost::SaveImageFile(page, input);
    const double seconds =
        oxbench::OxhostRunSeconds({"tintflood", input, scratch.File("flats.png"), "--random"});
    table.AddRow({"oxhost run tintflood --random, PNG to PNG", Fixed(Megapixels(page), 1),
                  seconds > 0 ? Fixed(seconds, 3) : "failed"});
}

void PrintScaling(bool quick) {
    std::printf(
        "\nTintflood's run by page size (thin lines, random colours, joining); memory:\n"
        "the most heap in use at once, counted by this program's operator new, for\n"
        "the run, and for the host alone (a plug-in that requests the same and does\n"
        "nothing): the difference is the engine's own\n\n");
    Table table({"page", "MP", "cpu s", "MP/s", "run memory MB", "host's MB", "engine's MB"});
    for (const int side : {1024, 2048, 4096, 8192, 16384}) {
        if (quick && side > 2048) {
            break;
        }
        Document page = oxbench::LineArtPage(side, side, 1, 3, false);
        const double hostMegabytes = TimeFill(page, true, false, RequestOnly).megabytes;
        const RunFigures figures = TimeFill(page, true, false);
        table.AddRow({std::to_string(side) + " x " + std::to_string(side),
                      Fixed(Megapixels(page), 1), Fixed(figures.seconds, 3),
                      Fixed(Megapixels(page) / figures.seconds, 1), Fixed(figures.megabytes, 1),
                      Fixed(hostMegabytes, 1), Fixed(figures.megabytes - hostMegabytes, 1)});
    }
    table.Print();
}

void PrintAnchors(const std::vector<std::string>& pamFiles, const std::vector<double>& ours,
                  const std::vector<double>& host, const std::vector<double>& wholeRuns) {
    std::printf(
        "\nAnchor: cv2.connectedComponents with connectivity 4 on a ready mask of the\n"
        "pixels that are not line work (Debian's python3-opencv, one thread)\n\n");
    std::vector<oxbench::AnchorFigure> figures;
    std::string note;
    if (!oxbench::RunAnchors("labels", pamFiles, figures, note)) {
        std::printf("(skipped: %s; `make bench` installs python3-scipy and python3-opencv)\n",
                    note.c_str());
        return;
    }
    std::printf(
        "(the whole run: `oxhost run tintflood --random` of the same page from a TIFF\n"
        "file to a TIFF file, in wall time, and how many times OpenCV's labelling)\n\n");
    Table table({"page", "OpenCV cpu s", "labels", "Tintflood fill cpu s", "of which the host's",
                 "whole run s", "whole run / OpenCV"});
    for (size_t i = 0; i < figures.size() && i < ours.size() && i < wholeRuns.size(); ++i) {
        const bool ran = wholeRuns[i] > 0;
        table.AddRow({figures[i].page, Fixed(figures[i].seconds, 3),
                      std::to_string(figures[i].count), Fixed(ours[i], 3), Fixed(host[i], 3),
                      ran ? Fixed(wholeRuns[i], 3) : "failed",
                      ran ? Fixed(wholeRuns[i] / figures[i].seconds, 2) + "x" : "-"});
    }
    table.Print();
}

}  // namespace

int main(int argc, char** argv) {
    const char* usage =
        "usage: tintflood_bench [--quick] [PAGE...]\n\n"
        "Prints Tintflood's runs on generated line-art pages of about 52 megapixels\n"
        "(--quick: 4 megapixels), on grids of small cells, by page size, one whole\n"
        "oxhost run, and OpenCV's labelling of the same pages. PAGE names what to\n"
        "time: thin, thick, whole-run, grid-1000, mixed-grid-2000, scaling, anchors\n"
        "(all of them when none is named).\n";
    oxbench::BenchOptions benchOptions;
    int exitStatus = 0;
    if (!oxbench::ParseBenchOptions(argc, argv, usage, benchOptions, exitStatus)) {
        return exitStatus;
    }
    const auto [width, height] = oxbench::BenchPageSize(benchOptions.quick);
    oxbench::ScratchFolder scratch;
    const bool anchors = benchOptions.Wants("anchors");
    std::vector<std::string> pamFiles;
    std::vector<double> ourSeconds;
    std::vector<double> hostSeconds;
    std::vector<double> wholeRunSeconds;

    std::printf("Tintflood's runs through the host library, in processor time\n\n");
    Table fills({"page", "MP", "cpu s", "MP/s", "result", "pixels' fingerprint"});
    Table wholeRuns({"whole run", "MP", "wall s"});
    for (const bool thick : {false, true}) {
        const std::string name = thick ? "thick" : "thin";
        const bool fill = benchOptions.Wants(name) || anchors;
        const bool wholeRun = !thick && benchOptions.Wants("whole-run");
        if (!fill && !wholeRun) {
            continue;
        }
        const Document page = thick ? oxbench::LineArtPage(width, height, 15, 25, false)
                                    : oxbench::LineArtPage(width, height, 1, 3, false);
        const std::string lines = thick ? "thick lines 15-25 px" : "thin lines 1-3 px";
        if (fill) {
            const RunFigures plain = AddFillRow(fills, lines + ", random colours", page, false);
            AddFillRow(fills, lines + ", random colours, joining", page, true);
            const RunFigures host =
                AddFillRow(fills, lines + ", the host alone", page, false, false, RequestOnly);
            if (anchors) {
                // The anchor labels the same page, written out as it was timed.
                pamFiles.push_back(scratch.File(name + ".pam"));
                oxhost::SaveImageFile(page, pamFiles.back());
                ourSeconds.push_back(plain.seconds);
                hostSeconds.push_back(host.seconds);
                const std::string tiff = scratch.File(name + ".tif");
                oxhost::SaveImageFile(page, tiff);
                wholeRunSeconds.push_back(oxbench::OxhostRunSeconds(
                    {"tintflood", tiff, scratch.File(name + "-flats.tif"), "--random"}));
            }
        }
        if (wholeRun) {
            AddWholeRunRow(wholeRuns, page);
        }
    }
    if (benchOptions.Wants("grid-1000")) {
        Document grid = GridPage(1000, 7, 0);
        AddFillRow(fills, "7 px cells, joining (none normal)", grid, true);
        AddFillRow(fills, "7 px cells, joining, flagging", grid, true, true);
        // One normal area, in a corner: the first searches walk far to it.
        for (int y = 900; y < 1000; ++y) {
            std::memset(grid.Pixel(y, 900), 255, 100 * 3);
        }
        AddFillRow(fills, "7 px cells, one normal area, joining", grid, true);
    }
    if (benchOptions.Wants("mixed-grid-2000")) {
        AddFillRow(fills, "7 and 30 px cells, joining, flagging", GridPage(2000, 7, 30), true,
                   true);
    }
    if (!fills.Empty()) {
        fills.Print();
    }
    if (benchOptions.Wants("whole-run")) {
        std::printf("\n");
        wholeRuns.Print();
    }
    if (benchOptions.Wants("scaling")) {
        PrintScaling(benchOptions.quick);
    }
    if (anchors) {
        PrintAnchors(pamFiles, ourSeconds, hostSeconds, wholeRunSeconds);
    }
    return 0;
}
