// The small generated page the line-art tests draw, from a seed.
#pragma once

#include <cstdint>

#include "tools/samplepage/LineArt.h"

namespace imagetest {

inline oxlineart::LineArtOptions SmallPage(uint64_t seed) {
    oxlineart::LineArtOptions options;
    options.width = 640;
    options.height = 480;
    options.seed = seed;
    return options;
}

}  // namespace imagetest
