// Tintflood's options dialog in a real FLTK window on a private X server,
// driven by the interactive face's autopress hook instead of a mouse.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "../support/XvfbServer.h"
#include "FilterSelectors.h"
#include "HostFolder.h"
#include "ParameterBlock.h"
#include "host/color/ColorServicesHost.h"
#include "host/dialog/DialogToolkit.h"
#include "host/dialog/FltkFace.h"
#include "host/dialog/PluginAccessTable.h"
#include "host/dialog/ToolkitSuites.h"
#include "host/dialog/WebBrowser.h"
#include "host/run/FilterRun.h"
#include "host/run/HostHandles.h"
#include "support/ScratchFolder.h"

extern "C" void PluginMain(int16_t selector, void* block, intptr_t* data, int16_t* result);

namespace dialogfltk {

using oxtest::XvfbServer;
namespace {

// One server for the whole program: FLTK keeps its display connection open.
std::unique_ptr<XvfbServer>& Server() {
    static std::unique_ptr<XvfbServer> server;
    return server;
}

class XvfbEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        if (XvfbServer::Installed()) {
            Server() = std::make_unique<XvfbServer>();
            if (Server()->Running()) {
                setenv("DISPLAY", Server()->Display().c_str(), 1);
            }
        }
    }
    void TearDown() override { Server().reset(); }
};

const ::testing::Environment* const kXvfb =
    ::testing::AddGlobalTestEnvironment(new XvfbEnvironment);

uint16_t Word(const std::vector<uint8_t>& block, size_t offset) {
    return uint16_t(block.at(offset) | (block.at(offset + 1) << 8));
}

uint32_t Long(const std::vector<uint8_t>& block, size_t offset) {
    return uint32_t(Word(block, offset)) | (uint32_t(Word(block, offset + 2)) << 16);
}

// Ids the toolkit gives the controls made with id 0, in creation order.
constexpr int32_t kFillSwatchId = 1000;
constexpr int32_t kFlagSwatchId = 1001;
constexpr int32_t kFlagCheckId = 1017;

struct Outcome {
    int16_t result = 0;
    std::vector<uint8_t> block;
    std::vector<oxhost::PickRequest> picks;
};

class FltkDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!XvfbServer::Installed()) {
            GTEST_SKIP() << "Xvfb is not installed";
        }
        ASSERT_TRUE(Server() && Server()->Running()) << Server()->Problem();
        ASSERT_TRUE(oxhost::FltkFace::DisplayAvailable());
        setenv("XDG_CONFIG_HOME", preferences.Path().c_str(), 1);
        std::filesystem::remove_all(HostFolder() + "Presets");  // no palettes
        oxhost::RegisterDialogToolkitSuites();
        oxhost::SetWebBrowser([](const std::string&) { return kSPNoError; });
        const char* plugins = std::getenv("OX_PLUGIN_DIR");
        const std::string module =
            std::string(plugins != nullptr ? plugins : "") + "/Tintflood.8bf";
        ASSERT_TRUE(std::filesystem::exists(module)) << module;
        // The dialog's caption, size and picture come from the built module's resources.
        plugInRef = oxhost::PluginAccessTable::Instance().Add(nullptr, module);
    }

    void TearDown() override {
        unsetenv(oxhost::FltkFace::kAutoPressVariable);
        oxhost::DialogToolkit::Instance().SetFace(nullptr);
        oxhost::SetWebBrowser(nullptr);
        oxhost::PluginAccessTable::Instance().Remove(plugInRef);
        oxhost::HostHandles::Instance().Dispose(parameters);
        EXPECT_EQ(oxhost::DialogToolkit::Instance().LiveDialogCount(), 0u);
    }

    // Runs the parameters selector with the interactive face pressing
    // `presses`; the colour picker answers `picked`.
    Outcome Run(const std::string& presses, oxhost::PickedColor picked = {}) {
        setenv(oxhost::FltkFace::kAutoPressVariable, (presses + ":100").c_str(), 1);
        Outcome outcome;
        oxhost::DialogToolkit::Instance().SetFace(&face);
        oxhost::ColorServicesHost colorServices{
            oxhost::ColorConverter(), oxhost::ColorPickerScript(face.PickerAnswerer(
                                          [&outcome, picked](const oxhost::PickRequest& request) {
                                              outcome.picks.push_back(request);
                                              return std::optional<oxhost::PickedColor>(picked);
                                          }))};
        oxhost::Document document;
        document.width = 2;
        document.height = 2;
        document.pixels.assign(12, 255);
        oxhost::RunOptions options;
        options.parameters = &parameters;
        options.plugInRef = plugInRef;
        options.colorServices = [&colorServices](ColorServicesInfo* info) {
            return colorServices.Serve(info);
        };
        {
            oxhost::FilterRun run(PluginMain, document, options);
            outcome.result = run.Call(filterSelectorParameters);
            if (outcome.result == 0) {
                run.Call(filterSelectorFinish);
            }
        }
        oxhost::DialogToolkit::Instance().SetFace(nullptr);
        if (parameters != nullptr) {
            const int32_t size = oxhost::HostHandles::Instance().Size(parameters);
            outcome.block.assign(*parameters, *parameters + size);
        }
        return outcome;
    }

    const oxhost::ShownItem* Shown(const oxhost::ShownDialog& dialog, int32_t id) {
        for (const oxhost::ShownItem& item : dialog.items) {
            if (item.id == id) {
                return &item;
            }
        }
        return nullptr;
    }

    oxtest::ScratchFolder preferences;
    oxhost::FltkFace face;
    void* plugInRef = nullptr;
    Handle parameters = nullptr;
};

