// The options of `oxhost run tintflood`: what the user chose on the command
// line, to be laid over the default settings or over a replayed action.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "HostTypes.h"

namespace oxhost {

struct TintfloodChoices {
    std::optional<RGBColor> fillColor;   // --fill-color: the colour to replace
    std::optional<uint16_t> tolerance;   // --tolerance
    std::optional<std::string> palette;  // --palette: a swatch file name
    bool random = false;                 // --random
    std::optional<uint32_t> flagSize;    // --flag SIZE: flag areas up to SIZE
    std::optional<RGBColor> flagColor;   // --flag-color
    std::optional<uint32_t> joinSize;    // --join SIZE: join areas up to SIZE
    std::optional<bool> measureArea;     // --measure area (true) or box (false)
    std::vector<std::string> given;      // the option names, in order, for messages

    bool Any() const { return !given.empty(); }
};

// Takes the value of the option `name`, from "--name=value" or the next
// argument; throws UsageError when there is none.
using OptionValue = std::function<std::string(const std::string& name)>;

// Parses `argument` when it is a Tintflood option and returns true; false for
// any other argument. Throws UsageError for a bad value, or for --palette
// together with --random.
bool ParseTintfloodOption(const std::string& argument, const OptionValue& value,
                          TintfloodChoices& choices);

// A colour given as "#rrggbb" or "rrggbb"; each byte b becomes b * 257.
// False for anything else.
bool ParseColorOption(const std::string& text, RGBColor& color);

// Checks --palette against the swatch files offered in `folder` and turns it
// into the file name there ("Light Flats" names "Light Flats.aco"). Throws
// UsageError listing the offered names when there is no such file.
void ResolvePalette(TintfloodChoices& choices, const std::string& folder);

// The lines of `oxhost run --help` that describe these options.
std::string TintfloodOptionsHelp();

}  // namespace oxhost
