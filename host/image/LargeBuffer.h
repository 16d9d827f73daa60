// Memory for whole images: a page's buffers are hundreds of megabytes, and
// taking them a small page at a time costs a fault per 4 KiB, as much time as
// reading the file. Where the system offers larger pages on request, a large
// buffer asks for them before it is first touched.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace oxhost {

// Reserves `size` bytes in `bytes` (std::bad_alloc when it cannot) and,
// when they are many, asks for large pages behind them. Fill the buffer
// afterwards: the request only counts for pages not yet touched.
void ReserveLargeBuffer(std::vector<uint8_t>& bytes, size_t size);

}  // namespace oxhost
