// The 296-byte parameter block, byte by byte, in a fake host's handle.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "FakeHostHandles.h"
#include "FilterRecord.h"
#include "TestSettings.h"
#include "tintflood/ParameterBlock.h"

namespace {

using scripttest::DistinctiveSettings;
using scripttest::ExpectSameSettings;
using scripttest::FakeHostHandles;

constexpr unsigned char kFill = 0xA5;  // what the handle held before

class ParameterBlockTest : public ::testing::Test {
protected:
    ParameterBlockTest() { record.handleProcs = handles.Procs(); }

    // A parameters handle of `size` bytes, all kFill.
    void GiveHandle(int32_t size) {
        record.parameters = handles.New(size);
        std::memset(*record.parameters, kFill, size_t(size));
    }
    const unsigned char* Block() const { return handles.Data(record.parameters); }
    unsigned char* MutableBlock() { return handles.Data(record.parameters); }
    uint32_t Word(int offset, int size) const {
        uint32_t value = 0;
        for (int i = size - 1; i >= 0; --i) {
            value = value << 8 | Block()[offset + i];
        }
        return value;
    }

    FakeHostHandles handles;
    FilterRecord record{};
};

TEST_F(ParameterBlockTest, EveryFieldLandsAtItsOffset) {
    GiveHandle(kParameterBlockSize);
    StoreParameterBlock(&record, DistinctiveSettings());
    ASSERT_EQ(handles.Size(record.parameters), 296);

    EXPECT_EQ(Word(0, 4), 0x546E466Cu);  // 'TnFl'
    EXPECT_EQ(Word(4, 2), 3u);
    EXPECT_EQ(Word(8, 2), 0x1122u);
    EXPECT_EQ(Word(10, 2), 0x3344u);
    EXPECT_EQ(Word(12, 2), 0x5566u);
    const std::string name = "Pastel Tones.aco";
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(Block() + 14), name.size()), name);
    for (int offset = 14 + int(name.size()); offset < 270; ++offset) {
        ASSERT_EQ(Block()[offset], 0) << "name padding at " << offset;
    }
    EXPECT_EQ(Word(270, 2), 0xA1B2u);
    EXPECT_EQ(Block()[272], 1);  // reservedFlag
    EXPECT_EQ(Block()[273], 1);  // randomColors
    EXPECT_EQ(Block()[274], 1);  // measureArea
    EXPECT_EQ(Block()[275], 1);  // flagAreas
    EXPECT_EQ(Word(276, 2), 0x7788u);
    EXPECT_EQ(Word(278, 2), 0x99AAu);
    EXPECT_EQ(Word(280, 2), 0xBBCCu);
    EXPECT_EQ(Word(284, 4), 0xC1D2E3F4u);
    EXPECT_EQ(Block()[288], 1);  // joinAreas
    EXPECT_EQ(Word(292, 4), 0x01020304u);
}

TEST_F(ParameterBlockTest, ByteOrderFlagAndPaddingAreNotWritten) {
    GiveHandle(kParameterBlockSize);
    TintfloodSettings settings = DistinctiveSettings();
    settings.byteOrderFlag = 0;
    StoreParameterBlock(&record, settings);
    for (int offset : {6, 7, 282, 283, 289, 290, 291}) {
        EXPECT_EQ(Block()[offset], kFill) << "byte " << offset;
    }
}

TEST_F(ParameterBlockTest, FlagsWithOtherFieldsOffAreZero) {
    GiveHandle(kParameterBlockSize);
    StoreParameterBlock(&record, TintfloodSettings());
    for (int offset : {272, 273, 274, 275, 288}) {
        EXPECT_EQ(Block()[offset], 0) << "byte " << offset;
    }
    EXPECT_EQ(Word(284, 4), 20u);
    EXPECT_EQ(Word(292, 4), 10u);
}

TEST_F(ParameterBlockTest, DefaultBlockStartsWithSignatureAndVersion) {
    StoreParameterBlock(&record, TintfloodSettings());
    ASSERT_NE(record.parameters, nullptr);
    ASSERT_EQ(handles.Size(record.parameters), 296);
    const unsigned char expected[] = {0x6C, 0x46, 0x6E, 0x54, 0x03, 0x00};
    EXPECT_EQ(std::memcmp(Block(), expected, sizeof(expected)), 0);
}

TEST_F(ParameterBlockTest, HandleOfAnotherSizeIsResized) {
    for (int32_t size : {10, 1000}) {
        GiveHandle(size);
        StoreParameterBlock(&record, DistinctiveSettings());
        EXPECT_EQ(handles.Size(record.parameters), 296) << size;
        EXPECT_EQ(Word(292, 4), 0x01020304u) << size;
    }
}

