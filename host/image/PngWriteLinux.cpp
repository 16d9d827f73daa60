// On Linux PNG files are written here, without libpng, so that every core can
// compress: the rows are filtered and deflated in bands, each band a run of
// raw deflate blocks ending on a byte boundary (a sync flush) and primed with
// the end of the band before as its dictionary, so the bands join into the
// one zlib stream the format wants, about as small as a single pass makes
// it. The chunks are the signature, IHDR, one IDAT per band and IEND; the
// adler32 of the whole stream is combined from the bands'.
#include <libdeflate.h>
#include <zlib.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <initializer_list>
#include <new>
#include <vector>

#include "host/HostError.h"
#include "host/image/AtomicFile.h"
#include "host/image/DocumentAllocation.h"
#include "host/image/OrderedParallelLoop.h"
#include "host/image/PngFile.h"
#include "host/image/PngRowFilters.h"
#include "host/image/WriteCompression.h"

namespace oxhost {
namespace {

constexpr uint8_t kSignature[8] = {137, 'P', 'N', 'G', 13, 10, 26, 10};
constexpr uint8_t kColorTypeRgb = 2;
constexpr uint8_t kColorTypeRgba = 6;
// Filtered bytes per band: a piece of work for one core.
constexpr size_t kBandBytes = 1 << 20;
constexpr size_t kBandsAheadPerThread = 3;
// Deflate looks back this far, so this much of the band before primes a band.
constexpr size_t kDeflateWindowBytes = 32768;

struct Bytes {
    const uint8_t* data;
    size_t size;
};

void PutBigEndian32(uint32_t value, uint8_t* out) {
    out[0] = uint8_t(value >> 24);
    out[1] = uint8_t(value >> 16);
    out[2] = uint8_t(value >> 8);
    out[3] = uint8_t(value);
}

class ChunkWriter {
public:
    ChunkWriter(FILE* stream, const std::string& path) : stream_(stream), path_(path) {}

    void Write(const void* data, size_t size) const {
        errno = 0;
        if (size != 0 && std::fwrite(data, 1, size, stream_) != size) {
            throw HostError("cannot write '" + path_ +
                            "': " + (errno != 0 ? std::strerror(errno) : "write error"));
        }
    }

    // A chunk whose data is the pieces one after the other.
    void WriteChunk(const char* type, std::initializer_list<Bytes> pieces) const {
        size_t length = 0;
        uint32_t crc = libdeflate_crc32(0, type, 4);
        for (const Bytes& piece : pieces) {
            length += piece.size;
            crc = libdeflate_crc32(crc, piece.data, piece.size);
        }
        uint8_t header[8];
        PutBigEndian32(uint32_t(length), header);
        std::memcpy(header + 4, type, 4);
        Write(header, sizeof header);
        for (const Bytes& piece : pieces) {
            Write(piece.data, piece.size);
        }
        uint8_t trailer[4];
        PutBigEndian32(crc, trailer);
        Write(trailer, sizeof trailer);
    }

private:
    FILE* stream_;
    const std::string& path_;
};

void WriteHeader(const ChunkWriter& writer, const Document& document) {
    writer.Write(kSignature, sizeof kSignature);
    uint8_t header[13];
    PutBigEndian32(uint32_t(document.width), header);
    PutBigEndian32(uint32_t(document.height), header + 4);
    header[8] = 8;  // bits per sample
    header[9] = document.hasAlpha ? kColorTypeRgba : kColorTypeRgb;
    header[10] = 0;  // deflate
    header[11] = 0;  // the five row filters
    header[12] = 0;  // not interlaced
    writer.WriteChunk("IHDR", {{header, sizeof header}});
}

// The two bytes that open a zlib stream: deflate with a 32 KiB window, and
// the level as zlib records it.
void ZlibHeader(int level, uint8_t out[2]) {
    const unsigned method = 0x78;
    const unsigned levelCode = level < 2 ? 0 : level < 6 ? 1 : level == 6 ? 2 : 3;
    unsigned flags = levelCode << 6;
    flags += 31 - (method * 256 + flags) % 31;
    out[0] = uint8_t(method);
    out[1] = uint8_t(flags);
}

// A band's share of the zlib stream.
struct PackedBand {
    std::vector<uint8_t> deflated;
    uint32_t adler = 1;
    size_t filteredBytes = 0;
};

// What one thread keeps between bands.
class BandDeflater {
public:
    BandDeflater() = default;
    ~BandDeflater() {
        if (ready_) {
            deflateEnd(&stream_);
        }
    }
    BandDeflater(const BandDeflater&) = delete;
    BandDeflater& operator=(const BandDeflater&) = delete;

    // Filters the rows [top, top + rows) and deflates them into `band`,
    // finishing the stream when `last`. One compression for every band.
    void Pack(const Document& document, WriteCompression compression, int top, int rows, bool last,
              PackedBand& band);

private:
    void FilterRows(const Document& document, bool smallest, int first, int count);
    void Deflate(int level, const uint8_t* dictionary, size_t dictionaryBytes, const uint8_t* data,
                 size_t bytes, bool last, std::vector<uint8_t>& out);

