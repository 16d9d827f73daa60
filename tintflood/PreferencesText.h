// The text layout of the preferences file, apart from any file access.
// Line 1: sixteen fields separated by one space each: signature, version,
// fill colour red/green/blue, tolerance (decimal numbers), reservedFlag,
// randomColors, measureArea, flagAreas (one raw byte each, 0x00 or 0x01),
// flag colour red/green/blue, flagSize (numbers), joinAreas (raw byte),
// joinSize (number). Line 2: the palette file name. Both lines end in CR LF;
// byteOrderFlag is not stored. The defaults make a 66-byte file.
#pragma once

#include <string>

#include "TintfloodSettings.h"

// The file's bytes for `settings`. A flag is written as 0x01 whenever it is
// non-zero, so that no flag byte can be mistaken for a separator on reading.
std::string FormatPreferences(const TintfloodSettings& settings);

// Updates `settings` from the file's bytes, field by field in file order.
// Blanks (space, tab, CR, LF, VT, FF) before a number or a flag are skipped;
// a number is a run of decimal digits that fits its field. The first field
// that cannot be read ends the reading: it and every later field, the
// palette name included, keep their values. Afterwards a record whose
// signature or version is not this plug-in's is reset to its defaults.
void ParsePreferences(const std::string& bytes, TintfloodSettings& settings);
