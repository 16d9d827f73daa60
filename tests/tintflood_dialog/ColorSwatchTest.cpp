// The colour swatches of the options dialog: what they draw, and how a
// click reaches the host's colour picker and the record.
#include "DialogHost.h"
#include "ParameterBlock.h"
#include "host/dialog/DialogSession.h"

namespace tintflooddialog {
namespace {

using oxhost::DialogSession;
using oxhost::DialogStep;
using oxhost::DrawOperation;
using Kind = DrawOperation::Kind;

uint16_t BlockWord(const std::vector<uint8_t>& block, size_t offset) {
    return uint16_t(block.at(offset) | (block.at(offset + 1) << 8));
}

class ColorSwatchTest : public DialogHostTest {
protected:
    oxhost::Drawing DrawSwatch(TintfloodSettings& record, const char* tip) {
        oxhost::Drawing drawing;
        RunDialog(record, {},
                  {DialogStep::Inspect([&drawing, tip](DialogSession& session) {
                       drawing = session.Draw(*session.Find(tip));
                   }),
                   DialogStep::PressCancel()});
        return drawing;
    }
};

void ExpectRect(const ADMRect& rect, int32_t left, int32_t top, int32_t right, int32_t bottom) {
    EXPECT_EQ(rect.left, left);
    EXPECT_EQ(rect.top, top);
    EXPECT_EQ(rect.right, right);
    EXPECT_EQ(rect.bottom, bottom);
}

TEST_F(ColorSwatchTest, EnabledSwatchDrawsBlackAndWhiteFramesAndFillsShrunkByTwo) {
    TintfloodSettings record;
    record.fillColor = {1000, 2000, 3000};
    const oxhost::Drawing drawing = DrawSwatch(record, "Select color to replace");
    ASSERT_EQ(drawing.size(), 6u);
    EXPECT_EQ(drawing[0].kind, Kind::ToolkitColor);
    EXPECT_EQ(drawing[0].color, kADMBlackColor);
    EXPECT_EQ(drawing[1].kind, Kind::Outline);
    ExpectRect(drawing[1].rect, 0, 0, 28, 28);
    EXPECT_EQ(drawing[2].color, kADMWhiteColor);
    ExpectRect(drawing[3].rect, 1, 1, 27, 27);
    EXPECT_EQ(drawing[4].kind, Kind::RgbColor);
    EXPECT_EQ(drawing[4].rgb.red, 1000);
    EXPECT_EQ(drawing[4].rgb.green, 2000);
    EXPECT_EQ(drawing[4].rgb.blue, 3000);
    EXPECT_EQ(drawing[5].kind, Kind::Fill);
    ExpectRect(drawing[5].rect, 2, 2, 26, 26);
}

TEST_F(ColorSwatchTest, DisabledSwatchFramesInTheDisabledColourAndStillFills) {
    TintfloodSettings record;
    record.flagAreas = 0;
    record.flagColor = {65535, 0, 65535};
    const oxhost::Drawing drawing = DrawSwatch(record, "Select color for flagged");
    ASSERT_EQ(drawing.size(), 6u);
    EXPECT_EQ(drawing[0].color, kADMDisabledColor);
    EXPECT_EQ(drawing[4].rgb.red, 65535);
    EXPECT_EQ(drawing[5].kind, Kind::Fill);
}

TEST_F(ColorSwatchTest, PickedWhiteBecomes65280AndReachesTheStoredBlock) {
    ParametersRun run;
    run.picks = {{255, 255, 255}, {0, 0, 0}};
    run.steps = {DialogStep::Click("Select color to replace"), DialogStep::Click("Flag Areas <="),
                 DialogStep::Click("Select color for flagged"), DialogStep::PressOk()};
    const ParametersOutcome outcome = RunParameters(run);
    EXPECT_EQ(outcome.result, 0);
    EXPECT_TRUE(outcome.faceProblems.empty());
    ASSERT_EQ(outcome.block.size(), 296u);
    for (size_t channel = 0; channel < 3; ++channel) {
        EXPECT_EQ(BlockWord(outcome.block, parameter_block::kFillColor + 2 * channel), 65280);
        EXPECT_EQ(BlockWord(outcome.block, parameter_block::kFlagColor + 2 * channel), 0);
    }
}

TEST_F(ColorSwatchTest, CancelledPickerKeepsTheColour) {
    TintfloodSettings defaults;
    ParametersRun run;  // no answers: every pick is cancelled
    run.steps = {DialogStep::Click("Select color to replace"), DialogStep::PressOk()};
    const ParametersOutcome outcome = RunParameters(run);
    EXPECT_EQ(outcome.result, 0);
    ASSERT_EQ(outcome.block.size(), 296u);
    EXPECT_EQ(BlockWord(outcome.block, parameter_block::kFillColor), defaults.fillColor.red);
}

TEST_F(ColorSwatchTest, PickInvalidatesTheSwatchSoItIsDrawnAgain) {
    ParametersRun run;
    run.picks = {{10, 20, 30}};
    bool invalidBefore = true;
    bool invalidAfter = false;
    run.steps = {DialogStep::Inspect([&](DialogSession& session) {
                     invalidBefore = session.Find("Select color to replace")->invalid;
                 }),
                 DialogStep::Click("Select color to replace"),
                 DialogStep::Inspect([&](DialogSession& session) {
                     invalidAfter = session.Find("Select color to replace")->invalid;
                 }),
                 DialogStep::PressCancel()};
    EXPECT_EQ(RunParameters(run).result, -128);
    EXPECT_FALSE(invalidBefore);
    EXPECT_TRUE(invalidAfter);
}

}  // namespace
}  // namespace tintflooddialog
