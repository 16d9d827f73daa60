#include "TestFiles.h"

#include <png.h>
#include <tiffio.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <stdexcept>

namespace oxtest {
namespace {

uint32_t Crc32(const uint8_t* data, size_t length) {
    uint32_t crc = 0xFFFFFFFFu;
    for (size_t index = 0; index < length; ++index) {
        crc ^= data[index];
        for (int bit = 0; bit < 8; ++bit) {
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
        }
    }
    return ~crc;
}

void AppendBigEndian(Bytes& bytes, uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8) {
        bytes.push_back(uint8_t(value >> shift));
    }
}

struct TiffCloser {
    void operator()(TIFF* tiff) const { TIFFClose(tiff); }
};
using TiffPointer = std::unique_ptr<TIFF, TiffCloser>;

TiffPointer OpenTiff(const std::string& path, const char* mode) {
    TIFFSetErrorHandler(nullptr);
    TIFFSetWarningHandler(nullptr);
    TiffPointer tiff(TIFFOpen(path.c_str(), mode));
    if (!tiff) {
        throw std::runtime_error("libtiff cannot open " + path);
    }
    return tiff;
}

void Require(bool condition, const std::string& what) {
    if (!condition) {
        throw std::runtime_error(what);
    }
}

// The block of the given size at (top, left), as the file stores it: every
// sample of each pixel, or only `plane` when planes are separate. Zeros pad
// the block beyond the image.
Bytes CutBlock(const TiffSpec& spec, int top, int left, int blockWidth, int blockHeight,
               int plane) {
    int bytesPerSample = spec.bitsPerSample / 8;
    int pixelBytes = spec.samplesPerPixel * bytesPerSample;
    int copiedBytes = spec.separatePlanes ? bytesPerSample : pixelBytes;
    Bytes block(size_t(blockWidth) * blockHeight * copiedBytes, 0);
    for (int row = 0; row < blockHeight && top + row < spec.height; ++row) {
        for (int column = 0; column < blockWidth && left + column < spec.width; ++column) {
            size_t source = (size_t(top + row) * spec.width + left + column) * pixelBytes +
                            (spec.separatePlanes ? plane * bytesPerSample : 0);
            size_t target = (size_t(row) * blockWidth + column) * copiedBytes;
            std::copy_n(spec.samples.begin() + source, copiedBytes, block.begin() + target);
        }
    }
    return block;
}

}  // namespace

TemporaryFolder::TemporaryFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "oximage.XXXXXX").string();
    Require(mkdtemp(pattern.data()) != nullptr, "mkdtemp failed");
    path_ = pattern;
}

TemporaryFolder::~TemporaryFolder() {
    std::error_code ignored;
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ignored);
    std::filesystem::remove_all(path_, ignored);
}

std::vector<std::string> TemporaryFolder::Entries() const {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(path_)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

Bytes ReadBytes(const std::string& path) {
    std::ifstream stream(path, std::ios::binary);
    Require(bool(stream), "cannot read " + path);
    return Bytes(std::istreambuf_iterator<char>(stream), std::istreambuf_iterator<char>());
}

void WriteBytes(const std::string& path, const Bytes& bytes) {
    std::ofstream stream(path, std::ios::binary | std::ios::trunc);
    stream.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    Require(bool(stream), "cannot write " + path);
}

oxhost::Document PatternDocument(int width, int height, oxhost::ColorModel model, bool hasAlpha) {
    oxhost::Document document;
    document.width = width;
    document.height = height;
    document.model = model;
    document.hasAlpha = hasAlpha;
    document.pixels.resize(document.RowBytes() * size_t(height));
    for (int row = 0; row < height; ++row) {
        for (int column = 0; column < width; ++column) {
            uint8_t* pixel = document.Pixel(row, column);
            for (int plane = 0; plane < document.TotalPlanes(); ++plane) {
                pixel[plane] = uint8_t(column * 31 + row * 17 + plane * 67 + 5);
            }
        }
    }
    return document;
}

Bytes PngChunk(const char type[4], const Bytes& data) {
    Bytes chunk;
    AppendBigEndian(chunk, uint32_t(data.size()));
    chunk.insert(chunk.end(), type, type + 4);
    chunk.insert(chunk.end(), data.begin(), data.end());
    AppendBigEndian(chunk, Crc32(chunk.data() + 4, chunk.size() - 4));
    return chunk;
}

Bytes PngSignatureAndHeader(uint32_t width, uint32_t height) {
    Bytes file = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    Bytes header;
    AppendBigEndian(header, width);
    AppendBigEndian(header, height);
    header.insert(header.end(), {8, 2, 0, 0, 0});  // 8-bit RGB, deflate, no interlace
    Bytes chunk = PngChunk("IHDR", header);
    file.insert(file.end(), chunk.begin(), chunk.end());
    return file;
}

void WritePngForTest(const std::string& path, uint32_t format, int width, int height,
                     const void* pixels, const Bytes& colormap, int colormapEntries) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = png_uint_32(width);
    image.height = png_uint_32(height);
    image.format = format;
    image.colormap_entries = png_uint_32(colormapEntries);
    int written = png_image_write_to_file(&image, path.c_str(), 0, pixels, 0,
                                          colormap.empty() ? nullptr : colormap.data());
    Require(written != 0, std::string("libpng cannot write the test file: ") + image.message);
}

