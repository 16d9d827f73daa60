// The one place where a file reader turns header dimensions into pixel memory,
// and where the pixel budget that keeps a small hostile file from taking the
// machine's memory is kept.
#pragma once

#include <cstdint>
#include <string>

#include "host/image/Document.h"

namespace oxhost {

// What a filter run holds per image pixel at its peak, at most: the
// document, the copies the host hands the plug-in and the plug-in's own
// working planes. A safe overestimate (runs on RGB pages peaked near 15
// bytes a pixel); used to say how much memory an image needs.
constexpr uint64_t kRunBytesPerPixel = 24;

// The largest image, in pixels, the readers accept; 0 (the start) means no
// limit. Set once, before any file is read; not thread safe.
void SetPixelBudget(uint64_t pixels);
uint64_t PixelBudget();

// Throws HostError, naming `path`, when a side is zero or larger than
// kMaxDocumentSide, or the image has more pixels than the budget. For
// readers that must check a header before asking their library to prepare
// for the image.
void CheckDocumentSides(const std::string& path, uint64_t width, uint64_t height);

// A document of the given shape with every pixel byte 0. Throws HostError,
// naming `path`, when CheckDocumentSides refuses the sides or the memory
// cannot be had; the sides are checked before anything is allocated.
Document NewDocumentForFile(const std::string& path, uint64_t width, uint64_t height,
                            ColorModel model, bool hasAlpha);

// Like NewDocumentForFile, but with no pixel memory yet: the reader calls
// GrowDocumentToRows as rows actually decode, so a header that promises
// more than the file holds costs no more memory than the data it has.
Document NewGrowingDocumentForFile(const std::string& path, uint64_t width, uint64_t height,
                                   ColorModel model, bool hasAlpha);

// Makes the first `rows` rows of a growing document addressable (new bytes
// 0), reserving geometrically so the whole image costs amortised linear
// time and never more than its final size. Throws HostError, naming `path`,
// when the memory cannot be had.
void GrowDocumentToRows(Document& document, int rows, const std::string& path);

// Throws HostError, naming `path` and the action, unless `document` has valid
// sides and a pixel buffer of exactly its size.
void CheckDocumentShape(const Document& document, const std::string& path,
                        const std::string& action);

}  // namespace oxhost
