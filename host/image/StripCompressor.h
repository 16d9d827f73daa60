// Compresses a whole block of bytes into one zlib stream at a time, as TIFF's
// deflate compression stores each strip: with ISA-L for the fast setting,
// with libdeflate at the setting's level for the others (for size).
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "host/image/IsalDeflater.h"
#include "host/image/WriteCompression.h"

struct libdeflate_compressor;

namespace oxhost {

class StripCompressor {
public:
    explicit StripCompressor(WriteCompression compression) : compression(compression) {}

    // Replaces `out` with the zlib stream of bytes [data, data + size).
    // Throws std::bad_alloc when memory runs out.
    void Compress(const uint8_t* data, size_t size, std::vector<uint8_t>& out);

private:
    struct LibdeflateFree {
        void operator()(libdeflate_compressor* compressor) const;
    };

    WriteCompression compression;
    std::unique_ptr<IsalDeflater> isal;
    std::unique_ptr<libdeflate_compressor, LibdeflateFree> libdeflate;
};

}  // namespace oxhost
