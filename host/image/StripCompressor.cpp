#include "host/image/StripCompressor.h"

#include <isa-l/igzip_lib.h>
#include <libdeflate.h>

#include <new>

#include "host/HostError.h"

namespace oxhost {
namespace {

// Level 1 packs flat colour as well as level 2 and as fast; level 0 leaves a
// third more bytes.
constexpr uint32_t kIsalLevel = 1;
constexpr size_t kIsalLevelBufferBytes = ISAL_DEF_LVL1_DEFAULT;

}  // namespace

void StripCompressor::LibdeflateFree::operator()(libdeflate_compressor* compressor) const {
    libdeflate_free_compressor(compressor);
}

StripCompressor::StripCompressor(WriteCompression compression) : compression(compression) {}
// Here, where isal_zstream is a whole type.
StripCompressor::~StripCompressor() = default;
StripCompressor::StripCompressor(StripCompressor&&) noexcept = default;
StripCompressor& StripCompressor::operator=(StripCompressor&&) noexcept = default;

void StripCompressor::Compress(const uint8_t* data, size_t size, std::vector<uint8_t>& out) {
    if (compression == WriteCompression::Fast) {
        CompressFast(data, size, out);
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

void StripCompressor::CompressFast(const uint8_t* data, size_t size, std::vector<uint8_t>& out) {
    if (!isal) {
        isal = std::make_unique<isal_zstream>();
        isalLevelBuffer.resize(kIsalLevelBufferBytes);
    }
    isal_zstream& stream = *isal;
    isal_deflate_init(&stream);
    stream.level = kIsalLevel;
    stream.level_buf = isalLevelBuffer.data();
    stream.level_buf_size = uint32_t(isalLevelBuffer.size());
    stream.gzip_flag = IGZIP_ZLIB;
    stream.end_of_stream = 1;
    stream.flush = NO_FLUSH;
    stream.next_in = const_cast<uint8_t*>(data);  // only read; the interface is not const
    stream.avail_in = uint32_t(size);
    // Usually ample; data that does not pack grows the buffer as it goes.
    out.resize(size / 4 + 1024);
    size_t written = 0;
    for (;;) {
        stream.next_out = out.data() + written;
        stream.avail_out = uint32_t(out.size() - written);
        if (isal_deflate(&stream) != COMP_OK) {
            // Only settings it does not take fail, and these are fixed.
            throw HostError("ISA-L refused to deflate");
        }
        written = out.size() - stream.avail_out;
        if (stream.internal_state.state == ZSTATE_END) {
            break;
        }
        out.resize(out.size() * 2);
    }
    out.resize(written);
}

}  // namespace oxhost
