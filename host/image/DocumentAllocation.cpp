#include "host/image/DocumentAllocation.h"

#include <algorithm>
#include <new>

#include "host/HostError.h"

namespace oxhost {
namespace {

// An empty string when the sides are acceptable, otherwise what is wrong.
std::string SideProblem(uint64_t width, uint64_t height) {
    if (width == 0 || height == 0) {
        return "the image has no pixels (" + std::to_string(width) + " x " +
               std::to_string(height) + ")";
    }
    if (width > uint64_t(kMaxDocumentSide) || height > uint64_t(kMaxDocumentSide)) {
        return "the image is " + std::to_string(width) + " x " + std::to_string(height) +
               " pixels; the largest side allowed is " + std::to_string(kMaxDocumentSide);
    }
    return std::string();
}

}  // namespace

void CheckDocumentSides(const std::string& path, uint64_t width, uint64_t height) {
    std::string problem = SideProblem(width, height);
    if (!problem.empty()) {
        throw HostError("'" + path + "': " + problem);
    }
}

Document NewDocumentForFile(const std::string& path, uint64_t width, uint64_t height,
                            ColorModel model, bool hasAlpha) {
    CheckDocumentSides(path, width, height);
    Document document;
    document.width = int(width);
    document.height = int(height);
    document.model = model;
    document.hasAlpha = hasAlpha;
    try {
        document.pixels.resize(document.RowBytes() * size_t(height));
    } catch (const std::bad_alloc&) {
        throw HostError("'" + path + "': not enough memory for a " + std::to_string(width) + " x " +
                        std::to_string(height) + " image");
    }
    return document;
}

void CheckDocumentShape(const Document& document, const std::string& path,
                        const std::string& action) {
    std::string problem =
        SideProblem(uint64_t(std::max(document.width, 0)), uint64_t(std::max(document.height, 0)));
    if (problem.empty() &&
        document.pixels.size() != document.RowBytes() * size_t(document.height)) {
        problem = "the document's pixel buffer does not match its size";
    }
    if (!problem.empty()) {
        throw HostError("cannot " + action + " '" + path + "': " + problem);
    }
}

}  // namespace oxhost
