// Reading a stripped TIFF a whole strip at a time on every core, each thread
// through a libtiff handle of its own on the same open file.
#pragma once

#include <string>

#include "host/image/Document.h"
#include "host/image/ImageProgress.h"
#include "host/image/TiffHandle.h"
#include "host/image/TiffLayout.h"

namespace oxhost {

// Whether ReadStripsInParallel may read the image: strips, deflate
// compression, and compressed data in the file that, at deflate's best ratio,
// could hold every sample, so that allocating the whole document up front
// costs no more than the data could have made the sequential reader spend.
bool StripsCanBeReadInParallel(const TiffHandle& handle, const TiffLayout& layout);

// Decodes every strip into `document`, which has all its rows. Throws
// HostError naming `path` for damaged data. `progress` counts rows (of every
// plane when planes are separate) in order, on the calling thread.
void ReadStripsInParallel(const TiffHandle& handle, const TiffLayout& layout,
                          const std::string& path, Document& document,
                          const ImageProgress& progress);

}  // namespace oxhost
