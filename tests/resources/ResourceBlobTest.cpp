#include <gtest/gtest.h>

#include <stdexcept>

#include "ByteBuilder.h"
#include "bridge/platform/linux/ResourceBlob.h"
#include "bridge/platform/linux/ResourceBlobWriter.h"

namespace {

using restest::ByteBuilder;
using restest::Bytes;

oxres::Resource MakeResource(const std::string& type, uint32_t id, const std::string& data) {
    oxres::Resource resource;
    resource.type = type;
    resource.id = id;
    resource.data.assign(data.begin(), data.end());
    return resource;
}

std::string Find(const Bytes& blob, const char* type, uint32_t id, size_t blobSize) {
    const unsigned char* data = nullptr;
    size_t size = 0;
    if (!oxres::FindResourceInBlob(blob.data(), blobSize, type, id, &data, &size)) {
        return "<missing>";
    }
    return std::string(reinterpret_cast<const char*>(data), size);
}

std::string Find(const Bytes& blob, const char* type, uint32_t id) {
    return Find(blob, type, id, blob.size());
}

// One resource "AB" of type PIPL, id 16000, and an empty one, laid out by hand.
Bytes HandWrittenBlob() {
    return ByteBuilder()
        .Text("OXRS")
        .U32(1)
        .U32(2)
        .Text("PIPL")
        .U32(0)
        .U32(16000)
        .U32(52)
        .U32(2)
        .Text("STRING")
        .U16(0)
        .U32(7)
        .U32(56)
        .U32(0)
        .Text("AB")
        .U16(0)
        .Get();
}

TEST(ResourceBlobWriter, WritesTheDocumentedLayout) {
    Bytes blob = oxres::WriteResourceBlob(
        {MakeResource("PIPL", 16000, "AB"), MakeResource("STRING", 7, "")});
    EXPECT_EQ(blob, HandWrittenBlob());
}

TEST(ResourceBlobWriter, StartsEveryResourceAtAFourByteBoundary) {
    std::vector<oxres::Resource> resources = {
        MakeResource("A", 1, "x"), MakeResource("B", 2, "12345"), MakeResource("C", 3, ""),
        MakeResource("D", 4, "last")};
    Bytes blob = oxres::WriteResourceBlob(resources);
    ASSERT_EQ(oxres::CountResourcesInBlob(blob.data(), blob.size()), resources.size());
    for (uint32_t index = 0; index < resources.size(); ++index) {
        oxres::BlobEntry entry;
        ASSERT_TRUE(oxres::ReadBlobEntry(blob.data(), blob.size(), index, &entry));
        EXPECT_EQ(entry.type, resources[index].type);
        EXPECT_EQ(entry.id, resources[index].id);
        EXPECT_EQ((entry.data - blob.data()) % 4, 0);
        EXPECT_EQ(Bytes(entry.data, entry.data + entry.size), resources[index].data);
    }
}

TEST(ResourceBlobWriter, RejectsTypeNamesThatDoNotFit) {
    EXPECT_THROW(oxres::WriteResourceBlob({MakeResource("", 1, "x")}), std::invalid_argument);
    EXPECT_THROW(oxres::WriteResourceBlob({MakeResource("NINECHARS", 1, "x")}),
                 std::invalid_argument);
}

TEST(ResourceBlobFind, FindsByTypeWithoutRegardToCaseAndById) {
    Bytes blob = oxres::WriteResourceBlob({MakeResource("PIPL", 16000, "pipl"),
                                           MakeResource("STRING", 16000, "text"),
                                           MakeResource("EIGHTCHR", 1, "eight")});
    EXPECT_EQ(Find(blob, "PIPL", 16000), "pipl");
    EXPECT_EQ(Find(blob, "PiPL", 16000), "pipl");
    EXPECT_EQ(Find(blob, "string", 16000), "text");
    EXPECT_EQ(Find(blob, "EIGHTCHR", 1), "eight");
    EXPECT_EQ(Find(blob, "PIPL", 16001), "<missing>");
    EXPECT_EQ(Find(blob, "PIP", 16000), "<missing>");
    EXPECT_EQ(Find(blob, "PIPLX", 16000), "<missing>");
    EXPECT_EQ(Find(blob, "EIGHTCHRS", 1), "<missing>");
}

TEST(ResourceBlobFind, LeavesOutputsAloneWhenMissing) {
    Bytes blob = HandWrittenBlob();
    const unsigned char marker = 0;
    const unsigned char* data = &marker;
    size_t size = 99;
    EXPECT_FALSE(oxres::FindResourceInBlob(blob.data(), blob.size(), "PIPL", 1, &data, &size));
    EXPECT_EQ(data, &marker);
    EXPECT_EQ(size, 99u);
    EXPECT_FALSE(oxres::FindResourceInBlob(nullptr, 0, "PIPL", 16000, &data, &size));
    EXPECT_FALSE(oxres::FindResourceInBlob(blob.data(), blob.size(), nullptr, 16000, &data, &size));
}

TEST(ResourceBlobFind, EveryTruncationFailsOrYieldsTheSameBytes) {
    Bytes blob =
        oxres::WriteResourceBlob({MakeResource("A", 1, "first"), MakeResource("B", 2, "second!")});
    for (size_t size = 0; size <= blob.size(); ++size) {
        Bytes prefix(blob.begin(), blob.begin() + size);  // own buffer, so overreads are caught
        std::string first = Find(prefix, "A", 1);
        std::string second = Find(prefix, "B", 2);
        EXPECT_TRUE(first == "<missing>" || first == "first") << size;
        EXPECT_TRUE(second == "<missing>" || second == "second!") << size;
    }
    EXPECT_EQ(Find(blob, "B", 2, blob.size() - 1), "<missing>");
    EXPECT_EQ(Find(blob, "A", 1, blob.size() - 1), "first");
}

TEST(ResourceBlobFind, RejectsBlobsThatLie) {
    Bytes good = HandWrittenBlob();
    auto patched = [&good](size_t offset, uint32_t value) {
        Bytes blob = good;
        for (size_t i = 0; i < 4; ++i) {
            blob.at(offset + i) = static_cast<unsigned char>(value >> (8 * i));
        }
        return blob;
    };
    const size_t firstOffsetField = 12 + 12;
    const size_t firstSizeField = 12 + 16;
    EXPECT_EQ(Find(good, "PIPL", 16000), "AB");
    EXPECT_EQ(Find(patched(firstSizeField, 5), "PIPL", 16000), "<missing>");     // past the end
    EXPECT_EQ(Find(patched(firstOffsetField, 57), "PIPL", 16000), "<missing>");  // past the end
    EXPECT_EQ(Find(patched(firstOffsetField, 0xFFFFFFFF), "PIPL", 16000), "<missing>");  // wraps
    EXPECT_EQ(Find(patched(firstSizeField, 0xFFFFFFFF), "PIPL", 16000), "<missing>");
    EXPECT_EQ(Find(patched(8, 3), "PIPL", 16000), "<missing>");           // count too large
    EXPECT_EQ(Find(patched(8, 0xFFFFFFFF), "PIPL", 16000), "<missing>");  // count overflows
    EXPECT_EQ(Find(patched(4, 2), "PIPL", 16000), "<missing>");           // unknown version
    EXPECT_EQ(Find(patched(0, 0x5352584E), "PIPL", 16000), "<missing>");  // "NXRS"
    EXPECT_EQ(oxres::CountResourcesInBlob(patched(8, 3).data(), good.size()), 0u);
}

}  // namespace
