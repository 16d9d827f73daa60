// On Linux PNG files go through libpng.
#include <png.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

#include "host/HostError.h"
#include "host/image/AtomicFile.h"
#include "host/image/DocumentAllocation.h"
#include "host/image/PngFile.h"

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
bool RequestRgbGuarded(png_structp png, png_infop info) {
    if (setjmp(png_jmpbuf(png))) {
        return false;
    }
    png_set_expand(png);  // palette to RGB, grey to 8 bits, tRNS to alpha
    png_set_scale_16(png);
    png_set_gray_to_rgb(png);
    png_set_interlace_handling(png);
    png_read_update_info(png, info);
    return true;
}

bool ReadRowsGuarded(png_structp png, png_bytepp rows) {
    if (setjmp(png_jmpbuf(png))) {
        return false;
    }
    png_read_image(png, rows);
    return true;
}

bool WriteImageGuarded(png_structp png, png_infop info, png_uint_32 width, png_uint_32 height,
                       int colorType, png_bytepp rows) {
    if (setjmp(png_jmpbuf(png))) {
        return false;
    }
    png_set_IHDR(png, info, width, height, 8, colorType, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    png_write_image(png, rows);
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

}  // namespace

Document ReadPngFile(const std::string& path) {
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
    if (!RequestRgbGuarded(handle.Png(), handle.Info())) {
        throw ReadFailure(path, problem);
    }

    bool hasAlpha = png_get_channels(handle.Png(), handle.Info()) == 4;
    Document document = NewDocumentForFile(path, width, height, ColorModel::RGB, hasAlpha);
    if (png_get_rowbytes(handle.Png(), handle.Info()) != document.RowBytes()) {
        throw HostError("'" + path + "': unsupported PNG layout");
    }

    std::vector<png_bytep> rows(document.height);
    for (int row = 0; row < document.height; ++row) {
        rows[row] = document.Pixel(row, 0);
    }
    if (!ReadRowsGuarded(handle.Png(), rows.data())) {
        throw ReadFailure(path, problem);
    }
    return document;
}

void WritePngFile(const Document& document, const std::string& path) {
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

    // libpng takes non-const row pointers but only reads them when writing.
    std::vector<png_bytep> rows(document.height);
    for (int row = 0; row < document.height; ++row) {
        rows[row] = const_cast<png_bytep>(document.Pixel(row, 0));
    }
    int colorType = document.hasAlpha ? PNG_COLOR_TYPE_RGBA : PNG_COLOR_TYPE_RGB;
    if (!WriteImageGuarded(handle.Png(), handle.Info(), png_uint_32(document.width),
                           png_uint_32(document.height), colorType, rows.data())) {
        throw WriteFailure(path, problem);
    }
    output.Commit();
}

}  // namespace oxhost