struct ExpectedWidget {
    int32_t id;
    const char* widgetKind;
    int left, top, right, bottom;
    bool active;
};

// OK, Cancel, then the 19 controls in creation order; by default neither
// box is checked, so the radios, both size fields and the flag swatch are off.
const ExpectedWidget kWidgets[] = {
    {1, "button", 250, 260, 310, 280, true},
    {2, "button", 178, 260, 238, 280, true},
    {1000, "user item", 135, 20, 163, 48, true},
    {1001, "user item", 282, 142, 310, 170, false},
    {1002, "text", 20, 27, 130, 43, true},
    {1003, "text", 170, 27, 240, 43, true},
    {1004, "text", 76, 267, 156, 280, true},
    {1005, "text", 20, 59, 110, 75, true},
    {1006, "text", 20, 175, 127, 191, true},
    {1007, "text", 230, 149, 270, 165, true},
    {1008, "button", 20, 232, 68, 280, true},
    {1009, "number field", 247, 24, 310, 44, true},
    {1010, "number field", 135, 115, 220, 135, false},
    {1011, "number field", 135, 147, 220, 167, false},
    {1012, "frame", 20, 96, 310, 97, true},
    {1013, "frame", 20, 220, 310, 221, true},
    {1014, "radio button", 135, 197, 270, 211, false},
    {1015, "radio button", 135, 177, 270, 191, false},
    {1016, "check box", 20, 115, 127, 135, true},
    {1017, "check box", 20, 147, 127, 167, true},
    {1018, "popup", 135, 56, 310, 76, true},
};

TEST_F(FltkDialogTest, OkKeepsTheDefaultsAndShowsEveryItemAtItsBounds) {
    const Outcome outcome = Run("1");
    EXPECT_EQ(outcome.result, 0);
    EXPECT_TRUE(face.Problems().empty());
    ASSERT_EQ(outcome.block.size(), 296u);
    using namespace parameter_block;
    EXPECT_EQ(Word(outcome.block, kTolerance), 0);
    EXPECT_EQ(Word(outcome.block, kFillColor), 65535);
    EXPECT_EQ(Word(outcome.block, kFillColor + 2), 65535);
    EXPECT_EQ(Word(outcome.block, kFillColor + 4), 65535);
    EXPECT_EQ(Word(outcome.block, kFlagColor), 65535);
    EXPECT_EQ(Word(outcome.block, kFlagColor + 2), 0);
    EXPECT_EQ(Word(outcome.block, kFlagColor + 4), 65535);
    EXPECT_EQ(Long(outcome.block, kFlagSize), 20u);
    EXPECT_EQ(Long(outcome.block, kJoinSize), 10u);
    EXPECT_EQ(outcome.block[kFlagAreas], 0);
    EXPECT_EQ(outcome.block[kJoinAreas], 0);
    EXPECT_EQ(outcome.block[kMeasureArea], 0);
    EXPECT_EQ(outcome.block[kRandomColors], 1);  // no palette files: "Random Colors"

    const oxhost::ShownDialog& shown = face.LastShown();
    EXPECT_EQ(shown.caption, "Tintflood");
    EXPECT_EQ(shown.width, 330);
    EXPECT_EQ(shown.height, 300);
    ASSERT_EQ(shown.items.size(), std::size(kWidgets));
    for (size_t i = 0; i < std::size(kWidgets); ++i) {
        const ExpectedWidget& expected = kWidgets[i];
        const oxhost::ShownItem& item = shown.items[i];
        SCOPED_TRACE("item " + std::to_string(expected.id));
        EXPECT_EQ(item.id, expected.id);
        EXPECT_EQ(item.widgetKind, expected.widgetKind);
        EXPECT_EQ(item.x, expected.left);
        EXPECT_EQ(item.y, expected.top);
        EXPECT_EQ(item.width, expected.right - expected.left);
        EXPECT_EQ(item.height, expected.bottom - expected.top);
        EXPECT_EQ(item.active, expected.active);
        EXPECT_TRUE(item.visible);
    }
    EXPECT_EQ(Shown(shown, 1009)->text, "0");
    EXPECT_EQ(Shown(shown, 1011)->text, "20");
    EXPECT_EQ(Shown(shown, 1018)->text, "Random Colors");
    EXPECT_EQ(Shown(shown, 1014)->text, "Height & Width");
    EXPECT_TRUE(Shown(shown, 1014)->checked);
    EXPECT_FALSE(Shown(shown, 1015)->checked);
    EXPECT_TRUE(Shown(shown, 1008)->hasPicture);  // bitmap 16009 of the module
    EXPECT_EQ(Shown(shown, 1000)->tooltip, "Select color to replace with Tintflood");
}

