// ICC profiles written to temporary files for the colour tests, removed again
// when their owner goes.
#pragma once

#include <string>

namespace oxtest {

class TemporaryFile {
public:
    TemporaryFile();  // an empty file with a unique name
    ~TemporaryFile();
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    const std::string& Path() const { return path_; }

private:
    std::string path_;
};

// A CMYK printer unlike the formula fallback: inks gain (ink^0.7 prints)
// and separations put only half the grey into K. Output class, v4, Lab
// connection space, AToB0 and BToA0 as lcms CLUTs.
void WriteTestCmykProfile(const std::string& path);

// lcms's sRGB profile, for a profile of the wrong colour space.
void WriteSrgbProfile(const std::string& path);

void WriteTextFile(const std::string& path, const std::string& text);

}  // namespace oxtest
