#include "host/image/TiffHandle.h"

#include <cstdio>
#include <cstring>
#include <memory>
#include <mutex>

namespace oxhost {
namespace {

// Messages libtiff reports without a handle go to the process-wide handlers,
// which print to stderr unless replaced.
void SilenceProcessWideHandlers() {
    static std::once_flag silenced;
    std::call_once(silenced, [] {
        TIFFSetErrorHandler(nullptr);
        TIFFSetWarningHandler(nullptr);
    });
}

struct OpenOptionsFree {
    void operator()(TIFFOpenOptions* options) const { TIFFOpenOptionsFree(options); }
};

}  // namespace

TiffHandle::~TiffHandle() {
    if (tiff_ != nullptr) {
        TIFFClose(tiff_);
    }
}

bool TiffHandle::Open(int descriptor, const std::string& name, const char* mode) {
    SilenceProcessWideHandlers();
    std::unique_ptr<TIFFOpenOptions, OpenOptionsFree> options(TIFFOpenOptionsAlloc());
    if (!options) {
        std::snprintf(firstError_, sizeof firstError_, "not enough memory");
        return false;
    }
    TIFFOpenOptionsSetErrorHandlerExtR(options.get(), KeepFirstError, this);
    TIFFOpenOptionsSetWarningHandlerExtR(options.get(), NoteDataEndedEarly, this);
    tiff_ = TIFFFdOpenExt(descriptor, name.c_str(), mode, options.get());
    return tiff_ != nullptr;
}

bool TiffHandle::Close() {
    bool flushed = TIFFFlush(tiff_) == 1;
    TIFFClose(tiff_);
    tiff_ = nullptr;
    return flushed;
}

std::string TiffHandle::FirstError() const {
    return firstError_[0] != '\0' ? firstError_ : "libtiff reported no reason";
}

int TiffHandle::KeepFirstError(TIFF*, void* handle, const char*, const char* format,
                               va_list arguments) {
    auto* self = static_cast<TiffHandle*>(handle);
    if (self->firstError_[0] == '\0') {
        std::vsnprintf(self->firstError_, sizeof self->firstError_, format, arguments);
    }
    return 1;
}

// libtiff's fax decoders word it "Premature EOF at line N of strip M".
int TiffHandle::NoteDataEndedEarly(TIFF*, void* handle, const char*, const char* format,
                                   va_list arguments) {
    auto* self = static_cast<TiffHandle*>(handle);
    char message[sizeof self->firstError_];
    std::vsnprintf(message, sizeof message, format, arguments);
    if (std::strstr(message, "Premature EOF") != nullptr) {
        self->dataEndedEarly_ = true;
        if (self->firstError_[0] == '\0') {
            std::memcpy(self->firstError_, message, sizeof message);
        }
    }
    return 1;
}

}  // namespace oxhost
