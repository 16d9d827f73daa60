// The face without a display: steps on a running modal dialog, and the text
// form of a script.
#include "ToolkitFixture.h"
#include "host/HostError.h"
#include "host/dialog/DialogSession.h"
#include "host/dialog/ScriptedFace.h"

namespace dialogtest {
namespace {

using oxhost::DialogStep;

const ADMDialogSuite* Dialogs() {
    return oxhost::DialogSuiteTable();
}
const ADMItemSuite* Items() {
    return oxhost::ItemSuiteTable();
}

ADMItemRef Make(ADMDialogRef dialog, const char* kind, const char* text, const char* tip) {
    const ADMRect bounds{0, 0, 20, 20};
    ADMItemRef item = Dialogs()->CreateItem(dialog, 0, kind, &bounds, nullptr, nullptr, 0);
    Items()->SetText(item, text);
    Items()->SetTipString(item, tip);
    return item;
}

void HOSTAPI_CALL Heard(ADMDialogRef dialog, ADMNotifierRef notifier) {
    ADMItemRef item = oxhost::NotifierSuiteTable()->GetItem(notifier);
    char text[32] = "";
    Items()->GetText(item, text, sizeof(text));
    char type[64];
    oxhost::NotifierSuiteTable()->GetNotifierType(notifier, type, sizeof(type));
    Log().push_back(std::string(type) + (item != nullptr ? std::string(" ") + text : ""));
    Dialogs()->DefaultNotify(dialog, notifier);
}

// A dialog with a check box, a number field (0..100), a radio pair, a
// disabled button and a popup of two entries.
SPErr HOSTAPI_CALL BuildForm(ADMDialogRef dialog) {
    Dialogs()->SetNotifyProc(dialog, Heard);
    Make(dialog, kADMTextCheckBoxType, "Check", nullptr);
    ADMItemRef field = Make(dialog, kADMTextEditType, "", "Number of things");
    Items()->SetMinIntValue(field, 0);
    Items()->SetMaxIntValue(field, 100);
    Make(dialog, kADMTextRadioButtonType, "Left", nullptr);
    Make(dialog, kADMTextRadioButtonType, "Right", nullptr);
    Items()->Enable(Make(dialog, kADMTextPushButtonType, "Off", nullptr), 0);
    ADMListRef list = Items()->GetList(Make(dialog, kADMPopupListType, "Menu", nullptr));
    oxhost::ListSuiteTable()->InsertEntry(list, 0);
    oxhost::ListSuiteTable()->InsertEntry(list, 1);
    return kSPNoError;
}

class ScriptedFaceTest : public ToolkitTest {
protected:
    int32_t RunForm(oxhost::ScriptedFace& face) {
        toolkit.SetFace(&face);
        return dialogs->Modal(nullptr, "form", 1, 0, BuildForm, nullptr, 0);
    }
};

TEST_F(ScriptedFaceTest, StepsActOnTheItemsAndOkEndsTheDialog) {
    int32_t value = -1;
    bool left = true;
    bool right = false;
    int32_t menuEntry = -1;
    oxhost::ScriptedFace face({DialogStep::Click("Check"), DialogStep::SetValue("Number", 250),
                               DialogStep::Click("Left"), DialogStep::Click("Right"),
                               DialogStep::ChooseEntry("Menu", 1),
                               DialogStep::Inspect([&](oxhost::DialogSession& session) {
                                   value = session.Find("Number")->value;
                                   left = session.Find("Left")->on;
                                   right = session.Find("Right")->on;
                                   oxhost::PopupList& list = *session.Find("Menu")->list;
                                   menuEntry = list.active == list.entries[1].get() ? 1 : 0;
                               }),
                               DialogStep::PressOk(), DialogStep::PressCancel()});
    EXPECT_EQ(RunForm(face), 1);
    EXPECT_EQ(value, 100);
    EXPECT_FALSE(left);
    EXPECT_TRUE(right);
    EXPECT_EQ(menuEntry, 1);
    EXPECT_TRUE(face.Problems().empty());
    EXPECT_EQ(face.StepsLeft(), 1u);  // the Cancel after OK waits for the next dialog
    const std::vector<std::string> expected = {
        "ADM User Changed Notifier Check", "ADM User Changed Notifier ",
        "ADM User Changed Notifier Left",  "ADM User Changed Notifier Right",
        "ADM User Changed Notifier Menu",  "ADM User Changed Notifier OK",
        "ADM Deactivate Window Notifier"};
    EXPECT_EQ(Log(), expected);
}

TEST_F(ScriptedFaceTest, RefusedAndUnknownStepsAreReportedAndChangeNothing) {
    oxhost::ScriptedFace face({DialogStep::Click("Off"), DialogStep::Click("Nowhere"),
                               DialogStep::ChooseEntry("Menu", 2),
                               DialogStep::SetValue("Check", 3)});
    EXPECT_EQ(RunForm(face), 2);  // the script ran out: cancelled
    ASSERT_EQ(face.Problems().size(), 4u);
    EXPECT_EQ(face.Problems()[1], "no item \"Nowhere\"");
    EXPECT_EQ(Log(), std::vector<std::string>{"ADM Deactivate Window Notifier"});
}

TEST_F(ScriptedFaceTest, ItemsCanBeNamedById) {
    oxhost::ScriptedFace face({DialogStep::Click("#2")});
    EXPECT_EQ(RunForm(face), 2);
    EXPECT_TRUE(face.Problems().empty());
}

TEST(DialogScriptText, ReadsEveryKindOfStep) {
    const auto steps = oxhost::ParseDialogScript(
        "# a comment\n\nclick Join Areas <=\nset Tolerance = 30\n  choose #1005 = 2 "
        "\nok\ncancel\n");
    ASSERT_EQ(steps.size(), 5u);
    EXPECT_EQ(steps[0].action, DialogStep::Action::Click);
    EXPECT_EQ(steps[0].target, "Join Areas <=");
    EXPECT_EQ(steps[1].action, DialogStep::Action::SetValue);
    EXPECT_EQ(steps[1].target, "Tolerance");
    EXPECT_EQ(steps[1].value, 30);
    EXPECT_EQ(steps[2].action, DialogStep::Action::ChooseEntry);
    EXPECT_EQ(steps[2].target, "#1005");
    EXPECT_EQ(steps[2].value, 2);
    EXPECT_EQ(steps[3].action, DialogStep::Action::PressOk);
    EXPECT_EQ(steps[4].action, DialogStep::Action::PressCancel);
}

TEST(DialogScriptText, RejectsLinesItCannotRead) {
    for (const char* bad :
         {"set Tolerance 30", "set = 3", "set Tolerance = 3x", "ok now", "press"}) {
        EXPECT_THROW(oxhost::ParseDialogScript(std::string("ok\n") + bad), oxhost::HostError)
            << bad;
    }
    try {
        oxhost::ParseDialogScript("ok\n\nbogus");
    } catch (const oxhost::HostError& error) {
        EXPECT_NE(std::string(error.what()).find("line 3"), std::string::npos);
    }
}

}  // namespace
}  // namespace dialogtest
