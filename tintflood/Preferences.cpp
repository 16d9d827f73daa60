#include "Preferences.h"

#include <fstream>
#include <iterator>

#include "AtomicFile.h"
#include "PreferencesText.h"

namespace {

// A real preferences file is under 400 bytes; anything past this is not
// ours and is not read.
constexpr std::streamsize kMaxFileSize = 64 * 1024;

std::string PreferencesPath() {
    const std::string folder = PreferencesFolder();
    return folder.empty() ? std::string() : folder + kPreferencesFileName;
}

}  // namespace

void ReadPreferences(TintfloodSettings& settings) {
    const std::string path = PreferencesPath();
    if (path.empty()) {
        return;
    }
    std::ifstream file(path, std::ios::binary);
    if (!file.is_open()) {
        return;
    }
    std::string bytes(size_t(kMaxFileSize), '\0');
    file.read(&bytes[0], kMaxFileSize);
    if (file.bad()) {
        return;
    }
    bytes.resize(size_t(file.gcount()));
    ParsePreferences(bytes, settings);
}

void WritePreferences(const TintfloodSettings& settings) {
    const std::string path = PreferencesPath();
    if (path.empty()) {
        return;
    }
    ReplaceFileAtomically(path, FormatPreferences(settings));
}
