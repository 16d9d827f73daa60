// Handing a text to a C caller's buffer, as the suites the host serves do.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>

namespace oxhost {

// Copies at most capacity - 1 bytes of `text` into `buffer` and terminates
// it; returns the bytes copied. A null buffer or a capacity below 1 is left
// alone and gives 0.
inline size_t CopyToCallerBuffer(const std::string& text, char* buffer, int32_t capacity) {
    if (buffer == nullptr || capacity <= 0) {
        return 0;
    }
    const size_t count = std::min(text.size(), size_t(capacity) - 1);
    std::memcpy(buffer, text.data(), count);
    buffer[count] = '\0';
    return count;
}

}  // namespace oxhost
