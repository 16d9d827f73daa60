#include "TintfloodOptions.h"

#include <algorithm>
#include <cstdlib>

#include "Options.h"
#include "SwatchFolder.h"

namespace oxhost {
namespace {

constexpr uint32_t kMaxSize = 2147483647;  // descriptors carry sizes as int32

// A plain decimal number from 0 to `max`.
bool ParseNumber(const std::string& text, uint32_t max, uint32_t& number) {
    if (text.empty() || text.size() > 10 ||
        text.find_first_not_of("0123456789") != std::string::npos) {
        return false;
    }
    const unsigned long long value = std::strtoull(text.c_str(), nullptr, 10);
    if (value > max) {
        return false;
    }
    number = uint32_t(value);
    return true;
}

RGBColor ColorValue(const std::string& name, const OptionValue& value) {
    const std::string text = value(name);
    RGBColor color{};
    if (!ParseColorOption(text, color)) {
        throw UsageError(name + " wants a colour as #rrggbb or rrggbb, not '" + text + "'");
    }
    return color;
}

uint32_t NumberValue(const std::string& name, const OptionValue& value, uint32_t max) {
    const std::string text = value(name);
    uint32_t number = 0;
    if (!ParseNumber(text, max, number)) {
        throw UsageError(name + " wants a whole number from 0 to " + std::to_string(max) +
                         ", not '" + text + "'");
    }
    return number;
}

void CheckPaletteOrRandom(const TintfloodChoices& choices) {
    if (choices.palette && choices.random) {
        throw UsageError("--palette and --random exclude each other");
    }
}

std::string QuotedList(const std::vector<std::string>& names) {
    std::string list;
    for (const std::string& name : names) {
        list += (list.empty() ? "'" : ", '") + name + "'";
    }
    return list;
}

}  // namespace

bool ParseColorOption(const std::string& text, RGBColor& color) {
    PickedColor bytes;
    if (!ParseHexColor(text, bytes)) {
        return false;
    }
    color = RGBColor{uint16_t(bytes.red * 257), uint16_t(bytes.green * 257),
                     uint16_t(bytes.blue * 257)};
    return true;
}

bool ParseTintfloodOption(const std::string& argument, const OptionValue& value,
                          TintfloodChoices& choices) {
    std::string name;
    if (OptionNamed(argument, "--fill-color")) {
        name = "--fill-color";
        choices.fillColor = ColorValue(name, value);
    } else if (OptionNamed(argument, "--flag-color")) {
        name = "--flag-color";
        choices.flagColor = ColorValue(name, value);
    } else if (OptionNamed(argument, "--tolerance")) {
        name = "--tolerance";
        choices.tolerance = uint16_t(NumberValue(name, value, 65535));
    } else if (OptionNamed(argument, "--palette")) {
        name = "--palette";
        choices.palette = value(name);
        if (choices.palette->empty()) {
            throw UsageError("--palette wants the name of a swatch file");
        }
    } else if (argument == "--random") {
        name = argument;
        choices.random = true;
    } else if (OptionNamed(argument, "--flag")) {
        name = "--flag";
        choices.flagSize = NumberValue(name, value, kMaxSize);
    } else if (OptionNamed(argument, "--join")) {
        name = "--join";
        choices.joinSize = NumberValue(name, value, kMaxSize);
    } else if (OptionNamed(argument, "--measure")) {
        name = "--measure";
        const std::string text = value(name);
        if (text != "area" && text != "box") {
            throw UsageError("--measure wants 'area' or 'box', not '" + text + "'");
        }
        choices.measureArea = text == "area";
    } else {
        return false;
    }
    CheckPaletteOrRandom(choices);
    choices.given.push_back(name);
    return true;
}

void ResolvePalette(TintfloodChoices& choices, const std::string& folder) {
    if (!choices.palette) {
        return;
    }
    const std::vector<std::string> offered = ListSwatchFiles(folder);
    for (const std::string& candidate : {*choices.palette, *choices.palette + ".aco"}) {
        if (std::find(offered.begin(), offered.end(), candidate) != offered.end()) {
            choices.palette = candidate;
            return;
        }
    }
    throw UsageError("no palette '" + *choices.palette + "' in " + folder + " (" +
                     (offered.empty() ? "it offers none" : "it offers " + QuotedList(offered)) +
                     "; see 'oxhost palettes')");
}

std::string TintfloodOptionsHelp() {
    return "Tintflood runs without its dialog, with these settings (defaults in brackets):\n"
           "  --fill-color COLOR   the colour of the areas to fill, #rrggbb or rrggbb\n"
           "                       [#ffffff]\n"
           "  --tolerance N        how far each channel may lie from it, 0 to 65535 [0]\n"
           "  --palette NAME       take the fill colours from this swatch file, in turn\n"
           "                       (see 'oxhost palettes'; '.aco' may be left out)\n"
           "                       [none: random colours]\n"
           "  --random             make every fill colour at random\n"
           "  --flag SIZE          paint areas up to SIZE with the flag colour [off; 20]\n"
           "  --flag-color COLOR   the flag colour [#ff00ff]\n"
           "  --join SIZE          give areas up to SIZE the colour of the nearest larger\n"
           "                       area around them [off; 10]\n"
           "  --measure area|box   an area's size: its pixel count, or its height and\n"
           "                       width [box]\n"
           "\n"
           "Actions (plug-ins that can be scripted, such as Tintflood):\n"
           "  --play FILE          replay an action file; settings given as options\n"
           "                       override those of the file\n"
           "  --record FILE        save the settings the filter used as an action file\n"
           "                       (JSON), once the run has succeeded\n";
}

}  // namespace oxhost
