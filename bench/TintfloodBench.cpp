// Tintflood's multi flood fill on a generated line-art page of about 52
// megapixels (white areas, black lines of 1-3 px): random colours, then the
// same with small areas joined; and one whole `oxhost run tintflood` from file
// to file. Then grids of small cells, where joining has to look far: 7-pixel
// cells that are all small (no normal area to join to), the same with
// flagging on, the same with one normal area in a corner, and cells of 7 and
// 30 pixels mixed (every small cell has normal neighbours). The engine is built into this program
// and run through the host library, so the figures include the host's copy of the buffers.
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "BenchSupport.h"
#include "LineArt.h"
#include "TintfloodSettings.h"
#include "host/color/ColorServicesHost.h"
#include "host/image/ImageFile.h"
#include "host/run/FilterRun.h"
#include "host/run/HostHandles.h"

extern "C" void PluginMain(int16_t selector, void* block, intptr_t* data, int16_t* result);

namespace {

using oxbench::Stopwatch;
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

void TimeFill(const char* label, const Document& page, bool join, bool flag = false) {
    Document document = page;
    Handle parameters = SettingsBlock(join, flag);
    oxhost::ColorServicesHost colorServices{oxhost::ColorConverter(), oxhost::ColorPickerScript()};
    oxhost::RunOptions options;
    options.parameters = &parameters;
    options.colorServices = [&colorServices](ColorServicesInfo* info) {
        return colorServices.Serve(info);
    };
    oxhost::FilterRun run(PluginMain, document, options);
    Stopwatch watch;
    const oxhost::RunResult result = run.Run();
    const double seconds = watch.Seconds();
    oxhost::HostHandles::Instance().Dispose(parameters);
    const double megapixels = double(page.width) * page.height / 1e6;
    std::printf("%-38s %6.1f MP  %8.3f s  %8.1f MP/s  result %d\n", label, megapixels, seconds,
                megapixels / seconds, result.result);
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

void TimeCopy(const Document& page) {
    Stopwatch watch;
    Document copy = page;
    Document back = copy;
    std::printf("(copying the page in and out alone: %.3f s)\n", watch.Seconds());
}

void TimeWholeRun(const Document& page) {
    oxbench::ScratchFolder scratch;
    const std::string input = scratch.File("page.png");
    oxhost::SaveImageFile(page, input);
    const std::string oxhost = oxbench::ProgramFolder() + "/../bin/oxhost";
    Stopwatch watch;
    const int status = oxbench::RunProgram(
        {oxhost, "--quiet", "run", "tintflood", input, scratch.File("flats.png"), "--random"});
    std::printf("%-32s %8.3f s wall, exit status %d\n", "oxhost run tintflood --random",
                watch.Seconds(), status);
}

}  // namespace

int main(int argc, char** argv) {
    const char* usage =
        "usage: tintflood_bench [--quick] [PAGE...]\n\n"
        "Prints Tintflood's throughput on a generated line-art page of about 52\n"
        "megapixels (--quick: 4 megapixels) and on grids of small cells. PAGE\n"
        "names the pages to time: thin, whole-run, grid-1000, mixed-grid-2000\n"
        "(all of them when none is named).\n";
    oxbench::BenchOptions benchOptions;
    int exitStatus = 0;
    if (!oxbench::ParseBenchOptions(argc, argv, usage, benchOptions, exitStatus)) {
        return exitStatus;
    }
    if (benchOptions.Wants("thin") || benchOptions.Wants("whole-run")) {
        oxlineart::LineArtOptions options;
        options.width = benchOptions.quick ? 2400 : 8192;
        options.height = benchOptions.quick ? 1700 : 6400;
        options.lineWidthMin = 1;
        options.lineWidthMax = 3;
        options.seed = 2026;
        const Document page = oxlineart::DrawLineArtPage(options);
        if (benchOptions.Wants("thin")) {
            TimeCopy(page);
            TimeFill("fill, random colours", page, false);
            TimeFill("fill, random colours, joining", page, true);
        }
        if (benchOptions.Wants("whole-run")) {
            TimeWholeRun(page);
        }
    }
    if (benchOptions.Wants("grid-1000")) {
        Document grid = GridPage(1000, 7, 0);
        TimeFill("7 px cells, joining", grid, true);
        TimeFill("7 px cells, joining, flagging", grid, true, true);
        // One normal area, in a corner: the first searches walk far to it.
        for (int y = 900; y < 1000; ++y) {
            std::memset(grid.Pixel(y, 900), 255, 100 * 3);
        }
        TimeFill("7 px cells, one normal area, joining", grid, true);
    }
    if (benchOptions.Wants("mixed-grid-2000")) {
        TimeFill("7 and 30 px cells, joining, flagging", GridPage(2000, 7, 30), true, true);
    }
    return 0;
}
