// On Linux TIFF files go through libtiff; this file writes them. The strips
// are deflated on every core (StripCompressor) and handed to libtiff already
// compressed, in order, so the file is an ordinary deflate TIFF. It has no
// horizontal predictor: on flat-colour art deflate finds the repeated pixels
// by itself, and the files came out smaller and about a third faster to
// write without one, at every compression level.
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <memory>
#include <vector>

#include "host/HostError.h"
#include "host/image/AtomicFile.h"
#include "host/image/DocumentAllocation.h"
#include "host/image/OrderedParallelLoop.h"
#include "host/image/StripCompressor.h"
#include "host/image/TiffFile.h"
#include "host/image/TiffHandle.h"
#include "host/image/WriteCompression.h"

namespace oxhost {
namespace {

// Aim for strips of about this size: each one is a piece of work for a core
// and a separate deflate stream, so large enough that the stream's overhead
// does not show, small enough that a few per core stay cheap in memory.
constexpr size_t kWrittenStripBytes = 1 << 20;

// Strips compressed ahead of the one being written, per thread.
constexpr size_t kStripsAheadPerThread = 3;

// Classic TIFF offsets are 32-bit; larger outputs are written as BigTIFF.
constexpr uint64_t kLargestClassicTiffBytes = uint64_t(3) << 30;

// What one thread keeps between strips.
struct StripWorker {
    explicit StripWorker(WriteCompression compression) : compressor(compression) {}
    StripCompressor compressor;
    std::vector<uint8_t> inverted;  // CMYK rows as ink amounts
};

void SetWriteTags(TIFF* tiff, const Document& document, uint32_t rowsPerStrip) {
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
    TIFFSetField(tiff, TIFFTAG_COMPRESSION, COMPRESSION_ADOBE_DEFLATE);
    TIFFSetField(tiff, TIFFTAG_ROWSPERSTRIP, rowsPerStrip);
}

// The rows [top, top + rows) of `document` as the file stores them, deflated
// into `out`. RGB rows are stored as they are, so they are read in place;
// CMYK is stored as ink amounts (255 - the document's value), alpha as it is.
void CompressStrip(const Document& document, int top, int rows, StripWorker& worker,
                   std::vector<uint8_t>& out) {
    const size_t bytes = document.RowBytes() * size_t(rows);
    const uint8_t* stored = document.Pixel(top, 0);
    if (document.model == ColorModel::CMYK) {
        worker.inverted.resize(bytes);
        const size_t step = size_t(document.TotalPlanes());
        for (size_t pixel = 0; pixel < bytes; pixel += step) {
            for (size_t plane = 0; plane < step; ++plane) {
                const uint8_t value = stored[pixel + plane];
                worker.inverted[pixel + plane] = plane < 4 ? uint8_t(255 - value) : value;
            }
        }
        stored = worker.inverted.data();
    }
    worker.compressor.Compress(stored, bytes, out);
}

void WriteStrips(TIFF* tiff, const TiffHandle& handle, const Document& document,
                 uint32_t rowsPerStrip, const std::string& path, const ImageProgress& progress) {
    const size_t stripCount = (size_t(document.height) + rowsPerStrip - 1) / rowsPerStrip;
    const size_t threads = ImageWorkerThreads();
    const size_t window = threads * kStripsAheadPerThread;
    std::vector<StripWorker> workers;
    workers.reserve(threads);
    for (size_t thread = 0; thread < threads; ++thread) {
        workers.emplace_back(CurrentWriteCompression());
    }
    std::vector<std::vector<uint8_t>> packed(window);
    auto rowsOf = [&](size_t strip) {
        const int top = int(strip * rowsPerStrip);
        return std::min(int(rowsPerStrip), document.height - top);
    };
    RunOrderedParallelLoop(
        stripCount, threads, window,
        [&](size_t strip, size_t worker) {
            CompressStrip(document, int(strip * rowsPerStrip), rowsOf(strip), workers[worker],
                          packed[strip % window]);
        },
        [&](size_t strip) {
            std::vector<uint8_t>& data = packed[strip % window];
            if (TIFFWriteRawStrip(tiff, uint32_t(strip), data.data(), tmsize_t(data.size())) < 0) {
                throw HostError("cannot write '" + path + "': " + handle.FirstError());
            }
            const int64_t top = int64_t(strip) * rowsPerStrip;
            for (int64_t row = top + 1; row <= top + rowsOf(strip); ++row) {
                ReportImageProgress(progress, row, document.height);
            }
        });
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
    const uint32_t rowsPerStrip = uint32_t(
        std::clamp<size_t>(kWrittenStripBytes / document.RowBytes(), 1, size_t(document.height)));
    SetWriteTags(handle.Get(), document, rowsPerStrip);
    try {
        WriteStrips(handle.Get(), handle, document, rowsPerStrip, path, progress);
    } catch (const std::bad_alloc&) {
        throw HostError("cannot write '" + path + "': not enough memory");
    }
    if (!handle.Close()) {
        throw HostError("cannot write '" + path + "': " + handle.FirstError());
    }
    output.Commit();
}

}  // namespace oxhost
