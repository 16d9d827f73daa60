// Colour swatch files of the host (".aco", version 1): the colours of one
// file in file order, handed out one after the other and round again.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "SwatchFiles.h"

struct SwatchEntry {
    uint16_t space;  // colour space code of the file
    uint16_t w;
    uint16_t x;
    uint16_t y;
    uint16_t z;
};

class SwatchPalette {
public:
    // Loads the file; a missing, unreadable or foreign file, or one of
    // another version, gives an empty palette. A file shorter than its count
    // gives the complete entries before its end.
    explicit SwatchPalette(const std::string& path);
    virtual ~SwatchPalette() = default;

    size_t SwatchCount() const { return entries.size(); }
    // Copies the entry under the cursor and moves on, wrapping after the
    // last; with no entries the caller's entry stays as it was.
    void NextSwatch(SwatchEntry& entry);

private:
    std::vector<SwatchEntry> entries;
    size_t cursor = 0;
};

// The colour-services space of a file's space code, or -1 when unsupported.
int16_t SwatchSpaceToHost(uint16_t space);

// The four components a colour-services request carries for the entry, in
// the host space of its code.
void SwatchRequestComponents(const SwatchEntry& entry, int16_t components[4]);

// The swatch folder of the running host: its program folder followed by
// "Presets/Color Swatches/".
std::string SwatchFolder();
