// On Linux WebP files go through libwebp. A still image is decoded
// incrementally as the file is read, so its rows (and the progress) come as
// the data arrives and a file that ends early costs only what it held; an
// animation goes through libwebp's animation decoder, which needs the whole
// file in memory.
#include <webp/decode.h>
#include <webp/demux.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

#include "host/HostError.h"
#include "host/image/DocumentAllocation.h"
#include "host/image/WebpFile.h"

namespace oxhost {
namespace {

constexpr size_t kReadBytes = 256 * 1024;

struct FileCloser {
    void operator()(FILE* file) const { std::fclose(file); }
};
using FileHandle = std::unique_ptr<FILE, FileCloser>;

struct IncrementalDecoderDeleter {
    void operator()(WebPIDecoder* decoder) const { WebPIDelete(decoder); }
};
struct AnimationDecoderDeleter {
    void operator()(WebPAnimDecoder* decoder) const { WebPAnimDecoderDelete(decoder); }
};

std::string StatusText(VP8StatusCode status) {
    switch (status) {
        case VP8_STATUS_OUT_OF_MEMORY:
            return "not enough memory";
        case VP8_STATUS_INVALID_PARAM:
            return "invalid parameter";
        case VP8_STATUS_BITSTREAM_ERROR:
            return "bitstream error";
        case VP8_STATUS_UNSUPPORTED_FEATURE:
            return "unsupported feature";
        case VP8_STATUS_NOT_ENOUGH_DATA:
            return "the data ends early";
        default:
            return "status " + std::to_string(int(status));
    }
}

[[noreturn]] void ThrowDamaged(const std::string& path, const std::string& problem) {
    throw HostError("'" + path + "': damaged WebP file (" + problem + ")");
}

[[noreturn]] void ThrowTruncated(const std::string& path) {
    throw HostError("'" + path + "': truncated WebP file (the data ends before the image)");
}

// Appends up to kReadBytes of the file to `bytes`; false at the file's end.
bool ReadMore(FILE* file, std::vector<uint8_t>& bytes, const std::string& path) {
    const size_t start = bytes.size();
    bytes.resize(start + kReadBytes);
    const size_t count = std::fread(bytes.data() + start, 1, kReadBytes, file);
    bytes.resize(start + count);
    if (count == 0 && std::ferror(file)) {
        throw HostError("cannot read '" + path + "': " + std::strerror(errno));
    }
    return count > 0;
}

// Reads until the headers tell the image's features; `bytes` keeps what was read.
WebPBitstreamFeatures ReadFeatures(FILE* file, std::vector<uint8_t>& bytes,
                                   const std::string& path) {
    WebPBitstreamFeatures features;
    for (;;) {
        const bool more = ReadMore(file, bytes, path);
        const VP8StatusCode status = WebPGetFeatures(bytes.data(), bytes.size(), &features);
        if (status == VP8_STATUS_OK) {
            return features;
        }
        if (status != VP8_STATUS_NOT_ENOUGH_DATA) {
            ThrowDamaged(path, StatusText(status));
        }
        if (!more) {
            ThrowTruncated(path);
        }
    }
}

// Copies the rows the decoder has finished since the last call.
void TakeDecodedRows(const WebPIDecoder* decoder, Document& document, int& rowsTaken,
                     const std::string& path, const ImageProgress& progress) {
    int lastRow = 0;
    int width = 0;
    int height = 0;
    int stride = 0;
    const uint8_t* rows = WebPIDecGetRGB(decoder, &lastRow, &width, &height, &stride);
    if (rows == nullptr || lastRow <= rowsTaken) {
        return;
    }
    if (width != document.width || height != document.height || lastRow > height ||
        size_t(stride) < document.RowBytes()) {
        ThrowDamaged(path, "the decoder's image does not match the header");
    }
    GrowDocumentToRows(document, lastRow, path);
    for (int row = rowsTaken; row < lastRow; ++row) {
        std::memcpy(document.Pixel(row, 0), rows + size_t(row) * size_t(stride),
                    document.RowBytes());
    }
    rowsTaken = lastRow;
    ReportImageProgress(progress, rowsTaken, document.height);
}

Document ReadStillImage(FILE* file, std::vector<uint8_t>& bytes,
                        const WebPBitstreamFeatures& features, const std::string& path,
                        const ImageProgress& progress) {
    Document document =
        NewGrowingDocumentForFile(path, uint64_t(features.width), uint64_t(features.height),
                                  ColorModel::RGB, features.has_alpha != 0);
    // The decoder keeps its own output buffer; pages of it that no row
    // reaches are never touched.
    std::unique_ptr<WebPIDecoder, IncrementalDecoderDeleter> decoder(
        WebPINewRGB(features.has_alpha ? MODE_RGBA : MODE_RGB, nullptr, 0, 0));
    if (!decoder) {
        throw HostError("'" + path + "': not enough memory to read the WebP file");
    }
    int rowsTaken = 0;
    VP8StatusCode status = WebPIAppend(decoder.get(), bytes.data(), bytes.size());
    for (;;) {
        if (status != VP8_STATUS_OK && status != VP8_STATUS_SUSPENDED) {
            ThrowDamaged(path, StatusText(status));
        }
        TakeDecodedRows(decoder.get(), document, rowsTaken, path, progress);
        if (status == VP8_STATUS_OK) {
            break;
        }
        bytes.clear();
        if (!ReadMore(file, bytes, path)) {
            ThrowTruncated(path);
        }
        status = WebPIAppend(decoder.get(), bytes.data(), bytes.size());
    }
    if (rowsTaken != document.height) {
        ThrowTruncated(path);
    }
    return document;
}

// The first frame of an animation, composed on the canvas.
Document ReadFirstFrame(FILE* file, std::vector<uint8_t>& bytes,
                        const WebPBitstreamFeatures& features, const std::string& path,
                        const ImageProgress& progress) {
    while (ReadMore(file, bytes, path)) {
    }
    WebPAnimDecoderOptions options;
    if (!WebPAnimDecoderOptionsInit(&options)) {
        throw HostError("'" + path + "': this libwebp cannot decode animations");
    }
    options.color_mode = MODE_RGBA;
    options.use_threads = 0;
    const WebPData data = {bytes.data(), bytes.size()};
    std::unique_ptr<WebPAnimDecoder, AnimationDecoderDeleter> decoder(
        WebPAnimDecoderNew(&data, &options));
    WebPAnimInfo info;
    if (!decoder || !WebPAnimDecoderGetInfo(decoder.get(), &info)) {
        ThrowDamaged(path, "the animation cannot be decoded");
    }
    CheckDocumentSides(path, info.canvas_width, info.canvas_height);
    uint8_t* canvas = nullptr;
    int timestamp = 0;
    if (info.frame_count == 0 || !WebPAnimDecoderGetNext(decoder.get(), &canvas, &timestamp)) {
        ThrowDamaged(path, "the first frame cannot be decoded");
    }
    const bool hasAlpha = features.has_alpha != 0;
    Document document =
        NewDocumentForFile(path, info.canvas_width, info.canvas_height, ColorModel::RGB, hasAlpha);
    const size_t pixels = size_t(document.width) * size_t(document.height);
    const size_t planes = size_t(document.TotalPlanes());
    for (size_t pixel = 0; pixel < pixels; ++pixel) {
        std::memcpy(document.pixels.data() + pixel * planes, canvas + pixel * 4, planes);
    }
    ReportImageProgress(progress, document.height, document.height);
    return document;
}

}  // namespace

bool WebpFilesSupported() {
    return true;
}

Document ReadWebpFile(const std::string& path, const ImageProgress& progress) {
    FileHandle file(std::fopen(path.c_str(), "rb"));
    if (!file) {
        throw HostError("cannot open '" + path + "': " + std::strerror(errno));
    }
    std::vector<uint8_t> bytes;
    const WebPBitstreamFeatures features = ReadFeatures(file.get(), bytes, path);
    // Checked before libwebp prepares anything for the image; of an
    // animation these are the canvas's sides.
    CheckDocumentSides(path, uint64_t(features.width), uint64_t(features.height));
    if (features.has_animation) {
        return ReadFirstFrame(file.get(), bytes, features, path, progress);
    }
    return ReadStillImage(file.get(), bytes, features, path, progress);
}

}  // namespace oxhost