    z_stream stream_{};
    bool ready_ = false;
    std::vector<uint8_t> filtered_;
    std::vector<uint8_t> trial_;
};

void BandDeflater::FilterRows(const Document& document, bool smallest, int first, int count) {
    const size_t rowBytes = document.RowBytes();
    filtered_.resize(size_t(count) * (rowBytes + 1));
    trial_.resize(smallest ? rowBytes + 1 : 0);
    for (int index = 0; index < count; ++index) {
        const int row = first + index;
        const uint8_t* above = row > 0 ? document.Pixel(row - 1, 0) : nullptr;
        uint8_t* out = filtered_.data() + size_t(index) * (rowBytes + 1);
        if (smallest) {
            FilterRowSmallest(document.Pixel(row, 0), above, rowBytes,
                              size_t(document.TotalPlanes()), out, trial_.data());
        } else {
            FilterRowUp(document.Pixel(row, 0), above, rowBytes, out);
        }
    }
}

void BandDeflater::Deflate(int level, const uint8_t* dictionary, size_t dictionaryBytes,
                           const uint8_t* data, size_t bytes, bool last,
                           std::vector<uint8_t>& out) {
    // Raw deflate (negative window bits): the zlib header and checksum are
    // written once for the whole stream. Rows that were filtered pack best
    // with the filtered strategy, as libpng chooses too.
    int status = ready_ ? deflateReset(&stream_)
                        : deflateInit2(&stream_, level, Z_DEFLATED, -15, 8, Z_FILTERED);
    if (status != Z_OK) {
        throw std::bad_alloc();
    }
    ready_ = true;
    if (dictionaryBytes != 0) {
        deflateSetDictionary(&stream_, dictionary, uInt(dictionaryBytes));
    }
    out.resize(deflateBound(&stream_, uLong(bytes)) + 64);
    stream_.next_in = const_cast<Bytef*>(data);
    stream_.avail_in = uInt(bytes);
    size_t used = 0;
    for (;;) {
        stream_.next_out = out.data() + used;
        stream_.avail_out = uInt(out.size() - used);
        status = deflate(&stream_, last ? Z_FINISH : Z_SYNC_FLUSH);
        used = out.size() - stream_.avail_out;
        if (status == Z_STREAM_ERROR) {
            throw std::bad_alloc();
        }
        const bool flushed =
            last ? status == Z_STREAM_END : stream_.avail_in == 0 && stream_.avail_out != 0;
        if (flushed) {
            break;
        }
        out.resize(out.size() * 2);
    }
    out.resize(used);
}

void BandDeflater::Pack(const Document& document, WriteCompression compression, int top, int rows,
                        bool last, PackedBand& band) {
    const size_t filteredRowBytes = document.RowBytes() + 1;
    const int primingRows =
        std::min(top, int((kDeflateWindowBytes + filteredRowBytes - 1) / filteredRowBytes));
    FilterRows(document, compression == WriteCompression::Small, top - primingRows,
               primingRows + rows);
    const size_t primingBytes = size_t(primingRows) * filteredRowBytes;
    const size_t dictionaryBytes = std::min(primingBytes, kDeflateWindowBytes);
    const uint8_t* data = filtered_.data() + primingBytes;
    band.filteredBytes = size_t(rows) * filteredRowBytes;
    Deflate(DeflateLevel(compression), data - dictionaryBytes, dictionaryBytes, data,
            band.filteredBytes, last, band.deflated);
    band.adler = libdeflate_adler32(1, data, band.filteredBytes);
}

void WriteImageData(const ChunkWriter& writer, const Document& document,
                    const ImageProgress& progress) {
    const int rowsPerBand =
        int(std::clamp<size_t>(kBandBytes / (document.RowBytes() + 1), 1, size_t(document.height)));
    const size_t bandCount = size_t((document.height + rowsPerBand - 1) / rowsPerBand);
    const WriteCompression compression = CurrentWriteCompression();
    const size_t threads = ImageWorkerThreads();
    const size_t window = threads * kBandsAheadPerThread;
    std::vector<BandDeflater> deflaters(threads);
    std::vector<PackedBand> bands(window);
    auto rowsOf = [&](size_t band) {
        return std::min(rowsPerBand, document.height - int(band) * rowsPerBand);
    };
    uint32_t adler = 1;
    RunOrderedParallelLoop(
        bandCount, threads, window,
        [&](size_t band, size_t worker) {
            deflaters[worker].Pack(document, compression, int(band) * rowsPerBand, rowsOf(band),
                                   band + 1 == bandCount, bands[band % window]);
        },
        [&](size_t band) {
            const PackedBand& packed = bands[band % window];
            uint8_t header[2];
            ZlibHeader(DeflateLevel(compression), header);
            adler = uint32_t(adler32_combine(adler, packed.adler, z_off_t(packed.filteredBytes)));
            uint8_t checksum[4];
            PutBigEndian32(adler, checksum);
            const bool first = band == 0;
            const bool last = band + 1 == bandCount;
            writer.WriteChunk("IDAT", {{header, first ? sizeof header : 0},
                                       {packed.deflated.data(), packed.deflated.size()},
                                       {checksum, last ? sizeof checksum : 0}});
            const int64_t top = int64_t(band) * rowsPerBand;
            for (int64_t row = top + 1; row <= top + rowsOf(band); ++row) {
                ReportImageProgress(progress, row, document.height);
            }
        });
}

}  // namespace

void WritePngFile(const Document& document, const std::string& path,
                  const ImageProgress& progress) {
    if (document.model != ColorModel::RGB) {
        throw HostError("cannot save '" + path +
                        "': a CMYK document cannot be saved as PNG; use .pam or .tif instead");
    }
    CheckDocumentShape(document, path, "save");
    AtomicFile output(path);
    const ChunkWriter writer(output.Stream(), path);
    WriteHeader(writer, document);
    try {
        WriteImageData(writer, document, progress);
    } catch (const std::bad_alloc&) {
        throw HostError("cannot write '" + path + "': not enough memory");
    }
    writer.WriteChunk("IEND", {});
    output.Commit();
}

}  // namespace oxhost
