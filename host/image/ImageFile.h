// Loading and saving documents, whatever the file format.
#pragma once

#include <string>

#include "host/image/Document.h"
#include "host/image/ImageProgress.h"

namespace oxhost {

// Reads a PNG, PAM, BMP, TIFF, JPEG or WebP file, recognised by its first
// bytes whatever its name (TIFF, JPEG and WebP only where the build has them,
// see TiffFilesSupported, JpegFilesSupported and WebpFilesSupported; elsewhere
// they are refused with a message saying so). Throws HostError when the file
// cannot be opened, is of another format, is damaged, or has a side of zero
// or over kMaxDocumentSide. `progress` hears how far the reading has got.
Document LoadImageFile(const std::string& path, const ImageProgress& progress = {});

// What a file holds beyond the document LoadImageFile makes of it: a
// document is one image of 8 bits per sample, so further pages (of a TIFF,
// the frames of an animated PNG or WebP, the images of a PAM file that holds
// several) and deeper samples are lost on the way.
struct ImageFileContent {
    int pages = 1;          // images in the file
    int bitsPerSample = 8;  // of the image that is read
};

// Looks at the file without reading its pixels. A file it cannot make out
// counts as one 8-bit image; loading it says what is wrong.
ImageFileContent InspectImageFile(const std::string& path);

// Writes `document` in the format named by the extension of `path` (.png,
// .pam, .tif, .tiff, any case), replacing the file atomically, so `path` may be the
// file the document was loaded from. Throws HostError, leaving any existing
// file untouched, when the extension is not supported, the document cannot
// be held by the format (CMYK as PNG) or the file cannot be written.
// `progress` hears how far the writing has got.
void SaveImageFile(const Document& document, const std::string& path,
                   const ImageProgress& progress = {});

// Throws HostError, naming `path` and the formats that would do, when the
// format its extension names cannot hold a document of `model` (CMYK as PNG).
void CheckOutputCanHold(ColorModel model, const std::string& path);

// Whether SaveImageFile accepts the extension of `path`.
bool IsSupportedOutputPath(const std::string& path);

// The extensions SaveImageFile accepts, and those of them that hold CMYK, for
// messages: ".png, .pam, .tif or .tiff" and ".pam, .tif or .tiff" (without
// the TIFF ones where the build has no TIFF).
std::string SupportedOutputExtensions();
std::string CmykOutputExtensions();

}  // namespace oxhost
