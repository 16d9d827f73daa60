#include "ModuleFile.h"

#include "host/HostError.h"
#include "hostapi/PiplKeys.h"

namespace oxhost {

PiplProperties ReadFilterPipl(const std::string& path) {
    std::optional<std::vector<unsigned char>> bytes =
        ReadModuleResource(path, "PIPL", kPiplResourceId);
    if (!bytes) {
        throw HostError("'" + path + "' is not a filter plug-in: no PiPL resource " +
                        std::to_string(kPiplResourceId));
    }
    PiplProperties pipl = ParsePipl(bytes->data(), bytes->size(), path);
    if (pipl.kind != PIFilterKind) {
        throw HostError("'" + path + "' is not a filter plug-in: its PiPL kind is '" +
                        FourCharCodeText(pipl.kind) + "', not '8BFM'");
    }
    if (pipl.HostEntryPoint().empty()) {
        // Only a 64-bit Windows host can miss its entry while 'wx86' is there:
        // the module was built for 32 bits.
        const std::string which =
            pipl.entryPoint.empty() ? std::string() : " for a 64-bit host ('8664')";
        throw HostError("'" + path + "' is not a filter plug-in: its PiPL names no entry point" +
                        which);
    }
    return pipl;
}

}  // namespace oxhost