TEST_F(FltkDialogTest, CancelGivesUserCanceled) {
    const Outcome outcome = Run("2");
    EXPECT_EQ(outcome.result, -128);
    EXPECT_TRUE(outcome.block.empty());
}

TEST_F(FltkDialogTest, ClosingTheWindowIsCancel) {
    const Outcome outcome = Run("0");
    EXPECT_EQ(outcome.result, -128);
    EXPECT_TRUE(face.Problems().empty());
    EXPECT_EQ(face.DialogsRun(), 1);
}

TEST_F(FltkDialogTest, DisabledSwatchRefusesThePress) {
    const Outcome outcome = Run(std::to_string(kFlagSwatchId) + ",1");
    EXPECT_EQ(outcome.result, 0);
    ASSERT_EQ(face.Problems().size(), 1u);
    EXPECT_EQ(face.Problems()[0], "item 1001 refused the press");
    EXPECT_TRUE(outcome.picks.empty());
}

TEST_F(FltkDialogTest, FlagCheckEnablesItsControlsAndTheSwatchPicksFromThePicker) {
    const Outcome outcome = Run(
        std::to_string(kFlagCheckId) + "," + std::to_string(kFlagSwatchId) + ",1", {10, 20, 30});
    EXPECT_EQ(outcome.result, 0);
    EXPECT_TRUE(face.Problems().empty());
    ASSERT_EQ(outcome.picks.size(), 1u);
    EXPECT_EQ(outcome.picks[0].startingComponents[0], 255);  // from the swatch's magenta
    EXPECT_EQ(outcome.picks[0].startingComponents[1], 0);
    const oxhost::ShownDialog& ended = face.LastEnded();
    EXPECT_TRUE(Shown(ended, kFlagCheckId)->checked);
    EXPECT_TRUE(Shown(ended, kFlagSwatchId)->active);
    EXPECT_TRUE(Shown(ended, 1011)->active);   // flag size
    EXPECT_FALSE(Shown(ended, 1010)->active);  // join size
    EXPECT_TRUE(Shown(ended, 1014)->active);
    ASSERT_EQ(outcome.block.size(), 296u);
    EXPECT_EQ(outcome.block[parameter_block::kFlagAreas], 1);
    EXPECT_EQ(Word(outcome.block, parameter_block::kFlagColor), 10 * 256);
    EXPECT_EQ(Word(outcome.block, parameter_block::kFlagColor + 2), 20 * 256);
    EXPECT_EQ(Word(outcome.block, parameter_block::kFlagColor + 4), 30 * 256);
}

TEST_F(FltkDialogTest, FillSwatchReleaseOpensThePickerOnceAlsoWhenCancelled) {
    const Outcome outcome = Run(std::to_string(kFillSwatchId) + ",2", {1, 2, 3});
    EXPECT_EQ(outcome.result, -128);
    EXPECT_EQ(outcome.picks.size(), 1u);
}

}  // namespace
}  // namespace dialogfltk
