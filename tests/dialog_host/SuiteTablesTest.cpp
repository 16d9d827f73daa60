// The suite tables as a plug-in calls them: by slot. Every slot of a
// published table must hold a function, the ones this host does not serve
// included, so that no call jumps to null.
#include <cstring>

#include "ToolkitFixture.h"
#include "host/dialog/WebBrowser.h"

namespace dialogtest {
namespace {

// The number of null slots in a table of function pointers.
template <typename Table>
int NullSlots(const Table* table) {
    static_assert(sizeof(Table) % sizeof(void (*)()) == 0, "a table of function pointers");
    int nulls = 0;
    for (size_t offset = 0; offset < sizeof(Table); offset += sizeof(void (*)())) {
        void (*slot)() = nullptr;
        std::memcpy(&slot, reinterpret_cast<const char*>(table) + offset, sizeof(slot));
        nulls += slot == nullptr ? 1 : 0;
    }
    return nulls;
}

template <typename Table>
size_t Slots() {
    return sizeof(Table) / sizeof(void (*)());
}

TEST(SuiteTables, EverySlotOfEveryTableHoldsAFunction) {
    EXPECT_EQ(NullSlots(oxhost::BasicSuiteTable()), 0);
    EXPECT_EQ(NullSlots(oxhost::DialogSuiteTable()), 0);
    EXPECT_EQ(NullSlots(oxhost::ItemSuiteTable()), 0);
    EXPECT_EQ(NullSlots(oxhost::ListSuiteTable()), 0);
    EXPECT_EQ(NullSlots(oxhost::EntrySuiteTable()), 0);
    EXPECT_EQ(NullSlots(oxhost::DrawerSuiteTable()), 0);
    EXPECT_EQ(NullSlots(oxhost::NotifierSuiteTable()), 0);
    EXPECT_EQ(NullSlots(oxhost::TrackerSuiteTable()), 0);
    EXPECT_EQ(NullSlots(oxhost::AccessSuiteTable()), 0);
    EXPECT_EQ(NullSlots(oxhost::FileListSuiteTable()), 0);
}

TEST(SuiteTables, TablesHaveThePublishedSlotCounts) {
    EXPECT_EQ(Slots<ADMBasicSuite>(), 36u);
    EXPECT_EQ(Slots<ADMDialogSuite>(), 90u);
    EXPECT_EQ(Slots<ADMItemSuite>(), 127u);
    EXPECT_EQ(Slots<ADMListSuite>(), 35u);
    EXPECT_EQ(Slots<ADMEntrySuite>(), 44u);
    EXPECT_EQ(Slots<ADMDrawerSuite>(), 63u);
    EXPECT_EQ(Slots<ADMNotifierSuite>(), 5u);
    EXPECT_EQ(Slots<ADMTrackerSuite>(), 11u);
    EXPECT_EQ(Slots<SPAccessSuite>(), 12u);
    EXPECT_EQ(Slots<GetFileListSuite>(), 9u);
}

class ServedTablesTest : public ToolkitTest {};

TEST_F(ServedTablesTest, UnservedSlotsDoNothingAndGiveZero) {
    ADMDialogRef dialog = NewDialog();
    ADMItemRef field = NewItem(dialog, kADMTextEditType);
    items->SetIntValue(field, 7);
    EXPECT_EQ(items->GetFloatValue(field), 0.0f);
    EXPECT_EQ(items->GetDialog(field), nullptr);
    EXPECT_EQ(dialogs->EndModal(dialog, 1, 0), 0);
    EXPECT_EQ(dialogs->GetTextLength(dialog), 0);
    EXPECT_EQ(items->GetIntValue(field), 7);
    dialogs->Destroy(dialog);
}

TEST_F(ServedTablesTest, DefaultAndCancelPseudoIdsNameTheShellsButtons) {
    ADMDialogRef dialog = NewDialog();
    EXPECT_EQ(dialogs->GetItem(dialog, kADMDefaultItemID), dialogs->GetItem(dialog, 1));
    EXPECT_EQ(dialogs->GetItem(dialog, kADMCancelItemID), dialogs->GetItem(dialog, 2));
    EXPECT_NE(dialogs->GetItem(dialog, kADMDefaultItemID), nullptr);
    dialogs->Destroy(dialog);
}

}  // namespace
}  // namespace dialogtest
