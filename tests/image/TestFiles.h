// Scratch folders, raw file bytes and hand-made image files for the image tests.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "host/image/Document.h"
#include "host/image/ImageProgress.h"

namespace oxtest {

using Bytes = std::vector<uint8_t>;

// A fresh folder under the system's temporary folder, removed with its
// content on destruction.
class TemporaryFolder {
public:
    TemporaryFolder();
    ~TemporaryFolder();
    TemporaryFolder(const TemporaryFolder&) = delete;
    TemporaryFolder& operator=(const TemporaryFolder&) = delete;

    const std::string& Path() const { return path_; }
    std::string File(const std::string& name) const { return path_ + "/" + name; }
    // Names of the entries, sorted, without "." and "..".
    std::vector<std::string> Entries() const;

private:
    std::string path_;
};

Bytes ReadBytes(const std::string& path);
void WriteBytes(const std::string& path, const Bytes& bytes);

// A document whose every byte differs from its neighbours', so that a swapped
// plane, row or column shows.
oxhost::Document PatternDocument(int width, int height, oxhost::ColorModel model, bool hasAlpha);

// A PNG chunk: length, type, data and CRC.
Bytes PngChunk(const char type[4], const Bytes& data);
// The signature and an IHDR chunk for an 8-bit RGB image, nothing more.
Bytes PngSignatureAndHeader(uint32_t width, uint32_t height);

// Writes a PNG with libpng's simplified interface, independent of the reader
// under test. `format` is a PNG_FORMAT_* value; `colormap` is used only for
// colour-mapped formats.
void WritePngForTest(const std::string& path, uint32_t format, int width, int height,
                     const void* pixels, const Bytes& colormap = {}, int colormapEntries = 0);

// A TIFF as libtiff writes it, for files the writer under test never makes.
struct TiffSpec {
    int width = 0;
    int height = 0;
    int photometric = 2;  // PHOTOMETRIC_RGB
    int samplesPerPixel = 3;
    int bitsPerSample = 8;
    int extraSampleKind = -1;  // EXTRASAMPLE_* for the last sample, -1 for no tag
    bool separatePlanes = false;
    int tileSide = 0;  // 0 for strips
    int compression = 1;
    // Interleaved samples as the file holds them, row after row.
    Bytes samples;
    int pages = 1;  // the same image again for each further page
};
void WriteTiffForTest(const std::string& path, const TiffSpec& spec);

// The interleaved samples of the first image as libtiff reads them, with
// the values of a few tags.
struct TiffContent {
    int photometric = 0;
    int samplesPerPixel = 0;
    int compression = 0;
    int inkSet = 0;
    std::vector<uint16_t> extraSamples;
    Bytes samples;
};
TiffContent ReadTiffForTest(const std::string& path);

// A BMP as the format describes it, byte by byte, for the reader under test.
struct BmpSpec {
    int width = 0;
    int height = 0;  // the file stores -height for a top-down image
    bool topDown = false;
    int bitsPerPixel = 24;
    uint32_t compression = 0;   // 0 plain, 3 colour masks, 6 masks with alpha
    uint32_t headerBytes = 40;  // 12 (core), 40, 52, 56, 108 or 124
    // Red, green, blue and alpha masks: in the header from 52 bytes up,
    // after a 40-byte one when compression is 3 or 6.
    uint32_t masks[4] = {0, 0, 0, 0};
    // Blue, green, red for each entry (a fourth byte 0 is added unless the
    // header is the core one).
    Bytes palette;
    // One value a pixel, top row first whatever the file's order: the
    // palette index, or the pixel's bits (24-bit: 0xRRGGBB).
    std::vector<uint32_t> pixels;
};
Bytes BmpBytesForTest(const BmpSpec& spec);

// Every report of a reader or writer, through Callback().
struct ProgressRecord {
    std::vector<std::pair<int32_t, int32_t>> calls;  // done, total

    oxhost::ImageProgress Callback() {
        return [this](int32_t done, int32_t total) { calls.emplace_back(done, total); };
    }
    // "" when there were reports, all of one total, never going back and
    // ending at the total; otherwise what is wrong.
    std::string Problem() const;
};

}  // namespace oxtest
