// make_sample_page: writes a generated line-art page to a PNG or TIFF file.
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "host/HostError.h"
#include "host/image/ImageFile.h"
#include "tools/samplepage/LineArt.h"

namespace {

constexpr char kUsage[] =
    "usage: make_sample_page [options] OUTPUT\n"
    "Draws a comic-like page of line work, black unless told otherwise, and\n"
    "writes it to OUTPUT (.png, .tif or .tiff).\n"
    "\n"
    "  --width N     page width in pixels (default 1200)\n"
    "  --height N    page height in pixels (default 900)\n"
    "  --thin        only thin lines, 1 to 3 pixels wide\n"
    "  --thick       only thick lines, 15 to 25 pixels wide\n"
    "                (default: 1 to 10 pixels)\n"
    "  --colored     fill the areas with flat colours instead of white\n"
    "  --cmyk        write a CMYK document (needs a TIFF output)\n"
    "  --antialias   soft ink edges, fading over about three pixels as on scanned\n"
    "                or brush-inked art (default: over one pixel, crisp digital ink)\n"
    "  --ink-color RRGGBB\n"
    "                ink of this colour (hexadecimal, e.g. 1a2a6c) instead of black\n"
    "  --transparent no paper: RGBA in the ink colour, alpha the ink's coverage\n"
    "  --gaps N      cut a gap of 1 to N pixels into a closed outline per panel,\n"
    "                so that a flood fill leaks (N from 1 to 64)\n"
    "  --count-areas print the number of areas the drawing has before gaps are\n"
    "                cut (4-connected, less than half ink, the margin included)\n"
    "  --seed N      drawing seed (default 1)\n"
    "  --help        show this text\n";

struct CommandLine {
    oxlineart::LineArtOptions options;
    std::string outputPath;
    bool showHelp = false;
    bool countAreas = false;
    bool inkColorGiven = false;
};

[[noreturn]] void Fail(const std::string& message) {
    std::fprintf(stderr, "make_sample_page: %s\n", message.c_str());
    std::exit(1);
}

unsigned long long ParseNumber(const std::string& option, const char* text, unsigned long long low,
                               unsigned long long high) {
    errno = 0;
    char* end = nullptr;
    unsigned long long value = std::strtoull(text, &end, 10);
    if (*text == '\0' || *text == '-' || *end != '\0' || errno != 0 || value < low ||
        value > high) {
        Fail(option + " needs a whole number from " + std::to_string(low) + " to " +
             std::to_string(high) + ", not '" + text + "'");
    }
    return value;
}

// Six hexadecimal digits, RRGGBB, with or without a leading '#'.
void ParseInkColor(const char* text, oxlineart::LineArtOptions& options) {
    std::string digits = text[0] == '#' ? text + 1 : text;
    if (digits.size() != 6 ||
        digits.find_first_not_of("0123456789abcdefABCDEF") != std::string::npos) {
        Fail(std::string("--ink-color needs six hexadecimal digits RRGGBB, not '") + text + "'");
    }
    const unsigned long color = std::strtoul(digits.c_str(), nullptr, 16);
    options.inkRed = uint8_t(color >> 16);
    options.inkGreen = uint8_t(color >> 8);
    options.inkBlue = uint8_t(color);
}

// Options that ask for things a page cannot be at once.
void CheckCombinations(const CommandLine& commandLine) {
    const oxlineart::LineArtOptions& options = commandLine.options;
    if (options.cmyk && commandLine.inkColorGiven) {
        Fail("--ink-color draws RGB pages; it cannot be combined with --cmyk");
    }
    if (options.cmyk && options.transparentPaper) {
        Fail("--transparent draws RGB pages; it cannot be combined with --cmyk");
    }
    if (options.flatColors && options.transparentPaper) {
        Fail("--transparent leaves no paper to colour; it cannot be combined with --colored");
    }
}

CommandLine ParseCommandLine(int argumentCount, char** arguments) {
    CommandLine commandLine;
    oxlineart::LineArtOptions& options = commandLine.options;
    for (int index = 1; index < argumentCount; ++index) {
        std::string argument = arguments[index];
        auto value = [&]() -> const char* {
            if (index + 1 >= argumentCount) {
                Fail(argument + " needs a value");
            }
            return arguments[++index];
        };
        if (argument == "--help") {
            commandLine.showHelp = true;
        } else if (argument == "--width") {
            options.width = int(ParseNumber(argument, value(), 16, oxhost::kMaxDocumentSide));
        } else if (argument == "--height") {
            options.height = int(ParseNumber(argument, value(), 16, oxhost::kMaxDocumentSide));
        } else if (argument == "--thin") {
            options.lineWidthMin = 1;
            options.lineWidthMax = 3;
        } else if (argument == "--thick") {
            options.lineWidthMin = 15;
            options.lineWidthMax = 25;
        } else if (argument == "--colored") {
            options.flatColors = true;
        } else if (argument == "--cmyk") {
            options.cmyk = true;
        } else if (argument == "--antialias") {
            options.edgeSoftness = 3;
        } else if (argument == "--ink-color") {
            ParseInkColor(value(), options);
            commandLine.inkColorGiven = true;
        } else if (argument == "--transparent") {
            options.transparentPaper = true;
        } else if (argument == "--gaps") {
            options.widestGap = int(ParseNumber(argument, value(), 1, 64));
        } else if (argument == "--count-areas") {
            commandLine.countAreas = true;
        } else if (argument == "--seed") {
            options.seed = ParseNumber(argument, value(), 0, ~0ull);
        } else if (argument.size() > 1 && argument[0] == '-') {
            Fail("unknown option " + argument + " (see --help)");
        } else if (commandLine.outputPath.empty()) {
            commandLine.outputPath = argument;
        } else {
            Fail("only one output file may be given");
        }
    }
    CheckCombinations(commandLine);
    return commandLine;
}

}  // namespace

int main(int argumentCount, char** arguments) {
    CommandLine commandLine = ParseCommandLine(argumentCount, arguments);
    if (commandLine.showHelp) {
        std::fputs(kUsage, stdout);
        return 0;
    }
    const std::string& output = commandLine.outputPath;
    if (output.empty()) {
        Fail("no output file given (see --help)");
    }
    if (!oxhost::IsSupportedOutputPath(output)) {
        Fail("cannot write '" + output + "': use a .png, .tif or .tiff name");
    }
    int designedAreas = 0;
    try {
        oxhost::SaveImageFile(
            oxlineart::DrawLineArtPage(commandLine.options,
                                       commandLine.countAreas ? &designedAreas : nullptr),
            output);
    } catch (const oxhost::HostError& error) {
        Fail(error.what());
    }
    if (commandLine.countAreas) {
        std::printf("%d\n", designedAreas);
    }
    return 0;
}
