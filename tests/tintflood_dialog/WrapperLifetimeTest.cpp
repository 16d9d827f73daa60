// Who deletes what: item wrappers go with their items, a modal dialog
// object outlives its dialog, and callbacks without an object are harmless.
#include "DialogHost.h"
#include "DialogSuites.h"
#include "DialogWrapper.h"
#include "ItemWrapper.h"
#include "PluginGlobals.h"
#include "host/dialog/DialogSession.h"
#include "host/run/SuiteRegistry.h"

namespace tintflooddialog {
namespace {

using oxhost::DialogStep;

int wrappersDeleted = 0;
std::vector<std::string> calls;

class CountedItem : public CItemWrapper {
public:
    explicit CountedItem(ADMItemRef item) : CItemWrapper(item, 0) {}
    ~CountedItem() override { ++wrappersDeleted; }
    bool Track(ADMTrackerRef tracker) override {
        calls.push_back("track");
        CItemWrapper::Track(tracker);
        return true;
    }
    void Notify(ADMNotifierRef notifier) override {
        calls.push_back("item notify");
        CItemWrapper::Notify(notifier);
    }
};

class TwoItemDialog : public CDialogWrapper {
public:
    SPErr Init() override {
        const SPErr result = CDialogWrapper::Init();
        const ADMRect bounds{0, 0, 28, 28};
        for (int i = 0; i < 2; ++i) {
            ADMItemRef item = DialogSuites.dialog->CreateItem(Dialog(), 0, kADMUserType, &bounds,
                                                              nullptr, nullptr, 0);
            DialogSuites.item->SetTipString(item, i == 0 ? "first" : "second");
            new CountedItem(item);
        }
        return result;
    }
    void Notify(ADMNotifierRef notifier) override {
        calls.push_back(DialogSuites.notifier->IsNotifierType(notifier, kADMUserChangedNotifier)
                            ? "dialog changed"
                            : "dialog other");
        CDialogWrapper::Notify(notifier);
    }
    void Destroying() override { calls.push_back("destroying"); }
};

class WrapperLifetimeTest : public DialogHostTest {
protected:
    void SetUp() override {
        DialogHostTest::SetUp();
        basicSuite = oxhost::SuiteRegistry::Instance().BasicSuite();
        ASSERT_TRUE(AcquireDialogSuites());
        wrappersDeleted = 0;
        calls.clear();
    }
    void TearDown() override {
        oxhost::DialogToolkit::Instance().SetFace(nullptr);
        ReleaseDialogSuites();
        DialogHostTest::TearDown();
    }
};

TEST_F(WrapperLifetimeTest, ItemDestroyCallbacksDeleteTheWrappersAndNothingIsLeftAfterModal) {
    oxhost::ScriptedFace face({DialogStep::Click("first"), DialogStep::PressOk()});
    oxhost::DialogToolkit::Instance().SetFace(&face);
    {
        TwoItemDialog dialog;
        EXPECT_EQ(dialog.Modal(nullptr, "test", 16001, 0, 0), 1);
        EXPECT_EQ(wrappersDeleted, 2);
        EXPECT_EQ(dialog.Dialog(), nullptr);
        EXPECT_TRUE(dialog.IsModal());
        EXPECT_EQ(oxhost::DialogToolkit::Instance().LiveItemCount(), 0u);
    }
    // Deleting the object afterwards destroys nothing more.
    EXPECT_EQ(wrappersDeleted, 2);
    const std::vector<std::string> expected = {"track",          "item notify",  "dialog changed",
                                               "dialog changed", "dialog other", "destroying"};
    EXPECT_EQ(calls, expected);
}

TEST_F(WrapperLifetimeTest, DeletingAWrapperWhileItsItemLivesDestroysTheItem) {
    oxhost::ScriptedFace face({DialogStep::Inspect([](oxhost::DialogSession& session) {
                                   oxhost::ToolkitItem* first = session.Find("first");
                                   delete static_cast<CItemWrapper*>(first->userData);
                                   EXPECT_EQ(session.Find("first"), nullptr);
                               }),
                               DialogStep::PressCancel()});
    oxhost::DialogToolkit::Instance().SetFace(&face);
    TwoItemDialog dialog;
    EXPECT_EQ(dialog.Modal(nullptr, "test", 16001, 0, 0), 2);
    EXPECT_EQ(wrappersDeleted, 2);
}

TEST_F(WrapperLifetimeTest, CallbacksWithoutAnObjectAreHarmless) {
    const ADMDialogSuite* dialogs = DialogSuites.dialog;
    ADMDialogRef bare = dialogs->Create(nullptr, "bare", 1, 0, nullptr, nullptr, 0);
    EXPECT_EQ(DialogInitProc(bare), kADMBadParameterError);
    EXPECT_EQ(DialogTrackProc(bare, nullptr), 0);
    DialogNotifyProc(bare, nullptr);
    DialogDestroyProc(bare);
    ADMItemRef item = dialogs->GetItem(bare, 1);
    EXPECT_EQ(ItemInitProc(item), kADMBadParameterError);
    EXPECT_EQ(ItemTrackProc(item, nullptr), 0);
    float number = 0;
    EXPECT_EQ(ItemTextToFloatProc(item, "3", &number), 0);
    EXPECT_EQ(ItemFloatToTextProc(item, 3, nullptr, 0), 0);
    ItemDestroyProc(item);
    dialogs->Destroy(bare);
}

}  // namespace
}  // namespace tintflooddialog
