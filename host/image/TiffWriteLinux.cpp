// On Linux TIFF files go through libtiff; this file writes them.
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <vector>

#include "host/HostError.h"
#include "host/image/AtomicFile.h"
#include "host/image/DocumentAllocation.h"
#include "host/image/WriteCompression.h"
#include "host/image/TiffFile.h"
#include "host/image/TiffHandle.h"

namespace oxhost {
namespace {

// Aim for strips of about this size when writing: small enough to stream,
// large enough that the strip table stays short.
constexpr size_t kWrittenStripBytes = 256 * 1024;

// Classic TIFF offsets are 32-bit; larger outputs are written as BigTIFF.
constexpr uint64_t kLargestClassicTiffBytes = uint64_t(3) << 30;

void SetWriteTags(TIFF* tiff, const Document& document) {
    bool cmyk = document.model == ColorModel::CMYK;
    TIFFSetField(tiff, TIFFTAG_IMAGEWIDTH, uint32_t(document.width));
    TIFFSetField(tiff, TIFFTAG_IMAGELENGTH, uint32_t(document.height));
    TIFFSetField(tiff, TIFFTAG_BITSPERSAMPLE, 8);
    TIFFSetField(tiff, TIFFTAG_SAMPLESPERPIXEL, document.TotalPlanes());
    TIFFSetField(tiff, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG);
    TIFFSetField(tiff, TIFFTAG_ORIENTATION, ORIENTATION_TOPLEFT);
    TIFFSetField(tiff, TIFFTAG_PHOTOMETRIC, cmyk ? PHOTOMETRIC_SEPARATED : PHOTOMETRIC_RGB);
    if (cmyk) {
        TIFFSetField(tiff, TIFFTAG_INKSET, INKSET_CMYK);
    }
    if (document.hasAlpha) {
        uint16_t alphaKind = EXTRASAMPLE_UNASSALPHA;
        TIFFSetField(tiff, TIFFTAG_EXTRASAMPLES, 1, &alphaKind);
    }
    bool deflate = TIFFIsCODECConfigured(COMPRESSION_ADOBE_DEFLATE);
    TIFFSetField(tiff, TIFFTAG_COMPRESSION, deflate ? COMPRESSION_ADOBE_DEFLATE : COMPRESSION_LZW);
    TIFFSetField(tiff, TIFFTAG_PREDICTOR, PREDICTOR_HORIZONTAL);
    if (deflate) {
        TIFFSetField(tiff, TIFFTAG_ZIPQUALITY, DeflateLevel(CurrentWriteCompression()));
    }
    uint32_t rowsPerStrip = uint32_t(std::max<size_t>(1, kWrittenStripBytes / document.RowBytes()));
    TIFFSetField(tiff, TIFFTAG_ROWSPERSTRIP, rowsPerStrip);
}

// The file holds ink amounts (0 = no ink), the document 255 - ink.
void FileRowFromDocument(const Document& document, int row, std::vector<uint8_t>& fileRow) {
    std::memcpy(fileRow.data(), document.Pixel(row, 0), document.RowBytes());
    if (document.model != ColorModel::CMYK) {
        return;
    }
    const size_t step = size_t(document.TotalPlanes());
    for (size_t pixel = 0; pixel < fileRow.size(); pixel += step) {
        for (size_t plane = 0; plane < 4; ++plane) {
            fileRow[pixel + plane] = uint8_t(255 - fileRow[pixel + plane]);
        }
    }
}

}  // namespace

void WriteTiffFile(const Document& document, const std::string& path,
                   const ImageProgress& progress) {
    CheckDocumentShape(document, path, "save");
    AtomicFile output(path);
    // libtiff writes through its own descriptor onto the same open file;
    // AtomicFile keeps the original to sync and rename.
    int descriptor = dup(fileno(output.Stream()));
    if (descriptor < 0) {
        throw HostError("cannot write '" + path + "': " + std::strerror(errno));
    }
    TiffHandle handle;
    uint64_t rawBytes = uint64_t(document.pixels.size());
    if (!handle.Open(descriptor, path, rawBytes > kLargestClassicTiffBytes ? "w8" : "w")) {
        close(descriptor);
        throw HostError("cannot write '" + path + "': " + handle.FirstError());
    }
    SetWriteTags(handle.Get(), document);
    std::vector<uint8_t> fileRow(document.RowBytes());
    for (int row = 0; row < document.height; ++row) {
        FileRowFromDocument(document, row, fileRow);
        if (TIFFWriteScanline(handle.Get(), fileRow.data(), uint32_t(row), 0) < 0) {
            throw HostError("cannot write '" + path + "': " + handle.FirstError());
        }
        ReportImageProgress(progress, row + 1, document.height);
    }
    if (!handle.Close()) {
        throw HostError("cannot write '" + path + "': " + handle.FirstError());
    }
    output.Commit();
}

}  // namespace oxhost
