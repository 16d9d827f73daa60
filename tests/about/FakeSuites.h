// A suite mechanism for the About box tests: serves a file-list suite whose
// BrowseUrl records its address, and counts acquisitions and releases.
#pragma once

#include <cstring>
#include <string>
#include <vector>

#include "GetFileListSuite.h"
#include "NativeDialogSuite.h"
#include "PluginGlobals.h"
#include "SPBasic.h"

namespace abouttest {

struct SuiteLog {
    std::vector<std::string> browsedUrls;
    std::vector<std::string> acquired;  // "name/version"
    std::vector<std::string> released;
    bool offerFileList = true;
    const NativeDialogSuite* nativeDialogs = nullptr;  // offered when set
};

inline SuiteLog& Log() {
    static SuiteLog log;
    return log;
}

inline SPErr HOSTAPI_CALL RecordBrowse(const char* url) {
    Log().browsedUrls.push_back(url);
    return kSPNoError;
}

inline SPErr HOSTAPI_CALL FakeAcquire(const char* name, int32_t version, const void** suite) {
    static const GetFileListSuite fileList = [] {
        GetFileListSuite table{};  // the other slots are never called
        table.BrowseUrl = RecordBrowse;
        return table;
    }();
    if (Log().offerFileList && std::strcmp(name, kGetFileListSuiteName) == 0 &&
        version == kGetFileListSuiteVersion) {
        *suite = &fileList;
    } else if (Log().nativeDialogs != nullptr && std::strcmp(name, kOxNativeDialogSuiteName) == 0 &&
               version == kOxNativeDialogSuiteVersion) {
        *suite = Log().nativeDialogs;
    } else {
        return kSPSuiteNotFoundError;
    }
    Log().acquired.push_back(std::string(name) + "/" + std::to_string(version));
    return kSPNoError;
}

inline SPErr HOSTAPI_CALL FakeRelease(const char* name, int32_t version) {
    Log().released.push_back(std::string(name) + "/" + std::to_string(version));
    return kSPNoError;
}

// Installs the fake mechanism as the module's current one for a test.
class FakeSuiteScope {
public:
    FakeSuiteScope() {
        Log() = SuiteLog();
        suite_.AcquireSuite = FakeAcquire;
        suite_.ReleaseSuite = FakeRelease;
        basicSuite = &suite_;
    }
    ~FakeSuiteScope() { basicSuite = nullptr; }
    FakeSuiteScope(const FakeSuiteScope&) = delete;
    FakeSuiteScope& operator=(const FakeSuiteScope&) = delete;

private:
    SPBasicSuite suite_{};
};

}  // namespace abouttest
