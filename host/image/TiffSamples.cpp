#include <cstring>

#include "host/image/TiffLayout.h"

namespace oxhost {
namespace {

// 16-bit samples (in the machine's byte order, as libtiff hands them over)
// to 8 bits with rounding, in place: sample i moves from bytes 2i and 2i+1
// to byte i, so no sample is overwritten before it is read.
void ReduceToEightBits(uint8_t* samples, size_t count) {
    for (size_t index = 0; index < count; ++index) {
        uint16_t wide;
        std::memcpy(&wide, samples + 2 * index, sizeof wide);
        samples[index] = uint8_t((uint32_t(wide) * 255 + 32767) / 65535);
    }
}

// `rows` rows of 1-bit samples, `fileRowBytes` apart, as 8-bit samples (a set
// bit is 255), `rowSamples` to a row, in `spread`.
void SpreadBits(const uint8_t* bits, size_t rows, size_t rowSamples, size_t fileRowBytes,
                std::vector<uint8_t>& spread) {
    spread.resize(rows * rowSamples);
    for (size_t row = 0; row < rows; ++row) {
        const uint8_t* source = bits + row * fileRowBytes;
        uint8_t* target = spread.data() + row * rowSamples;
        for (size_t sample = 0; sample < rowSamples; ++sample) {
            target[sample] = (source[sample / 8] & (0x80u >> (sample % 8))) != 0 ? 255 : 0;
        }
    }
}

// Puts sample `sample` of a file pixel into the document pixel `target`: a
// grey sample fills the three colour planes.
void PlaceSample(const TiffLayout& layout, int sample, uint8_t value, uint8_t* target) {
    if (layout.colorSamples != 1) {
        target[sample] = value;
    } else if (sample == 0) {
        target[0] = target[1] = target[2] = layout.minIsWhite ? uint8_t(255 - value) : value;
    } else {
        target[3] = value;
    }
}

}  // namespace

size_t FileRowBytes(const TiffLayout& layout, size_t samples) {
    return layout.bilevel ? (samples + 7) / 8 : samples * size_t(layout.bytesPerSample);
}

const uint8_t* EightBitSamples(const TiffLayout& layout, uint8_t* samples, size_t rows,
                               size_t rowSamples, std::vector<uint8_t>& spread) {
    if (layout.bilevel) {
        SpreadBits(samples, rows, rowSamples, FileRowBytes(layout, rowSamples), spread);
        return spread.data();
    }
    if (layout.bytesPerSample == 2) {
        ReduceToEightBits(samples, rows * rowSamples);
    }
    return samples;
}

void CopyBlock(const uint8_t* block, const TiffLayout& layout, uint32_t top, uint32_t left,
               uint32_t rows, uint32_t columns, int plane, Document& document) {
    const size_t samplesPerBlockPixel = layout.separatePlanes ? 1 : layout.samplesPerPixel;
    const size_t blockRowBytes = size_t(layout.blockWidth) * samplesPerBlockPixel;
    const size_t targetStep = size_t(document.TotalPlanes());
    for (uint32_t row = 0; row < rows; ++row) {
        const uint8_t* source = block + row * blockRowBytes;
        uint8_t* target = document.Pixel(int(top + row), int(left));
        if (!layout.separatePlanes && layout.colorSamples != 1) {
            std::memcpy(target, source, size_t(columns) * layout.samplesPerPixel);
            continue;
        }
        for (uint32_t column = 0; column < columns; ++column, target += targetStep) {
            if (layout.separatePlanes) {
                PlaceSample(layout, plane, source[column], target);
                continue;
            }
            for (int sample = 0; sample < layout.samplesPerPixel; ++sample) {
                PlaceSample(layout, sample, source[column * samplesPerBlockPixel + sample], target);
            }
        }
    }
}

}  // namespace oxhost
