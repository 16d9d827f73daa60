#include "host/run/BufferLayout.h"

namespace oxhost {

bool BufferLayout::FromName(const std::string& name, BufferLayout& layout) {
    layout = BufferLayout{};
    if (name == "interleaved") {
        return true;
    }
    if (name == "planar") {
        layout.arrangement = Arrangement::Planar;
        return true;
    }
    if (name == "padded") {
        layout.rowPadding = 13;  // odd on purpose: no plug-in may assume aligned rows
        return true;
    }
    if (name == "zero-steps") {
        layout.zeroSteps = true;
        return true;
    }
    return false;
}

}  // namespace oxhost
