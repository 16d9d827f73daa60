// One-row documents for the tests of the flat steps: a few pixels, written
// out plane by plane.
#pragma once

#include <cstdint>
#include <vector>

#include "host/image/Document.h"

namespace flattest {

inline oxhost::Document OneRow(oxhost::ColorModel model, bool hasAlpha,
                               const std::vector<uint8_t>& pixels) {
    oxhost::Document page;
    page.model = model;
    page.hasAlpha = hasAlpha;
    page.pixels = pixels;
    page.width = int(pixels.size()) / page.TotalPlanes();
    page.height = 1;
    return page;
}

}  // namespace flattest
