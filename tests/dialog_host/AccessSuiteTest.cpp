// "SP Access Suite" and the registration of the toolkit's suites.
#include <gtest/gtest.h>

#include "host/dialog/PluginAccessTable.h"
#include "host/dialog/ToolkitSuites.h"
#include "host/dialog/WebBrowser.h"
#include "host/run/SuiteRegistry.h"

namespace dialogtest {
namespace {

TEST(AccessSuite, ReferenceMapsToItsModuleInBothWords) {
    int module = 0;
    oxhost::PluginAccessTable& table = oxhost::PluginAccessTable::Instance();
    void* reference = table.Add(&module, "/somewhere/Tintflood.8bf");
    const SPAccessSuite* suite = oxhost::AccessSuiteTable();
    SPAccessRef access = nullptr;
    ASSERT_EQ(suite->GetPluginAccess(reference, &access), kSPNoError);
    SPPlatformAccessInfo info{nullptr, nullptr, 0};
    ASSERT_EQ(suite->GetAccessInfo(access, &info), kSPNoError);
    EXPECT_EQ(info.defaultAccess, &module);
    EXPECT_EQ(info.resourceAccess, &module);
    table.Remove(reference);
    EXPECT_EQ(suite->GetAccessInfo(access, &info), kSPBadParameterError);
}

TEST(AccessSuite, UnknownReferencesAndNullAddressesAreRefused) {
    const SPAccessSuite* suite = oxhost::AccessSuiteTable();
    int unknown = 0;
    SPAccessRef access = nullptr;
    EXPECT_EQ(suite->GetPluginAccess(&unknown, &access), kSPBadParameterError);
    EXPECT_EQ(suite->GetPluginAccess(nullptr, &access), kSPBadParameterError);
    EXPECT_EQ(access, nullptr);
    void* reference = oxhost::PluginAccessTable::Instance().Add(nullptr, "");
    EXPECT_EQ(suite->GetPluginAccess(reference, nullptr), kSPBadParameterError);
    oxhost::PluginAccessTable::Instance().Remove(reference);
}

TEST(ToolkitSuites, AllAreServedFromTheStartUnderTheirNamesAndVersions) {
    oxhost::SuiteRegistry& registry = oxhost::SuiteRegistry::Instance();
    const std::pair<const char*, int32_t> expected[] = {
        {"ADM Basic Suite", 5},    {"ADM Dialog Suite", 5},
        {"ADM Entry Suite", 2},    {"ADM List Suite", 1},
        {"ADM Item Suite", 4},     {"ADM Drawer Suite", 3},
        {"ADM Notifier Suite", 2}, {"ADM Tracker Suite", 1},
        {"SP Access Suite", 3},    {"Photoshop GetFileList Suite for Plug-ins", 4}};
    for (const auto& [name, version] : expected) {
        const void* suite = nullptr;
        EXPECT_EQ(registry.Acquire(name, version, &suite), kSPNoError) << name;
        EXPECT_NE(suite, nullptr) << name;
        registry.Release(name, version);
        EXPECT_EQ(registry.Acquire(name, version + 1, &suite), kSPSuiteNotFoundError) << name;
    }
    oxhost::UnregisterDialogToolkitSuites();
    const void* suite = nullptr;
    EXPECT_EQ(registry.Acquire("ADM Dialog Suite", 5, &suite), kSPSuiteNotFoundError);
    oxhost::RegisterDialogToolkitSuites();
}

TEST(ToolkitSuites, BrowseUrlKeepsTheAddressAndAsksTheBrowserSetUp) {
    const size_t before = oxhost::BrowsedAddresses().size();
    const GetFileListSuite* suite = oxhost::FileListSuiteTable();
    EXPECT_EQ(suite->BrowseUrl("http://a.example/"), kSPNoError);
    std::string asked;
    oxhost::SetWebBrowser([&asked](const std::string& address) {
        asked = address;
        return kSPBadParameterError;
    });
    EXPECT_EQ(suite->BrowseUrl("http://b.example/"), kSPBadParameterError);
    EXPECT_EQ(suite->BrowseUrl(nullptr), kSPBadParameterError);
    oxhost::SetWebBrowser(nullptr);
    EXPECT_EQ(asked, "http://b.example/");
    const std::vector<std::string> kept(oxhost::BrowsedAddresses().begin() + long(before),
                                        oxhost::BrowsedAddresses().end());
    EXPECT_EQ(kept, (std::vector<std::string>{"http://a.example/", "http://b.example/"}));
}

}  // namespace
}  // namespace dialogtest
