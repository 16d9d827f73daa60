// On Windows PNG files go through stb_image and stb_image_write, compiled
// into this file alone. The file is read into memory whole and decoded there;
// 16-bit samples are scaled to 8 bits with rounding, as libpng does on Linux,
// so that both builds read the same pixels.
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

#include "host/HostError.h"
#include "host/image/AtomicFile.h"
#include "host/image/DocumentAllocation.h"
#include "host/image/PngFile.h"
#include "host/image/WriteCompression.h"

#define STB_IMAGE_STATIC
#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_PNG
#define STBI_NO_STDIO
#include <stb_image.h>

#define STB_IMAGE_WRITE_STATIC
#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STBI_WRITE_NO_STDIO
#include <stb_image_write.h>

namespace oxhost {
namespace {

constexpr unsigned char kPngSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};

struct FileCloser {
    void operator()(FILE* file) const { std::fclose(file); }
};
using FileHandle = std::unique_ptr<FILE, FileCloser>;

struct StbFree {
    void operator()(void* pixels) const { stbi_image_free(pixels); }
};

std::vector<unsigned char> ReadWholeFile(const std::string& path) {
    FileHandle file(std::fopen(path.c_str(), "rb"));
    if (!file) {
        throw HostError("cannot open '" + path + "': " + std::strerror(errno));
    }
    std::vector<unsigned char> bytes;
    unsigned char block[65536];
    size_t count = 0;
    while ((count = std::fread(block, 1, sizeof block, file.get())) > 0) {
        bytes.insert(bytes.end(), block, block + count);
    }
    if (std::ferror(file.get())) {
        throw HostError("cannot read '" + path + "': " + std::strerror(errno));
    }
    if (bytes.size() < sizeof kPngSignature ||
        std::memcmp(bytes.data(), kPngSignature, sizeof kPngSignature) != 0) {
        throw HostError("'" + path + "': not a PNG file");
    }
    return bytes;
}

HostError Damaged(const std::string& path) {
    const char* reason = stbi_failure_reason();
    return HostError("'" + path + "': damaged PNG file (" + (reason != nullptr ? reason : "?") +
                     ")");
}

// Decodes into the document's samples, `channels` (3 or 4) to a pixel.
void Decode(const std::vector<unsigned char>& bytes, int channels, Document& document,
            const std::string& path) {
    const int size = int(bytes.size());
    int width = 0;
    int height = 0;
    int fileChannels = 0;
    const size_t samples = document.pixels.size();
    if (stbi_is_16_bit_from_memory(bytes.data(), size)) {
        std::unique_ptr<stbi_us, StbFree> wide(
            stbi_load_16_from_memory(bytes.data(), size, &width, &height, &fileChannels, channels));
        if (!wide) {
            throw Damaged(path);
        }
        for (size_t index = 0; index < samples; ++index) {
            document.pixels[index] = uint8_t((wide.get()[index] * 255u + 32767u) / 65535u);
        }
        return;
    }
    std::unique_ptr<stbi_uc, StbFree> narrow(
        stbi_load_from_memory(bytes.data(), size, &width, &height, &fileChannels, channels));
    if (!narrow) {
        throw Damaged(path);
    }
    std::memcpy(document.pixels.data(), narrow.get(), samples);
}

struct WriteTarget {
    FILE* stream;
    bool failed;
};

void WriteToStream(void* context, void* data, int size) {
    auto* target = static_cast<WriteTarget*>(context);
    if (!target->failed && std::fwrite(data, 1, size_t(size), target->stream) != size_t(size)) {
        target->failed = true;
    }
}

}  // namespace

// stb_image decodes the whole image in one call: progress is reported at the end.
Document ReadPngFile(const std::string& path, const ImageProgress& progress) {
    const std::vector<unsigned char> bytes = ReadWholeFile(path);
    int width = 0;
    int height = 0;
    int fileChannels = 0;
    if (!stbi_info_from_memory(bytes.data(), int(bytes.size()), &width, &height, &fileChannels)) {
        throw Damaged(path);
    }
    // Grey becomes RGB; grey with alpha becomes RGBA.
    const bool hasAlpha = fileChannels == 2 || fileChannels == 4;
    Document document =
        NewDocumentForFile(path, uint64_t(width), uint64_t(height), ColorModel::RGB, hasAlpha);
    Decode(bytes, hasAlpha ? 4 : 3, document, path);
    ReportImageProgress(progress, document.height, document.height);
    return document;
}

void WritePngFile(const Document& document, const std::string& path,
                  const ImageProgress& progress) {
    if (document.model != ColorModel::RGB) {
        throw HostError("cannot save '" + path +
                        "': a CMYK document cannot be saved as PNG; use .pam instead");
    }
    CheckDocumentShape(document, path, "save");

    AtomicFile output(path);
    WriteTarget target{output.Stream(), false};
    stbi_write_png_compression_level = DeflateLevel(CurrentWriteCompression());
    const int ok = stbi_write_png_to_func(WriteToStream, &target, document.width, document.height,
                                          document.TotalPlanes(), document.pixels.data(),
                                          int(document.RowBytes()));
    if (!ok || target.failed) {
        throw HostError("cannot write '" + path + "': " +
                        (target.failed ? std::strerror(errno) : "the PNG could not be encoded"));
    }
    ReportImageProgress(progress, document.height, document.height);
    output.Commit();
}

}  // namespace oxhost
