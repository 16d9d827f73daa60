// "SP Access Suite" 3 over PluginAccessTable, and the registration of every
// suite of this folder (the file-list suite's BrowseUrl included). An
// access record is the plug-in reference's own PluginAccess entry.
#include <chrono>
#include <vector>

#include "host/dialog/NotServed.h"
#include "host/dialog/PluginAccessTable.h"
#include "host/dialog/ToolkitSuites.h"
#include "host/dialog/WebBrowser.h"
#include "host/run/SuiteRegistry.h"

namespace oxhost {
namespace {

SPErr HOSTAPI_CALL GetPluginAccess(void* plugin, SPAccessRef* access) {
    if (access == nullptr || PluginAccessTable::Instance().Find(plugin) == nullptr) {
        return kSPBadParameterError;
    }
    *access = reinterpret_cast<SPAccessRef>(plugin);
    return kSPNoError;
}

SPErr HOSTAPI_CALL GetAccessInfo(SPAccessRef access, SPPlatformAccessInfo* info) {
    const PluginAccess* found = PluginAccessTable::Instance().Find(access);
    if (found == nullptr || info == nullptr) {
        return kSPBadParameterError;
    }
    info->defaultAccess = found->moduleHandle;
    info->resourceAccess = found->moduleHandle;
    // This query is the module's latest access; milliseconds of a steady
    // clock stand for the host's ticks, wrapping as theirs do.
    const auto now = std::chrono::steady_clock::now().time_since_epoch();
    info->lastAccessTicks =
        uint32_t(std::chrono::duration_cast<std::chrono::milliseconds>(now).count());
    return kSPNoError;
}

// Every one of the 12 slots in the published order; plug-ins call 2 and 6.
const SPAccessSuite accessSuite = {
    NotServed,        // 0 AcquirePlugin
    NotServed,        // 1 ReleasePlugin
    GetPluginAccess,  // 2
    NotServed,        // 3 GetAccessPlugin
    NotServed,        // 4 GetAccessEntry
    NotServed,        // 5 GetAccessCount
    GetAccessInfo,    // 6
    NotServed,        // 7 GetPluginResourceAccess
    NotServed,        // 8 SetPluginResourceAccess
    NotServed,        // 9 CallPlugin
    NotServed,        // 10 GetCurrentPlugin
    NotServed,        // 11 SetCurrentPlugin
};

struct SuiteEntry {
    const char* name;
    int32_t version;
    const void* table;
};

}  // namespace

const SPAccessSuite* AccessSuiteTable() {
    return &accessSuite;
}

namespace {

std::vector<SuiteEntry> AllSuites() {
    return {{kADMBasicSuiteName, kADMBasicSuiteVersion, BasicSuiteTable()},
            {kADMDialogSuiteName, kADMDialogSuiteVersion, DialogSuiteTable()},
            {kADMEntrySuiteName, kADMEntrySuiteVersion, EntrySuiteTable()},
            {kADMListSuiteName, kADMListSuiteVersion, ListSuiteTable()},
            {kADMItemSuiteName, kADMItemSuiteVersion, ItemSuiteTable()},
            {kADMDrawerSuiteName, kADMDrawerSuiteVersion, DrawerSuiteTable()},
            {kADMNotifierSuiteName, kADMNotifierSuiteVersion, NotifierSuiteTable()},
            {kADMTrackerSuiteName, kADMTrackerSuiteVersion, TrackerSuiteTable()},
            {kSPAccessSuiteName, kSPAccessSuiteVersion, AccessSuiteTable()},
            {kGetFileListSuiteName, kGetFileListSuiteVersion, FileListSuiteTable()}};
}

}  // namespace

void RegisterDialogToolkitSuites() {
    for (const SuiteEntry& suite : AllSuites()) {
        SuiteRegistry::Instance().Register(suite.name, suite.version, suite.table);
    }
}

void UnregisterDialogToolkitSuites() {
    for (const SuiteEntry& suite : AllSuites()) {
        SuiteRegistry::Instance().Unregister(suite.name, suite.version);
    }
}

}  // namespace oxhost
