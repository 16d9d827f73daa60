// The options of `oxhost flat` beyond Tintflood's own: how the line work is
// found, what is written where, and how many pages run at a time.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "TintfloodOptions.h"

namespace oxhost {

struct FlatChoices {
    std::optional<int> threshold;  // --threshold: darkness that counts as ink; none: per page
    std::optional<int> closeGaps;  // --close-gaps: widest gap closed; none: the default
    bool keepSolidBlack = true;    // off with --no-solid-black
    std::optional<int> solidBlackThickness;  // --solid-black N: thinnest solid area kept
    std::string outDir;                      // --out-dir
    std::string output;                      // -o / --output: the flats file of a single page
    bool composite = false;                  // --composite: also NAME-composite.png
    bool layers = false;                     // --layers: also NAME.psd
    bool tiff = false;                       // --tiff: the flats as NAME-flats.tif
    int jobs = 0;                            // -j / --jobs; 0: one per core
    std::string reportFile;                  // --report FILE.json
    int workerPage = -1;                     // --worker-page N: the one page a book's worker runs
    std::vector<std::string> given;          // the option names, for "not an option of" messages
};

// Parses `argument` when it is an option of flat and returns true; false for
// any other. Throws UsageError for a bad value.
bool ParseFlatOption(const std::string& argument, const OptionValue& value, FlatChoices& choices);

// The lines of `oxhost flat --help` that describe these options.
std::string FlatOptionsHelp();

}  // namespace oxhost
