// Swatch files come from any folder a user fills: every byte sequence must
// give a palette (perhaps empty) whose colours can all be requested.
#include <cstddef>
#include <cstdint>

#include "FuzzInputFile.h"
#include "SwatchPalette.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    SwatchPalette palette(WriteFuzzInputFile(data, size, ".aco"));
    // Go round once and a step more, to exercise the wrap.
    for (size_t i = 0; i <= palette.SwatchCount(); ++i) {
        SwatchEntry entry{};
        palette.NextSwatch(entry);
        int16_t components[4] = {};
        if (SwatchSpaceToHost(entry.space) >= 0) {
            SwatchRequestComponents(entry, components);
        }
    }
    return 0;
}
