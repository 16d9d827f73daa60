// String and handle conversions, each case once with a host's handles and
// once with the module's own.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "FakeHostHandles.h"
#include "HandleStrings.h"
#include "MemoryHandles.h"

namespace {

using scripttest::FakeHostHandles;

TEST(BoundedLength, StopsAtTheTerminatorOrAt32767) {
    EXPECT_EQ(BoundedLength(""), 0);
    EXPECT_EQ(BoundedLength("abc"), 3);
    EXPECT_EQ(BoundedLength(nullptr), 0);
    const std::string exact(32767, 'x');
    EXPECT_EQ(BoundedLength(exact.c_str()), 32767);
    const std::string longer(40000, 'y');
    EXPECT_EQ(BoundedLength(longer.c_str()), 32767);
}

TEST(CopyBytes, CopiesTheCountAndRefusesNullAddresses) {
    char source[4] = {'a', 'b', 'c', 'd'};
    char destination[4] = {};
    EXPECT_EQ(CopyBytes(destination, source, 3), 3);
    EXPECT_EQ(std::string(destination, 4), std::string("abc\0", 4));
    EXPECT_EQ(CopyBytes(nullptr, source, 3), 0);
    EXPECT_EQ(CopyBytes(destination, nullptr, 3), 0);
    EXPECT_EQ(CopyBytes(destination, source, -1), 0);
}

class HandleStringsTest : public ::testing::TestWithParam<bool> {
protected:
    // The host's block, or none: then the module's own handles serve.
    const HandleProcs* Procs() { return GetParam() ? host.Procs() : nullptr; }

    Handle HandleHolding(const std::string& bytes) {
        Handle handle = HandleNew(Procs(), int32_t(bytes.size()));
        std::memcpy(*handle, bytes.data(), bytes.size());
        return handle;
    }
    std::string BytesOf(Handle handle) {
        return std::string(*handle, size_t(HandleGetSize(Procs(), handle)));
    }

    FakeHostHandles host;
};

TEST_P(HandleStringsTest, LongStringStoresOnlyItsFirst32767Bytes) {
    std::string text(32767, 'a');
    text += std::string(100, 'b');
    Handle handle = CStringToHandle(Procs(), text.c_str());
    ASSERT_NE(handle, nullptr);
    EXPECT_EQ(HandleGetSize(Procs(), handle), 32767);
    EXPECT_EQ(BytesOf(handle), std::string(32767, 'a'));
    HandleDispose(Procs(), handle);
}

TEST_P(HandleStringsTest, StringIsStoredWithoutTerminator) {
    Handle handle = CStringToHandle(Procs(), "Pastel.aco");
    ASSERT_NE(handle, nullptr);
    EXPECT_EQ(BytesOf(handle), "Pastel.aco");
    HandleDispose(Procs(), handle);
}

TEST_P(HandleStringsTest, EmptyStringGivesAnEmptyHandle) {
    Handle handle = CStringToHandle(Procs(), "");
    ASSERT_NE(handle, nullptr);
    EXPECT_EQ(HandleGetSize(Procs(), handle), 0);
    HandleDispose(Procs(), handle);
}

TEST_P(HandleStringsTest, LongHandleIsTruncatedToTheBufferAndTerminated) {
    Handle handle = HandleHolding(std::string(300, 'q'));
    char buffer[257];
    std::memset(buffer, '#', sizeof(buffer));
    HandleToCString(Procs(), handle, buffer, 256);
    EXPECT_EQ(std::string(buffer), std::string(255, 'q'));
    EXPECT_EQ(buffer[255], 0);
    EXPECT_EQ(buffer[256], '#');  // past the given size: untouched
    HandleDispose(Procs(), handle);
}

TEST_P(HandleStringsTest, ShortHandleIsCopiedWhole) {
    Handle handle = HandleHolding("abc");
    char buffer[16];
    std::memset(buffer, '#', sizeof(buffer));
    HandleToCString(Procs(), handle, buffer, sizeof(buffer));
    EXPECT_STREQ(buffer, "abc");
    HandleDispose(Procs(), handle);
}

TEST_P(HandleStringsTest, NullHandleGivesAnEmptyStringWithTwoZeroBytes) {
    char buffer[8];
    std::memset(buffer, '#', sizeof(buffer));
    HandleToCString(Procs(), nullptr, buffer, sizeof(buffer));
    EXPECT_EQ(buffer[0], 0);
    EXPECT_EQ(buffer[1], 0);
    EXPECT_EQ(buffer[2], '#');
}

TEST_P(HandleStringsTest, OneByteBufferOnlyReceivesTheTerminator) {
    Handle handle = HandleHolding("abc");
    char buffer[2] = {'#', '#'};
    HandleToCString(Procs(), handle, buffer, 1);
    EXPECT_EQ(buffer[0], 0);
    EXPECT_EQ(buffer[1], '#');
    HandleDispose(Procs(), handle);
}

INSTANTIATE_TEST_SUITE_P(HostAndOwnHandles, HandleStringsTest, ::testing::Bool(),
                         [](const ::testing::TestParamInfo<bool>& info) {
                             return info.param ? std::string("Host") : std::string("Own");
                         });

TEST(HandleStringsOnHost, EveryLockIsMatchedByAnUnlock) {
    FakeHostHandles host;
    Handle handle = CStringToHandle(host.Procs(), "abc");
    char buffer[8];
    HandleToCString(host.Procs(), handle, buffer, sizeof(buffer));
    EXPECT_EQ(host.locks, 2);
    EXPECT_EQ(host.unlocks, 2);
    HandleDispose(host.Procs(), handle);
}

TEST(HandleStringsOnHost, FailedAllocationGivesNull) {
    FakeHostHandles host;
    host.failNew = true;
    EXPECT_EQ(CStringToHandle(host.Procs(), "abc"), nullptr);
}

TEST(HandleStringsOnHost, HandleThatCannotBeLockedIsNotPassedOffAsTheText) {
    FakeHostHandles host;
    HandleProcs procs = *host.Procs();
    procs.lockProc = [](Handle, Boolean) -> void* { return nullptr; };
    EXPECT_EQ(CStringToHandle(&procs, "abc"), nullptr);
    EXPECT_EQ(host.LiveCount(), 0u);
}

}  // namespace
