#include "host/image/IsalDeflater.h"

#include <isa-l/igzip_lib.h>

#include "host/HostError.h"

namespace oxhost {
namespace {

// Level 1 packs flat colour as well as level 2 and as fast; level 0 leaves a
// third more bytes.
constexpr uint32_t kLevel = 1;
constexpr size_t kLevelBufferBytes = ISAL_DEF_LVL1_DEFAULT;

}  // namespace

void IsalDeflater::StreamFree::operator()(isal_zstream* deflateStream) const {
    delete deflateStream;
}

IsalDeflater::IsalDeflater() : stream(new isal_zstream), levelBuffer(kLevelBufferBytes) {}
IsalDeflater::~IsalDeflater() = default;
IsalDeflater::IsalDeflater(IsalDeflater&&) noexcept = default;
IsalDeflater& IsalDeflater::operator=(IsalDeflater&&) noexcept = default;

void IsalDeflater::ZlibStream(const uint8_t* data, size_t size, std::vector<uint8_t>& out) {
    isal_deflate_init(stream.get());
    stream->level = kLevel;
    stream->level_buf = levelBuffer.data();
    stream->level_buf_size = uint32_t(levelBuffer.size());
    stream->gzip_flag = IGZIP_ZLIB;
    stream->end_of_stream = 1;
    stream->flush = NO_FLUSH;
    stream->next_in = const_cast<uint8_t*>(data);  // only read; the interface is not const
    stream->avail_in = uint32_t(size);
    // Usually ample; data that does not pack grows the buffer as it goes.
    out.resize(size / 4 + 1024);
    size_t written = 0;
    for (;;) {
        stream->next_out = out.data() + written;
        stream->avail_out = uint32_t(out.size() - written);
        if (isal_deflate(stream.get()) != COMP_OK) {
            // Only settings it does not take fail, and these are fixed.
            throw HostError("ISA-L refused to deflate");
        }
        written = out.size() - stream->avail_out;
        if (stream->internal_state.state == ZSTATE_END) {
            break;
        }
        out.resize(out.size() * 2);
    }
    out.resize(written);
}

}  // namespace oxhost
