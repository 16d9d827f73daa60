// The descriptor model and its bytes inside host handles.
#include <gtest/gtest.h>

#include "SampleDescriptors.h"
#include "host/scripting/DescriptorStorage.h"

namespace {

using oxhost::DecodeDescriptor;
using oxhost::Descriptor;
using oxhost::DescriptorEntry;
using oxhost::EncodeDescriptor;
using oxhost::HostHandles;
using scriptingtest::Code;
using scriptingtest::EveryKind;

bool Decodes(const std::vector<uint8_t>& bytes, Descriptor& descriptor) {
    return DecodeDescriptor(bytes.data(), bytes.size(), descriptor);
}

TEST(DescriptorModelTest, SetReplacesTheFirstEntryOfTheKeyInPlaceOrAppends) {
    Descriptor descriptor;
    descriptor.entries = {DescriptorEntry::Integer(Code("Tlrn"), 1),
                          DescriptorEntry::Boolean(Code("RanD"), false),
                          DescriptorEntry::Integer(Code("Tlrn"), 2)};
    descriptor.Set(DescriptorEntry::Text(Code("Tlrn"), "x"));
    descriptor.Set(DescriptorEntry::Integer(Code("JinS"), 9));

    ASSERT_EQ(descriptor.entries.size(), 4u);
    EXPECT_EQ(descriptor.entries[0], DescriptorEntry::Text(Code("Tlrn"), "x"));
    EXPECT_EQ(descriptor.entries[2], DescriptorEntry::Integer(Code("Tlrn"), 2));
    EXPECT_EQ(descriptor.entries[3], DescriptorEntry::Integer(Code("JinS"), 9));
    EXPECT_EQ(descriptor.Find(Code("Tlrn")), &descriptor.entries[0]);
    EXPECT_EQ(descriptor.Find(Code("none")), nullptr);
}

TEST(DescriptorModelTest, DepthCountsNestedObjects) {
    EXPECT_EQ(Descriptor().Depth(), 1);
    EXPECT_EQ(EveryKind().Depth(), 3);
    EXPECT_EQ(scriptingtest::NestedTo(5).Depth(), 5);
}

TEST(DescriptorStorageTest, EveryKindSurvivesTheRoundTripInOrder) {
    const Descriptor original = EveryKind();
    Descriptor decoded;
    ASSERT_TRUE(Decodes(EncodeDescriptor(original), decoded));
    EXPECT_EQ(decoded, original);
}

TEST(DescriptorStorageTest, LayoutIsLittleEndianWithHeaderCountKeyAndKind) {
    Descriptor descriptor;
    descriptor.entries = {DescriptorEntry::Integer(Code("Tlrn"), -2),
                          DescriptorEntry::Boolean(Code("Ar  "), true),
                          DescriptorEntry::Text(Code("PltF"), "ab")};
    const std::vector<uint8_t> expected = {
        'O', 'X', 'D', 'S', 1, 0,    3,    0,    0,    0,          // header, 3 entries
        'n', 'r', 'l', 'T', 0, 0xFE, 0xFF, 0xFF, 0xFF,             // 'Tlrn' integer -2
        ' ', ' ', 'r', 'A', 3, 1,                                  // 'Ar  ' boolean true
        'F', 't', 'l', 'P', 4, 2,    0,    0,    0,    'a', 'b'};  // 'PltF' text "ab"
    EXPECT_EQ(EncodeDescriptor(descriptor), expected);
}

TEST(DescriptorStorageTest, EveryTruncationIsRefusedAndLeavesTheTargetAlone) {
    const std::vector<uint8_t> bytes = EncodeDescriptor(EveryKind());
    const Descriptor untouched = scriptingtest::NestedTo(2);
    for (size_t length = 0; length < bytes.size(); ++length) {
        Descriptor target = untouched;
        EXPECT_FALSE(DecodeDescriptor(bytes.data(), length, target)) << "length " << length;
        EXPECT_EQ(target, untouched);
    }
}

TEST(DescriptorStorageTest, DamagedHeadersEntriesAndTrailingBytesAreRefused) {
    Descriptor descriptor;
    descriptor.entries = {DescriptorEntry::Boolean(Code("RanD"), false)};
    const std::vector<uint8_t> good = EncodeDescriptor(descriptor);
    Descriptor target;
    ASSERT_TRUE(Decodes(good, target));

    auto damaged = [&](size_t offset, uint8_t value) {
        std::vector<uint8_t> bytes = good;
        bytes[offset] = value;
        return bytes;
    };
    EXPECT_FALSE(Decodes(damaged(0, 'o'), target));  // magic
    EXPECT_FALSE(Decodes(damaged(4, 2), target));    // format version
    EXPECT_FALSE(Decodes(damaged(6, 2), target));    // count larger than the entries
    EXPECT_FALSE(Decodes(damaged(14, 10), target));  // unknown kind
    EXPECT_FALSE(Decodes(damaged(15, 2), target));   // boolean neither 0 nor 1
    std::vector<uint8_t> trailing = good;
    trailing.push_back(0);
    EXPECT_FALSE(Decodes(trailing, target));
    EXPECT_FALSE(DecodeDescriptor(nullptr, 0, target));
}

TEST(DescriptorStorageTest, LengthsPastTheEndAreRefused) {
    Descriptor descriptor;
    descriptor.entries = {
        DescriptorEntry::Text(Code("PltF"), "abc"),
        DescriptorEntry::Object(Code("Clr "), Code("RGBC"), scriptingtest::ColorObject(1, 2, 3))};
    std::vector<uint8_t> bytes = EncodeDescriptor(descriptor);
    Descriptor target;
    std::vector<uint8_t> text = bytes;
    text[18] = 0xFF;  // the text's length becomes 0xFF000003
    EXPECT_FALSE(Decodes(text, target));
    std::vector<uint8_t> object = bytes;
    object[32] = 0xFF;  // the object's length grows by 0xFF00
    EXPECT_FALSE(Decodes(object, target));
}

TEST(DescriptorStorageTest, NestingIsAcceptedUpToTheLimitAndRefusedBeyond) {
    Descriptor target;
    EXPECT_TRUE(
        Decodes(EncodeDescriptor(scriptingtest::NestedTo(oxhost::kMaxDescriptorDepth)), target));
    EXPECT_FALSE(Decodes(EncodeDescriptor(scriptingtest::NestedTo(oxhost::kMaxDescriptorDepth + 1)),
                         target));
}

TEST(DescriptorStorageTest, ByteFlipsNeverCrashTheDecoder) {
    const std::vector<uint8_t> good = EncodeDescriptor(EveryKind());
    for (size_t offset = 0; offset < good.size(); ++offset) {
        for (uint8_t value : {uint8_t(0x00), uint8_t(0x01), uint8_t(0x7F), uint8_t(0xFF)}) {
            std::vector<uint8_t> bytes = good;
            bytes[offset] = value;
            Descriptor target;
            if (Decodes(bytes, target)) {
                // Whatever decodes must encode back to the very same bytes.
                EXPECT_EQ(EncodeDescriptor(target), bytes) << "offset " << offset;
            }
        }
    }
}

TEST(DescriptorStorageTest, HandlesHoldTheDescriptorAndRefuseWhatTheHostDidNotMake) {
    scriptingtest::HandleBalance balance;
    HostHandles& handles = HostHandles::Instance();
    Handle handle = oxhost::NewDescriptorHandle(EveryKind());
    ASSERT_NE(handle, nullptr);
    EXPECT_EQ(size_t(handles.Size(handle)), EncodeDescriptor(EveryKind()).size());

    Descriptor loaded;
    ASSERT_TRUE(oxhost::LoadDescriptorHandle(handle, loaded));
    EXPECT_EQ(loaded, EveryKind());
    EXPECT_TRUE(handles.IsLive(handle));  // loading leaves the handle to its owner
    handles.Dispose(handle);

    char* data = nullptr;
    Handle foreign = &data;
    EXPECT_FALSE(oxhost::LoadDescriptorHandle(nullptr, loaded));
    EXPECT_FALSE(oxhost::LoadDescriptorHandle(foreign, loaded));
    Handle garbage = oxhost::NewBytesHandle("OXDS garbage");
    EXPECT_FALSE(oxhost::LoadDescriptorHandle(garbage, loaded));
    handles.Dispose(garbage);
    EXPECT_EQ(balance.Leaked(), 0u);
}

}  // namespace
