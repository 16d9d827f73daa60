// Writes the swatch palettes that ship with the host into the folder given
// on the command line (the build passes "Presets/Color Swatches" beside the
// oxhost program, where Tintflood looks for them).
//
// A palette file is version 1 of the colour swatch format, all big-endian:
// version (1), count, then per colour a space code and four components
// (RGB 0, HSB 1, CMYK 2, Lab 7, Grayscale 8). Every colour here is light
// enough to be usable as a fill colour, and none lies within 40 of white in
// every channel, so the palettes work with the default fill colour.
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

enum SwatchSpace : uint16_t { kRgb = 0, kHsb = 1, kCmyk = 2, kLab = 7, kGrayscale = 8 };

struct Swatch {
    uint16_t space;
    uint16_t w, x, y, z;
};

struct Palette {
    const char* fileName;
    std::vector<Swatch> swatches;
};

// 8-bit RGB, each byte b stored as b * 257.
Swatch Rgb(int red, int green, int blue) {
    return Swatch{kRgb, uint16_t(red * 257), uint16_t(green * 257), uint16_t(blue * 257), 0};
}

// Hue in degrees (stored x 182), saturation and brightness in percent.
Swatch Hsb(int hue, int saturation, int brightness) {
    return Swatch{kHsb, uint16_t(hue * 182), uint16_t(saturation * 65535 / 100),
                  uint16_t(brightness * 65535 / 100), 0};
}

// Ink coverage in percent; the file stores 65535 for no ink.
Swatch Cmyk(int cyan, int magenta, int yellow, int black) {
    auto stored = [](int percent) { return uint16_t(65535 - percent * 65535 / 100); };
    return Swatch{kCmyk, stored(cyan), stored(magenta), stored(yellow), stored(black)};
}

// L* 0..100 (stored x 100); a* and b* stored x 100 as signed values.
Swatch Lab(int lightness, int a, int b) {
    return Swatch{kLab, uint16_t(lightness * 100), uint16_t(int16_t(a * 100)),
                  uint16_t(int16_t(b * 100)), 0};
}

// Brightness in percent of white (stored 0..10000).
Swatch Grayscale(int percent) {
    return Swatch{kGrayscale, uint16_t(percent * 100), 0, 0, 0};
}

std::vector<Palette> Palettes() {
    return {
        {"Light Flats.aco",
         {Rgb(255, 204, 153), Rgb(255, 236, 139), Rgb(204, 255, 153), Rgb(153, 230, 204),
          Rgb(153, 204, 255), Rgb(191, 170, 255), Rgb(255, 170, 204), Rgb(255, 179, 128),
          Rgb(170, 221, 136), Rgb(136, 204, 221), Rgb(221, 187, 153), Rgb(187, 187, 238)}},
        {"Comic Pastels.aco",
         {Rgb(255, 214, 165), Rgb(253, 255, 182), Rgb(202, 255, 191), Rgb(155, 246, 255),
          Rgb(160, 196, 255), Rgb(189, 178, 255), Rgb(255, 198, 255), Rgb(255, 173, 173)}},
        {"Mixed Spaces.aco",
         {Rgb(255, 204, 153), Hsb(200, 40, 100), Cmyk(0, 30, 0, 0), Lab(85, 20, -15), Grayscale(80),
          Hsb(90, 35, 95), Cmyk(25, 0, 35, 0), Lab(80, -20, 25)}},
    };
}

void PutBigEndian(std::string& bytes, uint16_t value) {
    bytes += char(value >> 8);
    bytes += char(value & 0xFF);
}

std::string FileBytes(const Palette& palette) {
    std::string bytes;
    PutBigEndian(bytes, 1);
    PutBigEndian(bytes, uint16_t(palette.swatches.size()));
    for (const Swatch& swatch : palette.swatches) {
        for (uint16_t value : {swatch.space, swatch.w, swatch.x, swatch.y, swatch.z}) {
            PutBigEndian(bytes, value);
        }
    }
    return bytes;
}

bool WriteFile(const std::filesystem::path& path, const std::string& bytes) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(bytes.data(), std::streamsize(bytes.size()));
    file.close();
    return bool(file);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_swatches FOLDER\n");
        return 2;
    }
    const std::filesystem::path folder = argv[1];
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (error) {
        std::fprintf(stderr, "make_swatches: cannot create '%s': %s\n", argv[1],
                     error.message().c_str());
        return 1;
    }
    for (const Palette& palette : Palettes()) {
        const std::filesystem::path path = folder / palette.fileName;
        if (!WriteFile(path, FileBytes(palette))) {
            std::fprintf(stderr, "make_swatches: cannot write '%s'\n", path.c_str());
            return 1;
        }
    }
    return 0;
}
