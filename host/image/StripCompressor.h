// Compresses a whole block of bytes into one zlib stream at a time, as TIFF's
// deflate compression stores each strip. The fast setting uses ISA-L's level
// 1: on flat-colour art it runs five to ten times as fast as libdeflate's
// fastest level, for files about a third larger, and zlib and libdeflate
// inflate them as fast. (PNG rows filtered "up" are mostly zeros; zlib
// inflates ISA-L's deflate of those twice as slowly, so PNG files keep
// zlib's.) The other settings use libdeflate at their level, for size.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "host/image/WriteCompression.h"

struct libdeflate_compressor;
struct isal_zstream;

namespace oxhost {

class StripCompressor {
public:
    explicit StripCompressor(WriteCompression compression);
    ~StripCompressor();
    StripCompressor(StripCompressor&&) noexcept;
    StripCompressor& operator=(StripCompressor&&) noexcept;

    // Replaces `out` with the zlib stream of bytes [data, data + size).
    // Throws std::bad_alloc when memory runs out.
    void Compress(const uint8_t* data, size_t size, std::vector<uint8_t>& out);

private:
    void CompressFast(const uint8_t* data, size_t size, std::vector<uint8_t>& out);

    struct LibdeflateFree {
        void operator()(libdeflate_compressor* compressor) const;
    };

    WriteCompression compression;
    std::unique_ptr<libdeflate_compressor, LibdeflateFree> libdeflate;
    std::unique_ptr<isal_zstream> isal;
    std::vector<uint8_t> isalLevelBuffer;  // ISA-L's work space for its level
};

}  // namespace oxhost
