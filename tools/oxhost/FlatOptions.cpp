#include "FlatOptions.h"

#include <cstdlib>

#include "Options.h"

namespace oxhost {
namespace {

int NumberValue(const std::string& name, const OptionValue& value, int low, int high) {
    const std::string text = value(name);
    const bool digits = !text.empty() && text.size() <= 9 &&
                        text.find_first_not_of("0123456789") == std::string::npos;
    const long number = digits ? std::strtol(text.c_str(), nullptr, 10) : -1;
    if (!digits || number < low || number > high) {
        throw UsageError(name + " wants a whole number from " + std::to_string(low) + " to " +
                         std::to_string(high) + ", not '" + text + "'");
    }
    return int(number);
}

std::string TextValue(const std::string& name, const OptionValue& value) {
    std::string text = value(name);
    if (text.empty()) {
        throw UsageError(name + " needs a value");
    }
    return text;
}

}  // namespace

bool ParseFlatOption(const std::string& argument, const OptionValue& value, FlatChoices& choices) {
    std::string name;
    if (OptionNamed(argument, "--threshold")) {
        name = "--threshold";
        choices.threshold = NumberValue(name, value, 0, 255);
    } else if (OptionNamed(argument, "--close-gaps")) {
        name = "--close-gaps";
        choices.closeGaps = NumberValue(name, value, 0, 64);
    } else if (argument == "--no-solid-black") {
        name = argument;
        choices.keepSolidBlack = false;
    } else if (OptionNamed(argument, "--solid-black")) {
        name = "--solid-black";
        choices.solidBlackThickness = NumberValue(name, value, 2, 1000);
    } else if (OptionNamed(argument, "--out-dir")) {
        name = "--out-dir";
        choices.outDir = TextValue(name, value);
    } else if (argument == "-o" || OptionNamed(argument, "--output")) {
        name = argument == "-o" ? "-o" : "--output";
        choices.output = TextValue(name, value);
    } else if (argument == "--composite") {
        name = argument;
        choices.composite = true;
    } else if (argument == "--layers") {
        name = argument;
        choices.layers = true;
    } else if (argument == "--tiff") {
        name = argument;
        choices.tiff = true;
    } else if (argument == "-j" || OptionNamed(argument, "--jobs")) {
        name = argument == "-j" ? "-j" : "--jobs";
        choices.jobs = NumberValue(name, value, 1, 256);
    } else if (argument.size() > 2 && argument.compare(0, 2, "-j") == 0 &&
               argument.find_first_not_of("0123456789", 2) == std::string::npos) {
        // -j2, as make takes it
        name = "-j";
        choices.jobs = NumberValue(
            name, [&](const std::string&) { return argument.substr(2); }, 1, 256);
    } else if (OptionNamed(argument, "--report")) {
        name = "--report";
        choices.reportFile = TextValue(name, value);
    } else if (OptionNamed(argument, "--worker-page")) {
        name = "--worker-page";
        choices.workerPage = NumberValue(name, value, 0, 1000000);
    } else {
        return false;
    }
    choices.given.push_back(name);
    return true;
}

std::string FlatOptionsHelp() {
    return "Finding the line work:\n"
           "  --threshold N        a pixel is ink when its darkness (255 minus its\n"
           "                       luminance, times its opacity) is N or more, 0 to 255\n"
           "                       [chosen per page by Otsu's method, and printed]\n"
           "  --close-gaps N       close openings in the line work up to N pixels wide, so\n"
           "                       that an area does not leak into its neighbour, 0 to 64;\n"
           "                       0 turns it off [4]\n"
           "  --solid-black N      ink at least N pixels thick all round (filled hair,\n"
           "                       shadows) keeps a flat of its own [20]\n"
           "  --no-solid-black     let solid black areas go to their neighbours' flats\n"
           "\n"
           "Output, for each input NAME.EXT:\n"
           "  --out-dir DIR        write NAME-flats.png (and the others) in DIR [beside\n"
           "                       the input]\n"
           "  -o, --output FILE    the flats file of a single input; the others are named\n"
           "                       from it\n"
           "  --tiff               the flats as NAME-flats.tif\n"
           "  --composite          also NAME-composite.png: the line art multiplied over\n"
           "                       the flats\n"
           "  --layers             also NAME.psd: the flats, and the line art above them\n"
           "                       in Multiply mode\n"
           "  --report FILE.json   the figures and warnings of every page as JSON\n"
           "  -j, --jobs N         pages at a time, each in a process of its own [one per\n"
           "                       core]\n";
}

}  // namespace oxhost
