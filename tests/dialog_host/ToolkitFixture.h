// A toolkit test: the suite tables as a plug-in sees them, a log the test's
// callbacks write into, and no dialog left behind.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "host/dialog/DialogToolkit.h"
#include "host/dialog/ToolkitSuites.h"

namespace dialogtest {

inline std::vector<std::string>& Log() {
    static std::vector<std::string> log;
    return log;
}

class ToolkitTest : public ::testing::Test {
protected:
    void SetUp() override {
        Log().clear();
        toolkit.SetFace(nullptr);
    }
    void TearDown() override {
        toolkit.SetFace(nullptr);
        EXPECT_EQ(toolkit.LiveDialogCount(), 0u);
        EXPECT_EQ(toolkit.LiveItemCount(), 0u);
    }

    // A modeless dialog without callbacks, destroyed by the test.
    ADMDialogRef NewDialog() {
        return dialogs->Create(nullptr, "test", 16001, 0, nullptr, nullptr, 0);
    }
    ADMItemRef NewItem(ADMDialogRef dialog, const char* kind, int32_t id = 0) {
        const ADMRect bounds{10, 20, 38, 48};
        return dialogs->CreateItem(dialog, id, kind, &bounds, nullptr, nullptr, 0);
    }

    oxhost::DialogToolkit& toolkit = oxhost::DialogToolkit::Instance();
    const ADMDialogSuite* dialogs = oxhost::DialogSuiteTable();
    const ADMItemSuite* items = oxhost::ItemSuiteTable();
    const ADMListSuite* lists = oxhost::ListSuiteTable();
    const ADMEntrySuite* entries = oxhost::EntrySuiteTable();
    const ADMNotifierSuite* notifiers = oxhost::NotifierSuiteTable();
    const ADMTrackerSuite* trackers = oxhost::TrackerSuiteTable();
    const ADMDrawerSuite* drawers = oxhost::DrawerSuiteTable();
};

}  // namespace dialogtest
