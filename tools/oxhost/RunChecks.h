// Checks of `oxhost run` around the filter that keep the user's files whole
// and say what a run would otherwise lose or change without a word.
#pragma once

#include <string>
#include <vector>

#include "host/scripting/Descriptor.h"

namespace oxhost {

// Why the swatch file gives Tintflood no colour, read by the filter's rule
// (version 1, a count, then entries); "" when it gives at least one.
std::string SwatchFileProblem(const std::string& path);

// What the output will not carry of the input: its further pages (TIFF
// pages, animated PNG frames) and its samples deeper than 8 bits. Throws
// HostError when `output` is `input` itself (by any name) and something
// would be lost, since writing over it would destroy the rest; otherwise
// returns one warning line per loss, none when nothing is lost.
std::vector<std::string> CheckInputKept(const std::string& input, const std::string& output);

// A warning when the settings a Tintflood run used (the descriptor it
// recorded) name a palette of `swatchFolder` that gives no usable colour -
// missing, a folder, empty, of another version, or without a colour in a
// space the filter converts - so that the areas got random colours; none
// otherwise, and none when the settings ask for random colours.
std::vector<std::string> CheckPaletteUsed(const Descriptor& settings,
                                          const std::string& swatchFolder);

// Before a run with the options dialog: a warning when the preferences file
// the plug-in saves on OK cannot be written (no folder for it, a folder or
// other non-regular file in its place, a folder that takes no new file), as
// the plug-in itself fails silently; none otherwise.
std::vector<std::string> CheckPreferencesSavable();

// Prints each line on stderr as "oxhost: warning: LINE".
void PrintWarnings(const std::vector<std::string>& warnings);

}  // namespace oxhost
