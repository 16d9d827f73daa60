// The scoped suite holder against a recording suite mechanism.
#include <gtest/gtest.h>

#include <string>

#include "PluginGlobals.h"
#include "ScopedSuite.h"

namespace {

struct SuiteLog {
    int acquired = 0;
    int released = 0;
    std::string name;
    int32_t version = 0;
    SPErr acquireResult = kSPNoError;
};
SuiteLog suiteLog;
const int someSuite = 42;

SPErr AcquireSuite(const char* name, int32_t version, const void** suite) {
    ++suiteLog.acquired;
    suiteLog.name = name;
    suiteLog.version = version;
    if (suiteLog.acquireResult != kSPNoError) {
        return suiteLog.acquireResult;
    }
    *suite = &someSuite;
    return kSPNoError;
}

SPErr ReleaseSuite(const char* name, int32_t version) {
    ++suiteLog.released;
    EXPECT_EQ(suiteLog.name, name);
    EXPECT_EQ(suiteLog.version, version);
    return kSPNoError;
}

class ScopedSuiteTest : public ::testing::Test {
protected:
    void SetUp() override {
        suiteLog = SuiteLog{};
        basic.AcquireSuite = AcquireSuite;
        basic.ReleaseSuite = ReleaseSuite;
        basicSuite = &basic;
    }
    void TearDown() override { basicSuite = nullptr; }

    SPBasicSuite basic{};
};

TEST_F(ScopedSuiteTest, AcquiresOnceOnFirstUseAndReleasesOnce) {
    {
        ScopedSuite suite("SP Access Suite", 3);
        EXPECT_EQ(suiteLog.acquired, 0);
        EXPECT_EQ(suite.Get(), &someSuite);
        EXPECT_EQ(suite.As<int>(), &someSuite);
        EXPECT_EQ(suiteLog.acquired, 1);
        EXPECT_EQ(suiteLog.name, "SP Access Suite");
        EXPECT_EQ(suiteLog.version, 3);
        EXPECT_EQ(suiteLog.released, 0);
    }
    EXPECT_EQ(suiteLog.released, 1);
}

TEST_F(ScopedSuiteTest, UnusedHolderNeverCallsTheHost) {
    { ScopedSuite suite("SP Access Suite", 3); }
    EXPECT_EQ(suiteLog.acquired, 0);
    EXPECT_EQ(suiteLog.released, 0);
}

TEST_F(ScopedSuiteTest, NoSuiteMechanismThrowsParm) {
    basicSuite = nullptr;
    {
        ScopedSuite suite("SP Access Suite", 3);
        try {
            suite.Get();
            ADD_FAILURE() << "no exception";
        } catch (int32_t code) {
            EXPECT_EQ(code, 0x5061726D);
        }
    }
    EXPECT_EQ(suiteLog.acquired, 0);
    EXPECT_EQ(suiteLog.released, 0);
}

TEST_F(ScopedSuiteTest, FailedAcquisitionThrowsTheHostsCodeAndReleasesNothing) {
    suiteLog.acquireResult = kSPSuiteNotFoundError;
    {
        ScopedSuite suite("ADM Dialog Suite", 5);
        try {
            suite.Get();
            ADD_FAILURE() << "no exception";
        } catch (int32_t code) {
            EXPECT_EQ(code, kSPSuiteNotFoundError);
        }
        EXPECT_EQ(suite.Error(), kSPSuiteNotFoundError);
    }
    EXPECT_EQ(suiteLog.acquired, 1);
    EXPECT_EQ(suiteLog.released, 0);
}

}  // namespace
