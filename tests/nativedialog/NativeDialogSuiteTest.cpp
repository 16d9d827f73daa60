// The native dialog suite's C table over the scripted face: boxes built from
// templates, messages to the procedure, item texts and window geometry.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "host/nativedialog/NativeDialogSuiteTable.h"
#include "host/nativedialog/ScriptedBoxFace.h"
#include "host/run/SuiteRegistry.h"

namespace {

using oxhost::BoxStep;
using oxhost::ScriptedBoxFace;

constexpr uint32_t kSystemMenuStyle = 0x00080000;
constexpr uint32_t kChildVisible = 0x50000000;  // WS_CHILD | WS_VISIBLE

struct Message {
    OxWindowRef window;
    uint32_t message;
    uintptr_t wordParam;
    intptr_t longParam;
};

// What the test procedure heard, and what it does on each message.
struct ProcedureLog {
    std::vector<Message> messages;
    std::function<void(const Message&)> onMessage;
};

ProcedureLog& Log() {
    static ProcedureLog log;
    return log;
}

intptr_t HOSTAPI_CALL TestProcedure(OxWindowRef window, uint32_t message, uintptr_t wordParam,
                                    intptr_t longParam) {
    const Message heard{window, message, wordParam, longParam};
    Log().messages.push_back(heard);
    if (Log().onMessage) {
        Log().onMessage(heard);
    }
    return 1;
}

std::vector<unsigned char> SmallBox(uint32_t style = 0) {
    oxres::DialogTemplate dialog;
    dialog.style = style;
    dialog.width = 100;
    dialog.height = 40;
    dialog.items.push_back({kChildVisible, 0, 4, 4, 60, 16, 3, "STATIC", "Static"});
    dialog.items.push_back({kChildVisible, 0, 10, 24, 40, 12, 4, "BUTTON", "www.oxlen.example"});
    return oxres::WriteDialogTemplate(dialog);
}

class NativeDialogSuiteTest : public ::testing::Test {
protected:
    void SetUp() override { Log() = ProcedureLog(); }
    void TearDown() override { oxhost::UnregisterNativeDialogSuite(); }

    intptr_t Run(ScriptedBoxFace& face, const std::vector<unsigned char>& bytes,
                 OxWindowRef owner = nullptr, intptr_t initParam = 0) {
        oxhost::RegisterNativeDialogSuite(face);
        return suite->RunModal(bytes.data(), bytes.size(), owner, TestProcedure, initParam);
    }

