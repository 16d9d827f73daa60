#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "host/HostError.h"
#include "host/image/OrderedParallelLoop.h"
#include "host/image/TiffParallelStrips.h"

namespace oxhost {
namespace {

// Deflate's best ratio: 258 bytes from one 2-bit code, about 1032 to 1.
constexpr uint64_t kDeflateBestRatio = 1032;

// Strips decoded ahead of the one reported, per thread; they are already in
// the document, so this only bounds how far progress lags.
constexpr size_t kStripsAheadPerThread = 4;

struct StripPlan {
    int planes = 1;
    uint32_t stripsPerPlane = 0;
    size_t rowSamples = 0;  // samples of one row of one strip
    // File rows are document rows: the strip decodes straight into the document.
    bool direct = false;
};

StripPlan PlanStrips(const TiffLayout& layout) {
    StripPlan plan;
    plan.planes = layout.separatePlanes ? layout.samplesPerPixel : 1;
    plan.stripsPerPlane = (layout.height + layout.blockHeight - 1) / layout.blockHeight;
    plan.rowSamples = size_t(layout.width) * (layout.separatePlanes ? 1 : layout.samplesPerPixel);
    plan.direct = !layout.separatePlanes && !layout.bilevel && layout.bytesPerSample == 1 &&
                  layout.colorSamples != 1;
    return plan;
}

// What one thread keeps: its handle and, unless strips decode straight into
// the document, room for one strip.
struct StripReader {
    const TiffHandle* handle = nullptr;
    std::unique_ptr<TiffHandle> own;
    std::vector<uint8_t> strip;
    std::vector<uint8_t> spread;
};

[[noreturn]] void ThrowDamaged(const std::string& path, const std::string& why) {
    throw HostError("'" + path + "': damaged TIFF file (" + why + ")");
}

// A second libtiff handle on the file open in `handle`, through a descriptor
// with its own file position; null when the system does not offer one.
std::unique_ptr<TiffHandle> OpenAgain(const TiffHandle& handle, const std::string& path) {
    const std::string self = "/proc/self/fd/" + std::to_string(TIFFFileno(handle.Get()));
    const int descriptor = open(self.c_str(), O_RDONLY | O_CLOEXEC);
    if (descriptor < 0) {
        return nullptr;
    }
    auto again = std::make_unique<TiffHandle>();
    if (!again->Open(descriptor, path, "r")) {
        close(descriptor);
        return nullptr;
    }
    return again;
}

// The readers of as many threads as could be had, the first on `handle`.
std::vector<StripReader> OpenReaders(const TiffHandle& handle, const std::string& path,
                                     size_t threads) {
    std::vector<StripReader> readers(1);
    readers[0].handle = &handle;
    while (readers.size() < threads) {
        StripReader reader;
        reader.own = OpenAgain(handle, path);
        if (!reader.own) {
            break;
        }
        reader.handle = reader.own.get();
        readers.push_back(std::move(reader));
    }
    return readers;
}

void ReadStrip(StripReader& reader, const TiffLayout& layout, const StripPlan& plan, uint32_t strip,
               const std::string& path, Document& document) {
    const int plane = int(strip / plan.stripsPerPlane);
    const uint32_t top = (strip % plan.stripsPerPlane) * layout.blockHeight;
    const uint32_t rows = std::min(layout.blockHeight, layout.height - top);
    const size_t needed = size_t(rows) * FileRowBytes(layout, plan.rowSamples);
    uint8_t* target = plan.direct ? document.Pixel(int(top), 0) : reader.strip.data();
    const tmsize_t room = plan.direct ? tmsize_t(needed) : tmsize_t(reader.strip.size());
    const tmsize_t decoded = TIFFReadEncodedStrip(reader.handle->Get(), strip, target, room);
    if (decoded < 0 || size_t(decoded) < needed || reader.handle->DataEndedEarly()) {
        ThrowDamaged(path, reader.handle->FirstError());
    }
    if (!plan.direct) {
        const uint8_t* samples =
            EightBitSamples(layout, target, rows, plan.rowSamples, reader.spread);
        CopyBlock(samples, layout, top, 0, rows, layout.width, plane, document);
    }
}

}  // namespace

bool StripsCanBeReadInParallel(const TiffHandle& handle, const TiffLayout& layout) {
    TIFF* tiff = handle.Get();
    uint16_t compression = 0;
    TIFFGetFieldDefaulted(tiff, TIFFTAG_COMPRESSION, &compression);
    if (layout.tiled ||
        (compression != COMPRESSION_ADOBE_DEFLATE && compression != COMPRESSION_DEFLATE)) {
        return false;
    }
    const StripPlan plan = PlanStrips(layout);
    const uint32_t strips = uint32_t(plan.planes) * plan.stripsPerPlane;
    struct stat status;
    if (TIFFNumberOfStrips(tiff) < strips || fstat(TIFFFileno(tiff), &status) != 0 ||
        !S_ISREG(status.st_mode)) {
        return false;
    }
    const uint64_t fileBytes = uint64_t(status.st_size);
    uint64_t dataBytes = 0;
    for (uint32_t strip = 0; strip < strips; ++strip) {
        const uint64_t offset = TIFFGetStrileOffset(tiff, strip);
        if (offset < fileBytes) {
            dataBytes +=
                std::min<uint64_t>(TIFFGetStrileByteCount(tiff, strip), fileBytes - offset);
        }
    }
    const uint64_t sampleBytes =
        uint64_t(plan.planes) * layout.height * FileRowBytes(layout, plan.rowSamples);
    return dataBytes * kDeflateBestRatio >= sampleBytes;
}

void ReadStripsInParallel(const TiffHandle& handle, const TiffLayout& layout,
                          const std::string& path, Document& document,
                          const ImageProgress& progress) {
    const StripPlan plan = PlanStrips(layout);
    const uint32_t strips = uint32_t(plan.planes) * plan.stripsPerPlane;
    std::vector<StripReader> readers =
        OpenReaders(handle, path, std::min<size_t>(ImageWorkerThreads(), strips));
    if (!plan.direct) {
        // Whole strips of samples; a size far beyond the image's can only
        // come from a damaged header.
        const tmsize_t stripBytes = TIFFStripSize(handle.Get());
        const uint64_t wanted =
            uint64_t(layout.blockHeight) * FileRowBytes(layout, plan.rowSamples);
        if (stripBytes <= 0 || uint64_t(stripBytes) < wanted || uint64_t(stripBytes) > 2 * wanted) {
            ThrowDamaged(path, "impossible strip size");
        }
        for (StripReader& reader : readers) {
            reader.strip.resize(size_t(stripBytes));
        }
    }
    const int64_t height = layout.height;
    RunOrderedParallelLoop(
        strips, readers.size(), readers.size() * kStripsAheadPerThread,
        [&](size_t strip, size_t worker) {
            ReadStrip(readers[worker], layout, plan, uint32_t(strip), path, document);
        },
        [&](size_t strip) {
            const int64_t plane = int64_t(strip / plan.stripsPerPlane);
            const int64_t top = int64_t(strip % plan.stripsPerPlane) * layout.blockHeight;
            const int64_t rows = std::min<int64_t>(layout.blockHeight, height - top);
            for (int64_t row = top + 1; row <= top + rows; ++row) {
                ReportImageProgress(progress, plane * height + row, plan.planes * height);
            }
        });
}

}  // namespace oxhost