namespace {

void WriteTiffPage(TIFF* file, const TiffSpec& spec) {
    TIFFSetField(file, TIFFTAG_IMAGEWIDTH, uint32_t(spec.width));
    TIFFSetField(file, TIFFTAG_IMAGELENGTH, uint32_t(spec.height));
    TIFFSetField(file, TIFFTAG_BITSPERSAMPLE, spec.bitsPerSample);
    TIFFSetField(file, TIFFTAG_SAMPLESPERPIXEL, spec.samplesPerPixel);
    TIFFSetField(file, TIFFTAG_PHOTOMETRIC, spec.photometric);
    TIFFSetField(file, TIFFTAG_COMPRESSION, spec.compression);
    TIFFSetField(file, TIFFTAG_PLANARCONFIG,
                 spec.separatePlanes ? PLANARCONFIG_SEPARATE : PLANARCONFIG_CONTIG);
    if (spec.extraSampleKind >= 0) {
        uint16_t kind = uint16_t(spec.extraSampleKind);
        TIFFSetField(file, TIFFTAG_EXTRASAMPLES, 1, &kind);
    }
    int planes = spec.separatePlanes ? spec.samplesPerPixel : 1;
    if (spec.tileSide > 0) {
        TIFFSetField(file, TIFFTAG_TILEWIDTH, uint32_t(spec.tileSide));
        TIFFSetField(file, TIFFTAG_TILELENGTH, uint32_t(spec.tileSide));
        for (int plane = 0; plane < planes; ++plane) {
            for (int top = 0; top < spec.height; top += spec.tileSide) {
                for (int left = 0; left < spec.width; left += spec.tileSide) {
                    Bytes tile = CutBlock(spec, top, left, spec.tileSide, spec.tileSide, plane);
                    Require(TIFFWriteTile(file, tile.data(), uint32_t(left), uint32_t(top), 0,
                                          uint16_t(plane)) >= 0,
                            "TIFFWriteTile failed");
                }
            }
        }
        return;
    }
    TIFFSetField(file, TIFFTAG_ROWSPERSTRIP, 3u);
    for (int plane = 0; plane < planes; ++plane) {
        for (int row = 0; row < spec.height; ++row) {
            Bytes line = CutBlock(spec, row, 0, spec.width, 1, plane);
            Require(TIFFWriteScanline(file, line.data(), uint32_t(row), uint16_t(plane)) >= 0,
                    "TIFFWriteScanline failed");
        }
    }
}

}  // namespace

void WriteTiffForTest(const std::string& path, const TiffSpec& spec) {
    TiffPointer tiff = OpenTiff(path, "w");
    for (int page = 0; page < spec.pages; ++page) {
        if (page > 0) {
            Require(TIFFWriteDirectory(tiff.get()) != 0, "TIFFWriteDirectory failed");
        }
        WriteTiffPage(tiff.get(), spec);
    }
}

TiffContent ReadTiffForTest(const std::string& path) {
    TiffPointer tiff = OpenTiff(path, "r");
    TIFF* file = tiff.get();
    TiffContent content;
    uint16_t value = 0;
    uint32_t width = 0;
    uint32_t height = 0;
    TIFFGetField(file, TIFFTAG_IMAGEWIDTH, &width);
    TIFFGetField(file, TIFFTAG_IMAGELENGTH, &height);
    TIFFGetField(file, TIFFTAG_PHOTOMETRIC, &value);
    content.photometric = value;
    TIFFGetFieldDefaulted(file, TIFFTAG_SAMPLESPERPIXEL, &value);
    content.samplesPerPixel = value;
    TIFFGetFieldDefaulted(file, TIFFTAG_COMPRESSION, &value);
    content.compression = value;
    if (TIFFGetField(file, TIFFTAG_INKSET, &value)) {
        content.inkSet = value;
    }
    uint16_t count = 0;
    uint16_t* kinds = nullptr;
    if (TIFFGetField(file, TIFFTAG_EXTRASAMPLES, &count, &kinds)) {
        content.extraSamples.assign(kinds, kinds + count);
    }
    Require(TIFFScanlineSize(file) == tmsize_t(width) * content.samplesPerPixel,
            "the test reader expects 8-bit interleaved samples");
    content.samples.resize(size_t(width) * height * content.samplesPerPixel);
    for (uint32_t row = 0; row < height; ++row) {
        Require(
            TIFFReadScanline(file, content.samples.data() + size_t(row) * TIFFScanlineSize(file),
                             row, 0) >= 0,
            "TIFFReadScanline failed");
    }
    return content;
}