    const NativeDialogSuite* suite = oxhost::NativeDialogSuiteTable();
};

TEST_F(NativeDialogSuiteTest, InitMessageCarriesTheInitParameterBeforeAnyStep) {
    ScriptedBoxFace face({BoxStep::TypeCharacter('x'), BoxStep::EndWith(5)});
    EXPECT_EQ(Run(face, SmallBox(), nullptr, 1234), 5);
    ASSERT_EQ(Log().messages.size(), 2u);
    EXPECT_EQ(Log().messages[0].message, uint32_t(kOxDialogInitMessage));
    EXPECT_EQ(Log().messages[0].longParam, 1234);
    EXPECT_NE(Log().messages[0].window, nullptr);
    EXPECT_EQ(Log().messages[1].message, uint32_t(kOxDialogCharacterMessage));
    EXPECT_EQ(Log().messages[1].wordParam, uintptr_t('x'));
    EXPECT_EQ(Log().messages[1].window, Log().messages[0].window);
}

TEST_F(NativeDialogSuiteTest, StepsBecomeCommandAndButtonMessages) {
    ScriptedBoxFace face({BoxStep::PressItem(4), BoxStep::Click(), BoxStep::EndWith(0)});
    Run(face, SmallBox());
    ASSERT_EQ(Log().messages.size(), 3u);
    EXPECT_EQ(Log().messages[1].message, uint32_t(kOxDialogCommandMessage));
    EXPECT_EQ(Log().messages[1].wordParam & 0xFFFF, 4u);
    EXPECT_EQ(Log().messages[2].message, uint32_t(kOxDialogLeftButtonDownMessage));
}

TEST_F(NativeDialogSuiteTest, EndModalResultIsReturnedAndStopsTheSteps) {
    Log().onMessage = [this](const Message& heard) {
        if (heard.message == kOxDialogCharacterMessage && heard.wordParam == 'q') {
            suite->EndModal(heard.window, 42);
        }
    };
    ScriptedBoxFace face(
        {BoxStep::TypeCharacter('a'), BoxStep::TypeCharacter('q'), BoxStep::TypeCharacter('z')});
    EXPECT_EQ(Run(face, SmallBox()), 42);
    EXPECT_EQ(face.StepsLeft(), 1u);
    ASSERT_EQ(face.Shown().size(), 1u);
    EXPECT_TRUE(face.Shown()[0].ended);
    EXPECT_EQ(face.Shown()[0].stepsTaken, 2);
}

TEST_F(NativeDialogSuiteTest, ABoxLeftOpenWhenTheStepsRunOutReturnsMinusOne) {
    ScriptedBoxFace face({BoxStep::TypeCharacter('a')});
    EXPECT_EQ(Run(face, SmallBox()), -1);
    EXPECT_FALSE(face.Shown()[0].ended);
}

TEST_F(NativeDialogSuiteTest, InvalidTemplateOrNoFaceShowsNothing) {
    ScriptedBoxFace face({BoxStep::EndWith(0)});
    std::vector<unsigned char> broken = SmallBox();
    broken.resize(broken.size() - 3);
    EXPECT_EQ(Run(face, broken), -1);
    EXPECT_TRUE(Log().messages.empty());
    EXPECT_TRUE(face.Shown().empty());

    oxhost::UnregisterNativeDialogSuite();
    const std::vector<unsigned char> good = SmallBox();
    EXPECT_EQ(suite->RunModal(good.data(), good.size(), nullptr, TestProcedure, 0), -1);
    EXPECT_TRUE(Log().messages.empty());
}

TEST_F(NativeDialogSuiteTest, ItemTextsSetAtInitAreWhatTheBoxShows) {
    Log().onMessage = [this](const Message& heard) {
        if (heard.message == kOxDialogInitMessage) {
            suite->SetItemText(heard.window, 3, "About\ntext \xAE");
            suite->SetItemText(heard.window, 99, "nobody");  // unknown: ignored
        }
    };
    ScriptedBoxFace face({BoxStep::EndWith(0)});
    Run(face, SmallBox());
    const auto& texts = face.Shown()[0].texts;
    EXPECT_EQ(texts.at(3), "About\ntext \xAE");
    EXPECT_EQ(texts.at(4), "www.oxlen.example");
    EXPECT_EQ(texts.count(99), 0u);
}

TEST_F(NativeDialogSuiteTest, GetItemTextTruncatesToTheCapacity) {
    std::vector<std::string> read;
    std::vector<int32_t> counts;
    Log().onMessage = [&](const Message& heard) {
        if (heard.message != kOxDialogInitMessage) {
            return;
        }
        for (int32_t capacity : {64, 4, 1}) {
            char buffer[64];
            std::memset(buffer, '#', sizeof buffer);
            counts.push_back(suite->GetItemText(heard.window, 3, buffer, capacity));
            read.push_back(buffer);
        }
        char buffer[8] = "junk";
        counts.push_back(suite->GetItemText(heard.window, 77, buffer, 8));
        read.push_back(buffer);
        counts.push_back(suite->GetItemText(nullptr, 3, buffer, 8));
    };
    ScriptedBoxFace face({BoxStep::EndWith(0)});
    Run(face, SmallBox());
    EXPECT_EQ(read, (std::vector<std::string>{"Static", "Sta", "", ""}));
    EXPECT_EQ(counts, (std::vector<int32_t>{6, 3, 0, 0, 0}));
}

TEST_F(NativeDialogSuiteTest, GeometryAnswersAgree) {
    OxScreenRect client = {}, desktop = {}, moved = {};
    int32_t x = 10, y = 20;
    OxWindowRef parent = reinterpret_cast<OxWindowRef>(1), active = nullptr;
    SPBoolean systemMenu = 1;
    Log().onMessage = [&](const Message& heard) {
        if (heard.message != kOxDialogInitMessage) {
            return;
        }
        suite->ClientRect(heard.window, &client);
        suite->ClientRect(suite->DesktopWindow(), &desktop);
        suite->MoveWindow(heard.window, 100, 50);
        suite->WindowRect(heard.window, &moved);
        suite->ClientToScreen(heard.window, &x, &y);
        parent = suite->ParentWindow(heard.window);
        active = suite->ActiveWindow();
        systemMenu = suite->HasSystemMenu(heard.window);
    };
    ScriptedBoxFace face({BoxStep::EndWith(0)}, 800, 600);
    Run(face, SmallBox());
    // 100 x 40 dialog units are 150 x 65 px.
    EXPECT_EQ(client.left, 0);
    EXPECT_EQ(client.top, 0);
    EXPECT_EQ(client.right, 150);
    EXPECT_EQ(client.bottom, 65);
    EXPECT_EQ(desktop.right, 800);
    EXPECT_EQ(desktop.bottom, 600);
    EXPECT_EQ(moved.left, 100);
    EXPECT_EQ(moved.top, 50);
    EXPECT_EQ(moved.right, 250);
    EXPECT_EQ(moved.bottom, 115);
    EXPECT_EQ(x, 110);
    EXPECT_EQ(y, 70);
    EXPECT_EQ(parent, nullptr);
    EXPECT_EQ(active, Log().messages[0].window);
    EXPECT_EQ(systemMenu, 0);
    EXPECT_EQ(face.Shown()[0].frame.left, 100);
    EXPECT_EQ(suite->SystemMetric(kOxMetricScreenWidth), 800);
    EXPECT_EQ(suite->SystemMetric(kOxMetricScreenHeight), 600);
    EXPECT_EQ(suite->SystemMetric(kOxMetricTitleButtonWidth), ScriptedBoxFace::kTitleButtonWidth);
}

TEST_F(NativeDialogSuiteTest, OwnerIsTheParentAndTheSystemMenuComesFromTheStyle) {
    OxWindowRef parent = nullptr;
    SPBoolean systemMenu = 0;
    Log().onMessage = [&](const Message& heard) {
        parent = suite->ParentWindow(heard.window);
        systemMenu = suite->HasSystemMenu(heard.window);
    };
    int owner = 0;
    ScriptedBoxFace face({BoxStep::EndWith(0)});
    Run(face, SmallBox(kSystemMenuStyle), &owner);
    EXPECT_EQ(parent, &owner);
    EXPECT_NE(systemMenu, 0);
}

TEST_F(NativeDialogSuiteTest, ClosedBoxesAndUnknownWindowsAreIgnored) {
    OxWindowRef boxWindow = nullptr;
    Log().onMessage = [&](const Message& heard) { boxWindow = heard.window; };
    ScriptedBoxFace face({BoxStep::EndWith(3)});
    Run(face, SmallBox());
    ASSERT_NE(boxWindow, nullptr);

    OxScreenRect rect = {1, 2, 3, 4};
    suite->ClientRect(boxWindow, &rect);  // closed now
    suite->WindowRect(&rect, &rect);
    suite->EndModal(boxWindow, 9);
    suite->SetItemText(boxWindow, 3, "late");
    EXPECT_EQ(rect.left, 1);
    EXPECT_EQ(rect.bottom, 4);
    EXPECT_EQ(suite->ParentWindow(boxWindow), nullptr);
    EXPECT_EQ(suite->ActiveWindow(), nullptr);
}

TEST_F(NativeDialogSuiteTest, BrowseUrlIsRecordedByTheScriptedFace) {
    ScriptedBoxFace face({});
    oxhost::RegisterNativeDialogSuite(face);
    EXPECT_EQ(oxhost::BrowserSuiteTable()->BrowseUrl("http://www.oxlen.example"), kSPNoError);
    EXPECT_EQ(face.OpenedAddresses(), std::vector<std::string>{"http://www.oxlen.example"});
    EXPECT_NE(oxhost::BrowserSuiteTable()->BrowseUrl(nullptr), kSPNoError);
}

TEST_F(NativeDialogSuiteTest, RegistrationServesBothSuitesAndGivesTheOldFileListBack) {
    static const GetFileListSuite earlier{};
    oxhost::SuiteRegistry& registry = oxhost::SuiteRegistry::Instance();
    registry.Register(kGetFileListSuiteName, kGetFileListSuiteVersion, &earlier);
    const void* served = nullptr;
    {
        ScriptedBoxFace face({});
        oxhost::NativeDialogRegistration registration(face);
        ASSERT_EQ(registry.Acquire(kOxNativeDialogSuiteName, kOxNativeDialogSuiteVersion, &served),
                  kSPNoError);
        EXPECT_EQ(served, oxhost::NativeDialogSuiteTable());
        registry.Release(kOxNativeDialogSuiteName, kOxNativeDialogSuiteVersion);
        ASSERT_EQ(registry.Acquire(kGetFileListSuiteName, kGetFileListSuiteVersion, &served),
                  kSPNoError);
        EXPECT_EQ(served, oxhost::BrowserSuiteTable());
        registry.Release(kGetFileListSuiteName, kGetFileListSuiteVersion);
    }
    EXPECT_EQ(registry.Acquire(kOxNativeDialogSuiteName, kOxNativeDialogSuiteVersion, &served),
              kSPSuiteNotFoundError);
    ASSERT_EQ(registry.Acquire(kGetFileListSuiteName, kGetFileListSuiteVersion, &served),
              kSPNoError);
    EXPECT_EQ(served, &earlier);
    registry.Release(kGetFileListSuiteName, kGetFileListSuiteVersion);
    registry.Unregister(kGetFileListSuiteName, kGetFileListSuiteVersion);
}

}  // namespace
