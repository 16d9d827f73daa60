// An open libtiff handle that keeps libtiff's messages instead of printing them.
#pragma once

#include <tiffio.h>

#include <cstdarg>
#include <string>

namespace oxhost {

class TiffHandle {
public:
    TiffHandle() = default;
    ~TiffHandle();
    TiffHandle(const TiffHandle&) = delete;
    TiffHandle& operator=(const TiffHandle&) = delete;

    // Opens a TIFF on an open file descriptor with a libtiff mode ("r", "w",
    // "w8"); `name` only appears in libtiff's messages. On success the handle
    // owns the descriptor; on failure it returns false and the caller still
    // owns it.
    bool Open(int descriptor, const std::string& name, const char* mode);

    // Writes what is pending and closes the handle and its descriptor; false
    // when libtiff reported an error.
    bool Close();

    TIFF* Get() const { return tiff_; }

    // The first error libtiff reported on this handle, or a placeholder.
    std::string FirstError() const;

    // Whether libtiff warned that a strip's data ended in the middle of a
    // row. Its fax decoders only warn and make the missing rows white, so a
    // few bytes could stand for a page of any size; the warning then also
    // counts as the first error.
    bool DataEndedEarly() const { return dataEndedEarly_; }

private:
    static int KeepFirstError(TIFF*, void* handle, const char* module, const char* format,
                              va_list arguments);
    static int NoteDataEndedEarly(TIFF*, void* handle, const char* module, const char* format,
                                  va_list arguments);

    TIFF* tiff_ = nullptr;
    // Fixed size: the callback is called from C and must not throw.
    char firstError_[256] = "";
    bool dataEndedEarly_ = false;
};

}  // namespace oxhost
