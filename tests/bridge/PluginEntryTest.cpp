#include <gtest/gtest.h>

#include "FilterSelectors.h"
#include "PluginGlobals.h"
#include "RecordingPlugin.h"
#include "ResultCodes.h"

extern "C" void PluginMain(int16_t selector, void* block, intptr_t* data, int16_t* result);

namespace {

SPBasicSuite someSuite{};
SPBasicSuite otherSuite{};

class PluginEntryTest : public ::testing::Test {
protected:
    void SetUp() override {
        pluginScript.Reset();
        record = FilterRecord{};
        record.sSPBasic = &someSuite;
        about = AboutRecord{};
        about.sSPBasic = &otherSuite;
    }

    int16_t Call(int16_t selector) {
        int16_t result = 12345;
        void* block = selector == filterSelectorAbout ? static_cast<void*>(&about)
                                                      : static_cast<void*>(&record);
        PluginMain(selector, block, &slot, &result);
        return result;
    }

    FilterRecord record{};
    AboutRecord about{};
    intptr_t slot = 0;
};

TEST_F(PluginEntryTest, AWholeRunKeepsOneObjectUntilFinish) {
    EXPECT_EQ(Call(filterSelectorParameters), noErr);
    EXPECT_NE(slot, 0);
    EXPECT_EQ(reinterpret_cast<PluginObject*>(slot), CurrentPlugin());
    EXPECT_EQ(Call(filterSelectorPrepare), noErr);
    EXPECT_EQ(Call(filterSelectorStart), noErr);
    EXPECT_EQ(Call(filterSelectorFinish), noErr);
    EXPECT_EQ(slot, 0);
    EXPECT_EQ(CurrentPlugin(), nullptr);
    EXPECT_EQ(pluginScript.created, 1);
    EXPECT_EQ(pluginScript.destroyed, 1);
    const std::vector<std::string> expected = {"parameters#1", "prepare#1", "start#1", "finish#1"};
    EXPECT_EQ(pluginScript.calls, expected);
}

TEST_F(PluginEntryTest, NullSuiteFailsWithoutTouchingTheSlot) {
    record.sSPBasic = nullptr;
    slot = 77;  // whatever the host holds must stay as it is
    EXPECT_EQ(Call(filterSelectorStart), filterBadParameters);
    EXPECT_EQ(slot, 77);
    EXPECT_EQ(pluginScript.created, 0);
    EXPECT_TRUE(pluginScript.calls.empty());
}

TEST_F(PluginEntryTest, UnknownSelectorsFailAndEndTheRun) {
    for (int16_t selector : {int16_t(6), int16_t(-1), int16_t(1000)}) {
        EXPECT_EQ(Call(selector), filterBadParameters) << selector;
        EXPECT_EQ(slot, 0) << selector;
    }
    EXPECT_EQ(pluginScript.created, 3);
    EXPECT_EQ(pluginScript.destroyed, 3);
}

TEST_F(PluginEntryTest, AFailedStartEndsTheRunAndFinishStartsAFreshObject) {
    pluginScript.startResult = userCanceledErr;
    EXPECT_EQ(Call(filterSelectorPrepare), noErr);
    EXPECT_EQ(Call(filterSelectorStart), userCanceledErr);
    EXPECT_EQ(slot, 0);
    EXPECT_EQ(pluginScript.destroyed, 1);
    EXPECT_EQ(Call(filterSelectorFinish), noErr);
    EXPECT_EQ(slot, 0);
    EXPECT_EQ(pluginScript.created, 2);
    EXPECT_EQ(pluginScript.calls.back(), "finish#2");
}

TEST_F(PluginEntryTest, AboutUsesTheObjectInTheSlotAndClearsIt) {
    EXPECT_EQ(Call(filterSelectorPrepare), noErr);
    EXPECT_EQ(Call(filterSelectorAbout), noErr);
    EXPECT_EQ(pluginScript.calls.back(), "about#1");
    EXPECT_EQ(slot, 0);
    EXPECT_EQ(pluginScript.destroyed, 1);
    // The about call's suite is the AboutRecord's.
    EXPECT_EQ(basicSuite, &otherSuite);
}

TEST_F(PluginEntryTest, AnExceptionGivesBadParametersAndKeepsTheObject) {
    pluginScript.throwInStart = true;
    EXPECT_EQ(Call(filterSelectorPrepare), noErr);
    const intptr_t before = slot;
    EXPECT_EQ(Call(filterSelectorStart), filterBadParameters);
    EXPECT_EQ(slot, before);
    EXPECT_EQ(pluginScript.destroyed, 0);
    // The host calls again: the same object is used.
    pluginScript.throwInStart = false;
    EXPECT_EQ(Call(filterSelectorStart), noErr);
    EXPECT_EQ(pluginScript.calls.back(), "start#1");
    EXPECT_EQ(Call(filterSelectorFinish), noErr);
    EXPECT_EQ(pluginScript.created, 1);
}

TEST_F(PluginEntryTest, FailedCreationLeavesTheSlotEmpty) {
    pluginScript.failCreation = true;
    EXPECT_EQ(Call(filterSelectorPrepare), filterBadParameters);
    EXPECT_EQ(slot, 0);
    EXPECT_TRUE(pluginScript.calls.empty());
}

TEST_F(PluginEntryTest, EveryCallStoresItsSuite) {
    EXPECT_EQ(Call(filterSelectorPrepare), noErr);
    EXPECT_EQ(basicSuite, &someSuite);
    record.sSPBasic = &otherSuite;
    EXPECT_EQ(Call(filterSelectorStart), noErr);
    EXPECT_EQ(basicSuite, &otherSuite);
    Call(filterSelectorFinish);
}

TEST_F(PluginEntryTest, ContinueEmptiesBothRequestsByDefault) {
    RecordingPlugin plugin(1);
    record.outRect = Rect16{0, 0, 10, 10};
    record.inRect = Rect16{1, 2, 3, 4};
    plugin.filterRecord = &record;
    EXPECT_EQ(plugin.DoContinue(), noErr);
    EXPECT_EQ(record.outRect.bottom, 0);
    EXPECT_EQ(record.outRect.right, 0);
    EXPECT_EQ(record.inRect.top, 0);
    EXPECT_EQ(record.inRect.left, 0);
    EXPECT_EQ(record.inRect.bottom, 0);
    EXPECT_EQ(record.inRect.right, 0);
}

}  // namespace
