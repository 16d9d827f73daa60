// The pages of `oxhost flat`: the input files (folders stand for the image
// files in them) and the files written for each.
#pragma once

#include <string>
#include <vector>

#include "FlatOptions.h"

namespace oxhost {

struct FlatPage {
    std::string input;
    std::string name;           // the input's file name without its extension, for messages
    std::string flatsPath;      // NAME-flats.png (or .tif, or the -o file)
    std::string compositePath;  // NAME-composite.png, "" unless --composite
    std::string layersPath;     // NAME.psd, "" unless --layers
};

// In the order given; a folder's images (.png .tif .tiff .jpg .jpeg .pam .bmp
// .webp, any case) sorted by name, leaving out what this command writes
// (names ending in -flats or -composite). Throws UsageError for inputs that
// do not exist, -o with several pages, two pages writing the same file, and a
// page that would write over an input.
std::vector<FlatPage> ListFlatPages(const std::vector<std::string>& inputs,
                                    const FlatChoices& choices);

}  // namespace oxhost
