// The palette menu: which entries it offers, which it shows, and what the
// record holds after the dialog.
#include <cstring>

#include "DialogHost.h"
#include "host/dialog/DialogSession.h"

namespace tintflooddialog {
namespace {

using oxhost::DialogSession;
using oxhost::DialogStep;

struct MenuState {
    std::vector<std::string> texts;
    std::vector<int32_t> ids;
    std::string shown;
};

class PaletteMenuTest : public DialogHostTest {
protected:
    // Runs the dialog, reads the menu, then runs `more` and presses OK.
    MenuState Menu(TintfloodSettings& record, const std::vector<std::string>& names,
                   std::vector<DialogStep> more = {}) {
        MenuState state;
        std::vector<DialogStep> steps = {DialogStep::Inspect([&state](DialogSession& session) {
            const oxhost::PopupList& list = *session.Find("Select color pallete")->list;
            for (const auto& entry : list.entries) {
                state.texts.push_back(entry->text);
                state.ids.push_back(entry->id);
            }
            state.shown = list.active != nullptr ? list.active->text : "(none)";
        })};
        steps.insert(steps.end(), more.begin(), more.end());
        steps.push_back(DialogStep::PressOk());
        EXPECT_TRUE(RunDialog(record, names, steps));
        EXPECT_TRUE(lastProblems.empty());
        return state;
    }
};

void SetPalette(TintfloodSettings& record, const char* name, bool random) {
    std::memset(record.paletteFile, 0, sizeof(record.paletteFile));
    std::strncpy(record.paletteFile, name, sizeof(record.paletteFile) - 1);
    record.randomColors = random ? 1 : 0;
}

TEST_F(PaletteMenuTest, WithoutFilesOnlyRandomColorsIsOfferedAndChosen) {
    TintfloodSettings record;
    SetPalette(record, "Gone.aco", false);
    const MenuState menu = Menu(record, {});
    EXPECT_EQ(menu.texts, std::vector<std::string>{"Random Colors"});
    EXPECT_EQ(menu.ids, std::vector<int32_t>{0});
    EXPECT_EQ(menu.shown, "Random Colors");
    EXPECT_EQ(record.randomColors, 1);
    EXPECT_STREQ(record.paletteFile, "Gone.aco");  // left as it was
}

TEST_F(PaletteMenuTest, OneFileIsShownWhenItIsTheSavedOne) {
    TintfloodSettings record;
    SetPalette(record, "Pastels.aco", false);
    const MenuState menu = Menu(record, {"Pastels.aco"});
    EXPECT_EQ(menu.texts, (std::vector<std::string>{"Pastels.aco", "Random Colors"}));
    EXPECT_EQ(menu.ids, (std::vector<int32_t>{0, 1}));
    EXPECT_EQ(menu.shown, "Pastels.aco");
    EXPECT_EQ(record.randomColors, 0);
}

TEST_F(PaletteMenuTest, ThreeFilesWithRandomSetShowRandomAndChoosingOneKeepsIt) {
    TintfloodSettings record;
    SetPalette(record, "b.aco", true);
    const MenuState menu = Menu(record, {"a.aco", "b.aco", "c.aco"},
                                {DialogStep::ChooseEntry("Select color pallete", 2)});
    EXPECT_EQ(menu.texts, (std::vector<std::string>{"a.aco", "b.aco", "c.aco", "Random Colors"}));
    EXPECT_EQ(menu.ids, (std::vector<int32_t>{0, 1, 2, 3}));
    EXPECT_EQ(menu.shown, "Random Colors");
    EXPECT_EQ(record.randomColors, 0);
    EXPECT_STREQ(record.paletteFile, "c.aco");
}

TEST_F(PaletteMenuTest, ChoosingTheSecondFileClearsRandomAndNamesIt) {
    TintfloodSettings record;
    SetPalette(record, "", true);
    Menu(record, {"a.aco", "b.aco", "c.aco"}, {DialogStep::ChooseEntry("Select color pallete", 1)});
    EXPECT_EQ(record.randomColors, 0);
    EXPECT_STREQ(record.paletteFile, "b.aco");
}

TEST_F(PaletteMenuTest, SavedNameNoLongerOfferedFallsBackToTheFirstFile) {
    TintfloodSettings record;
    SetPalette(record, "Gone.aco", false);
    const MenuState menu = Menu(record, {"a.aco", "c.aco"});
    EXPECT_EQ(menu.shown, "a.aco");
    EXPECT_EQ(record.randomColors, 0);
    EXPECT_STREQ(record.paletteFile, "a.aco");
}

TEST_F(PaletteMenuTest, SavedNameMustMatchExactly) {
    TintfloodSettings record;
    SetPalette(record, "b.ACO", false);
    EXPECT_EQ(Menu(record, {"a.aco", "b.aco"}).shown, "a.aco");
}

TEST_F(PaletteMenuTest, LongNamesAreStoredCutTo255Characters) {
    TintfloodSettings record;
    SetPalette(record, "", false);
    const std::string longName = std::string(300, 'p') + ".aco";
    Menu(record, {longName});
    EXPECT_EQ(std::string(record.paletteFile), longName.substr(0, 255));
    EXPECT_EQ(record.paletteFile[255], '\0');
}

}  // namespace
}  // namespace tintflooddialog
