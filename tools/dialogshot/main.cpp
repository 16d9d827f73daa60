// dialogshot PLUGIN OUTPUT.png: shows the plug-in's options dialog in the
// interactive face, writes a picture of its window, then cancels it. Needs
// an X display (run it under xvfb-run); the CMake target
// options_dialog_screenshot regenerates the README's picture with it.
#include <stdlib.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "FilterSelectors.h"
#include "host/HostError.h"
#include "host/dialog/DialogToolkit.h"
#include "host/dialog/FltkFace.h"
#include "host/dialog/PluginReference.h"
#include "host/dialog/ToolkitSuites.h"
#include "host/image/ImageFile.h"
#include "host/module/PluginModule.h"
#include "host/run/FilterRun.h"
#include "host/run/HostHandles.h"

namespace {

// A fresh preferences folder, so the dialog shows the defaults.
class ScratchPreferences {
public:
    ScratchPreferences() {
        std::string pattern = (std::filesystem::temp_directory_path() / "dialogshot-XXXXXX");
        if (mkdtemp(pattern.data()) == nullptr) {
            throw oxhost::HostError("cannot make a scratch preferences folder");
        }
        path = pattern;
        setenv("XDG_CONFIG_HOME", path.c_str(), 1);
    }
    ~ScratchPreferences() {
        std::error_code ignored;
        std::filesystem::remove_all(path, ignored);
    }
    ScratchPreferences(const ScratchPreferences&) = delete;
    ScratchPreferences& operator=(const ScratchPreferences&) = delete;

private:
    std::string path;
};

oxhost::Document Shoot(const std::string& modulePath) {
    const ScratchPreferences preferences;
    oxhost::RegisterDialogToolkitSuites();
    if (!oxhost::FltkFace::DisplayAvailable()) {
        throw oxhost::HostError("no X display: run under xvfb-run");
    }
    const auto module = oxhost::PluginModule::Open(modulePath);
    const oxhost::PluginReference access(*module);
    oxhost::FltkFace face;
    face.SetCapture(true);
    setenv(oxhost::FltkFace::kAutoPressVariable, "2:300", 1);  // Cancel once drawn
    oxhost::DialogToolkit::Instance().SetFace(&face);
    oxhost::Document document;
    document.width = 2;
    document.height = 2;
    document.pixels.assign(12, 255);
    Handle parameters = nullptr;
    oxhost::RunOptions options;
    options.parameters = &parameters;
    options.plugInRef = access.Get();
    {
        oxhost::FilterRun run(module->Entry(), document, options);
        run.Call(filterSelectorParameters);
    }
    oxhost::DialogToolkit::Instance().SetFace(nullptr);
    oxhost::HostHandles::Instance().Dispose(parameters);
    if (face.DialogsRun() != 1 || face.LastShown().picture.pixels.empty()) {
        throw oxhost::HostError("the plug-in showed no dialog to take a picture of");
    }
    return face.LastShown().picture;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: dialogshot PLUGIN OUTPUT.png\n");
        return 2;
    }
    try {
        oxhost::SaveImageFile(Shoot(argv[1]), argv[2]);
    } catch (const oxhost::HostError& error) {
        std::fprintf(stderr, "dialogshot: %s\n", error.what());
        return 1;
    }
    return 0;
}
