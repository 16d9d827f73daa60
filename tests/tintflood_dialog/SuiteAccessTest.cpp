// The plug-in's side of suite access: the nine dialog suites and the module
// instance through "SP Access Suite".
#include "DialogHost.h"
#include "DialogSuites.h"
#include "ModuleInstance.h"
#include "PluginGlobals.h"
#include "host/dialog/PluginAccessTable.h"
#include "host/run/SuiteRegistry.h"

namespace tintflooddialog {
namespace {

class SuiteAccessTest : public DialogHostTest {
protected:
    void SetUp() override {
        DialogHostTest::SetUp();
        basicSuite = oxhost::SuiteRegistry::Instance().BasicSuite();
    }
    void TearDown() override {
        ReleaseDialogSuites();
        DialogHostTest::TearDown();
    }
};

TEST_F(SuiteAccessTest, AllNineSuitesAreAcquiredAndReleasedAgain) {
    ASSERT_TRUE(AcquireDialogSuites());
    EXPECT_NE(DialogSuites.basic, nullptr);
    EXPECT_NE(DialogSuites.tracker, nullptr);
    EXPECT_NE(DialogSuites.fileList, nullptr);
    EXPECT_EQ(oxhost::SuiteRegistry::Instance().OutstandingAcquisitions(), 9);
    ReleaseDialogSuites();
    EXPECT_EQ(DialogSuites.dialog, nullptr);
    EXPECT_EQ(oxhost::SuiteRegistry::Instance().OutstandingAcquisitions(), 0);
}

TEST_F(SuiteAccessTest, FirstMissingSuiteStopsAndReleasesTheOnesBefore) {
    const std::pair<const char*, int32_t> suites[] = {
        {"ADM Basic Suite", 5}, {"ADM Entry Suite", 2}, {"ADM Tracker Suite", 1}};
    for (const auto& [missing, version] : suites) {
        const void* table = nullptr;
        oxhost::SuiteRegistry& registry = oxhost::SuiteRegistry::Instance();
        ASSERT_EQ(registry.Acquire(missing, version, &table), kSPNoError);
        registry.Release(missing, version);
        registry.Unregister(missing, version);
        EXPECT_FALSE(AcquireDialogSuites()) << missing;
        EXPECT_EQ(DialogSuites.basic, nullptr) << missing;
        EXPECT_EQ(DialogSuites.dialog, nullptr) << missing;
        EXPECT_EQ(registry.OutstandingAcquisitions(), 0) << missing;
        registry.Register(missing, version, table);
    }
}

TEST_F(SuiteAccessTest, NoSuiteMechanismMeansNoSuites) {
    basicSuite = nullptr;
    EXPECT_FALSE(AcquireDialogSuites());
}

TEST_F(SuiteAccessTest, ModuleInstanceFollowsTheHostsAccessRecord) {
    void* own = OwnModuleInstance();
    EXPECT_NE(own, nullptr);
    EXPECT_EQ(ModuleInstance(nullptr), own);

    int unknownPlugin = 0;
    EXPECT_EQ(ModuleInstance(&unknownPlugin), own);  // refused: the cache stays

    int module = 0;
    void* plugin = oxhost::PluginAccessTable::Instance().Add(&module, "");
    EXPECT_EQ(ModuleInstance(plugin), &module);
    EXPECT_EQ(ModuleInstance(nullptr), &module);
    oxhost::PluginAccessTable::Instance().Remove(plugin);
    EXPECT_EQ(oxhost::SuiteRegistry::Instance().OutstandingAcquisitions(), 0);

    void* ownAgain = oxhost::PluginAccessTable::Instance().Add(own, "");
    EXPECT_EQ(ModuleInstance(ownAgain), own);
    oxhost::PluginAccessTable::Instance().Remove(ownAgain);
}

TEST_F(SuiteAccessTest, ModuleInstanceWithoutTheAccessSuiteThrowsTheHostsCode) {
    oxhost::SuiteRegistry::Instance().Unregister("SP Access Suite", 3);
    int plugin = 0;
    EXPECT_THROW(ModuleInstance(&plugin), int32_t);
    basicSuite = nullptr;
    try {
        ModuleInstance(&plugin);
        ADD_FAILURE() << "no throw";
    } catch (int32_t code) {
        EXPECT_EQ(code, kSPBadParameterError);
    }
    EXPECT_NE(ModuleInstance(nullptr), nullptr);  // never asks the host
}

}  // namespace
}  // namespace tintflooddialog
