#include "DialogHost.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "DialogSuites.h"
#include "FilterSelectors.h"
#include "HostFolder.h"
#include "PluginGlobals.h"
#include "Preferences.h"
#include "TintfloodDialog.h"
#include "host/color/ColorServicesHost.h"
#include "host/dialog/ToolkitSuites.h"
#include "host/dialog/WebBrowser.h"
#include "host/run/HostHandles.h"
#include "host/run/SuiteRegistry.h"
#include "host/scripting/ScriptingSession.h"

extern "C" void PluginMain(int16_t selector, void* block, intptr_t* data, int16_t* result);

namespace tintflooddialog {
namespace {

std::string SwatchFolderOfThisProgram() {
    return HostFolder() + "Presets/Color Swatches/";
}

oxhost::Document SmallDocument() {
    oxhost::Document document;
    document.width = 3;
    document.height = 2;
    document.pixels.assign(size_t(3 * 2 * 3), 255);
    return document;
}

}  // namespace

std::vector<std::string>& BrowsedAddresses() {
    static std::vector<std::string> addresses;
    return addresses;
}

void SetSwatchFiles(const std::vector<std::string>& names) {
    const std::string folder = SwatchFolderOfThisProgram();
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    for (const std::string& name : names) {
        std::ofstream(folder + name, std::ios::binary) << "";
    }
}

void DialogHostTest::SetUp() {
    // Never the user's own preferences.
    ASSERT_FALSE(preferences.Path().empty());
    setenv("XDG_CONFIG_HOME", preferences.Path().c_str(), 1);
    SetSwatchFiles({});
    BrowsedAddresses().clear();
    oxhost::RegisterDialogToolkitSuites();
    oxhost::SetWebBrowser([](const std::string& address) {
        BrowsedAddresses().push_back(address);
        return kSPNoError;
    });
}

void DialogHostTest::TearDown() {
    oxhost::DialogToolkit::Instance().SetFace(nullptr);
    oxhost::SetWebBrowser(nullptr);
    // Back to what the host offers from its start, whatever the test took away.
    oxhost::RegisterDialogToolkitSuites();
    oxhost::HostHandles::Instance().Dispose(parameters);
    parameters = nullptr;
    std::filesystem::remove_all(HostFolder() + "Presets");
    EXPECT_EQ(oxhost::DialogToolkit::Instance().LiveDialogCount(), 0u);
    EXPECT_EQ(oxhost::DialogToolkit::Instance().LiveItemCount(), 0u);
    EXPECT_EQ(oxhost::SuiteRegistry::Instance().OutstandingAcquisitions(), 0);
}

ParametersOutcome DialogHostTest::RunParameters(const ParametersRun& run) {
    oxhost::ScriptedFace face(run.steps);
    oxhost::DialogToolkit::Instance().SetFace(&face);
    oxhost::ColorServicesHost colorServices{oxhost::ColorConverter(),
                                            oxhost::ColorPickerScript(run.picks)};
    oxhost::Document document = SmallDocument();
    oxhost::RunOptions options;
    options.parameters = &parameters;
    options.colorServices = [&colorServices](ColorServicesInfo* info) {
        return colorServices.Serve(info);
    };
    std::optional<oxhost::ScriptingSession> scripting;
    if (run.playInfo) {
        scripting.emplace(*run.playInfo, run.replayed);
        scripting->Attach(options);
    }
    options.callParameters = run.thenStart;
    ParametersOutcome outcome;
    {
        oxhost::FilterRun filterRun(PluginMain, document, options);
        if (run.thenStart) {
            outcome.result = filterRun.Run().result;
        } else {
            outcome.result = filterRun.Call(filterSelectorParameters);
            if (outcome.result == 0) {
                filterRun.Call(filterSelectorFinish);
            }
        }
    }
    oxhost::DialogToolkit::Instance().SetFace(nullptr);
    outcome.dialogsShown = face.DialogsRun();
    outcome.faceProblems = face.Problems();
    if (parameters != nullptr) {
        const int32_t size = oxhost::HostHandles::Instance().Size(parameters);
        outcome.block.assign(*parameters, *parameters + size);
    }
    const uint8_t* pixel = document.Pixel(0, 0);
    outcome.firstPixel.assign(pixel, pixel + 3);
    return outcome;
}

bool DialogHostTest::RunDialog(TintfloodSettings& record,
                               const std::vector<std::string>& paletteNames,
                               std::vector<oxhost::DialogStep> steps) {
    basicSuite = oxhost::SuiteRegistry::Instance().BasicSuite();
    const DialogSuitesLease suites;
    EXPECT_TRUE(suites.Acquired());
    oxhost::ScriptedFace face(std::move(steps));
    oxhost::DialogToolkit::Instance().SetFace(&face);
    CTintfloodDialog dialog(nullptr);
    dialog.SetSettings(&record);
    dialog.paletteNames = paletteNames;
    const bool ok = dialog.Run();
    oxhost::DialogToolkit::Instance().SetFace(nullptr);
    lastProblems = face.Problems();
    EXPECT_EQ(dialog.Dialog(), nullptr);
    return ok;
}

bool DialogHostTest::PreferencesWritten() const {
    return std::filesystem::exists(PreferencesFolder() + kPreferencesFileName);
}

}  // namespace tintflooddialog
