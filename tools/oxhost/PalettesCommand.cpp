// oxhost palettes: the swatch files Tintflood offers, and where they are;
// with --add, puts one more there.
#include <cstdio>
#include <filesystem>
#include <system_error>

#include "Commands.h"
#include "RunChecks.h"
#include "SwatchFolder.h"
#include "host/HostError.h"

namespace oxhost {
namespace {

// Copies the swatch file into the folder under its own name. Refused: a
// file Tintflood would get no colour from (so a wrong file is caught now,
// not as random colours later), a name Tintflood would not offer, and a
// name already in the folder, which is left as it is.
void AddSwatchFile(const std::string& file, const std::string& folder) {
    namespace fs = std::filesystem;
    const std::string problem = SwatchFileProblem(file);
    if (!problem.empty()) {
        throw HostError("cannot add '" + file + "': " + problem);
    }
    const std::string name = fs::path(file).filename().string();
    if (!IsSwatchFileName(name)) {
        throw HostError("cannot add '" + file +
                        "': Tintflood offers only names that contain '.aco'");
    }
    std::error_code error;
    fs::create_directories(folder, error);
    if (error) {
        throw HostError("cannot make the swatch folder '" + folder + "': " + error.message());
    }
    const fs::path target = fs::path(folder) / name;
    if (fs::exists(fs::symlink_status(target, error))) {
        throw HostError("cannot add '" + file + "': '" + target.string() +
                        "' is already there; remove it first to replace it");
    }
    fs::copy_file(file, target, error);
    if (error) {
        throw HostError("cannot copy '" + file + "' to '" + target.string() +
                        "': " + error.message());
    }
    std::printf("Added %s\n", target.string().c_str());
}

}  // namespace

int PalettesCommand(const Options& options) {
    if (!options.arguments.empty()) {
        throw UsageError("palettes takes no arguments");
    }
    const std::string folder = SwatchFolder();
    if (!options.addSwatchFile.empty()) {
        AddSwatchFile(options.addSwatchFile, folder);
        return kExitDone;
    }
    const std::vector<std::string> names = ListSwatchFiles(folder);
    std::printf("Swatch folder: %s\n", folder.c_str());
    if (names.empty()) {
        std::printf("(no swatch files: Tintflood makes its fill colours at random)\n");
    }
    for (const std::string& name : names) {
        std::printf("%s\n", name.c_str());
    }
    return kExitDone;
}

}  // namespace oxhost
