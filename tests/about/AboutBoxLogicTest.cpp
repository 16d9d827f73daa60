#include <gtest/gtest.h>

#include "AboutBoxDialog.h"
#include "FakeNativeDialogs.h"
#include "FakeSuites.h"

namespace {

using abouttest::FakeNativeDialogs;
using abouttest::FakeSuiteScope;
using abouttest::Log;
using abouttest::QueuedMessage;

constexpr int32_t kAboutId = 16000;

QueuedMessage Character(char c) {
    return QueuedMessage{kDialogCharacterMessage, uintptr_t(uint8_t(c)), 0};
}
QueuedMessage Command(uintptr_t wordParam) {
    return QueuedMessage{kDialogCommandMessage, wordParam, 0};
}
const QueuedMessage kLeftClick{kDialogLeftButtonDownMessage, 0, 0x00100010};

class AboutBoxTest : public ::testing::Test {
protected:
    void SetUp() override {
        screen.PlaceHost({0, 0}, 1000, 800);
        screen.itemTexts[kAboutSiteButton] = "www.oxlen.example";
    }
    int32_t Run() { return ShowAboutBox(screen, &plugInRef, kAboutId); }

    FakeSuiteScope suites;
    FakeNativeDialogs screen;
    int plugInRef = 0;
};

TEST_F(AboutBoxTest, OpensTheDialogResourceOverTheActiveWindow) {
    Run();
    EXPECT_EQ(screen.runPlugInRef, &plugInRef);
    EXPECT_EQ(screen.runDialogId, kAboutId);
    EXPECT_EQ(screen.runOwner, screen.host);
    EXPECT_EQ(screen.runProcedure, &GenericProc);
    EXPECT_NE(screen.runInitParam, 0);
}

TEST_F(AboutBoxTest, InitShowsTheStringOfTheDialogIdInTheTextItem) {
    screen.strings[kAboutId] = "Tintflood\n\nVersion";
    screen.strings[kAboutId + 1] = "wrong";
    Run();
    EXPECT_EQ(screen.itemTexts[kAboutTextItem], "Tintflood\n\nVersion");
    ASSERT_EQ(screen.loadTextCapacities.size(), 1u);
    EXPECT_EQ(screen.loadTextCapacities[0], 255);
}

TEST_F(AboutBoxTest, AboutTextIsCutTo254Characters) {
    screen.strings[kAboutId] = std::string(300, 'a');
    Run();
    EXPECT_EQ(screen.itemTexts[kAboutTextItem], std::string(254, 'a'));
}

TEST_F(AboutBoxTest, MissingStringShowsAnEmptyText) {
    screen.itemTexts[kAboutTextItem] = "Static";
    Run();
    EXPECT_EQ(screen.itemTexts[kAboutTextItem], "");
}

TEST_F(AboutBoxTest, EscapeAndReturnCloseWithZero) {
    screen.queuedMessages = {Character(27)};
    EXPECT_EQ(Run(), 0);

    FakeNativeDialogs second;
    second.queuedMessages = {Character(13)};
    EXPECT_EQ(ShowAboutBox(second, nullptr, kAboutId), 0);
}

TEST_F(AboutBoxTest, OtherCharactersLeaveTheBoxOpen) {
    screen.queuedMessages = {Character('a'), Character('Q'), Character(' '), Character(10)};
    EXPECT_EQ(Run(), -1);
    EXPECT_TRUE(screen.endResults.empty());
    EXPECT_EQ(screen.messagesDelivered, 4u);
}

TEST_F(AboutBoxTest, HighBitsOfTheWordParameterAreIgnoredForCharacters) {
    screen.queuedMessages = {QueuedMessage{kDialogCharacterMessage, 0x7700 + 27, 0}};
    EXPECT_EQ(Run(), 0);
}

TEST_F(AboutBoxTest, LeftClickClosesWithZero) {
    screen.queuedMessages = {kLeftClick};
    EXPECT_EQ(Run(), 0);
}

TEST_F(AboutBoxTest, OkAndCancelEndWithTheirId) {
    screen.queuedMessages = {Command(1)};
    EXPECT_EQ(Run(), 1);

    FakeNativeDialogs second;
    second.queuedMessages = {Command(0x50000 + 2)};  // id in the low 16 bits
    EXPECT_EQ(ShowAboutBox(second, nullptr, kAboutId), 2);
}

TEST_F(AboutBoxTest, OtherCommandsLeaveTheBoxOpen) {
    screen.queuedMessages = {Command(3), Command(0), Command(0x10001 + 0xFFFF)};
    EXPECT_EQ(Run(), -1);
    EXPECT_TRUE(Log().browsedUrls.empty());
}

TEST_F(AboutBoxTest, SiteButtonBrowsesHttpAndTheButtonTextExactly) {
    screen.queuedMessages = {Command(kAboutSiteButton), Character(27)};
    EXPECT_EQ(Run(), 0);
    ASSERT_EQ(Log().browsedUrls.size(), 1u);
    EXPECT_EQ(Log().browsedUrls[0], "http://www.oxlen.example");
    const std::vector<std::string> fileList = {"Photoshop GetFileList Suite for Plug-ins/4"};
    EXPECT_EQ(Log().acquired, fileList);
    EXPECT_EQ(Log().released, fileList);
}

TEST_F(AboutBoxTest, ItemFiveBrowsesItsOwnText) {
    screen.itemTexts[kAboutSecondSiteButton] = "other.example/path ";
    screen.queuedMessages = {Command(kAboutSecondSiteButton), kLeftClick};
    Run();
    ASSERT_EQ(Log().browsedUrls.size(), 1u);
    EXPECT_EQ(Log().browsedUrls[0], "http://other.example/path ");
}

TEST_F(AboutBoxTest, LongButtonTextIsReadUpTo255Characters) {
    screen.itemTexts[kAboutSiteButton] = std::string(400, 'w');
    screen.queuedMessages = {Command(kAboutSiteButton), kLeftClick};
    Run();
    ASSERT_EQ(Log().browsedUrls.size(), 1u);
    EXPECT_EQ(Log().browsedUrls[0], "http://" + std::string(255, 'w'));
}

TEST_F(AboutBoxTest, MissingFileListSuiteClosesTheBoxAndFailsAfterIt) {
    Log().offerFileList = false;
    screen.queuedMessages = {Command(kAboutSiteButton), Character(27)};
    try {
        Run();
        ADD_FAILURE() << "no failure reported";
    } catch (int32_t code) {
        EXPECT_EQ(code, kSPSuiteNotFoundError);
    }
    ASSERT_EQ(screen.endResults.size(), 1u);  // closed by the failure, not by Escape
    EXPECT_EQ(screen.messagesDelivered, 1u);
    EXPECT_EQ(activeDialog, nullptr);
}

TEST_F(AboutBoxTest, NoActiveDialogAfterTheBoxCloses) {
    screen.queuedMessages = {Command(2)};
    Run();
    EXPECT_EQ(activeDialog, nullptr);
}

// Records what GenericProc forwards, to see what it does without an object.
class RecordingDialog : public CPlainDialog {
public:
    using CPlainDialog::CPlainDialog;
    void Init() override { ++inits; }
    void Command(int32_t itemId) override { commands.push_back(itemId); }
    void Message(uint32_t message, uintptr_t, intptr_t) override { messages.push_back(message); }
    int inits = 0;
    std::vector<int32_t> commands;
    std::vector<uint32_t> messages;
};

TEST(GenericProcTest, MessagesBeforeInitialisationAreNotForwarded) {
    FakeNativeDialogs screen;
    screen.sendInit = false;
    screen.queuedMessages = {Character(27), kLeftClick, Command(7)};
    RecordingDialog dialog(screen);
    EXPECT_EQ(dialog.DoModal(nullptr, 16000), -1);
    EXPECT_EQ(dialog.inits, 0);
    EXPECT_TRUE(dialog.commands.empty());
    EXPECT_TRUE(dialog.messages.empty());
    EXPECT_EQ(dialog.window, nullptr);
}

TEST(GenericProcTest, InitialisationForwardsEverythingAfterIt) {
    FakeNativeDialogs screen;
    screen.queuedMessages = {QueuedMessage{0x0200, 0, 0}, Command(7), Command(1)};
    RecordingDialog dialog(screen);
    EXPECT_EQ(dialog.DoModal(nullptr, 0x12345), 1);
    EXPECT_EQ(screen.runDialogId, 0x2345);
    EXPECT_EQ(dialog.dialogId, 0x12345);
    EXPECT_EQ(dialog.inits, 1);
    EXPECT_EQ(dialog.commands, (std::vector<int32_t>{7, 1}));
    EXPECT_EQ(dialog.messages, (std::vector<uint32_t>{0x0200}));
}

TEST(GenericProcTest, ReturnValuesTellWhatWasHandled) {
    FakeNativeDialogs screen;
    RecordingDialog dialog(screen);
    screen.sendInit = false;
    screen.queuedMessages = {};
    dialog.DoModal(nullptr, 1);  // makes `screen` the box's platform only while it runs
    EXPECT_EQ(GenericProc(screen.box, kDialogInitMessage, 0, 0), 0);
    EXPECT_EQ(activeDialog, nullptr);
    EXPECT_EQ(GenericProc(screen.box, kDialogCommandMessage, 9, 0), 1);
    EXPECT_EQ(GenericProc(screen.box, kDialogCharacterMessage, 27, 0), 0);
}

}  // namespace