namespace {

void AppendLittleEndian(Bytes& bytes, uint32_t value, int count) {
    for (int index = 0; index < count; ++index) {
        bytes.push_back(uint8_t(value >> (8 * index)));
    }
}

// One row as the file holds it: pixels packed from the high bits of each
// byte (or little-endian for 16 and 32 bits), padded to 4 bytes.
Bytes BmpRow(const BmpSpec& spec, int row) {
    Bytes bytes;
    const uint32_t* values = spec.pixels.data() + size_t(row) * spec.width;
    if (spec.bitsPerPixel < 8) {
        bytes.assign(size_t(spec.width * spec.bitsPerPixel + 7) / 8, 0);
        for (int column = 0; column < spec.width; ++column) {
            const int bit = column * spec.bitsPerPixel;
            bytes[bit / 8] |= uint8_t(values[column] << (8 - spec.bitsPerPixel - bit % 8));
        }
    } else {
        for (int column = 0; column < spec.width; ++column) {
            AppendLittleEndian(bytes, values[column], spec.bitsPerPixel / 8);
        }
    }
    bytes.resize((bytes.size() + 3) / 4 * 4, 0);
    return bytes;
}

}  // namespace

Bytes BmpBytesForTest(const BmpSpec& spec) {
    const bool core = spec.headerBytes == 12;
    Bytes info;
    AppendLittleEndian(info, spec.headerBytes, 4);
    if (core) {
        AppendLittleEndian(info, uint32_t(spec.width), 2);
        AppendLittleEndian(info, uint32_t(spec.height), 2);
        AppendLittleEndian(info, 1, 2);
        AppendLittleEndian(info, uint32_t(spec.bitsPerPixel), 2);
    } else {
        AppendLittleEndian(info, uint32_t(spec.width), 4);
        AppendLittleEndian(info, uint32_t(spec.topDown ? -spec.height : spec.height), 4);
        AppendLittleEndian(info, 1, 2);
        AppendLittleEndian(info, uint32_t(spec.bitsPerPixel), 2);
        AppendLittleEndian(info, spec.compression, 4);
        info.insert(info.end(), 12, 0);  // image size, resolution
        AppendLittleEndian(info, uint32_t(spec.palette.size() / 3), 4);
        AppendLittleEndian(info, 0, 4);
        const bool masked = spec.compression == 3 || spec.compression == 6;
        const int maskCount = spec.headerBytes >= 56 || spec.compression == 6 ? 4 : 3;
        if (spec.headerBytes > 40 || masked) {
            for (int mask = 0; mask < maskCount; ++mask) {
                AppendLittleEndian(info, spec.masks[mask], 4);
            }
        }
        // The rest of a larger header: colour space and the like, unused.
        const size_t headerEnd = std::max<size_t>(spec.headerBytes, info.size());
        info.resize(headerEnd, 0);
    }
    for (size_t entry = 0; entry + 3 <= spec.palette.size(); entry += 3) {
        info.insert(info.end(), spec.palette.begin() + entry, spec.palette.begin() + entry + 3);
        if (!core) {
            info.push_back(0);
        }
    }
    Bytes pixels;
    for (int index = 0; index < spec.height; ++index) {
        const Bytes row = BmpRow(spec, spec.topDown ? index : spec.height - 1 - index);
        pixels.insert(pixels.end(), row.begin(), row.end());
    }
    Bytes file = {'B', 'M'};
    AppendLittleEndian(file, uint32_t(14 + info.size() + pixels.size()), 4);
    AppendLittleEndian(file, 0, 4);
    AppendLittleEndian(file, uint32_t(14 + info.size()), 4);
    file.insert(file.end(), info.begin(), info.end());
    file.insert(file.end(), pixels.begin(), pixels.end());
    return file;
}

std::string ProgressRecord::Problem() const {
    if (calls.empty()) {
        return "no progress was reported";
    }
    const int32_t total = calls.front().second;
    int32_t previous = 0;
    for (const auto& [done, callTotal] : calls) {
        if (callTotal != total) {
            return "the total changed from " + std::to_string(total) + " to " +
                   std::to_string(callTotal);
        }
        if (done < previous || done > total) {
            return "progress went from " + std::to_string(previous) + " to " +
                   std::to_string(done) + " of " + std::to_string(total);
        }
        previous = done;
    }
    if (previous != total) {
        return "progress ended at " + std::to_string(previous) + " of " + std::to_string(total);
    }
    return std::string();
}

}  // namespace oxtest
