// The options dialog's controls as the toolkit holds them while it runs:
// order, kinds, places, texts, set-up, and how they follow the record.
#include "DialogHost.h"
#include "host/dialog/DialogSession.h"

namespace tintflooddialog {
namespace {

using oxhost::DialogSession;
using oxhost::DialogStep;
using oxhost::ToolkitItem;

struct ExpectedControl {
    const char* kind;
    const char* text;
    ADMRect bounds;
    const char* tip;
};

const ExpectedControl kControls[] = {
    {kADMUserType, "", {135, 20, 163, 48}, "Select color to replace with Tintflood"},
    {kADMUserType, "", {282, 142, 310, 170}, "Select color for flagged area's"},
    {kADMTextStaticType, "Tintflooded Color:", {20, 27, 130, 43}, ""},
    {kADMTextStaticType, "Tolerance:", {170, 27, 240, 43}, ""},
    {kADMTextStaticType, "www.oxlen.example", {76, 267, 156, 280}, ""},
    {kADMTextStaticType, "Color Palette:", {20, 59, 110, 75}, ""},
    {kADMTextStaticType, "Measure size by:", {20, 175, 127, 191}, ""},
    {kADMTextStaticType, "Color:", {230, 149, 270, 165}, ""},
    {kADMPicturePushButtonType, "", {20, 232, 68, 280}, "Go to www.oxlen.example"},
    {kADMTextEditType,
     "",
     {247, 24, 310, 44},
     "Increase Tolerance if Tintflood does not find the desired area's."},
    {kADMTextEditType,
     "",
     {135, 115, 220, 135},
     "Area's up to this size will be joined in the same color as the nearest normal area"},
    {kADMTextEditType, "", {135, 147, 220, 167}, "Flag area size in pixels"},
    {kADMFrameType, "", {20, 96, 310, 97}, ""},
    {kADMFrameType, "", {20, 220, 310, 221}, ""},
    {kADMTextRadioButtonType,
     "Height & Width",
     {135, 197, 270, 211},
     "Select area's with x and y size smaller than selected size"},
    {kADMTextRadioButtonType,
     "Area",
     {135, 177, 270, 191},
     "Select area's with pixel count smaller than selected size"},
    {kADMTextCheckBoxType, "Join Areas <=", {20, 115, 127, 135}, ""},
    {kADMTextCheckBoxType, "Flag Areas <=", {20, 147, 127, 167}, ""},
    {kADMPopupListType, "", {135, 56, 310, 76}, "Select color pallete used for filling"},
};

void ExpectBounds(const ADMRect& actual, const ADMRect& expected, const std::string& what) {
    EXPECT_EQ(actual.left, expected.left) << what;
    EXPECT_EQ(actual.top, expected.top) << what;
    EXPECT_EQ(actual.right, expected.right) << what;
    EXPECT_EQ(actual.bottom, expected.bottom) << what;
}

// Runs the dialog on `record` and hands the running dialog to `look`.
class DialogLayoutTest : public DialogHostTest {
protected:
    void Look(TintfloodSettings& record, std::function<void(DialogSession&)> look,
              std::vector<DialogStep> before = {}) {
        before.push_back(DialogStep::Inspect(std::move(look)));
        before.push_back(DialogStep::PressCancel());
        RunDialog(record, {}, before);
        EXPECT_TRUE(lastProblems.empty());
    }
};

TEST_F(DialogLayoutTest, NineteenControlsInTheirOrderWithPlacesTextsAndTips) {
    TintfloodSettings record;
    Look(record, [](DialogSession& session) {
        const oxhost::ToolkitDialog& dialog = session.Dialog();
        ExpectBounds(dialog.localRect, {0, 0, 330, 300}, "dialog");
        ExpectBounds(dialog.FindItem(1)->bounds, {250, 260, 310, 280}, "OK");
        ExpectBounds(dialog.FindItem(2)->bounds, {178, 260, 238, 280}, "Cancel");
        ASSERT_EQ(dialog.items.size(), 2u + 19u);
        for (size_t i = 0; i < 19; ++i) {
            const ToolkitItem& item = *dialog.items[i + 2];
            const ExpectedControl& expected = kControls[i];
            const std::string what = "control " + std::to_string(i + 1);
            EXPECT_EQ(item.kind, expected.kind) << what;
            EXPECT_EQ(item.text, expected.text) << what;
            EXPECT_EQ(item.tip, expected.tip) << what;
            ExpectBounds(item.bounds, expected.bounds, what);
            EXPECT_GE(item.id, 3) << what;
        }
    });
}

TEST_F(DialogLayoutTest, ControlsAreSetUpAsTheirFieldsNeed) {
    TintfloodSettings record;
    Look(record, [](DialogSession& session) {
        const auto& items = session.Dialog().items;
        const ToolkitItem& tolerance = *items[2 + 9];
        EXPECT_EQ(tolerance.minimum, 0);
        EXPECT_EQ(tolerance.maximum, 100);
        EXPECT_EQ(tolerance.units, kADMNoUnits);
        EXPECT_FALSE(tolerance.allowUnits);
        for (size_t index : {size_t(10), size_t(11)}) {
            const ToolkitItem& size = *items[2 + index];
            EXPECT_EQ(size.minimum, 0);
            EXPECT_EQ(size.maximum, 10000);
            EXPECT_EQ(size.units, kADMPixelUnits);
            EXPECT_TRUE(size.allowUnits);
        }
        EXPECT_EQ(items[2 + 12]->style, kADMEtchedFrameStyle);
        EXPECT_EQ(items[2 + 13]->style, kADMEtchedFrameStyle);
        EXPECT_EQ(items[2 + 8]->pictureId, 16009);
    });
}

TEST_F(DialogLayoutTest, RecordFieldsReplaceTheInitialValues) {
    TintfloodSettings record;
    record.tolerance = 42;
    record.measureArea = 0;
    record.flagAreas = 1;
    record.flagSize = 7;
    record.joinAreas = 0;
    record.joinSize = 9999;
    Look(record, [](DialogSession& session) {
        EXPECT_EQ(session.Find("Increase Tolerance")->value, 42);
        EXPECT_EQ(session.Find("Flag area size")->value, 7);
        EXPECT_EQ(session.Find("Area's up to")->value, 9999);
        EXPECT_TRUE(session.Find("Height & Width")->on);  // though "Area" is the initial choice
        EXPECT_FALSE(session.Find("Area")->on);
        EXPECT_TRUE(session.Find("Flag Areas <=")->on);
        EXPECT_FALSE(session.Find("Join Areas <=")->on);
    });
}

TEST_F(DialogLayoutTest, BothBoxesOffDisableRadiosSizesAndFlagSwatch) {
    TintfloodSettings record;
    record.flagAreas = 0;
    record.joinAreas = 0;
    Look(record, [](DialogSession& session) {
        EXPECT_FALSE(session.Find("Area")->enabled);
        EXPECT_FALSE(session.Find("Height & Width")->enabled);
        EXPECT_FALSE(session.Find("Flag area size")->enabled);
        EXPECT_FALSE(session.Find("Area's up to")->enabled);
        EXPECT_FALSE(session.Find("Select color for flagged")->enabled);
        EXPECT_TRUE(session.Find("Select color to replace")->enabled);
        EXPECT_TRUE(session.Find("Increase Tolerance")->enabled);
        EXPECT_TRUE(session.Find("Select color pallete")->enabled);
    });
}

TEST_F(DialogLayoutTest, JoinBoxEnablesRadiosAndJoinSizeOnly) {
    TintfloodSettings record;
    record.flagAreas = 0;
    record.joinAreas = 0;
    Look(record,
         [](DialogSession& session) {
             EXPECT_TRUE(session.Find("Area")->enabled);
             EXPECT_TRUE(session.Find("Height & Width")->enabled);
             EXPECT_TRUE(session.Find("Area's up to")->enabled);
             EXPECT_FALSE(session.Find("Flag area size")->enabled);
             EXPECT_FALSE(session.Find("Select color for flagged")->enabled);
         },
         {DialogStep::Click("Join Areas <=")});
}

TEST_F(DialogLayoutTest, FlagBoxEnablesRadiosFlagSizeAndFlagSwatch) {
    TintfloodSettings record;
    record.flagAreas = 0;
    record.joinAreas = 1;
    Look(record,
         [](DialogSession& session) {
             EXPECT_FALSE(session.Find("Area's up to")->enabled);
             EXPECT_TRUE(session.Find("Area")->enabled);
             EXPECT_TRUE(session.Find("Flag area size")->enabled);
             EXPECT_TRUE(session.Find("Select color for flagged")->enabled);
         },
         {DialogStep::Click("Join Areas <="), DialogStep::Click("Flag Areas <=")});
}

TEST_F(DialogLayoutTest, OkAndCancelBothLeaveTheRecordWithTheLastState) {
    for (const bool pressOk : {true, false}) {
        TintfloodSettings record;
        record.tolerance = 5;
        record.flagAreas = 0;
        record.joinAreas = 0;
        record.measureArea = 1;
        const bool ended = RunDialog(
            record, {},
            {DialogStep::SetValue("Increase Tolerance", 250), DialogStep::Click("Join Areas <="),
             DialogStep::Click("Flag Areas <="), DialogStep::SetValue("Flag area size", 10000),
             DialogStep::SetValue("Area's up to", 10001), DialogStep::Click("Height & Width"),
             pressOk ? DialogStep::PressOk() : DialogStep::PressCancel()});
        EXPECT_EQ(ended, pressOk);
        EXPECT_TRUE(lastProblems.empty());
        EXPECT_EQ(record.tolerance, 100);  // kept within range
        EXPECT_EQ(record.joinAreas, 1);
        EXPECT_EQ(record.flagAreas, 1);
        EXPECT_EQ(record.flagSize, 10000u);
        EXPECT_EQ(record.joinSize, 10000u);
        EXPECT_EQ(record.measureArea, 0);
        EXPECT_EQ(record.randomColors, 1);  // no palette offered
    }
}

TEST_F(DialogLayoutTest, SiteButtonOpensTheVendorsAddress) {
    TintfloodSettings record;
    RunDialog(record, {},
              {DialogStep::Click("Go to www.oxlen.example"), DialogStep::PressCancel()});
    EXPECT_EQ(BrowsedAddresses(), std::vector<std::string>{"http://www.oxlen.example/"});
}

}  // namespace
}  // namespace tintflooddialog
