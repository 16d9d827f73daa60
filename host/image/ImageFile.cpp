#include "host/image/ImageFile.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>

#include "host/HostError.h"
#include "host/image/BmpFile.h"
#include "host/image/JpegFile.h"
#include "host/image/PamFile.h"
#include "host/image/PngFile.h"
#include "host/image/TiffFile.h"
#include "host/image/WebpFile.h"

namespace oxhost {
namespace {

enum class FileFormat { Unknown, Png, Pam, Tiff, Jpeg, Bmp, Webp };

constexpr unsigned char kPngSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
// Enough of a file's start to tell every format: a WebP file names itself
// in bytes 8 to 11.
constexpr size_t kSniffedBytes = 12;

FileFormat FormatFromContent(const unsigned char* head, size_t length) {
    if (length >= sizeof kPngSignature &&
        std::memcmp(head, kPngSignature, sizeof kPngSignature) == 0) {
        return FileFormat::Png;
    }
    if (length >= 3 && head[0] == 'P' && head[1] == '7' && head[2] == '\n') {
        return FileFormat::Pam;
    }
    // Classic TIFF has version 42, BigTIFF 43, in either byte order.
    if (length >= 4 &&
        ((head[0] == 'I' && head[1] == 'I' && (head[2] == 42 || head[2] == 43) && head[3] == 0) ||
         (head[0] == 'M' && head[1] == 'M' && head[2] == 0 && (head[3] == 42 || head[3] == 43)))) {
        return FileFormat::Tiff;
    }
    // A start-of-image marker followed by the start of another marker.
    if (length >= 3 && head[0] == 0xFF && head[1] == 0xD8 && head[2] == 0xFF) {
        return FileFormat::Jpeg;
    }
    if (length >= 12 && std::memcmp(head, "RIFF", 4) == 0 &&
        std::memcmp(head + 8, "WEBP", 4) == 0) {
        return FileFormat::Webp;
    }
    if (length >= 2 && head[0] == 'B' && head[1] == 'M') {
        return FileFormat::Bmp;
    }
    return FileFormat::Unknown;
}

FileFormat SniffFile(const std::string& path) {
    FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) {
        throw HostError("cannot open '" + path + "': " + std::strerror(errno));
    }
    unsigned char head[kSniffedBytes];
    size_t length = std::fread(head, 1, sizeof head, file);
    int readError = std::ferror(file) ? errno : 0;
    std::fclose(file);
    if (readError != 0) {
        throw HostError("cannot read '" + path + "': " + std::strerror(readError));
    }
    return FormatFromContent(head, length);
}

std::string LowerCaseExtension(const std::string& path) {
    size_t dot = path.rfind('.');
    size_t slash = path.rfind('/');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) {
        return std::string();
    }
    std::string extension = path.substr(dot);
    for (char& letter : extension) {
        letter = char(std::tolower(static_cast<unsigned char>(letter)));
    }
    return extension;
}

FileFormat FormatFromExtension(const std::string& path) {
    std::string extension = LowerCaseExtension(path);
    if (extension == ".png") {
        return FileFormat::Png;
    }
    if (extension == ".pam") {
        return FileFormat::Pam;
    }
    if (TiffFilesSupported() && (extension == ".tif" || extension == ".tiff")) {
        return FileFormat::Tiff;
    }
    return FileFormat::Unknown;
}

uint32_t BigEndian32(const unsigned char* bytes) {
    return uint32_t(bytes[0]) << 24 | uint32_t(bytes[1]) << 16 | uint32_t(bytes[2]) << 8 |
           uint32_t(bytes[3]);
}

uint32_t LittleEndian32(const unsigned char* bytes) {
    return uint32_t(bytes[3]) << 24 | uint32_t(bytes[2]) << 16 | uint32_t(bytes[1]) << 8 |
           uint32_t(bytes[0]);
}

// The bit depth of IHDR, and the frames of an animated PNG: acTL counts the
// frames of the animation, which leaves out the default image unless an fcTL
// chunk comes before the first IDAT. Only the chunk headers before the
// image data are read.
ImageFileContent InspectPng(FILE* file) {
    ImageFileContent content;
    bool animationHoldsDefaultImage = false;
    uint32_t animationFrames = 0;
    unsigned char header[8];
    if (std::fseek(file, long(sizeof kPngSignature), SEEK_SET) != 0) {
        return content;
    }
    while (std::fread(header, 1, sizeof header, file) == sizeof header) {
        const uint32_t length = BigEndian32(header);
        const std::string type(reinterpret_cast<const char*>(header + 4), 4);
        if (type == "IDAT" || type == "IEND") {
            break;
        }
        unsigned char data[9] = {};
        const size_t wanted = std::min<uint32_t>(length, sizeof data);
        if (std::fread(data, 1, wanted, file) != wanted) {
            break;
        }
        if (type == "IHDR" && wanted >= 9) {
            content.bitsPerSample = data[8];
        } else if (type == "acTL" && wanted >= 4) {
            animationFrames = BigEndian32(data);
        } else if (type == "fcTL") {
            animationHoldsDefaultImage = true;
        }
        // The rest of the chunk and its checksum.
        if (std::fseek(file, long(length - wanted) + 4, SEEK_CUR) != 0) {
            break;
        }
    }
    if (animationFrames > 0) {
        const uint64_t images = uint64_t(animationFrames) + (animationHoldsDefaultImage ? 0 : 1);
        content.pages = int(std::min<uint64_t>(images, INT32_MAX));
    }
    return content;
}

