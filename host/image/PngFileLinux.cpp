// On Linux PNG files go through libpng.
#include <png.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

#include "host/HostError.h"
#include "host/image/AtomicFile.h"
#include "host/image/DocumentAllocation.h"
#include "host/image/ImageProgress.h"
#include "host/image/PngFile.h"
#include "host/image/WriteCompression.h"

namespace oxhost {
namespace {

constexpr size_t kSignatureBytes = 8;

// What libpng reported before it jumped back to a guarded call. A fixed
// buffer, because the error callback must not throw.
struct PngProblem {
    char message[200] = "";
    int systemError = 0;  // errno of a failed read or write; 0 for a format error
};

PngProblem* ProblemOf(png_structp png) {
    return static_cast<PngProblem*>(png_get_error_ptr(png));
}

[[noreturn]] void OnPngError(png_structp png, png_const_charp message) {
    std::snprintf(ProblemOf(png)->message, sizeof ProblemOf(png)->message, "%s", message);
    png_longjmp(png, 1);
}

void IgnorePngWarning(png_structp, png_const_charp) {}

void ReadFromStream(png_structp png, png_bytep data, size_t length) {
    FILE* stream = static_cast<FILE*>(png_get_io_ptr(png));
    if (std::fread(data, 1, length, stream) == length) {
        return;
    }
    if (std::ferror(stream)) {
        ProblemOf(png)->systemError = errno;
        png_error(png, "read error");
    }
    png_error(png, "the file ends early");
}

void WriteToStream(png_structp png, png_bytep data, size_t length) {
    FILE* stream = static_cast<FILE*>(png_get_io_ptr(png));
    if (std::fwrite(data, 1, length, stream) != length) {
        ProblemOf(png)->systemError = errno;
        png_error(png, "write error");
    }
}

void FlushStream(png_structp png) {
    if (std::fflush(static_cast<FILE*>(png_get_io_ptr(png))) != 0) {
        ProblemOf(png)->systemError = errno;
        png_error(png, "write error");
    }
}

struct FileCloser {
    void operator()(FILE* file) const { std::fclose(file); }
};
using FileHandle = std::unique_ptr<FILE, FileCloser>;

class PngReadHandle {
public:
    explicit PngReadHandle(PngProblem* problem) {
        png_ = png_create_read_struct(PNG_LIBPNG_VER_STRING, problem, OnPngError, IgnorePngWarning);
        if (png_ != nullptr) {
            info_ = png_create_info_struct(png_);
        }
    }
    ~PngReadHandle() { png_destroy_read_struct(&png_, &info_, nullptr); }
    PngReadHandle(const PngReadHandle&) = delete;
    PngReadHandle& operator=(const PngReadHandle&) = delete;

    bool IsValid() const { return png_ != nullptr && info_ != nullptr; }
    png_structp Png() const { return png_; }
    png_infop Info() const { return info_; }

private:
    png_structp png_ = nullptr;
    png_infop info_ = nullptr;
};

class PngWriteHandle {
public:
    explicit PngWriteHandle(PngProblem* problem) {
        png_ =
            png_create_write_struct(PNG_LIBPNG_VER_STRING, problem, OnPngError, IgnorePngWarning);
        if (png_ != nullptr) {
            info_ = png_create_info_struct(png_);
        }
    }
    ~PngWriteHandle() { png_destroy_write_struct(&png_, &info_); }
    PngWriteHandle(const PngWriteHandle&) = delete;
    PngWriteHandle& operator=(const PngWriteHandle&) = delete;

