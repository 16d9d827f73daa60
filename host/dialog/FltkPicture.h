// The picture of a picture button: a BITMAP resource of the plug-in's module
// (24 bits per pixel, as a device-independent bitmap without file header),
// held as an FLTK image.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

class Fl_RGB_Image;

namespace oxhost {

class FltkPicture {
public:
    // Reads bitmap `resourceId` of the module behind `plugin` (a reference
    // from PluginAccessTable); an empty picture when there is none or it is
    // of a kind this host does not show.
    FltkPicture(void* plugin, int32_t resourceId);
    ~FltkPicture();
    FltkPicture(const FltkPicture&) = delete;
    FltkPicture& operator=(const FltkPicture&) = delete;

    // Null for an empty picture; valid as long as this object.
    const Fl_RGB_Image* Image() const { return image.get(); }

private:
    std::vector<unsigned char> pixels;  // RGB, top row first; the image points here
    std::unique_ptr<Fl_RGB_Image> image;
};

// The RGB pixels (top row first) of a 24-bit uncompressed device-independent
// bitmap; false for anything else.
bool DecodeBitmap24(const std::vector<unsigned char>& bytes, std::vector<unsigned char>& rgb,
                    int& width, int& height);

}  // namespace oxhost
