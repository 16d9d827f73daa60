// On Linux JPEG files go through libjpeg-turbo. libjpeg reports errors by
// calling a function that must not return; it long-jumps back into one of the
// small guarded calls below, which hold nothing that needs destroying, and
// the C++ code around them turns the failure into a HostError.
#include <algorithm>
#include <cerrno>
#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

// jpeglib.h needs size_t and FILE declared before it.
#include <jpeglib.h>
// After jpeglib.h, which it needs: the message codes.
#include <jerror.h>

#include "host/HostError.h"
#include "host/image/DocumentAllocation.h"
#include "host/image/ImageOrientation.h"
#include "host/image/JpegFile.h"

namespace oxhost {
namespace {

struct ErrorManager {
    jpeg_error_mgr base;
    std::jmp_buf jump;
    bool truncated = false;
    char message[JMSG_LENGTH_MAX] = {};
};

[[noreturn]] void JumpBack(j_common_ptr info) {
    ErrorManager* errors = reinterpret_cast<ErrorManager*>(info->err);
    (*info->err->format_message)(info, errors->message);
    std::longjmp(errors->jump, 1);
}

// libjpeg only warns when the data ends early, at the file's end or at a
// marker inside the image data, and fills the rest of the image with grey;
// a page with a grey bottom is not what the file promised (and a few bytes
// could promise gigabytes of it), so those warnings fail the read. Other
// warnings (stray bytes before a marker, common in files from cameras) are
// harmless and ignored.
void OnMessage(j_common_ptr info, int level) {
    if (level >= 0) {
        return;
    }
    if (info->err->msg_code == JWRN_JPEG_EOF) {
        reinterpret_cast<ErrorManager*>(info->err)->truncated = true;
        JumpBack(info);
    }
    if (info->err->msg_code == JWRN_HIT_MARKER) {
        JumpBack(info);
    }
}

ErrorManager& Errors(j_decompress_ptr info) {
    return *reinterpret_cast<ErrorManager*>(info->err);
}

// Each guarded call returns false when libjpeg failed; the error manager
// then says why.
bool GuardedReadHeader(j_decompress_ptr info) {
    if (setjmp(Errors(info).jump) != 0) {
        return false;
    }
    return jpeg_read_header(info, TRUE) == JPEG_HEADER_OK;
}

bool GuardedStart(j_decompress_ptr info) {
    if (setjmp(Errors(info).jump) != 0) {
        return false;
    }
    return jpeg_start_decompress(info) == TRUE;
}

bool GuardedReadRow(j_decompress_ptr info, JSAMPROW row) {
    if (setjmp(Errors(info).jump) != 0) {
        return false;
    }
    return jpeg_read_scanlines(info, &row, 1) == 1;
}

bool GuardedFinish(j_decompress_ptr info) {
    if (setjmp(Errors(info).jump) != 0) {
        return false;
    }
    return jpeg_finish_decompress(info) == TRUE;
}

// libjpeg's progress monitor, turned into a share of the whole decoding:
// its passes (one per scan of a progressive file, counted in advance and
// sometimes revised) are spread over a fixed scale, never going back.
constexpr int32_t kProgressSteps = 10000;

struct ProgressMonitor {
    jpeg_progress_mgr base;
    const ImageProgress* progress = nullptr;
    int32_t reported = 0;
};

void OnProgress(j_common_ptr info) {
    ProgressMonitor* monitor = reinterpret_cast<ProgressMonitor*>(info->progress);
    const jpeg_progress_mgr& state = monitor->base;
    if (state.total_passes <= 0 || state.pass_limit <= 0) {
        return;
    }
    const double passDone = std::min(1.0, double(state.pass_counter) / double(state.pass_limit));
    const double share = (double(state.completed_passes) + passDone) / double(state.total_passes);
    const int32_t done = int32_t(std::min(1.0, share) * (kProgressSteps - 1));
    if (done > monitor->reported) {
        monitor->reported = done;
        ReportImageProgress(*monitor->progress, done, kProgressSteps);
    }
}

struct FileCloser {
    void operator()(FILE* file) const { std::fclose(file); }
};

// Owns the decompressor and the file it reads.
class Decompressor {
public:
    Decompressor(FILE* file, const ImageProgress& progress) {
        info_.err = jpeg_std_error(&errors_.base);
        errors_.base.error_exit = JumpBack;
        errors_.base.emit_message = OnMessage;
        jpeg_create_decompress(&info_);
        jpeg_stdio_src(&info_, file);
        if (progress) {
            monitor_.base.progress_monitor = OnProgress;
            monitor_.progress = &progress;
            info_.progress = &monitor_.base;
        }
        // The EXIF block, for the orientation it may record.
        jpeg_save_markers(&info_, JPEG_APP0 + 1, 0xFFFF);
    }
    ~Decompressor() { jpeg_destroy_decompress(&info_); }
    Decompressor(const Decompressor&) = delete;
    Decompressor& operator=(const Decompressor&) = delete;

