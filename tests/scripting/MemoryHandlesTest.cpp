// Memory handles through a host's block and through the module's own.
#include <gtest/gtest.h>

#include "FakeHostHandles.h"
#include "MemoryHandles.h"
#include "ResultCodes.h"

namespace {

using scripttest::FakeHostHandles;

class HandleProcsUsableTest : public ::testing::Test {
protected:
    FakeHostHandles host;
    HandleProcs procs = *host.Procs();
};

TEST_F(HandleProcsUsableTest, CompleteVersionOneBlockIsUsable) {
    bool newer = false;
    EXPECT_TRUE(HandleProcsUsable(&procs, &newer));
    EXPECT_FALSE(newer);
}

TEST_F(HandleProcsUsableTest, NullAndOlderBlocksAreUnusableWithoutBeingNewer) {
    bool newer = false;
    EXPECT_FALSE(HandleProcsUsable(nullptr, &newer));
    procs.handleProcsVersion = 0;
    EXPECT_FALSE(HandleProcsUsable(&procs, &newer));
    EXPECT_FALSE(newer);
}

TEST_F(HandleProcsUsableTest, VersionTwoIsUnusableAndReportedNewer) {
    procs.handleProcsVersion = 2;
    bool newer = false;
    EXPECT_FALSE(HandleProcsUsable(&procs, &newer));
    EXPECT_TRUE(newer);
    EXPECT_FALSE(HandleProcsUsable(&procs));  // the flag is optional
}

TEST_F(HandleProcsUsableTest, SevenCallbacksAreTooFew) {
    procs.numHandleProcs = 7;
    EXPECT_FALSE(HandleProcsUsable(&procs));
}

TEST_F(HandleProcsUsableTest, EachOfTheFourRequiredCallbacksIsNeeded) {
    void (*const removals[])(HandleProcs&) = {
        [](HandleProcs& p) { p.newProc = nullptr; },
        [](HandleProcs& p) { p.disposeProc = nullptr; },
        [](HandleProcs& p) { p.getSizeProc = nullptr; },
        [](HandleProcs& p) { p.setSizeProc = nullptr; },
    };
    for (auto remove : removals) {
        HandleProcs partial = procs;
        remove(partial);
        EXPECT_FALSE(HandleProcsUsable(&partial));
    }
}

TEST_F(HandleProcsUsableTest, LockAndUnlockAreOptional) {
    procs.lockProc = nullptr;
    procs.unlockProc = nullptr;
    EXPECT_TRUE(HandleProcsUsable(&procs));
}

class HostHandlesTest : public ::testing::Test {
protected:
    FakeHostHandles host;
};

TEST_F(HostHandlesTest, OperationsReachTheHost) {
    Handle handle = HandleNew(host.Procs(), 40);
    ASSERT_NE(handle, nullptr);
    EXPECT_TRUE(host.IsLive(handle));
    EXPECT_EQ(HandleGetSize(host.Procs(), handle), 40);
    EXPECT_EQ(HandleLock(host.Procs(), handle, false), host.Data(handle));
    HandleUnlock(host.Procs(), handle);
    EXPECT_EQ(host.locks, 1);
    EXPECT_EQ(host.unlocks, 1);
    HandleDispose(host.Procs(), handle);
    EXPECT_FALSE(host.IsLive(handle));
}

TEST_F(HostHandlesTest, NullHandleIsSafeAndNeverReachesTheHost) {
    HandleDispose(host.Procs(), nullptr);
    EXPECT_EQ(HandleGetSize(host.Procs(), nullptr), 0);
    EXPECT_EQ(HandleLock(host.Procs(), nullptr, false), nullptr);
    HandleUnlock(host.Procs(), nullptr);
    EXPECT_EQ(host.locks + host.unlocks + host.unknownDisposals, 0);
}

TEST_F(HostHandlesTest, WithoutLockCallbacksTheHandleIsDereferenced) {
    HandleProcs procs = *host.Procs();
    procs.lockProc = nullptr;
    procs.unlockProc = nullptr;
    Handle handle = HandleNew(&procs, 8);
    EXPECT_EQ(HandleLock(&procs, handle, false), host.Data(handle));
    HandleUnlock(&procs, handle);
    HandleDispose(&procs, handle);
}

TEST_F(HostHandlesTest, HostOperationsLeaveTheLastMemoryErrorAlone) {
    HandleDispose(nullptr, nullptr);
    ASSERT_EQ(LastMemoryError(), nilHandleErr);
    host.failNew = true;
    EXPECT_EQ(HandleNew(host.Procs(), 8), nullptr);
    EXPECT_EQ(LastMemoryError(), nilHandleErr);
}

TEST(FallbackHandles, RecordHoldsTheDataAddressThenFoto) {
    Handle handle = HandleNew(nullptr, 64);
    ASSERT_NE(handle, nullptr);
    EXPECT_EQ(LastMemoryError(), noErr);
    const auto* record = reinterpret_cast<const FallbackHandle*>(handle);
    EXPECT_EQ(record->signature, 0x464F544Fu);
    EXPECT_EQ(*handle, record->data);
    for (int i = 0; i < 64; ++i) {
        EXPECT_EQ(record->data[i], 0) << "byte " << i;
    }
    EXPECT_EQ(HandleGetSize(nullptr, handle), 64);
    EXPECT_EQ(HandleLock(nullptr, handle, false), record->data);
    HandleUnlock(nullptr, handle);
    HandleDispose(nullptr, handle);
    EXPECT_EQ(LastMemoryError(), noErr);
}

TEST(FallbackHandles, UnusableHostBlockGivesOwnHandles) {
    FakeHostHandles host;
    HandleProcs newer = *host.Procs();
    newer.handleProcsVersion = 2;
    Handle handle = HandleNew(&newer, 4);
    ASSERT_NE(handle, nullptr);
    EXPECT_FALSE(host.IsLive(handle));
    EXPECT_EQ(reinterpret_cast<const FallbackHandle*>(handle)->signature, kFallbackHandleSignature);
    HandleDispose(&newer, handle);
}

TEST(FallbackHandles, EmptyHandleIsNotNull) {
    Handle handle = HandleNew(nullptr, 0);
    ASSERT_NE(handle, nullptr);
    EXPECT_NE(*handle, nullptr);
    EXPECT_EQ(HandleGetSize(nullptr, handle), 0);
    EXPECT_EQ(LastMemoryError(), noErr);
    HandleDispose(nullptr, handle);
}

TEST(FallbackHandles, NullHandleGivesNilHandleError) {
    HandleDispose(nullptr, nullptr);
    EXPECT_EQ(LastMemoryError(), nilHandleErr);
    Handle good = HandleNew(nullptr, 1);
    ASSERT_EQ(LastMemoryError(), noErr);
    EXPECT_EQ(HandleGetSize(nullptr, nullptr), 0);
    EXPECT_EQ(LastMemoryError(), nilHandleErr);
    EXPECT_EQ(HandleLock(nullptr, nullptr, false), nullptr);
    HandleUnlock(nullptr, nullptr);
    HandleDispose(nullptr, good);
}

TEST(FallbackHandles, UnrecognisedRecordIsRefused) {
    char data[8] = {};
    FallbackHandle foreign{data, 0x12345678, 8};
    EXPECT_EQ(HandleGetSize(nullptr, &foreign.data), 0);
    EXPECT_EQ(LastMemoryError(), nilHandleErr);
    HandleDispose(nullptr, &foreign.data);  // must not free memory it never allocated
    EXPECT_EQ(LastMemoryError(), nilHandleErr);
}

TEST(FallbackHandles, NegativeSizeIsOutOfMemory) {
    EXPECT_EQ(HandleNew(nullptr, -1), nullptr);
    EXPECT_EQ(LastMemoryError(), memFullErr);
}

TEST(OwnedHandle, DisposesUnlessReleased) {
    FakeHostHandles host;
    Handle kept = nullptr;
    {
        OwnedHandle dropped(host.Procs(), HandleNew(host.Procs(), 4));
        OwnedHandle released(host.Procs(), HandleNew(host.Procs(), 4));
        kept = released.Release();
        EXPECT_EQ(host.LiveCount(), 2u);
    }
    EXPECT_EQ(host.LiveCount(), 1u);
    EXPECT_TRUE(host.IsLive(kept));
    HandleDispose(host.Procs(), kept);
}

}  // namespace