TEST_F(ParameterBlockTest, FailedResizeStoresNothing) {
    GiveHandle(10);
    handles.setSizeResult = -108;
    StoreParameterBlock(&record, DistinctiveSettings());
    EXPECT_EQ(handles.Size(record.parameters), 10);
    EXPECT_EQ(Block()[0], kFill);
}

TEST_F(ParameterBlockTest, FailedCreationLeavesNoHandle) {
    handles.failNew = true;
    StoreParameterBlock(&record, DistinctiveSettings());
    EXPECT_EQ(record.parameters, nullptr);
}

TEST_F(ParameterBlockTest, WithoutUsableHandleCallbacksNothingIsStoredOrLoaded) {
    HandleProcs newer = *handles.Procs();
    newer.handleProcsVersion = 2;
    for (HandleProcs* procs : {static_cast<HandleProcs*>(nullptr), &newer}) {
        record.handleProcs = procs;
        record.parameters = nullptr;
        StoreParameterBlock(&record, DistinctiveSettings());
        EXPECT_EQ(record.parameters, nullptr);
        EXPECT_EQ(handles.LiveCount(), 0u);
    }

    record.handleProcs = handles.Procs();
    StoreParameterBlock(&record, DistinctiveSettings());
    record.handleProcs = &newer;
    TintfloodSettings settings;
    settings.tolerance = 77;
    EXPECT_FALSE(LoadParameterBlock(&record, settings));
    EXPECT_EQ(settings.tolerance, 77);
}

TEST_F(ParameterBlockTest, StoredBlockLoadsBack) {
    const TintfloodSettings stored = DistinctiveSettings();
    StoreParameterBlock(&record, stored);
    TintfloodSettings loaded;
    EXPECT_TRUE(LoadParameterBlock(&record, loaded));
    ExpectSameSettings(loaded, stored);
}

TEST_F(ParameterBlockTest, LoadingLeavesByteOrderFlagAlone) {
    StoreParameterBlock(&record, DistinctiveSettings());
    MutableBlock()[6] = 9;
    TintfloodSettings loaded;
    loaded.byteOrderFlag = 0;
    EXPECT_TRUE(LoadParameterBlock(&record, loaded));
    EXPECT_EQ(loaded.byteOrderFlag, 0);
}

TEST_F(ParameterBlockTest, BlockOfAnotherVersionOrPlugInGivesDefaults) {
    for (int offset : {4, 0}) {
        StoreParameterBlock(&record, DistinctiveSettings());
        MutableBlock()[offset] = 2;  // version 2, or a foreign signature
        TintfloodSettings loaded = DistinctiveSettings();
        EXPECT_FALSE(LoadParameterBlock(&record, loaded)) << offset;
        ExpectSameSettings(loaded, TintfloodSettings());
    }
}

TEST_F(ParameterBlockTest, NullHandleLeavesTheRecordUntouched) {
    TintfloodSettings loaded = DistinctiveSettings();
    EXPECT_FALSE(LoadParameterBlock(&record, loaded));
    ExpectSameSettings(loaded, DistinctiveSettings());
}

TEST_F(ParameterBlockTest, ShortBlockIsNotReadPastItsEnd) {
    GiveHandle(100);
    TintfloodSettings loaded = DistinctiveSettings();
    EXPECT_FALSE(LoadParameterBlock(&record, loaded));
    ExpectSameSettings(loaded, TintfloodSettings());
}

TEST_F(ParameterBlockTest, UnterminatedNameIsTerminatedOnLoading) {
    StoreParameterBlock(&record, TintfloodSettings());
    std::memset(MutableBlock() + 14, 'n', 256);
    TintfloodSettings loaded;
    EXPECT_TRUE(LoadParameterBlock(&record, loaded));
    EXPECT_EQ(std::string(loaded.paletteFile), std::string(255, 'n'));
}

TEST_F(ParameterBlockTest, BytesAfterTheNameAreZeroOnLoading) {
    StoreParameterBlock(&record, TintfloodSettings());
    std::memcpy(MutableBlock() + 14, "ab\0cd", 5);
    TintfloodSettings loaded;
    EXPECT_TRUE(LoadParameterBlock(&record, loaded));
    EXPECT_STREQ(loaded.paletteFile, "ab");
    EXPECT_EQ(loaded.paletteFile[3], 0);
}

}  // namespace
