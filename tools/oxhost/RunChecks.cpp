#include "RunChecks.h"

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <system_error>

#include "Preferences.h"
#include "TintfloodDescriptor.h"
#include "host/HostError.h"
#include "host/image/AtomicFile.h"
#include "host/image/ImageFile.h"

namespace oxhost {
namespace {

// Whether the two names lead to one file (links followed); false when either
// does not exist.
bool SameFile(const std::string& first, const std::string& second) {
    std::error_code error;
    return std::filesystem::equivalent(first, second, error) && !error;
}

uint16_t BigEndian16(const unsigned char* bytes) {
    return uint16_t(bytes[0] << 8 | bytes[1]);
}

// The filter's colour-services spaces: RGB, HSB, CMYK, Lab and grey.
bool IsConvertedSpace(uint16_t space) {
    return space == 0 || space == 1 || space == 2 || space == 7 || space == 8;
}

// The last entry of the key and kind: the one the filter keeps.
const DescriptorEntry* LastEntry(const Descriptor& settings, DescriptorKeyID key,
                                 DescriptorKind kind) {
    const DescriptorEntry* found = nullptr;
    for (const DescriptorEntry& entry : settings.entries) {
        if (entry.key == key && entry.kind == kind) {
            found = &entry;
        }
    }
    return found;
}

}  // namespace

// Why the swatch file gives the filter no colour, read by the filter's rule
// (version 1, a count, then entries of a space code and four components);
// "" when it gives at least one.
std::string SwatchFileProblem(const std::string& path) {
    std::error_code error;
    if (std::filesystem::is_directory(path, error)) {
        return "it is a folder";
    }
    if (!std::filesystem::exists(path, error)) {
        return "there is no such file";
    }
    std::ifstream file(path, std::ios::binary);
    unsigned char header[4];
    if (!file.read(reinterpret_cast<char*>(header), sizeof header)) {
        return file.gcount() == 0 ? "the file is empty" : "the file is too short";
    }
    const uint16_t version = BigEndian16(header);
    if (version != 1) {
        return "it is a version " + std::to_string(version) +
               " swatch file, and Tintflood reads version 1";
    }
    const uint16_t count = BigEndian16(header + 2);
    int complete = 0;
    int converted = 0;
    unsigned char entry[10];
    for (int index = 0; index < count && file.read(reinterpret_cast<char*>(entry), sizeof entry);
         ++index) {
        ++complete;
        converted += IsConvertedSpace(BigEndian16(entry)) ? 1 : 0;
    }
    if (complete == 0) {
        return "it holds no colour";
    }
    if (converted == 0) {
        return "none of its colours is RGB, HSB, CMYK, Lab or grey";
    }
    return std::string();
}

std::vector<std::string> CheckPaletteUsed(const Descriptor& settings,
                                          const std::string& swatchFolder) {
    const DescriptorEntry* random =
        LastEntry(settings, tintfloodkeys::kRandomColors, DescriptorKind::Boolean);
    const DescriptorEntry* palette =
        LastEntry(settings, tintfloodkeys::kPalette, DescriptorKind::Text);
    if ((random != nullptr && random->integer != 0) || palette == nullptr ||
        palette->bytes.empty()) {
        return {};
    }
    const std::string problem = SwatchFileProblem(swatchFolder + palette->bytes);
    if (problem.empty()) {
        return {};
    }
    return {"the palette '" + palette->bytes + "' in " + swatchFolder + " gives no colour (" +
            problem + "); the areas got random colours"};
}

std::vector<std::string> CheckPreferencesSavable() {
    // The plug-in's own rule for the folder, so that the file checked is the
    // one it writes.
    const std::string folder = PreferencesFolder();
    if (folder.empty()) {
        return {
            "Tintflood has no folder for its preferences (see --help), so what the dialog "
            "confirms is not remembered"};
    }
    try {
        CheckReplaceable(folder + kPreferencesFileName);
    } catch (const HostError& error) {
        return {std::string("Tintflood cannot save its preferences: ") + error.what()};
    }
    return {};
}

std::vector<std::string> CheckInputKept(const std::string& input, const std::string& output) {
    const ImageFileContent content = InspectImageFile(input);
    std::vector<std::string> losses;
    if (content.pages > 1) {
        losses.push_back("holds " + std::to_string(content.pages) +
                         " images and only the first is filtered and written");
    }
    if (content.bitsPerSample > 8) {
        losses.push_back("has " + std::to_string(content.bitsPerSample) +
                         "-bit samples and the result has 8");
    }
    if (!losses.empty() && SameFile(input, output)) {
        throw HostError("will not write over '" + input + "': it " + losses.front() +
                        "; name another output file");
    }
    for (std::string& loss : losses) {
        loss = "'" + input + "' " + loss;
    }
    return losses;
}

void PrintWarnings(const std::vector<std::string>& warnings) {
    for (const std::string& warning : warnings) {
        std::fprintf(stderr, "oxhost: warning: %s\n", warning.c_str());
    }
}

}  // namespace oxhost
