// Items as the suites build them: ids, number fields, radio groups, popups.
#include "ToolkitFixture.h"

extern "C" int ToolkitHeadersCompileAsC(void);

namespace dialogtest {
namespace {

TEST(ToolkitHeaders, CompileAsPlainC) {
    EXPECT_EQ(ToolkitHeadersCompileAsC(), 1);
}

class DialogModelTest : public ToolkitTest {};

TEST_F(DialogModelTest, NewDialogHasOkAndCancelWithTheirIds) {
    ADMDialogRef dialog = NewDialog();
    EXPECT_EQ(dialogs->GetDefaultItemID(dialog), 1);
    EXPECT_EQ(dialogs->GetCancelItemID(dialog), 2);
    char text[8];
    items->GetText(dialogs->GetItem(dialog, 1), text, sizeof(text));
    EXPECT_STREQ(text, "OK");
    items->GetText(dialogs->GetItem(dialog, 2), text, 4);  // cut to 3 characters
    EXPECT_STREQ(text, "Can");
    dialogs->Destroy(dialog);
}

TEST_F(DialogModelTest, ItemsMadeWithIdZeroGetDistinctIdsAndTakenIdsAreRefused) {
    ADMDialogRef dialog = NewDialog();
    std::vector<int32_t> ids;
    for (int i = 0; i < 20; ++i) {
        ids.push_back(items->GetID(NewItem(dialog, kADMTextStaticType)));
    }
    for (size_t i = 0; i < ids.size(); ++i) {
        EXPECT_NE(ids[i], 0);
        EXPECT_NE(ids[i], 1);
        EXPECT_NE(ids[i], 2);
        for (size_t j = i + 1; j < ids.size(); ++j) {
            EXPECT_NE(ids[i], ids[j]);
        }
    }
    EXPECT_EQ(NewItem(dialog, kADMTextStaticType, ids[3]), nullptr);
    EXPECT_EQ(NewItem(dialog, kADMTextStaticType, 1), nullptr);
    ADMItemRef chosen = NewItem(dialog, kADMTextStaticType, 77);
    EXPECT_EQ(items->GetID(chosen), 77);
    EXPECT_EQ(NewItem(dialog, "ADM No Such Type"), nullptr);
    dialogs->Destroy(dialog);
}

TEST_F(DialogModelTest, NumberFieldKeepsItsValueWithinItsBounds) {
    ADMDialogRef dialog = NewDialog();
    ADMItemRef field = NewItem(dialog, kADMTextEditType);
    items->SetIntValue(field, 500);
    items->SetMinIntValue(field, 0);
    items->SetMaxIntValue(field, 100);
    EXPECT_EQ(items->GetIntValue(field), 100);  // moved by the new maximum
    items->SetIntValue(field, 100);
    EXPECT_EQ(items->GetIntValue(field), 100);
    items->SetIntValue(field, 101);
    EXPECT_EQ(items->GetIntValue(field), 100);
    items->SetIntValue(field, -1);
    EXPECT_EQ(items->GetIntValue(field), 0);
    items->SetIntValue(field, 0);
    EXPECT_EQ(items->GetIntValue(field), 0);
    dialogs->Destroy(dialog);
}

TEST_F(DialogModelTest, RadioButtonsOfOneDialogFormOneGroup) {
    ADMDialogRef first = NewDialog();
    ADMDialogRef second = NewDialog();
    ADMItemRef a = NewItem(first, kADMTextRadioButtonType);
    ADMItemRef b = NewItem(first, kADMTextRadioButtonType);
    ADMItemRef check = NewItem(first, kADMTextCheckBoxType);
    ADMItemRef other = NewItem(second, kADMTextRadioButtonType);
    items->SetBooleanValue(check, 1);
    items->SetBooleanValue(other, 1);
    items->SetBooleanValue(a, 1);
    items->SetBooleanValue(b, 1);
    EXPECT_FALSE(items->GetBooleanValue(a));
    EXPECT_TRUE(items->GetBooleanValue(b));
    EXPECT_TRUE(items->GetBooleanValue(check));  // not a radio button
    EXPECT_TRUE(items->GetBooleanValue(other));  // another dialog's group
    items->SetBooleanValue(b, 0);
    EXPECT_FALSE(items->GetBooleanValue(a));  // turning one off turns none on
    dialogs->Destroy(first);
    dialogs->Destroy(second);
}

TEST_F(DialogModelTest, PopupShowsTheEntryLastSelected) {
    ADMDialogRef dialog = NewDialog();
    ADMListRef list = items->GetList(NewItem(dialog, kADMPopupListType));
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(items->GetList(NewItem(dialog, kADMTextEditType)), nullptr);
    EXPECT_EQ(lists->GetActiveEntry(list), nullptr);
    ADMEntryRef last = lists->InsertEntry(list, 5);  // past the end: appended
    ADMEntryRef first = lists->InsertEntry(list, 0);
    EXPECT_EQ(lists->InsertEntry(list, -1), nullptr);
    entries->SetID(first, 10);
    entries->SetID(last, 11);
    EXPECT_EQ(lists->NumberOfEntries(list), 2);
    EXPECT_EQ(entries->GetID(lists->IndexEntry(list, 0)), 10);
    entries->Select(first, 1);
    entries->Select(last, 1);
    EXPECT_EQ(lists->GetActiveEntry(list), last);
    EXPECT_FALSE(entries->IsSelected(first));
    entries->Select(first, 0);  // not the active one: nothing changes
    EXPECT_EQ(lists->GetActiveEntry(list), last);
    entries->Select(last, 0);
    EXPECT_EQ(lists->GetActiveEntry(list), nullptr);
    dialogs->Destroy(dialog);
}

TEST_F(DialogModelTest, ReferencesOfDestroyedObjectsAreIgnored) {
    ADMDialogRef dialog = NewDialog();
    ADMItemRef item = NewItem(dialog, kADMPopupListType);
    ADMListRef list = items->GetList(item);
    ADMEntryRef entry = lists->InsertEntry(list, 0);
    int marker = 0;
    items->SetUserData(item, &marker);
    dialogs->Destroy(dialog);
    EXPECT_EQ(items->GetUserData(item), nullptr);
    EXPECT_EQ(lists->NumberOfEntries(list), 0);
    EXPECT_EQ(entries->GetID(entry), 0);
    EXPECT_EQ(dialogs->GetUserData(dialog), nullptr);
    items->SetIntValue(item, 3);  // no effect, no crash
    dialogs->Destroy(dialog);
}

TEST_F(DialogModelTest, LocalRectangleIsTheBoundsMovedToTheOrigin) {
    ADMDialogRef dialog = NewDialog();
    ADMItemRef item = NewItem(dialog, kADMUserType);
    const ADMRect bounds{135, 20, 163, 48};
    items->SetBoundsRect(item, &bounds);
    ADMRect local{};
    items->GetLocalRect(item, &local);
    EXPECT_EQ(local.left, 0);
    EXPECT_EQ(local.top, 0);
    EXPECT_EQ(local.right, 28);
    EXPECT_EQ(local.bottom, 28);
    const ADMRect size{5, 5, 335, 305};
    dialogs->SetLocalRect(dialog, &size);
    dialogs->GetLocalRect(dialog, &local);
    EXPECT_EQ(local.right, 330);
    EXPECT_EQ(local.bottom, 300);
    dialogs->Destroy(dialog);
}

}  // namespace
}  // namespace dialogtest
