#include "host/image/StripCompressor.h"

#include <libdeflate.h>

#include <new>

namespace oxhost {

void StripCompressor::LibdeflateFree::operator()(libdeflate_compressor* compressor) const {
    libdeflate_free_compressor(compressor);
}

void StripCompressor::Compress(const uint8_t* data, size_t size, std::vector<uint8_t>& out) {
    if (compression == WriteCompression::Fast) {
        if (!isal) {
            isal = std::make_unique<IsalDeflater>();
        }
        isal->ZlibStream(data, size, out);
        return;
    }
    if (!libdeflate) {
        libdeflate.reset(libdeflate_alloc_compressor(DeflateLevel(compression)));
        if (!libdeflate) {
            throw std::bad_alloc();
        }
    }
    out.resize(libdeflate_zlib_compress_bound(libdeflate.get(), size));
    // The bound makes room for incompressible data, so 0 cannot happen.
    out.resize(libdeflate_zlib_compress(libdeflate.get(), data, size, out.data(), out.size()));
}

}  // namespace oxhost
