// ISA-L's fastest deflate, which fast TIFF writes use: on flat-colour art it
// runs five to ten times as fast as libdeflate's fastest level, for files
// about a third larger, and zlib and libdeflate inflate them as fast. (PNG
// rows filtered "up" are mostly zeros; zlib inflates ISA-L's deflate of those
// twice as slowly, so PNG files keep zlib's.)
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

struct isal_zstream;

namespace oxhost {

class IsalDeflater {
public:
    IsalDeflater();
    ~IsalDeflater();
    IsalDeflater(const IsalDeflater&) = delete;
    IsalDeflater& operator=(const IsalDeflater&) = delete;
    IsalDeflater(IsalDeflater&&) noexcept;
    IsalDeflater& operator=(IsalDeflater&&) noexcept;

    // Replaces `out` with the whole zlib stream of bytes [data, data + size).
    void ZlibStream(const uint8_t* data, size_t size, std::vector<uint8_t>& out);

private:
    struct StreamFree {
        void operator()(isal_zstream* stream) const;
    };
    std::unique_ptr<isal_zstream, StreamFree> stream;
    std::vector<uint8_t> levelBuffer;  // work space for the level
};

}  // namespace oxhost
