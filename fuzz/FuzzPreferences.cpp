// The preferences file may be damaged or edited by hand: reading any bytes
// must give settings that write back out and read again unchanged.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "PreferencesText.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    TintfloodSettings settings;
    ParsePreferences(std::string(reinterpret_cast<const char*>(data), size), settings);
    const std::string written = FormatPreferences(settings);
    TintfloodSettings reread;
    ParsePreferences(written, reread);
    if (FormatPreferences(reread) != written) {
        std::abort();  // what we write must be what we read back
    }
    return 0;
}
