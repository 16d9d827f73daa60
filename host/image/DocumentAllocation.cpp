#include "host/image/DocumentAllocation.h"

#include <algorithm>
#include <cstdio>
#include <new>

#include "host/HostError.h"
#include "host/image/LargeBuffer.h"

namespace oxhost {
namespace {

// Growing documents start with this much and at least double after.
constexpr size_t kFirstGrowthBytes = size_t(1) << 20;

uint64_t pixelBudget = 0;

// "2.6 GB", "340 MB": for messages.
std::string MemoryText(uint64_t bytes) {
    char text[32];
    if (bytes >= (uint64_t(1) << 30)) {
        std::snprintf(text, sizeof text, "%.1f GB", double(bytes) / double(uint64_t(1) << 30));
    } else {
        std::snprintf(text, sizeof text, "%llu MB",
                      static_cast<unsigned long long>((bytes + (1u << 20) - 1) >> 20));
    }
    return text;
}

std::string MegapixelText(uint64_t pixels) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1f", double(pixels) / 1e6);
    return text;
}

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

std::string BudgetProblem(uint64_t width, uint64_t height) {
    const uint64_t pixels = width * height;
    if (pixelBudget == 0 || pixels <= pixelBudget) {
        return std::string();
    }
    return "the image is " + std::to_string(width) + " x " + std::to_string(height) + " (" +
           MegapixelText(pixels) + " megapixels) and needs about " +
           MemoryText(pixels * kRunBytesPerPixel) + " to filter, over the limit of " +
           MegapixelText(pixelBudget) + " megapixels (--max-megapixels N raises it)";
}

Document EmptyDocument(const std::string& path, uint64_t width, uint64_t height, ColorModel model,
                       bool hasAlpha) {
    CheckDocumentSides(path, width, height);
    Document document;
    document.width = int(width);
    document.height = int(height);
    document.model = model;
    document.hasAlpha = hasAlpha;
    return document;
}

[[noreturn]] void ThrowNoMemory(const std::string& path, const Document& document) {
    throw HostError("'" + path + "': not enough memory for a " + std::to_string(document.width) +
                    " x " + std::to_string(document.height) + " image");
}

}  // namespace

void SetPixelBudget(uint64_t pixels) {
    pixelBudget = pixels;
}

uint64_t PixelBudget() {
    return pixelBudget;
}

void CheckDocumentSides(const std::string& path, uint64_t width, uint64_t height) {
    std::string problem = SideProblem(width, height);
    if (problem.empty()) {
        problem = BudgetProblem(width, height);
    }
    if (!problem.empty()) {
        throw HostError("'" + path + "': " + problem);
    }
}

Document NewDocumentForFile(const std::string& path, uint64_t width, uint64_t height,
                            ColorModel model, bool hasAlpha) {
    Document document = EmptyDocument(path, width, height, model, hasAlpha);
    try {
        ReserveLargeBuffer(document.pixels, document.RowBytes() * size_t(height));
        document.pixels.resize(document.RowBytes() * size_t(height));
    } catch (const std::bad_alloc&) {
        ThrowNoMemory(path, document);
    }
    return document;
}

Document NewGrowingDocumentForFile(const std::string& path, uint64_t width, uint64_t height,
                                   ColorModel model, bool hasAlpha) {
    return EmptyDocument(path, width, height, model, hasAlpha);
}

void GrowDocumentToRows(Document& document, int rows, const std::string& path) {
    const size_t wanted = document.RowBytes() * size_t(std::min(rows, document.height));
    if (wanted <= document.pixels.size()) {
        return;
    }
    try {
        if (wanted > document.pixels.capacity()) {
            const size_t whole = document.RowBytes() * size_t(document.height);
            const size_t doubled = std::max(2 * document.pixels.capacity(), kFirstGrowthBytes);
            ReserveLargeBuffer(document.pixels, std::min(whole, std::max(wanted, doubled)));
        }
        document.pixels.resize(wanted);
    } catch (const std::bad_alloc&) {
        ThrowNoMemory(path, document);
    }
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
