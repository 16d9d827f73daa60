#include "host/dialog/WebBrowser.h"

#include <utility>

#include "host/dialog/FileListSuiteServing.h"

namespace oxhost {
namespace {

BrowserProc& Browser() {
    static BrowserProc browser;
    return browser;
}

std::vector<std::string>& Addresses() {
    static std::vector<std::string> addresses;
    return addresses;
}

SPErr HOSTAPI_CALL BrowseUrl(const char* url) {
    if (url == nullptr) {
        return kSPBadParameterError;
    }
    Addresses().push_back(url);
    return Browser() ? Browser()(url) : kSPNoError;
}

const GetFileListSuite fileListSuite = FileListSuiteServing(BrowseUrl);

}  // namespace

void SetWebBrowser(BrowserProc browser) {
    Browser() = std::move(browser);
}

const std::vector<std::string>& BrowsedAddresses() {
    return Addresses();
}

const GetFileListSuite* FileListSuiteTable() {
    return &fileListSuite;
}

}  // namespace oxhost
