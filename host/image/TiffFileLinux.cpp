// On Linux TIFF files go through libtiff; this file reads them (TiffWriteLinux.cpp
// writes them).
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <vector>

#include "host/HostError.h"
#include "host/image/DocumentAllocation.h"
#include "host/image/TiffFile.h"
#include "host/image/TiffHandle.h"
#include "host/image/TiffLayout.h"
#include "host/image/TiffParallelStrips.h"

namespace oxhost {
namespace {

[[noreturn]] void ThrowUnsupported(const std::string& path, const std::string& what) {
    throw HostError("'" + path + "': unsupported TIFF: " + what);
}

[[noreturn]] void ThrowDamaged(const std::string& path, const TiffHandle& handle) {
    throw HostError("'" + path + "': damaged TIFF file (" + handle.FirstError() + ")");
}

std::string PhotometricName(uint16_t photometric) {
    switch (photometric) {
        case PHOTOMETRIC_MINISWHITE:
        case PHOTOMETRIC_MINISBLACK:
            return "grey-scale images";
        case PHOTOMETRIC_PALETTE:
            return "palette images";
        case PHOTOMETRIC_YCBCR:
            return "YCbCr images";
        case PHOTOMETRIC_CIELAB:
        case PHOTOMETRIC_ICCLAB:
        case PHOTOMETRIC_ITULAB:
            return "Lab images";
        default:
            return "photometric interpretation " + std::to_string(photometric);
    }
}

uint16_t DefaultedShortField(TIFF* tiff, uint32_t tag) {
    uint16_t value = 0;
    TIFFGetFieldDefaulted(tiff, tag, &value);
    return value;
}

void CheckSampleEncoding(TIFF* tiff, const std::string& path) {
    uint16_t bitsPerSample = DefaultedShortField(tiff, TIFFTAG_BITSPERSAMPLE);
    if (bitsPerSample != 1 && bitsPerSample != 8 && bitsPerSample != 16) {
        ThrowUnsupported(path, std::to_string(bitsPerSample) + " bits per sample");
    }
    if (DefaultedShortField(tiff, TIFFTAG_SAMPLEFORMAT) != SAMPLEFORMAT_UINT) {
        ThrowUnsupported(path, "samples that are not unsigned integers");
    }
    uint16_t compression = DefaultedShortField(tiff, TIFFTAG_COMPRESSION);
    if (!TIFFIsCODECConfigured(compression)) {
        ThrowUnsupported(path, "compression scheme " + std::to_string(compression));
    }
}

// Sets the model, colour samples and grey polarity of `layout`.
void ReadColorModel(TIFF* tiff, const std::string& path, TiffLayout& layout) {
    uint16_t photometric = 0;
    if (!TIFFGetField(tiff, TIFFTAG_PHOTOMETRIC, &photometric)) {
        ThrowUnsupported(path, "no photometric interpretation");
    }
    if (photometric == PHOTOMETRIC_RGB) {
        return;
    }
    if (photometric == PHOTOMETRIC_MINISBLACK || photometric == PHOTOMETRIC_MINISWHITE) {
        layout.colorSamples = 1;
        layout.minIsWhite = photometric == PHOTOMETRIC_MINISWHITE;
        return;
    }
    if (photometric != PHOTOMETRIC_SEPARATED) {
        ThrowUnsupported(path, PhotometricName(photometric));
    }
    if (DefaultedShortField(tiff, TIFFTAG_INKSET) != INKSET_CMYK) {
        ThrowUnsupported(path, "separations other than CMYK");
    }
    layout.model = ColorModel::CMYK;
    layout.colorSamples = 4;
}

std::string ModelName(const TiffLayout& layout) {
    if (layout.colorSamples == 1) {
        return "grey-scale";
    }
    return layout.model == ColorModel::CMYK ? "CMYK" : "RGB";
}

bool ExtraSampleIsPremultiplied(TIFF* tiff) {
    uint16_t count = 0;
    uint16_t* kinds = nullptr;
    return TIFFGetField(tiff, TIFFTAG_EXTRASAMPLES, &count, &kinds) && count >= 1 &&
           kinds[0] == EXTRASAMPLE_ASSOCALPHA;
}

TiffLayout ReadLayout(TIFF* tiff, const std::string& path) {
    CheckSampleEncoding(tiff, path);
    TiffLayout layout;
    ReadColorModel(tiff, path, layout);
    const uint16_t bitsPerSample = DefaultedShortField(tiff, TIFFTAG_BITSPERSAMPLE);
    layout.bilevel = bitsPerSample == 1;
    layout.bytesPerSample = layout.bilevel ? 1 : bitsPerSample / 8;
    TIFFGetField(tiff, TIFFTAG_IMAGEWIDTH, &layout.width);
    TIFFGetField(tiff, TIFFTAG_IMAGELENGTH, &layout.height);

    layout.samplesPerPixel = DefaultedShortField(tiff, TIFFTAG_SAMPLESPERPIXEL);
    int extraSamples = int(layout.samplesPerPixel) - layout.colorSamples;
    if (layout.bilevel && (layout.colorSamples != 1 || extraSamples != 0)) {
        ThrowUnsupported(path, "1-bit " + ModelName(layout) + " with " +
                                   std::to_string(layout.samplesPerPixel) +
                                   " samples per pixel (1-bit grey is read)");
    }
    if (extraSamples < 0 || extraSamples > 1) {
        ThrowUnsupported(path, ModelName(layout) + " with " +
                                   std::to_string(layout.samplesPerPixel) + " samples per pixel");
    }
    // A single extra sample is taken as alpha even when the file leaves its
    // meaning unspecified, as many writers do.
    layout.hasAlpha = extraSamples == 1;
    layout.premultipliedAlpha = layout.hasAlpha && ExtraSampleIsPremultiplied(tiff);
    layout.separatePlanes =
        DefaultedShortField(tiff, TIFFTAG_PLANARCONFIG) == PLANARCONFIG_SEPARATE;

    layout.tiled = TIFFIsTiled(tiff);
    if (layout.tiled) {
        TIFFGetField(tiff, TIFFTAG_TILEWIDTH, &layout.blockWidth);
        TIFFGetField(tiff, TIFFTAG_TILELENGTH, &layout.blockHeight);
    } else {
        uint32_t rowsPerStrip = 0;
        TIFFGetFieldDefaulted(tiff, TIFFTAG_ROWSPERSTRIP, &rowsPerStrip);
        layout.blockWidth = layout.width;
        layout.blockHeight = std::min(std::max(rowsPerStrip, 1u), layout.height);
    }
    return layout;
}

// One decoded tile. A tile far larger than the image can only come from a
// damaged or hostile header, so it is refused before allocation.
std::vector<uint8_t> AllocateBlock(const TiffHandle& handle, const TiffLayout& layout,
                                   const Document& document, const std::string& path) {
    tmsize_t blockBytes = TIFFTileSize(handle.Get());
    uint64_t imageBytes = uint64_t(document.RowBytes()) * uint64_t(document.height);
    uint64_t limit = std::max<uint64_t>(4 * imageBytes, uint64_t(64) << 20);
    if (blockBytes <= 0 || layout.blockWidth == 0 || layout.blockHeight == 0 ||
        uint64_t(blockBytes) > limit) {
        throw HostError("'" + path + "': damaged TIFF file (impossible strip or tile size)");
    }
    return std::vector<uint8_t>(size_t(blockBytes));
}

// Strips are read a row at a time: libtiff decodes a strip as the rows are
// asked for, so neither a whole-image strip buffer nor the document is
// allocated ahead of data that decodes.
void ReadStripRows(const TiffHandle& handle, const TiffLayout& layout, Document& document,
                   const std::string& path, const ImageProgress& progress) {
    TIFF* tiff = handle.Get();
    const tmsize_t rowBytes = TIFFScanlineSize(tiff);
    const size_t samplesPerFilePixel = layout.separatePlanes ? 1 : layout.samplesPerPixel;
    const size_t rowSamples = size_t(layout.width) * samplesPerFilePixel;
    if (rowBytes <= 0 || size_t(rowBytes) < FileRowBytes(layout, rowSamples)) {
        throw HostError("'" + path + "': damaged TIFF file (impossible row size)");
    }
    std::vector<uint8_t> fileRow(static_cast<size_t>(rowBytes));
    std::vector<uint8_t> spread;
    const int planeCount = layout.separatePlanes ? layout.samplesPerPixel : 1;
    const int64_t height = layout.height;
    for (int plane = 0; plane < planeCount; ++plane) {
        for (uint32_t row = 0; row < layout.height; ++row) {
            GrowDocumentToRows(document, int(row) + 1, path);
            if (TIFFReadScanline(tiff, fileRow.data(), row, uint16_t(plane)) < 0 ||
                handle.DataEndedEarly()) {
                ThrowDamaged(path, handle);
            }
            const uint8_t* samples = EightBitSamples(layout, fileRow.data(), 1, rowSamples, spread);
            CopyBlock(samples, layout, row, 0, 1, layout.width, plane, document);
            ReportImageProgress(progress, plane * height + row + 1, planeCount * height);
        }
    }
}

void ReadTiles(const TiffHandle& handle, const TiffLayout& layout, Document& document,
               const std::string& path, const ImageProgress& progress) {
    TIFF* tiff = handle.Get();
    std::vector<uint8_t> block = AllocateBlock(handle, layout, document, path);
    std::vector<uint8_t> spread;
    tmsize_t blockBytes = tmsize_t(block.size());
    int planeCount = layout.separatePlanes ? layout.samplesPerPixel : 1;
    size_t samplesPerBlockPixel = layout.separatePlanes ? 1 : layout.samplesPerPixel;
    size_t blockRowSamples = size_t(layout.blockWidth) * samplesPerBlockPixel;
    size_t blockRowBytes = FileRowBytes(layout, blockRowSamples);
    if (uint64_t(blockRowBytes) * layout.blockHeight > block.size()) {
        throw HostError("'" + path + "': damaged TIFF file (impossible tile size)");
    }
    const int64_t height = layout.height;

    for (int plane = 0; plane < planeCount; ++plane) {
        for (uint32_t top = 0; top < layout.height; top += layout.blockHeight) {
            uint32_t rows = std::min(layout.blockHeight, layout.height - top);
            GrowDocumentToRows(document, int(top + rows), path);
            for (uint32_t left = 0; left < layout.width; left += layout.blockWidth) {
                tmsize_t decoded =
                    TIFFReadEncodedTile(tiff, TIFFComputeTile(tiff, left, top, 0, uint16_t(plane)),
                                        block.data(), blockBytes);
                uint32_t columns = std::min(layout.blockWidth, layout.width - left);
                size_t needed = (rows - 1) * blockRowBytes +
                                FileRowBytes(layout, columns * samplesPerBlockPixel);
                if (decoded < 0 || size_t(decoded) < needed || handle.DataEndedEarly()) {
                    ThrowDamaged(path, handle);
                }
                const uint8_t* samples = EightBitSamples(layout, block.data(), layout.blockHeight,
                                                         blockRowSamples, spread);
                CopyBlock(samples, layout, top, left, rows, columns, plane, document);
            }
            ReportImageProgress(progress, plane * height + top + rows, planeCount * height);
        }
    }
}

// Uncompressed samples are stored as they are, so a file shorter than the
// image's samples is damaged: known before anything is allocated.
void CheckRawSamplesFit(const TiffLayout& layout, const std::string& path, int descriptor) {
    struct stat status;
    if (fstat(descriptor, &status) != 0 || !S_ISREG(status.st_mode)) {
        return;
    }
    const uint64_t planes = layout.separatePlanes ? layout.samplesPerPixel : 1;
    const uint64_t sampleBytes =
        uint64_t(layout.height) * planes *
        FileRowBytes(layout, size_t(layout.width) * (layout.samplesPerPixel / planes));
    if (uint64_t(status.st_size) < sampleBytes) {
        throw HostError("'" + path + "': damaged TIFF file (" + std::to_string(status.st_size) +
                        " bytes cannot hold the " + std::to_string(sampleBytes) +
                        " bytes of an uncompressed " + std::to_string(layout.width) + " x " +
                        std::to_string(layout.height) + " image)");
    }
}

void UndoPremultipliedAlpha(Document& document) {
    int colorPlanes = document.ColorPlanes();
    size_t pixelCount = size_t(document.width) * size_t(document.height);
    uint8_t* pixel = document.pixels.data();
    for (size_t index = 0; index < pixelCount; ++index, pixel += colorPlanes + 1) {
        unsigned alpha = pixel[colorPlanes];
        if (alpha == 0 || alpha == 255) {
            continue;
        }
        for (int plane = 0; plane < colorPlanes; ++plane) {
            pixel[plane] = uint8_t(std::min(255u, (pixel[plane] * 255u + alpha / 2) / alpha));
        }
    }
}

// The file holds ink amounts (0 = no ink); the document holds 255 - ink.
void InvertInk(uint8_t* pixels, size_t pixelCount, int totalPlanes) {
    for (size_t index = 0; index < pixelCount; ++index, pixels += totalPlanes) {
        for (int plane = 0; plane < 4; ++plane) {
            pixels[plane] = uint8_t(255 - pixels[plane]);
        }
    }
}

int OpenForReading(const std::string& path) {
    int descriptor = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (descriptor < 0) {
        throw HostError("cannot open '" + path + "': " + std::strerror(errno));
    }
    return descriptor;
}

}  // namespace

bool TiffFilesSupported() {
    return true;
}

Document ReadTiffFile(const std::string& path, const ImageProgress& progress) {
    int descriptor = OpenForReading(path);
    TiffHandle handle;
    if (!handle.Open(descriptor, path, "r")) {
        close(descriptor);
        throw HostError("'" + path + "': damaged TIFF file (" + handle.FirstError() + ")");
    }
    TiffLayout layout = ReadLayout(handle.Get(), path);
    Document document;
    if (StripsCanBeReadInParallel(handle, layout)) {
        document =
            NewDocumentForFile(path, layout.width, layout.height, layout.model, layout.hasAlpha);
        ReadStripsInParallel(handle, layout, path, document, progress);
    } else {
        document = NewGrowingDocumentForFile(path, layout.width, layout.height, layout.model,
                                             layout.hasAlpha);
        if (DefaultedShortField(handle.Get(), TIFFTAG_COMPRESSION) == COMPRESSION_NONE) {
            CheckRawSamplesFit(layout, path, TIFFFileno(handle.Get()));
        }
        if (layout.tiled) {
            ReadTiles(handle, layout, document, path, progress);
        } else {
            ReadStripRows(handle, layout, document, path, progress);
        }
    }
    if (layout.premultipliedAlpha) {
        UndoPremultipliedAlpha(document);
    }
    if (layout.model == ColorModel::CMYK) {
        InvertInk(document.pixels.data(), size_t(document.width) * size_t(document.height),
                  document.TotalPlanes());
    }
    return document;
}

TiffContent InspectTiffFile(const std::string& path) {
    TiffContent content;
    const int descriptor = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (descriptor < 0) {
        return content;
    }
    TiffHandle handle;
    if (!handle.Open(descriptor, path, "r")) {
        close(descriptor);
        return content;
    }
    content.bitsPerSample = DefaultedShortField(handle.Get(), TIFFTAG_BITSPERSAMPLE);
    content.pages = std::max(1, int(TIFFNumberOfDirectories(handle.Get())));
    return content;
}

}  // namespace oxhost
