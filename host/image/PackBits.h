// PackBits, the run-length code of PSD and TIFF image rows: a header byte n
// then either n + 1 literal bytes (n in 0..127) or one byte repeated 1 - n
// times (n in -127..-1, as a signed byte). Rows of flat colour shrink to about
// two bytes per 128 pixels; no input grows by more than one byte in 128.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace oxhost {

// Largest encoding of `count` bytes: every 128 of them need one header byte.
constexpr size_t PackBitsBound(size_t count) {
    return count + (count + 127) / 128;
}

// Appends the PackBits encoding of bytes [bytes, bytes + count) to `output`
// and returns how many bytes it appended. Runs of three or more equal bytes,
// and of two where no literal is open, become repeats; everything else goes
// into literals of up to 128 bytes. The code -128 is never written.
size_t AppendPackBits(const uint8_t* bytes, size_t count, std::vector<uint8_t>& output);

}  // namespace oxhost
