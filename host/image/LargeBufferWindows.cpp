#include "host/image/LargeBuffer.h"

namespace oxhost {

// Large pages on Windows need a privilege ordinary users lack: plain pages.
void ReserveLargeBuffer(std::vector<uint8_t>& bytes, size_t size) {
    bytes.reserve(size);
}

}  // namespace oxhost
