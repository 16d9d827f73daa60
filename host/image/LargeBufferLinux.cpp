#include <sys/mman.h>

#include "host/image/LargeBuffer.h"

namespace oxhost {
namespace {

constexpr uintptr_t kLargePage = uintptr_t(2) << 20;

}  // namespace

void ReserveLargeBuffer(std::vector<uint8_t>& bytes, size_t size) {
    bytes.reserve(size);
    if (bytes.capacity() < 2 * kLargePage) {
        return;
    }
    // Only whole large pages inside the buffer can be given; the request is
    // advice, and a system that keeps large pages off ignores it.
    const uintptr_t start = reinterpret_cast<uintptr_t>(bytes.data());
    const uintptr_t from = (start + kLargePage - 1) & ~(kLargePage - 1);
    const uintptr_t to = (start + bytes.capacity()) & ~(kLargePage - 1);
    if (to > from) {
        madvise(reinterpret_cast<void*>(from), to - from, MADV_HUGEPAGE);
    }
}

}  // namespace oxhost
