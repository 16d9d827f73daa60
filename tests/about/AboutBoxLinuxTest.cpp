// The About box as a Linux module shows it: through the host's native
// dialog suite, with the dialog template and text from the module's own
// resources (this program embeds TestAbout.rc).
#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "AboutBox.h"
#include "AboutRecord.h"
#include "FakeSuites.h"
#include "FilterSelectors.h"
#include "ResultCodes.h"
#include "bridge/platform/linux/DialogTemplate.h"

extern "C" void PluginMain(int16_t selector, void* block, intptr_t* data, int16_t* result);

namespace {

using abouttest::FakeSuiteScope;
using abouttest::Log;

// A host's box: built from the template, driven by a script of messages.
struct HostBox {
    oxres::DialogTemplate dialog;
    bool templateRead = false;
    std::map<int32_t, std::string> itemTexts;
    std::vector<std::pair<uint32_t, uintptr_t>> script;
    std::vector<intptr_t> endResults;
    OxWindowRef owner = nullptr;
    int runs = 0;
};

HostBox& Box() {
    static HostBox box;
    return box;
}

OxWindowRef const kBoxWindow = reinterpret_cast<OxWindowRef>(0x10);
OxWindowRef const kHostWindow = reinterpret_cast<OxWindowRef>(0x20);

intptr_t HOSTAPI_CALL RunModal(const unsigned char* bytes, size_t size, OxWindowRef owner,
                               OxDialogProc procedure, intptr_t initParam) {
    HostBox& box = Box();
    ++box.runs;
    box.owner = owner;
    box.templateRead = oxres::ReadDialogTemplate(bytes, size, &box.dialog);
    if (!box.templateRead) {
        return -1;
    }
    for (const oxres::DialogItem& item : box.dialog.items) {
        box.itemTexts[item.id] = item.text;
    }
    procedure(kBoxWindow, kOxDialogInitMessage, 0, initParam);
    for (const auto& message : box.script) {
        if (!box.endResults.empty()) {
            break;
        }
        procedure(kBoxWindow, message.first, message.second, 0);
    }
    return box.endResults.empty() ? -1 : box.endResults.front();
}
void HOSTAPI_CALL EndModal(OxWindowRef, intptr_t result) {
    Box().endResults.push_back(result);
}
OxWindowRef HOSTAPI_CALL ActiveWindow() {
    return kHostWindow;
}
void HOSTAPI_CALL SetItemText(OxWindowRef, int32_t itemId, const char* text) {
    Box().itemTexts[itemId] = text;
}
int32_t HOSTAPI_CALL GetItemText(OxWindowRef, int32_t itemId, char* buffer, int32_t capacity) {
    const std::string& text = Box().itemTexts[itemId];
    const size_t count = std::min(text.size(), size_t(capacity - 1));
    std::memcpy(buffer, text.data(), count);
    buffer[count] = '\0';
    return int32_t(count);
}
OxWindowRef HOSTAPI_CALL ParentWindow(OxWindowRef window) {
    return window == kBoxWindow ? kHostWindow : nullptr;
}
OxWindowRef HOSTAPI_CALL DesktopWindow() {
    return nullptr;
}
void HOSTAPI_CALL ClientRect(OxWindowRef, OxScreenRect* rect) {
    *rect = OxScreenRect{0, 0, 800, 600};
}
void HOSTAPI_CALL ClientToScreen(OxWindowRef, int32_t*, int32_t*) {}
void HOSTAPI_CALL WindowRect(OxWindowRef, OxScreenRect* rect) {
    *rect = OxScreenRect{0, 0, 300, 200};
}
SPBoolean HOSTAPI_CALL HasSystemMenu(OxWindowRef) {
    return 0;
}
int32_t HOSTAPI_CALL SystemMetric(int32_t which) {
    return which == kOxMetricTitleButtonWidth ? 18 : 2000;
}
void HOSTAPI_CALL MoveWindow(OxWindowRef, int32_t, int32_t) {}

const NativeDialogSuite kSuite = {RunModal,       EndModal,     ActiveWindow,  SetItemText,
                                  GetItemText,    ParentWindow, DesktopWindow, ClientRect,
                                  ClientToScreen, WindowRect,   HasSystemMenu, SystemMetric,
                                  MoveWindow};

class AboutBoxLinuxTest : public ::testing::Test {
protected:
    void SetUp() override { Box() = HostBox(); }
    FakeSuiteScope suites;
};

TEST_F(AboutBoxLinuxTest, HostBuildsTheBoxFromTheModulesTemplateAndText) {
    Log().nativeDialogs = &kSuite;
    Box().script = {{kOxDialogCommandMessage, 4}, {kOxDialogCharacterMessage, 13}};
    EXPECT_EQ(ShowAboutBox(nullptr, 16000), 0);
    ASSERT_TRUE(Box().templateRead);
    EXPECT_EQ(Box().owner, kHostWindow);
    EXPECT_EQ(Box().dialog.width, 189);
    ASSERT_EQ(Box().dialog.items.size(), 4u);
    EXPECT_EQ(Box().itemTexts[3], "Test\n\nVersion 1.1");
    ASSERT_EQ(Log().browsedUrls.size(), 1u);
    EXPECT_EQ(Log().browsedUrls[0], "http://www.oxlen.example");
    // Both suites released again, the native one last.
    ASSERT_EQ(Log().released.size(), 2u);
    EXPECT_EQ(Log().released[1], "Oxlen Native Dialog Suite/1");
}

TEST_F(AboutBoxLinuxTest, MissingDialogResourceShowsNothing) {
    Log().nativeDialogs = &kSuite;
    EXPECT_EQ(ShowAboutBox(nullptr, 16001), -1);
    EXPECT_EQ(Box().runs, 0);
}

TEST_F(AboutBoxLinuxTest, HostWithoutTheSuiteShowsNothingAndSucceeds) {
    EXPECT_EQ(ShowAboutBox(nullptr, 16000), -1);

    AboutRecord record = {};
    record.sSPBasic = basicSuite;
    intptr_t data = 0;
    int16_t result = 1;
    PluginMain(filterSelectorAbout, &record, &data, &result);
    EXPECT_EQ(result, noErr);
    EXPECT_EQ(data, 0);
}

TEST_F(AboutBoxLinuxTest, IncompleteSuiteIsTreatedAsMissing) {
    NativeDialogSuite partial = kSuite;
    partial.MoveWindow = nullptr;
    Log().nativeDialogs = &partial;
    EXPECT_EQ(ShowAboutBox(nullptr, 16000), -1);
    EXPECT_EQ(Box().runs, 0);
}

TEST_F(AboutBoxLinuxTest, NoSuiteMechanismShowsNothing) {
    basicSuite = nullptr;
    EXPECT_EQ(ShowAboutBox(nullptr, 16000), -1);
}

TEST_F(AboutBoxLinuxTest, SiteFailureReachesTheEntryPointAsBadParameters) {
    Log().nativeDialogs = &kSuite;
    Log().offerFileList = false;
    Box().script = {{kOxDialogCommandMessage, 4}};
    AboutRecord record = {};
    record.sSPBasic = basicSuite;
    intptr_t data = 0;
    int16_t result = 0;
    PluginMain(filterSelectorAbout, &record, &data, &result);
    EXPECT_EQ(result, filterBadParameters);
    EXPECT_EQ(Box().endResults.size(), 1u);
}

}  // namespace
