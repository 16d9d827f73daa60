// On Linux PNG files are read through libpng (PngWriteLinux.cpp writes them).
#include <png.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <new>

#include "host/HostError.h"
#include "host/image/AtomicFile.h"
#include "host/image/BandPipeline.h"
#include "host/image/DocumentAllocation.h"
#include "host/image/ImageProgress.h"
#include "host/image/LargeBuffer.h"
#include "host/image/PngFile.h"

namespace oxhost {
namespace {

constexpr size_t kSignatureBytes = 8;
// Rows pass from the decoding thread to the document in bands of about this
// size, through this many buffers.
constexpr size_t kDecodedBandBytes = 256 * 1024;
constexpr size_t kDecodedBandSlots = 4;

// What libpng reported before it jumped back to a guarded call. A fixed
// buffer, because the error callback must not throw.
struct PngProblem {
    char message[200] = "";
    int systemError = 0;  // errno of a failed read; 0 for a format error
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

// Takes all of the document's memory now, so that growing it row by row
// later copies nothing.
void ReserveWholeDocument(Document& document, const std::string& path) {
    try {
        ReserveLargeBuffer(document.pixels, document.RowBytes() * size_t(document.height));
    } catch (const std::bad_alloc&) {
        throw HostError("'" + path + "': not enough memory for a " +
                        std::to_string(document.width) + " x " + std::to_string(document.height) +
                        " image");
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

HostError ReadFailure(const std::string& path, const PngProblem& problem) {
    if (problem.systemError != 0) {
        return HostError("cannot read '" + path + "': " + std::strerror(problem.systemError));
    }
    return HostError("'" + path + "': damaged PNG file (" + problem.message + ")");
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

// A plain image in bands of rows: libpng decodes them on another thread
// while this one copies them into the document. Unless the data could hold
// the whole image (`wholeAtOnce`), the document grows as bands decode, so a
// header promising more rows than the data holds costs only what it holds.
Document ReadPlainRows(png_structp png, png_infop info, const PngProblem& problem,
                       const std::string& path, png_uint_32 width, png_uint_32 height,
                       bool hasAlpha, bool wholeAtOnce, const ImageProgress& progress) {
    Document document = NewGrowingDocumentForFile(path, width, height, ColorModel::RGB, hasAlpha);
    const size_t rowBytes = document.RowBytes();
    if (png_get_rowbytes(png, info) != rowBytes) {
        throw HostError("'" + path + "': unsupported PNG layout");
    }
    if (wholeAtOnce) {
        ReserveWholeDocument(document, path);
    }
    const int rowsPerBand =
        int(std::clamp<size_t>(kDecodedBandBytes / rowBytes, 1, size_t(document.height)));
    const size_t bandCount = size_t((document.height + rowsPerBand - 1) / rowsPerBand);
    auto rowsOf = [&](size_t band) {
        return std::min(rowsPerBand, document.height - int(band) * rowsPerBand);
    };
    RunBandPipeline(
        bandCount, kDecodedBandSlots, size_t(rowsPerBand) * rowBytes,
        [&](size_t band, uint8_t* buffer) {
            for (int row = 0; row < rowsOf(band); ++row) {
                if (!ReadRowGuarded(png, buffer + size_t(row) * rowBytes)) {
                    throw ReadFailure(path, problem);
                }
            }
        },
        [&](size_t band, const uint8_t* buffer) {
            const int top = int(band) * rowsPerBand;
            GrowDocumentToRows(document, top + rowsOf(band), path);
            std::memcpy(document.Pixel(top, 0), buffer, size_t(rowsOf(band)) * rowBytes);
            for (int row = top + 1; row <= top + rowsOf(band); ++row) {
                ReportImageProgress(progress, row, document.height);
            }
        });
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

// Whether the image data chunks, at deflate's best ratio (258 bytes from one
// 2-bit code, about 1032 to 1), could hold the filtered rows of the image.
// Walks the chunk headers only; leaves the file where it was. Sets
// `dataBytes` to the image data's size.
bool DataCanHoldImage(FILE* file, uint64_t width, uint64_t height, uint64_t bitsPerPixel,
                      uint64_t& dataBytes) {
    constexpr uint64_t kDeflateBestRatio = 1032;
    const long resume = std::ftell(file);
    dataBytes = 0;
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
    return dataBytes * kDeflateBestRatio >= imageBytes;
}

// Throws HostError unless DataCanHoldImage.
void CheckDataCanHoldImage(FILE* file, const std::string& path, uint64_t width, uint64_t height,
                           uint64_t bitsPerPixel) {
    uint64_t dataBytes = 0;
    if (!DataCanHoldImage(file, width, height, bitsPerPixel, dataBytes)) {
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
    // Every chunk's CRC is still checked, which finds damaged image data;
    // zlib's checksum over the inflated rows would only repeat that check,
    // at a good part of the decoding time.
    png_set_option(handle.Png(), PNG_IGNORE_ADLER32, PNG_OPTION_ON);
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
        // Growing a document copies it as it doubles; a file whose data could
        // hold the image gets all its memory at once instead.
        uint64_t dataBytes = 0;
        const bool wholeAtOnce =
            DataCanHoldImage(file.get(), width, height, fileBitsPerPixel, dataBytes);
        return ReadPlainRows(handle.Png(), handle.Info(), problem, path, width, height, hasAlpha,
                             wholeAtOnce, progress);
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

}  // namespace oxhost
