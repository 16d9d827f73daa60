// Runs the Tintflood engine, built into the test program, through the host
// library, with its settings handed over in the parameter block as a host
// would keep it between selectors.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "TintfloodSettings.h"
#include "host/image/Document.h"
#include "host/run/FilterRun.h"

namespace tintfloodtest {

// The 296 bytes of the parameter block for `settings`, laid out byte by byte.
std::vector<uint8_t> ParameterBlockBytes(const TintfloodSettings& settings);

struct FillOutcome {
    oxhost::RunResult result;
    std::vector<std::pair<int32_t, int32_t>> progress;
};

// Runs the filter over `document` (changed in place when the run succeeds).
// abortAfterRows >= 0 asks to stop once that many rows are reported.
FillOutcome RunTintflood(oxhost::Document& document, const TintfloodSettings& settings,
                         int abortAfterRows = -1,
                         const std::function<void(oxhost::RunOptions&)>& adjust = {});

// Writes a version 1 swatch file into the swatch folder of this program.
// Entries: {space, w, x, y, z}.
void WriteSwatchFile(const std::string& name, const std::vector<std::vector<uint16_t>>& entries);
void RemoveSwatchFile(const std::string& name);

// An RGB document drawn from rows of letters: W white, K black, G light grey (150).
oxhost::Document RgbDocument(const std::vector<std::string>& rows);

std::vector<uint8_t> PixelAt(const oxhost::Document& document, int row, int column);

}  // namespace tintfloodtest
