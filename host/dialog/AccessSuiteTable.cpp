// "SP Access Suite" 3 over PluginAccessTable, and the registration of every
// suite of this folder (the file-list suite's BrowseUrl included). An access record is the plug-in
// reference's own PluginAccess entry.
#include <vector>

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
    return kSPNoError;
}

const SPAccessSuite accessSuite = {GetPluginAccess, GetAccessInfo};

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
