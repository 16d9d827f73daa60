// The delivered plug-ins' About boxes, run by the host's about call through
// the native dialog suite and a scripted face. The expected texts come from
// the modules' own resources.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "bridge/platform/linux/DialogTemplate.h"
#include "host/module/ModuleFile.h"
#include "host/module/PluginModule.h"
#include "host/nativedialog/NativeDialogSuiteTable.h"
#include "host/nativedialog/ScriptedBoxFace.h"
#include "host/run/FilterRun.h"
#include "host/run/SuiteRegistry.h"
#include "tests/support/ScratchFolder.h"

namespace {

using oxhost::BoxStep;
using oxhost::ScriptedBoxFace;

constexpr int kAboutId = 16000;
constexpr uint8_t kEscape = 27;
constexpr uint8_t kReturn = 13;

std::string ModulePath(const std::string& name) {
    return oxtest::BuiltProgramFolder() + "/" + name + ".8bf";
}

std::string AboutTextOf(const std::string& module) {
    const auto bytes = oxhost::ReadModuleResource(ModulePath(module), "STRING", kAboutId);
    return bytes ? std::string(bytes->begin(), bytes->end()) : std::string("(missing)");
}

std::string SiteButtonOf(const std::string& module) {
    const auto bytes = oxhost::ReadModuleResource(ModulePath(module), "DIALOG", kAboutId);
    oxres::DialogTemplate dialog;
    if (!bytes || !oxres::ReadDialogTemplate(bytes->data(), bytes->size(), &dialog)) {
        return "(missing)";
    }
    for (const oxres::DialogItem& item : dialog.items) {
        if (item.id == 4) {
            return item.text;
        }
    }
    return "(no item 4)";
}

// Runs the about selector of `module` with the steps; the face is kept for checks.
int16_t RunAboutWith(const std::string& module, ScriptedBoxFace& face) {
    oxhost::NativeDialogRegistration registration(face);
    auto plugin = oxhost::PluginModule::Open(ModulePath(module));
    return oxhost::RunAbout(plugin->Entry(), plugin.get());
}

class AboutBoxThroughSuite : public ::testing::TestWithParam<const char*> {};

TEST_P(AboutBoxThroughSuite, ShowsTheAboutTextAndTheSiteButton) {
    const std::string module = GetParam();
    ScriptedBoxFace face({BoxStep::TypeCharacter(kEscape)});
    EXPECT_EQ(RunAboutWith(module, face), 0);
    ASSERT_EQ(face.Shown().size(), 1u);
    const auto& shown = face.Shown()[0];
    EXPECT_EQ(shown.texts.at(3), AboutTextOf(module));
    EXPECT_EQ(shown.texts.at(3).substr(0, module.size() + 2), module + "\n\n");
    EXPECT_EQ(shown.texts.at(4), SiteButtonOf(module));
    EXPECT_EQ(shown.texts.at(4), "www.oxlen.example");
    EXPECT_EQ(shown.layout.width, 284);
    EXPECT_EQ(shown.layout.height, 195);
    EXPECT_EQ(oxhost::SuiteRegistry::Instance().OutstandingAcquisitions(), 0);
}

TEST_P(AboutBoxThroughSuite, EscapeAndReturnCloseWithZero) {
    for (const uint8_t key : {kEscape, kReturn}) {
        ScriptedBoxFace face({BoxStep::TypeCharacter(key), BoxStep::EndWith(77)});
        EXPECT_EQ(RunAboutWith(GetParam(), face), 0);
        EXPECT_TRUE(face.Shown()[0].ended);
        EXPECT_EQ(face.Shown()[0].result, 0);
        EXPECT_EQ(face.Shown()[0].stepsTaken, 1) << int(key);
        EXPECT_EQ(face.StepsLeft(), 1u);
    }
}

TEST_P(AboutBoxThroughSuite, OtherLettersLeaveTheBoxOpen) {
    ScriptedBoxFace face({BoxStep::TypeCharacter('a'), BoxStep::TypeCharacter('Q'),
                          BoxStep::TypeCharacter(' '), BoxStep::EndWith(77)});
    EXPECT_EQ(RunAboutWith(GetParam(), face), 0);
    EXPECT_EQ(face.Shown()[0].stepsTaken, 4);
    EXPECT_EQ(face.Shown()[0].result, 77);  // closed by the host's step, not by a letter
}

TEST_P(AboutBoxThroughSuite, AClickBesideTheButtonClosesWithZero) {
    ScriptedBoxFace face({BoxStep::Click(), BoxStep::EndWith(77)});
    EXPECT_EQ(RunAboutWith(GetParam(), face), 0);
    EXPECT_EQ(face.Shown()[0].stepsTaken, 1);
    EXPECT_EQ(face.Shown()[0].result, 0);
}

TEST_P(AboutBoxThroughSuite, TheButtonOpensHttpAndItsLabelAndKeepsTheBoxOpen) {
    ScriptedBoxFace face({BoxStep::PressItem(4), BoxStep::TypeCharacter(kEscape)});
    EXPECT_EQ(RunAboutWith(GetParam(), face), 0);
    EXPECT_EQ(face.OpenedAddresses(),
              std::vector<std::string>{"http://" + SiteButtonOf(GetParam())});
    EXPECT_EQ(face.Shown()[0].stepsTaken, 2);
    EXPECT_EQ(face.Shown()[0].result, 0);
    EXPECT_EQ(oxhost::SuiteRegistry::Instance().OutstandingAcquisitions(), 0);
}

TEST_P(AboutBoxThroughSuite, CancelCommandClosesWithItsId) {
    ScriptedBoxFace face({BoxStep::PressItem(2)});
    EXPECT_EQ(RunAboutWith(GetParam(), face), 0);
    EXPECT_EQ(face.Shown()[0].result, 2);
    EXPECT_TRUE(face.OpenedAddresses().empty());
}

TEST_P(AboutBoxThroughSuite, TheBoxIsPlacedOverTheScreenShiftedLeft) {
    // No owner: centred over the screen, minus two thirds of the title-button
    // width (the box has no system menu), a third of the free height down.
    ScriptedBoxFace face({BoxStep::TypeCharacter(kEscape)}, 1024, 768);
    RunAboutWith(GetParam(), face);
    const OxScreenRect frame = face.Shown()[0].frame;
    const int shift = ScriptedBoxFace::kTitleButtonWidth - ScriptedBoxFace::kTitleButtonWidth / 3;
    EXPECT_EQ(frame.left, (1024 - 284) / 2 - shift);
    EXPECT_EQ(frame.top, (768 - 195) / 3);
    EXPECT_EQ(frame.right - frame.left, 284);
}

INSTANTIATE_TEST_SUITE_P(BothPlugins, AboutBoxThroughSuite,
                         ::testing::Values("Tintflood", "Virarar"));

}  // namespace
