// How the host lays out the buffers it delivers. Real hosts differ here, and
// plug-ins must follow the steps they are given, so the host can vary them.
#pragma once

#include <cstdint>
#include <string>

namespace oxhost {

struct BufferLayout {
    enum class Arrangement {
        Interleaved,  // the planes of a pixel side by side
        Planar        // one whole plane after the other
    };
    Arrangement arrangement = Arrangement::Interleaved;
    // Extra bytes after each row, filled with a guard value that must survive the call.
    int32_t rowPadding = 0;
    // Report column and plane steps as 0, as older hosts do for interleaved data.
    bool zeroSteps = false;

    // "interleaved", "planar", "padded", "zero-steps"; false for an unknown name.
    static bool FromName(const std::string& name, BufferLayout& layout);
};

}  // namespace oxhost
