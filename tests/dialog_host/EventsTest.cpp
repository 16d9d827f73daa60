// Notifications, tracking and drawing as the toolkit delivers them.
#include "ToolkitFixture.h"
#include "host/dialog/DialogSession.h"

namespace dialogtest {
namespace {

const ADMItemSuite* Items() {
    return oxhost::ItemSuiteTable();
}

void HOSTAPI_CALL ItemPassesOn(ADMItemRef item, ADMNotifierRef notifier) {
    Log().push_back("item");
    Items()->DefaultNotify(item, notifier);
}

void HOSTAPI_CALL ItemKeeps(ADMItemRef /*item*/, ADMNotifierRef /*notifier*/) {
    Log().push_back("item keeps it");
}

void HOSTAPI_CALL DialogHears(ADMDialogRef /*dialog*/, ADMNotifierRef notifier) {
    const ADMNotifierSuite* notifiers = oxhost::NotifierSuiteTable();
    Log().push_back(
        std::string("dialog ") +
        (notifiers->IsNotifierType(notifier, kADMUserChangedNotifier) ? "changed" : "other") +
        " id " + std::to_string(Items()->GetID(notifiers->GetItem(notifier))));
}

int32_t lastAction = 0;
ADMPoint lastPoint{-1, -1};

ADMBoolean HOSTAPI_CALL TrackAsks(ADMItemRef /*item*/, ADMTrackerRef tracker) {
    lastAction = oxhost::TrackerSuiteTable()->GetAction(tracker);
    oxhost::TrackerSuiteTable()->GetPoint(tracker, &lastPoint);
    Log().push_back("track");
    return 1;
}

ADMBoolean HOSTAPI_CALL TrackDeclines(ADMItemRef /*item*/, ADMTrackerRef /*tracker*/) {
    Log().push_back("track");
    return 0;
}

void HOSTAPI_CALL DrawSwatchLike(ADMItemRef /*item*/, ADMDrawerRef drawer) {
    const ADMDrawerSuite* drawers = oxhost::DrawerSuiteTable();
    const ADMRect outer{0, 0, 28, 28};
    const ADMRect inner{2, 2, 26, 26};
    const RGBColor color{65280, 0, 256};
    drawers->SetADMColor(drawer, kADMDisabledColor);
    drawers->DrawRect(drawer, &outer);
    drawers->SetRGBColor(drawer, &color);
    drawers->FillRect(drawer, &inner);
}

class EventsTest : public ToolkitTest {
protected:
    void SetUp() override {
        ToolkitTest::SetUp();
        dialog = NewDialog();
        model = toolkit.FindDialog(dialog);
        dialogs->SetNotifyProc(dialog, DialogHears);
    }
    void TearDown() override {
        dialogs->Destroy(dialog);
        ToolkitTest::TearDown();
    }
    oxhost::ToolkitItem& Model(ADMItemRef item) { return *toolkit.FindItem(item); }

    ADMDialogRef dialog = nullptr;
    oxhost::ToolkitDialog* model = nullptr;
};

TEST_F(EventsTest, ItemDefaultNotifyPassesTheNotificationToTheDialog) {
    ADMItemRef plain = NewItem(dialog, kADMTextCheckBoxType, 30);
    ADMItemRef passing = NewItem(dialog, kADMTextCheckBoxType, 31);
    ADMItemRef keeping = NewItem(dialog, kADMTextCheckBoxType, 32);
    items->SetNotifyProc(passing, ItemPassesOn);
    items->SetNotifyProc(keeping, ItemKeeps);
    toolkit.NotifyItem(Model(plain), kADMUserChangedNotifier);
    toolkit.NotifyItem(Model(passing), kADMUserChangedNotifier);
    toolkit.NotifyItem(Model(keeping), kADMUserChangedNotifier);
    const std::vector<std::string> expected = {"dialog changed id 30", "item",
                                               "dialog changed id 31", "item keeps it"};
    EXPECT_EQ(Log(), expected);
}

TEST_F(EventsTest, TrackAnsweringTrueMakesTheToolkitNotifyTheItem) {
    ADMItemRef asking = NewItem(dialog, kADMUserType, 40);
    ADMItemRef declining = NewItem(dialog, kADMUserType, 41);
    items->SetTrackProc(asking, TrackAsks);
    items->SetTrackProc(declining, TrackDeclines);
    EXPECT_TRUE(toolkit.TrackItem(Model(asking), kADMButtonUpAction));
    EXPECT_EQ(lastAction, -2);
    EXPECT_EQ(lastPoint.h, 0);  // a release tracked for the item as a whole
    EXPECT_EQ(lastPoint.v, 0);
    EXPECT_FALSE(toolkit.TrackItem(Model(declining), kADMButtonUpAction));
    const std::vector<std::string> expected = {"track", "dialog changed id 40", "track"};
    EXPECT_EQ(Log(), expected);
}

TEST_F(EventsTest, ReleasesAreTrackedOnlyWhileTheMaskAsksForThem) {
    ADMItemRef item = NewItem(dialog, kADMUserType);
    items->SetTrackProc(item, TrackAsks);
    EXPECT_EQ(items->GetMask(item) & kADMButtonUpMask, kADMButtonUpMask);
    items->SetMask(item, 0);
    EXPECT_FALSE(toolkit.TrackItem(Model(item), kADMButtonUpAction));
    EXPECT_TRUE(Log().empty());
}

TEST_F(EventsTest, DrawingIsRecordedInOrder) {
    ADMItemRef item = NewItem(dialog, kADMUserType);
    items->SetDrawProc(item, DrawSwatchLike);
    items->Update(item);  // not invalidated: nothing drawn
    EXPECT_EQ(Model(item).drawCount, 0);
    items->Invalidate(item);
    items->Update(item);
    const oxhost::Drawing& drawing = Model(item).lastDrawing;
    ASSERT_EQ(drawing.size(), 4u);
    using Kind = oxhost::DrawOperation::Kind;
    EXPECT_EQ(drawing[0].kind, Kind::ToolkitColor);
    EXPECT_EQ(drawing[0].color, kADMDisabledColor);
    EXPECT_EQ(drawing[1].kind, Kind::Outline);
    EXPECT_EQ(drawing[1].rect.right, 28);
    EXPECT_EQ(drawing[2].kind, Kind::RgbColor);
    EXPECT_EQ(drawing[2].rgb.red, 65280);
    EXPECT_EQ(drawing[2].rgb.blue, 256);
    EXPECT_EQ(drawing[3].kind, Kind::Fill);
    EXPECT_EQ(drawing[3].rect.left, 2);
    EXPECT_EQ(drawing[3].rect.bottom, 26);
}

TEST_F(EventsTest, OkEndsAModalDialogThroughTheDialogDefault) {
    model->modal = true;
    dialogs->SetNotifyProc(dialog, nullptr);
    toolkit.NotifyItem(*model->FindItem(1), kADMUserChangedNotifier);
    EXPECT_EQ(model->endedBy, 1);
    toolkit.NotifyItem(*model->FindItem(2), kADMUserChangedNotifier);
    EXPECT_EQ(model->endedBy, 1);  // the first ending stands
}

TEST_F(EventsTest, ModelessDialogsAreNotEndedByTheirButtons) {
    dialogs->SetNotifyProc(dialog, nullptr);
    toolkit.NotifyItem(*model->FindItem(1), kADMUserChangedNotifier);
    EXPECT_EQ(model->endedBy, 0);
}

}  // namespace
}  // namespace dialogtest