    bool IsValid() const { return png_ != nullptr && info_ != nullptr; }
    png_structp Png() const { return png_; }
    png_infop Info() const { return info_; }

private:
    png_structp png_ = nullptr;
    png_infop info_ = nullptr;
};

// The Guarded functions are the only places that catch libpng's longjmp. They
// hold no objects with destructors, since the jump would skip them; each
// returns false when libpng reported an error.

bool ReadHeaderGuarded(png_structp png, png_infop info) {
    if (setjmp(png_jmpbuf(png))) {
        return false;
    }
    png_read_info(png, info);
    return true;
}

// Asks for 8-bit RGB or RGBA whatever the file holds.
// Sets `passes` to the number of interlace passes (1 for a plain image).
bool RequestRgbGuarded(png_structp png, png_infop info, int& passes) {
    if (setjmp(png_jmpbuf(png))) {
        return false;
    }
    png_set_expand(png);  // palette to RGB, grey to 8 bits, tRNS to alpha
    png_set_scale_16(png);
    png_set_gray_to_rgb(png);
    passes = png_set_interlace_handling(png);
    png_read_update_info(png, info);
    return true;
}

bool ReadRowGuarded(png_structp png, png_bytep row) {
    if (setjmp(png_jmpbuf(png))) {
        return false;
    }
    png_read_row(png, row, nullptr);
    return true;
}

bool WriteHeaderGuarded(png_structp png, png_infop info, png_uint_32 width, png_uint_32 height,
                        int colorType) {
    if (setjmp(png_jmpbuf(png))) {
        return false;
    }
    png_set_IHDR(png, info, width, height, 8, colorType, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    // Flat colour repeats the row above: the "up" filter alone finds that, at
    // a fraction of the time libpng spends trying every filter on every row.
    const WriteCompression compression = CurrentWriteCompression();
    png_set_compression_level(png, DeflateLevel(compression));
    png_set_filter(png, PNG_FILTER_TYPE_BASE,
                   compression == WriteCompression::Small ? PNG_ALL_FILTERS : PNG_FILTER_UP);
    png_write_info(png, info);
    return true;
}

// libpng takes a non-const row but only reads it when writing.
bool WriteRowGuarded(png_structp png, png_const_bytep row) {
    if (setjmp(png_jmpbuf(png))) {
        return false;
    }
    png_write_row(png, row);
    return true;
}

bool WriteEndGuarded(png_structp png) {
    if (setjmp(png_jmpbuf(png))) {
        return false;
    }
    png_write_end(png, nullptr);
    return true;
}

HostError ReadFailure(const std::string& path, const PngProblem& problem) {
    if (problem.systemError != 0) {
        return HostError("cannot read '" + path + "': " + std::strerror(problem.systemError));
    }
    return HostError("'" + path + "': damaged PNG file (" + problem.message + ")");
}

HostError WriteFailure(const std::string& path, const PngProblem& problem) {
    if (problem.systemError != 0) {
        return HostError("cannot write '" + path + "': " + std::strerror(problem.systemError));
    }
    return HostError("cannot write '" + path + "': " + problem.message);
}

FileHandle OpenPngFile(const std::string& path) {
    FileHandle file(std::fopen(path.c_str(), "rb"));
    if (!file) {
        throw HostError("cannot open '" + path + "': " + std::strerror(errno));
    }
    png_byte signature[kSignatureBytes];
    if (std::fread(signature, 1, kSignatureBytes, file.get()) != kSignatureBytes ||
        png_sig_cmp(signature, 0, kSignatureBytes) != 0) {
        throw HostError("'" + path + "': not a PNG file");
    }
    return file;
}

// A plain image row by row into a document that grows as rows decode, so a
// header promising more rows than the data holds costs only what it holds.
Document ReadPlainRows(png_structp png, png_infop info, const PngProblem& problem,
                       const std::string& path, png_uint_32 width, png_uint_32 height,
                       bool hasAlpha, const ImageProgress& progress) {
    Document document = NewGrowingDocumentForFile(path, width, height, ColorModel::RGB, hasAlpha);
    if (png_get_rowbytes(png, info) != document.RowBytes()) {
        throw HostError("'" + path + "': unsupported PNG layout");
    }
    for (int row = 0; row < document.height; ++row) {
        GrowDocumentToRows(document, row + 1, path);
        if (!ReadRowGuarded(png, document.Pixel(row, 0))) {
            throw ReadFailure(path, problem);
        }
        ReportImageProgress(progress, row + 1, document.height);
    }
    return document;
}

// Each pass of an interlaced image goes over every row again, adding its
// pixels to what the earlier passes left there.
void ReadInterlacedRows(png_structp png, const PngProblem& problem, const std::string& path,
                        int passes, Document& document, const ImageProgress& progress) {
    const int64_t height = document.height;
    for (int pass = 0; pass < passes; ++pass) {
        for (int row = 0; row < document.height; ++row) {
            if (!ReadRowGuarded(png, document.Pixel(row, 0))) {
                throw ReadFailure(path, problem);
            }
            ReportImageProgress(progress, pass * height + row + 1, passes * height);
        }
    }
}

uint32_t BigEndian32(const unsigned char* bytes) {
    return uint32_t(bytes[0]) << 24 | uint32_t(bytes[1]) << 16 | uint32_t(bytes[2]) << 8 |
           uint32_t(bytes[3]);
}

// Throws HostError unless the image data chunks, at deflate's best ratio
// (258 bytes from one 2-bit code, about 1032 to 1), could hold the filtered
// rows of the image. Walks the chunk headers only; leaves the file where it was.
void CheckDataCanHoldImage(FILE* file, const std::string& path, uint64_t width, uint64_t height,
                           uint64_t bitsPerPixel) {
    constexpr uint64_t kDeflateBestRatio = 1032;
    const long resume = std::ftell(file);
    uint64_t dataBytes = 0;
    unsigned char header[8];
    bool walked = std::fseek(file, long(kSignatureBytes), SEEK_SET) == 0;
    while (walked && std::fread(header, 1, sizeof header, file) == sizeof header) {
        const uint32_t length = BigEndian32(header);
        if (std::memcmp(header + 4, "IDAT", 4) == 0) {
            dataBytes += length;
        } else if (std::memcmp(header + 4, "IEND", 4) == 0) {
            break;
        }
        walked = std::fseek(file, long(length) + 4, SEEK_CUR) == 0;
    }
    std::fseek(file, resume, SEEK_SET);
    // Filter bytes and pass padding only add to this.
    const uint64_t imageBytes = height * ((width * bitsPerPixel + 7) / 8);
    if (dataBytes * kDeflateBestRatio < imageBytes) {
        throw HostError("'" + path + "': damaged PNG file (" + std::to_string(dataBytes) +
                        " bytes of image data cannot hold a " + std::to_string(width) + " x " +
                        std::to_string(height) + " image)");
    }
}

}  // namespace

Document ReadPngFile(const std::string& path, const ImageProgress& progress) {
    FileHandle file = OpenPngFile(path);
    PngProblem problem;
    PngReadHandle handle(&problem);
    if (!handle.IsValid()) {
        throw HostError("'" + path + "': not enough memory to read the PNG file");
    }
    png_set_read_fn(handle.Png(), file.get(), ReadFromStream);
    png_set_sig_bytes(handle.Png(), kSignatureBytes);
    // Sizes are checked here, before libpng allocates its row buffers, so
    // that every oversized image gets the same message.
    png_set_user_limits(handle.Png(), PNG_UINT_31_MAX, PNG_UINT_31_MAX);
    if (!ReadHeaderGuarded(handle.Png(), handle.Info())) {
        throw ReadFailure(path, problem);
    }
    png_uint_32 width = png_get_image_width(handle.Png(), handle.Info());
    png_uint_32 height = png_get_image_height(handle.Png(), handle.Info());
    CheckDocumentSides(path, width, height);
    const uint64_t fileBitsPerPixel = uint64_t(png_get_bit_depth(handle.Png(), handle.Info())) *
                                      png_get_channels(handle.Png(), handle.Info());
    int passes = 1;
    if (!RequestRgbGuarded(handle.Png(), handle.Info(), passes)) {
        throw ReadFailure(path, problem);
    }

    bool hasAlpha = png_get_channels(handle.Png(), handle.Info()) == 4;
    if (passes == 1) {
        return ReadPlainRows(handle.Png(), handle.Info(), problem, path, width, height, hasAlpha,
                             progress);
    }
    // Every pass of an interlaced image touches every row band, so the whole
    // image is needed from the start: the compressed data must at least be
    // able to hold it first.
    CheckDataCanHoldImage(file.get(), path, width, height, fileBitsPerPixel);
    Document document = NewDocumentForFile(path, width, height, ColorModel::RGB, hasAlpha);
    if (png_get_rowbytes(handle.Png(), handle.Info()) != document.RowBytes()) {
        throw HostError("'" + path + "': unsupported PNG layout");
    }
    ReadInterlacedRows(handle.Png(), problem, path, passes, document, progress);
    return document;
}

void WritePngFile(const Document& document, const std::string& path,
                  const ImageProgress& progress) {
    if (document.model != ColorModel::RGB) {
        throw HostError("cannot save '" + path +
                        "': a CMYK document cannot be saved as PNG; use .pam or .tif instead");
    }
    CheckDocumentShape(document, path, "save");

    AtomicFile output(path);
    PngProblem problem;
    PngWriteHandle handle(&problem);
    if (!handle.IsValid()) {
        throw HostError("cannot write '" + path + "': not enough memory");
    }
    png_set_write_fn(handle.Png(), output.Stream(), WriteToStream, FlushStream);

    const int colorType = document.hasAlpha ? PNG_COLOR_TYPE_RGBA : PNG_COLOR_TYPE_RGB;
    if (!WriteHeaderGuarded(handle.Png(), handle.Info(), png_uint_32(document.width),
                            png_uint_32(document.height), colorType)) {
        throw WriteFailure(path, problem);
    }
    for (int row = 0; row < document.height; ++row) {
        if (!WriteRowGuarded(handle.Png(), document.Pixel(row, 0))) {
            throw WriteFailure(path, problem);
        }
        ReportImageProgress(progress, row + 1, document.height);
    }
    if (!WriteEndGuarded(handle.Png())) {
        throw WriteFailure(path, problem);
    }
    output.Commit();
}

}  // namespace oxhost
