// How far a reader or writer of image files has got, for a progress bar.
#pragma once

#include <cstdint>
#include <functional>

namespace oxhost {

// Called with `done` of `total` steps (rows; rows of every plane or pass
// where a format goes over the image more than once), never backwards, and
// with done == total once the image is complete. Called from inside the
// image libraries, so it must not throw. An empty function reports nothing.
using ImageProgress = std::function<void(int32_t done, int32_t total)>;

// Calls `progress` when it is set.
inline void ReportImageProgress(const ImageProgress& progress, int64_t done, int64_t total) {
    if (progress) {
        progress(int32_t(done), int32_t(total));
    }
}

}  // namespace oxhost
