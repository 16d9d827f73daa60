// How hard the PNG and TIFF writers compress. Flat colour art compresses well
// with the fastest settings (one pass of deflate level 1 over rows filtered
// against the row above: about twice the size of the smallest file, written in
// a fifth of the time), so that is the default; `small` is for archiving.
#pragma once

#include <string>

namespace oxhost {

enum class WriteCompression {
    Fast,      // the fastest deflate (ISA-L's for TIFF), PNG rows filtered "up"
    Balanced,  // deflate level 6, PNG rows filtered "up"
    Small,     // deflate level 9, every PNG filter tried on every row
};

// For every file written from now on in this process.
void SetWriteCompression(WriteCompression compression);
WriteCompression CurrentWriteCompression();

// "fast", "balanced" or "small"; false for anything else.
bool ParseWriteCompression(const std::string& name, WriteCompression& compression);

// The zlib deflate level of the setting (1, 6 or 9).
int DeflateLevel(WriteCompression compression);

}  // namespace oxhost
