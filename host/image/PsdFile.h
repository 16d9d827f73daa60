// Writing layered Photoshop documents (PSD), the file colourists exchange:
// 8-bit RGB, each layer the size of the canvas, every channel and the merged
// image PackBits-compressed row by row.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "host/image/Document.h"

namespace oxhost {

// The classic PSD format's largest width or height.
constexpr int kMaxPsdSide = 30000;

struct PsdLayer {
    std::string name;  // UTF-8; any length (kept whole in the Unicode name)
    // The layer's pixels: RGB, with or without alpha, the size of the file.
    // Not owned; must outlive the SavePsdFile call.
    const Document* pixels = nullptr;
    // A 4-character blend mode key of the format: "norm", "mul ", "scrn"...
    std::string blendMode = "norm";
    uint8_t opacity = 255;
};

// Writes an 8-bit RGB layered PSD of `width` x `height`: `layers` bottom
// first, each with a transparency channel when its document has alpha, and
// `composite`, the merged image readers show without compositing the layers
// themselves (RGB without alpha), replacing `path` atomically. Throws
// HostError naming the file, leaving any existing file untouched, when a side
// is outside [1, kMaxPsdSide], a document does not fit the description, a
// blend mode key is not 4 characters, or the file cannot be written.
void SavePsdFile(const std::string& path, int width, int height,
                 const std::vector<PsdLayer>& layers, const Document& composite);

}  // namespace oxhost
