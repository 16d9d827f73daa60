// The one place where a file reader turns header dimensions into pixel memory.
#pragma once

#include <cstdint>
#include <string>

#include "host/image/Document.h"

namespace oxhost {

// Throws HostError, naming `path`, when a side is zero or larger than
// kMaxDocumentSide. For readers that must check a header before asking their
// library to prepare for the image.
void CheckDocumentSides(const std::string& path, uint64_t width, uint64_t height);

// A document of the given shape with every pixel byte 0. Throws HostError,
// naming `path`, when a side is zero or larger than kMaxDocumentSide, or when
// the memory cannot be had; the sides are checked before anything is allocated.
Document NewDocumentForFile(const std::string& path, uint64_t width, uint64_t height,
                            ColorModel model, bool hasAlpha);

// Throws HostError, naming `path` and the action, unless `document` has valid
// sides and a pixel buffer of exactly its size.
void CheckDocumentShape(const Document& document, const std::string& path,
                        const std::string& action);

}  // namespace oxhost