// The frames of an animated WebP: one ANMF chunk each, among the chunks
// that follow the RIFF header. Only chunk headers are read.
int CountWebpFrames(FILE* file) {
    constexpr size_t kRiffHeaderBytes = 12;
    int frames = 0;
    unsigned char header[8];
    if (std::fseek(file, long(kRiffHeaderBytes), SEEK_SET) != 0) {
        return 1;
    }
    while (frames < INT32_MAX && std::fread(header, 1, sizeof header, file) == sizeof header) {
        if (std::memcmp(header, "ANMF", 4) == 0) {
            ++frames;
        }
        // Chunks are padded to an even size; seek in two steps, as a long
        // may be 32-bit.
        const uint32_t size = LittleEndian32(header + 4);
        const uint32_t padded = size / 2 + (size & 1u);
        if (std::fseek(file, long(padded), SEEK_CUR) != 0 ||
            std::fseek(file, long(padded), SEEK_CUR) != 0) {
            break;
        }
    }
    return std::max(frames, 1);
}

// "PNG, PAM, BMP, TIFF, JPEG and WebP", or fewer where the build lacks a
// library.
std::string ReadableFormats() {
    std::string formats = "PNG, PAM, BMP";
    if (TiffFilesSupported()) {
        formats += ", TIFF";
    }
    if (JpegFilesSupported()) {
        formats += ", JPEG";
    }
    if (WebpFilesSupported()) {
        formats += ", WebP";
    }
    const size_t lastComma = formats.rfind(", ");
    return formats.substr(0, lastComma) + " and " + formats.substr(lastComma + 2);
}

}  // namespace

ImageFileContent InspectImageFile(const std::string& path) {
    FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) {
        return ImageFileContent();
    }
    unsigned char head[kSniffedBytes];
    const size_t length = std::fread(head, 1, sizeof head, file);
    ImageFileContent content;
    switch (FormatFromContent(head, length)) {
        case FileFormat::Png:
            content = InspectPng(file);
            break;
        case FileFormat::Tiff: {
            const TiffContent tiff = InspectTiffFile(path);
            content.pages = tiff.pages;
            content.bitsPerSample = tiff.bitsPerSample;
            break;
        }
        case FileFormat::Pam:
            // The reader takes 8-bit images (MAXVAL 255) only.
            content.pages = CountPamImages(path);
            break;
        case FileFormat::Webp:
            content.pages = CountWebpFrames(file);
            break;
        default:
            break;
    }
    std::fclose(file);
    return content;
}

Document LoadImageFile(const std::string& path, const ImageProgress& progress) {
    switch (SniffFile(path)) {
        case FileFormat::Png:
            return ReadPngFile(path, progress);
        case FileFormat::Pam:
            return ReadPamFile(path, progress);
        case FileFormat::Tiff:
            return ReadTiffFile(path, progress);
        case FileFormat::Jpeg:
            return ReadJpegFile(path, progress);
        case FileFormat::Bmp:
            return ReadBmpFile(path, progress);
        case FileFormat::Webp:
            return ReadWebpFile(path, progress);
        case FileFormat::Unknown:
            break;
    }
    throw HostError("'" + path + "': unsupported image format (" + ReadableFormats() +
                    " can be read)");
}

void SaveImageFile(const Document& document, const std::string& path,
                   const ImageProgress& progress) {
    switch (FormatFromExtension(path)) {
        case FileFormat::Png:
            WritePngFile(document, path, progress);
            return;
        case FileFormat::Pam:
            WritePamFile(document, path, progress);
            return;
        case FileFormat::Tiff:
            WriteTiffFile(document, path, progress);
            return;
        case FileFormat::Jpeg:  // read only
        case FileFormat::Bmp:
        case FileFormat::Webp:
        case FileFormat::Unknown:
            break;
    }
    throw HostError("cannot save '" + path + "': unsupported file type (use " +
                    SupportedOutputExtensions() + ")");
}

void CheckOutputCanHold(ColorModel model, const std::string& path) {
    if (model == ColorModel::CMYK && FormatFromExtension(path) == FileFormat::Png) {
        throw HostError("cannot write '" + path + "': PNG cannot hold a CMYK document; use " +
                        CmykOutputExtensions());
    }
}

bool IsSupportedOutputPath(const std::string& path) {
    return FormatFromExtension(path) != FileFormat::Unknown;
}

std::string SupportedOutputExtensions() {
    return TiffFilesSupported() ? ".png, .pam, .tif or .tiff" : ".png or .pam";
}

std::string CmykOutputExtensions() {
    return TiffFilesSupported() ? ".pam, .tif or .tiff" : ".pam";
}

}  // namespace oxhost
