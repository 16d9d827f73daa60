#include "host/flat/PreparedPage.h"

namespace oxhost {

Document PreparedDocument(const InkMask& mask) {
    RequireWholeMask(mask, "prepared page");
    Document page;
    page.width = mask.width;
    page.height = mask.height;
    page.model = ColorModel::RGB;
    page.hasAlpha = false;
    page.pixels.resize(mask.ink.size() * 3);
    uint8_t* pixel = page.pixels.data();
    for (uint8_t ink : mask.ink) {
        const uint8_t value = ink != 0 ? 0 : 255;
        pixel[0] = value;
        pixel[1] = value;
        pixel[2] = value;
        pixel += 3;
    }
    return page;
}

}  // namespace oxhost