    j_decompress_ptr Get() { return &info_; }

    [[noreturn]] void ThrowFailure(const std::string& path) const {
        if (errors_.truncated) {
            throw HostError("'" + path + "': truncated JPEG file (the data ends before the image)");
        }
        throw HostError("'" + path + "': damaged JPEG file (" + errors_.message + ")");
    }

private:
    jpeg_decompress_struct info_{};
    ErrorManager errors_;
    ProgressMonitor monitor_{};
};

// The orientation of the first EXIF block that records one; 1 without.
int RecordedOrientation(const jpeg_decompress_struct& info) {
    for (jpeg_saved_marker_ptr marker = info.marker_list; marker != nullptr;
         marker = marker->next) {
        if (marker->marker == JPEG_APP0 + 1) {
            const int orientation = ExifOrientation(marker->data, marker->data_length);
            if (orientation != 1) {
                return orientation;
            }
        }
    }
    return 1;
}

// Grey becomes RGB; CMYK files without the Adobe marker store ink amounts
// (0 = no ink), the document 255 - ink.
void CopyRow(const JSAMPLE* source, const jpeg_decompress_struct& info, bool invertInk,
             uint8_t* target) {
    const size_t width = info.output_width;
    if (info.out_color_space == JCS_GRAYSCALE) {
        for (size_t column = 0; column < width; ++column, target += 3) {
            target[0] = target[1] = target[2] = source[column];
        }
        return;
    }
    const size_t bytes = width * size_t(info.output_components);
    if (!invertInk) {
        std::memcpy(target, source, bytes);
        return;
    }
    for (size_t index = 0; index < bytes; ++index) {
        target[index] = uint8_t(255 - source[index]);
    }
}

}  // namespace

bool JpegFilesSupported() {
    return true;
}

Document ReadJpegFile(const std::string& path, const ImageProgress& progress) {
    std::unique_ptr<FILE, FileCloser> file(std::fopen(path.c_str(), "rb"));
    if (!file) {
        throw HostError("cannot open '" + path + "': " + std::strerror(errno));
    }
    Decompressor decompressor(file.get(), progress);
    j_decompress_ptr info = decompressor.Get();
    if (!GuardedReadHeader(info)) {
        decompressor.ThrowFailure(path);
    }
    // Checked before libjpeg sizes its buffers for the image.
    CheckDocumentSides(path, info->image_width, info->image_height);
    // Read now: the saved markers go when the decompression finishes.
    const int orientation = RecordedOrientation(*info);
    const bool cmyk = info->jpeg_color_space == JCS_CMYK || info->jpeg_color_space == JCS_YCCK;
    if (cmyk) {
        info->out_color_space = JCS_CMYK;
    } else if (info->jpeg_color_space != JCS_GRAYSCALE) {
        info->out_color_space = JCS_RGB;
    }
    if (!GuardedStart(info)) {
        decompressor.ThrowFailure(path);
    }
    Document document = NewGrowingDocumentForFile(path, info->output_width, info->output_height,
                                                  cmyk ? ColorModel::CMYK : ColorModel::RGB, false);
    const bool invertInk = cmyk && !info->saw_Adobe_marker;
    std::vector<JSAMPLE> row(size_t(info->output_width) * size_t(info->output_components));
    for (int line = 0; line < document.height; ++line) {
        if (!GuardedReadRow(info, row.data())) {
            decompressor.ThrowFailure(path);
        }
        GrowDocumentToRows(document, line + 1, path);
        CopyRow(row.data(), *info, invertInk, document.Pixel(line, 0));
    }
    if (!GuardedFinish(info)) {
        decompressor.ThrowFailure(path);
    }
    OrientDocument(document, orientation, path);
    ReportImageProgress(progress, kProgressSteps, kProgressSteps);
    return document;
}

}  // namespace oxhost
