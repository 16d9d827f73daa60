// The parameters selector through PluginMain: its result codes, when the
// dialog shows, what it writes, and that a run started after it still fills.
#include "DescriptorHelpers.h"
#include "DialogHost.h"
#include "ParameterBlock.h"
#include "Preferences.h"
#include "ScriptKeys.h"
#include "host/dialog/DialogSession.h"
#include "host/run/SuiteRegistry.h"

namespace tintflooddialog {
namespace {

using oxhost::DialogSession;
using oxhost::DialogStep;

uint16_t Word(const std::vector<uint8_t>& block, size_t offset) {
    return uint16_t(block.at(offset) | (block.at(offset + 1) << 8));
}

uint32_t Long(const std::vector<uint8_t>& block, size_t offset) {
    return uint32_t(Word(block, offset)) | (uint32_t(Word(block, offset + 2)) << 16);
}

// Preferences that differ from the defaults where the tests look.
TintfloodSettings SavedPreferences() {
    TintfloodSettings saved;
    saved.tolerance = 12;
    saved.joinAreas = 1;
    saved.joinSize = 77;
    return saved;
}

oxhost::Descriptor ToleranceOnly(int32_t tolerance) {
    oxhost::Descriptor descriptor;
    descriptor.entries.push_back(oxhost::DescriptorEntry::Integer(keyTolerance, tolerance));
    return descriptor;
}

class ParametersFlowTest : public DialogHostTest {};

TEST_F(ParametersFlowTest, FirstRunWithOkWritesPreferencesAndStoresTheBlock) {
    ParametersRun run;
    run.steps = {DialogStep::SetValue("Increase Tolerance", 33), DialogStep::PressOk()};
    const ParametersOutcome outcome = RunParameters(run);
    EXPECT_EQ(outcome.result, 0);
    EXPECT_EQ(outcome.dialogsShown, 1);
    ASSERT_EQ(outcome.block.size(), 296u);
    const std::vector<uint8_t> head(outcome.block.begin(), outcome.block.begin() + 6);
    EXPECT_EQ(head, (std::vector<uint8_t>{0x6C, 0x46, 0x6E, 0x54, 0x03, 0x00}));
    EXPECT_EQ(Word(outcome.block, parameter_block::kTolerance), 33);
    ASSERT_TRUE(PreferencesWritten());
    TintfloodSettings reread;
    ReadPreferences(reread);
    EXPECT_EQ(reread.tolerance, 33);
}

TEST_F(ParametersFlowTest, CancelGivesUserCanceledAndWritesNothing) {
    ParametersRun first;
    first.steps = {DialogStep::SetValue("Increase Tolerance", 40), DialogStep::PressOk()};
    ASSERT_EQ(RunParameters(first).result, 0);
    std::filesystem::remove(PreferencesFolder() + kPreferencesFileName);

    ParametersRun cancelled;
    cancelled.steps = {DialogStep::SetValue("Increase Tolerance", 90), DialogStep::PressCancel()};
    const ParametersOutcome outcome = RunParameters(cancelled);
    EXPECT_EQ(outcome.result, -128);
    EXPECT_FALSE(PreferencesWritten());
    EXPECT_EQ(Word(outcome.block, parameter_block::kTolerance), 40);  // the earlier block
}

TEST_F(ParametersFlowTest, DialogOpensWithThePreferences) {
    WritePreferences(SavedPreferences());
    int32_t tolerance = -1;
    bool join = false;
    ParametersRun run;
    run.steps = {DialogStep::Inspect([&](DialogSession& session) {
                     tolerance = session.Find("Increase Tolerance")->value;
                     join = session.Find("Join Areas <=")->on;
                 }),
                 DialogStep::PressOk()};
    EXPECT_EQ(RunParameters(run).result, 0);
    EXPECT_EQ(tolerance, 12);
    EXPECT_TRUE(join);
}

TEST_F(ParametersFlowTest, SilentReplayStoresPreferencesWithReplayedKeysWithoutDialog) {
    WritePreferences(SavedPreferences());
    for (const int16_t playInfo : {int16_t(plugInDialogSilent), int16_t(plugInDialogDontDisplay)}) {
        ParametersRun run;
        run.playInfo = playInfo;
        run.replayed = ToleranceOnly(30);
        run.steps = {DialogStep::PressOk()};
        const ParametersOutcome outcome = RunParameters(run);
        EXPECT_EQ(outcome.result, 0) << playInfo;
        EXPECT_EQ(outcome.dialogsShown, 0) << playInfo;
        ASSERT_EQ(outcome.block.size(), 296u);
        EXPECT_EQ(Word(outcome.block, parameter_block::kTolerance), 30);
        EXPECT_EQ(outcome.block[parameter_block::kJoinAreas], 1);
        EXPECT_EQ(Long(outcome.block, parameter_block::kJoinSize), 77u);
    }
}

TEST_F(ParametersFlowTest, ReplayAskingForTheDialogShowsPreferencesOverlaidWithReplayedKeys) {
    WritePreferences(SavedPreferences());
    int32_t tolerance = -1;
    int32_t joinSize = -1;
    ParametersRun run;
    run.playInfo = plugInDialogDisplay;
    run.replayed = ToleranceOnly(30);
    run.steps = {DialogStep::Inspect([&](DialogSession& session) {
                     tolerance = session.Find("Increase Tolerance")->value;
                     joinSize = session.Find("Area's up to")->value;
                 }),
                 DialogStep::PressOk()};
    const ParametersOutcome outcome = RunParameters(run);
    EXPECT_EQ(outcome.result, 0);
    EXPECT_EQ(outcome.dialogsShown, 1);
    EXPECT_EQ(tolerance, 30);
    EXPECT_EQ(joinSize, 77);
}

TEST_F(ParametersFlowTest, MissingDialogSuiteGivesBadParametersAndTouchesNothing) {
    WritePreferences(SavedPreferences());
    std::filesystem::remove(PreferencesFolder() + kPreferencesFileName);
    oxhost::SuiteRegistry::Instance().Unregister("ADM Tracker Suite", 1);
    ParametersRun run;
    run.steps = {DialogStep::PressOk()};
    const ParametersOutcome outcome = RunParameters(run);
    EXPECT_EQ(outcome.result, -30100);
    EXPECT_EQ(outcome.dialogsShown, 0);
    EXPECT_TRUE(outcome.block.empty());
    EXPECT_FALSE(PreferencesWritten());
}

TEST_F(ParametersFlowTest, NullDialogSuiteTableGivesMinusOne) {
    oxhost::SuiteRegistry::Instance().Register("ADM Dialog Suite", 5, nullptr);
    ParametersRun run;
    run.steps = {DialogStep::PressOk()};
    const ParametersOutcome outcome = RunParameters(run);
    EXPECT_EQ(outcome.result, -1);
    EXPECT_EQ(outcome.dialogsShown, 0);
    EXPECT_TRUE(outcome.block.empty());
}

TEST_F(ParametersFlowTest, SwatchFilesOfTheHostFolderAreOffered) {
    SetSwatchFiles({"Pastels.aco", "notes.aco.txt", "OLD.ACO", ".aco"});
    std::vector<std::string> offered;
    ParametersRun run;
    run.steps = {DialogStep::Inspect([&](DialogSession& session) {
                     for (const auto& entry : session.Find("Select color pallete")->list->entries) {
                         offered.push_back(entry->text);
                     }
                 }),
                 DialogStep::PressCancel()};
    RunParameters(run);
    ASSERT_EQ(offered.size(), 3u);
    std::sort(offered.begin(), offered.end() - 1);  // the folder's own order is not fixed
    EXPECT_EQ(offered, (std::vector<std::string>{"Pastels.aco", "notes.aco.txt", "Random Colors"}));
}

TEST_F(ParametersFlowTest, StartAfterTheDialogFillsWithTheConfirmedSettings) {
    ParametersRun run;
    run.thenStart = true;
    run.steps = {DialogStep::Click("Flag Areas <="), DialogStep::PressOk()};
    const ParametersOutcome outcome = RunParameters(run);
    EXPECT_EQ(outcome.result, 0);
    // The white document is one area of six pixels, up to the flag size of
    // 20: it takes the flag colour.
    EXPECT_EQ(outcome.firstPixel, (std::vector<uint8_t>{255, 0, 255}));
    EXPECT_EQ(outcome.block[parameter_block::kFlagAreas], 1);
}

TEST_F(ParametersFlowTest, CancelledDialogEndsTheRunBeforeStart) {
    ParametersRun run;
    run.thenStart = true;
    run.steps = {DialogStep::Click("Flag Areas <="), DialogStep::PressCancel()};
    const ParametersOutcome outcome = RunParameters(run);
    EXPECT_EQ(outcome.result, -128);
    EXPECT_EQ(outcome.firstPixel, (std::vector<uint8_t>{255, 255, 255}));
}

}  // namespace
}  // namespace tintflooddialog
