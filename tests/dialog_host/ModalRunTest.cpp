// A modal run from start to end: init, the face, the closing deactivation,
// and the destroy callbacks of every item and of the dialog.
#include "ToolkitFixture.h"
#include "host/dialog/DialogSession.h"

namespace dialogtest {
namespace {

const ADMDialogSuite* Dialogs() {
    return oxhost::DialogSuiteTable();
}
const ADMItemSuite* Items() {
    return oxhost::ItemSuiteTable();
}

class FaceEndingWith : public oxhost::DialogFace {
public:
    explicit FaceEndingWith(int32_t id) : id(id) {}
    int32_t Run(oxhost::DialogSession& session) override {
        Log().push_back("face sees " + std::to_string(session.Dialog().items.size()) + " items");
        return id;
    }
    int32_t id;
};

void HOSTAPI_CALL ItemDestroyed(ADMItemRef item) {
    Log().push_back("destroy item " + std::to_string(Items()->GetID(item)));
}

void HOSTAPI_CALL DialogDestroyed(ADMDialogRef dialog) {
    Log().push_back("destroy dialog, user data " +
                    std::string(static_cast<const char*>(Dialogs()->GetUserData(dialog))));
}

void HOSTAPI_CALL DialogNotified(ADMDialogRef /*dialog*/, ADMNotifierRef notifier) {
    char type[64];
    oxhost::NotifierSuiteTable()->GetNotifierType(notifier, type, sizeof(type));
    Log().push_back(std::string("notified ") + type);
}

SPErr HOSTAPI_CALL InitWithOneItem(ADMDialogRef dialog) {
    Log().push_back("init");
    const ADMRect bounds{0, 0, 10, 10};
    ADMItemRef item =
        Dialogs()->CreateItem(dialog, 50, kADMTextCheckBoxType, &bounds, nullptr, nullptr, 0);
    Items()->SetDestroyProc(item, ItemDestroyed);
    Items()->SetDestroyProc(Dialogs()->GetItem(dialog, 1), ItemDestroyed);
    Dialogs()->SetDestroyProc(dialog, DialogDestroyed);
    Dialogs()->SetNotifyProc(dialog, DialogNotified);
    return kSPNoError;
}

SPErr HOSTAPI_CALL FailingInit(ADMDialogRef dialog) {
    Log().push_back("init");
    Dialogs()->SetDestroyProc(dialog, DialogDestroyed);
    Dialogs()->SetNotifyProc(dialog, DialogNotified);
    return kADMBadParameterError;
}

class ModalRunTest : public ToolkitTest {};

TEST_F(ModalRunTest, InitRunsBeforeTheFaceAndEverythingIsDestroyedOnClosing) {
    FaceEndingWith face(1);
    toolkit.SetFace(&face);
    char userData[] = "kept";
    const int32_t ended =
        dialogs->Modal(nullptr, "test", 16001, kADMModalDialogStyle, InitWithOneItem, userData, 0);
    EXPECT_EQ(ended, 1);
    const std::vector<std::string> expected = {
        "init",           "face sees 3 items", "notified ADM Deactivate Window Notifier",
        "destroy item 1", "destroy item 50",   "destroy dialog, user data kept"};
    EXPECT_EQ(Log(), expected);
}

TEST_F(ModalRunTest, FailedInitEndsWithCancelWithoutShowingTheDialog) {
    FaceEndingWith face(1);
    toolkit.SetFace(&face);
    char userData[] = "x";
    EXPECT_EQ(dialogs->Modal(nullptr, "test", 16001, 0, FailingInit, userData, 0), 2);
    const std::vector<std::string> expected = {"init", "destroy dialog, user data x"};
    EXPECT_EQ(Log(), expected);
}

TEST_F(ModalRunTest, WithoutAFaceTheDialogIsCancelled) {
    char userData[] = "y";
    EXPECT_EQ(dialogs->Modal(nullptr, "test", 16001, 0, InitWithOneItem, userData, 0), 2);
    EXPECT_EQ(Log().front(), "init");
}

TEST_F(ModalRunTest, DefaultShellIsUsedWhenThePluginHasNoDialogResource) {
    oxhost::ToolkitDialog* seen = nullptr;
    struct Peek : oxhost::DialogFace {
        oxhost::ToolkitDialog** seen;
        ADMRect rect{};
        std::string caption;
        int32_t Run(oxhost::DialogSession& session) override {
            *seen = &session.Dialog();
            rect = session.Dialog().localRect;
            caption = session.Dialog().caption;
            return 2;
        }
    } face;
    face.seen = &seen;
    toolkit.SetFace(&face);
    dialogs->Modal(nullptr, "Named", 16001, 0, nullptr, nullptr, 0);
    EXPECT_NE(seen, nullptr);
    EXPECT_EQ(face.caption, "Named");
    EXPECT_EQ(face.rect.right, 300);
    EXPECT_EQ(face.rect.bottom, 200);
}

}  // namespace
}  // namespace dialogtest
