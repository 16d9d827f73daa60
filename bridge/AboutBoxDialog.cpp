#include "AboutBoxDialog.h"

#include <string>

#include "GetFileListSuite.h"
#include "ScopedSuite.h"

namespace {

constexpr int32_t kTextBufferSize = 256;
// The loader is told one byte less than the buffer holds, so the text has
// at most 254 characters and its terminator.
constexpr int32_t kAboutTextCapacity = kTextBufferSize - 1;
constexpr char kWebAddressPrefix[] = "http://";
constexpr uint8_t kEscape = 27;
constexpr uint8_t kReturn = 13;

}  // namespace

void CAboutBox::Init() {
    char text[kTextBufferSize] = {};
    platform.LoadText(dialogId, text, kAboutTextCapacity);
    platform.SetItemText(window, kAboutTextItem, text);
}

void CAboutBox::Command(int32_t itemId) {
    if (itemId != kAboutSiteButton && itemId != kAboutSecondSiteButton) {
        return;
    }
    char text[kTextBufferSize] = {};
    platform.GetItemText(window, itemId, text, kTextBufferSize);
    const std::string address = kWebAddressPrefix + std::string(text);

    ScopedSuite fileList(kGetFileListSuiteName, kGetFileListSuiteVersion);
    const GetFileListSuite* suite = fileList.As<GetFileListSuite>();
    if (suite->BrowseUrl != nullptr) {
        suite->BrowseUrl(address.c_str());
    }
}

void CAboutBox::Message(uint32_t message, uintptr_t wordParam, intptr_t /*longParam*/) {
    if (message == kDialogCharacterMessage) {
        const uint8_t character = uint8_t(wordParam & 0xFF);
        if (character == kEscape || character == kReturn) {
            platform.EndModal(window, 0);
        }
    } else if (message == kDialogLeftButtonDownMessage) {
        platform.EndModal(window, 0);
    }
}

int32_t ShowAboutBox(NativeDialogs& platform, void* plugInRef, int32_t dialogId) {
    CAboutBox box(platform);
    return box.DoModal(plugInRef, dialogId);
}
