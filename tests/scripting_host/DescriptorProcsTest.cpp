// The scripting callback tables, driven as a plug-in drives them.
#include <gtest/gtest.h>

#include <cstring>

#include "ResultCodes.h"
#include "SampleDescriptors.h"
#include "host/scripting/DescriptorProcs.h"
#include "host/scripting/DescriptorStorage.h"
#include "host/scripting/DescriptorTokens.h"

namespace {

using oxhost::Descriptor;
using oxhost::DescriptorEntry;
using oxhost::HostHandles;
using scriptingtest::Code;

class DescriptorProcsTest : public ::testing::Test {
protected:
    void TearDown() override {
        EXPECT_EQ(balance.Leaked(), 0u);
        EXPECT_EQ(oxhost::DescriptorTokens::Instance().OpenReaders(), 0u);
        EXPECT_EQ(oxhost::DescriptorTokens::Instance().OpenWriters(), 0u);
    }

    // Closes a writer and returns the handle it hands out (the test owns it).
    Handle Close(PIWriteDescriptor writer) {
        Handle handle = nullptr;
        EXPECT_EQ(write->closeWriteDescriptorProc(writer, &handle), noErr);
        EXPECT_NE(handle, nullptr);
        return handle;
    }

    Descriptor Load(Handle handle) {
        Descriptor descriptor;
        EXPECT_TRUE(oxhost::LoadDescriptorHandle(handle, descriptor));
        return descriptor;
    }

    std::string Bytes(Handle handle) {
        std::string bytes;
        EXPECT_TRUE(oxhost::ReadHandleBytes(handle, bytes));
        return bytes;
    }

    scriptingtest::HandleBalance balance;
    HostHandles& handles = HostHandles::Instance();
    ReadDescriptorProcs* read = oxhost::HostReadDescriptorProcs();
    WriteDescriptorProcs* write = oxhost::HostWriteDescriptorProcs();
};

TEST_F(DescriptorProcsTest, TablesHaveTheVersionsAndCountsPlugInsCheck) {
    EXPECT_EQ(read->readDescriptorProcsVersion, 0);
    EXPECT_EQ(read->numReadDescriptorProcs, 18);
    EXPECT_EQ(write->writeDescriptorProcsVersion, 0);
    EXPECT_EQ(write->numWriteDescriptorProcs, 16);

    const void* readers[] = {reinterpret_cast<const void*>(read->openReadDescriptorProc),
                             reinterpret_cast<const void*>(read->closeReadDescriptorProc),
                             reinterpret_cast<const void*>(read->getKeyProc),
                             reinterpret_cast<const void*>(read->getIntegerProc),
                             reinterpret_cast<const void*>(read->getFloatProc),
                             reinterpret_cast<const void*>(read->getUnitFloatProc),
                             reinterpret_cast<const void*>(read->getBooleanProc),
                             reinterpret_cast<const void*>(read->getTextProc),
                             reinterpret_cast<const void*>(read->getAliasProc),
                             reinterpret_cast<const void*>(read->getEnumeratedProc),
                             reinterpret_cast<const void*>(read->getClassProc),
                             reinterpret_cast<const void*>(read->getSimpleReferenceProc),
                             reinterpret_cast<const void*>(read->getObjectProc),
                             reinterpret_cast<const void*>(read->getCountProc),
                             reinterpret_cast<const void*>(read->getStringProc),
                             reinterpret_cast<const void*>(read->getPinnedIntegerProc),
                             reinterpret_cast<const void*>(read->getPinnedFloatProc),
                             reinterpret_cast<const void*>(read->getPinnedUnitFloatProc)};
    ASSERT_EQ(sizeof readers / sizeof readers[0], 18u);
    for (const void* callback : readers) {
        EXPECT_NE(callback, nullptr);
    }
    const void* writers[] = {reinterpret_cast<const void*>(write->openWriteDescriptorProc),
                             reinterpret_cast<const void*>(write->closeWriteDescriptorProc),
                             reinterpret_cast<const void*>(write->putIntegerProc),
                             reinterpret_cast<const void*>(write->putFloatProc),
                             reinterpret_cast<const void*>(write->putUnitFloatProc),
                             reinterpret_cast<const void*>(write->putBooleanProc),
                             reinterpret_cast<const void*>(write->putTextProc),
                             reinterpret_cast<const void*>(write->putAliasProc),
                             reinterpret_cast<const void*>(write->putEnumeratedProc),
                             reinterpret_cast<const void*>(write->putClassProc),
                             reinterpret_cast<const void*>(write->putSimpleReferenceProc),
                             reinterpret_cast<const void*>(write->putObjectProc),
                             reinterpret_cast<const void*>(write->putCountProc),
                             reinterpret_cast<const void*>(write->putStringProc),
                             reinterpret_cast<const void*>(write->putScopedClassProc),
                             reinterpret_cast<const void*>(write->putScopedObjectProc)};
    ASSERT_EQ(sizeof writers / sizeof writers[0], 16u);
    for (const void* callback : writers) {
        EXPECT_NE(callback, nullptr);
    }
}

// What Tintflood does: a colour object through a nested writer, text through
// a handle it never releases, then integers and booleans; then it reads the
// whole back the way it reads a replayed descriptor.
TEST_F(DescriptorProcsTest, WrittenThroughTheProcsReadsBackThroughTheProcs) {
    PIWriteDescriptor colorWriter = write->openWriteDescriptorProc();
    ASSERT_NE(colorWriter, nullptr);
    EXPECT_EQ(write->putIntegerProc(colorWriter, Code("Rd  "), 0x1010), noErr);
    EXPECT_EQ(write->putIntegerProc(colorWriter, Code("Grn "), 0x2020), noErr);
    EXPECT_EQ(write->putIntegerProc(colorWriter, Code("Bl  "), 0x3030), noErr);
    EXPECT_EQ(write->putIntegerProc(colorWriter, 0, 0), noErr);
    Handle color = Close(colorWriter);

    PIWriteDescriptor writer = write->openWriteDescriptorProc();
    ASSERT_NE(writer, nullptr);
    EXPECT_EQ(write->putObjectProc(writer, Code("BckC"), Code("RGBC"), color), noErr);
    EXPECT_TRUE(handles.IsLive(color));  // a put object stays the caller's
    handles.Dispose(color);
    Handle text = oxhost::NewBytesHandle("Light Flats.aco");
    EXPECT_EQ(write->putTextProc(writer, Code("PltF"), text), noErr);
    EXPECT_FALSE(handles.IsLive(text));  // the host took the text handle over
    EXPECT_EQ(write->putIntegerProc(writer, Code("Tlrn"), 40), noErr);
    EXPECT_EQ(write->putBooleanProc(writer, Code("RanD"), 7), noErr);
    Handle descriptor = Close(writer);

    const DescriptorKeyID keyList[] = {Code("BckC"), Code("PltF"), Code("Tlrn"), Code("RanD"), 0};
    PIReadDescriptor reader =
        read->openReadDescriptorProc(descriptor, const_cast<DescriptorKeyID*>(keyList));
    ASSERT_NE(reader, nullptr);
    DescriptorKeyID key = 0;
    DescriptorTypeID type = 0;
    int32_t flags = -1;

    ASSERT_TRUE(read->getKeyProc(reader, &key, &type, &flags));
    EXPECT_EQ(key, Code("BckC"));
    EXPECT_EQ(type, typeObject);
    EXPECT_EQ(flags, 0);
    Handle object = nullptr;
    EXPECT_EQ(read->getObjectProc(reader, nullptr, &object), noErr);
    ASSERT_NE(object, nullptr);
    const DescriptorKeyID colorKeys[] = {Code("Rd  "), Code("Grn "), Code("Bl  "), 0};
    PIReadDescriptor colorReader =
        read->openReadDescriptorProc(object, const_cast<DescriptorKeyID*>(colorKeys));
    handles.Dispose(object);  // the reader keeps its own copy
    ASSERT_NE(colorReader, nullptr);
    std::vector<std::pair<DescriptorKeyID, int32_t>> channels;
    while (read->getKeyProc(colorReader, &key, &type, &flags)) {
        int32_t value = -1;
        EXPECT_EQ(type, typeInteger);
        EXPECT_EQ(read->getIntegerProc(colorReader, &value), noErr);
        channels.emplace_back(key, value);
    }
    EXPECT_EQ(channels,
              (std::vector<std::pair<DescriptorKeyID, int32_t>>{
                  {Code("Rd  "), 0x1010}, {Code("Grn "), 0x2020}, {Code("Bl  "), 0x3030}, {0, 0}}));
    EXPECT_EQ(read->closeReadDescriptorProc(colorReader), noErr);

    ASSERT_TRUE(read->getKeyProc(reader, &key, &type, &flags));
    EXPECT_EQ(key, Code("PltF"));
    EXPECT_EQ(type, typeText);
    Handle textOut = nullptr;
    EXPECT_EQ(read->getTextProc(reader, &textOut), noErr);
    EXPECT_EQ(Bytes(textOut), "Light Flats.aco");
    handles.Dispose(textOut);

    int32_t tolerance = 0;
    ASSERT_TRUE(read->getKeyProc(reader, &key, &type, &flags));
    EXPECT_EQ(read->getIntegerProc(reader, &tolerance), noErr);
    EXPECT_EQ(tolerance, 40);

    Boolean random = 0;
    ASSERT_TRUE(read->getKeyProc(reader, &key, &type, &flags));
    EXPECT_EQ(type, typeBoolean);
    EXPECT_EQ(read->getBooleanProc(reader, &random), noErr);
    EXPECT_EQ(random, 1);  // any non-zero byte put is kept as 1

    EXPECT_FALSE(read->getKeyProc(reader, &key, &type, &flags));
    EXPECT_EQ(read->getIntegerProc(reader, &tolerance), paramErr);  // no current entry
    EXPECT_EQ(read->closeReadDescriptorProc(reader), noErr);
    handles.Dispose(descriptor);
}

TEST_F(DescriptorProcsTest, GetKeyWalksEveryEntryInOrderIncludingRepeatsAndTheZeroKey) {
    const Descriptor sample = scriptingtest::EveryKind();
    Handle handle = oxhost::NewDescriptorHandle(sample);
    PIReadDescriptor reader = read->openReadDescriptorProc(handle, nullptr);
    ASSERT_NE(reader, nullptr);
    std::vector<DescriptorKeyID> keys;
    std::vector<DescriptorTypeID> types;
    DescriptorKeyID key = 0;
    DescriptorTypeID type = 0;
    while (read->getKeyProc(reader, &key, &type, nullptr)) {
        keys.push_back(key);
        types.push_back(type);
    }
    ASSERT_EQ(keys.size(), sample.entries.size());
    for (size_t i = 0; i < keys.size(); ++i) {
        EXPECT_EQ(keys[i], sample.entries[i].key);
        EXPECT_EQ(types[i], oxhost::TypeCodeOf(sample.entries[i].kind));
    }
    EXPECT_EQ(keys[keys.size() - 2], 0u);
    EXPECT_EQ(read->closeReadDescriptorProc(reader), noErr);
    handles.Dispose(handle);
}

TEST_F(DescriptorProcsTest, OtherKindsRoundTripThroughTheirProcs) {
    PIWriteDescriptor writer = write->openWriteDescriptorProc();
    const double number = 2.5;
    EXPECT_EQ(write->putFloatProc(writer, Code("Flt "), &number), noErr);
    EXPECT_EQ(write->putUnitFloatProc(writer, Code("UnF "), Code("#Pxl"), &number), noErr);
    EXPECT_EQ(write->putEnumeratedProc(writer, Code("Enm "), Code("Type"), Code("Valu")), noErr);
    EXPECT_EQ(write->putClassProc(writer, Code("Cls "), Code("Lyr ")), noErr);
    EXPECT_EQ(write->putScopedClassProc(writer, Code("Scp "), Code("Chnl")), noErr);
    EXPECT_EQ(write->putCountProc(writer, Code("Cnt "), 4000000000u), noErr);
    const unsigned char pascal[] = {3, 'a', 'b', 'c'};
    EXPECT_EQ(write->putStringProc(writer, Code("Str "), pascal), noErr);
    EXPECT_EQ(write->putAliasProc(writer, Code("Als "), oxhost::NewBytesHandle("/x")), noErr);
    PIDescriptorSimpleReference reference{};
    reference.desiredClass = Code("Lyr ");
    reference.keyData.name[0] = 2;
    reference.keyData.name[1] = 'L';
    reference.keyData.name[2] = '1';
    reference.keyData.index = 7;
    EXPECT_EQ(write->putSimpleReferenceProc(writer, Code("Ref "), &reference), noErr);
    Handle descriptor = Close(writer);

    PIReadDescriptor reader = read->openReadDescriptorProc(descriptor, nullptr);
    handles.Dispose(descriptor);
    ASSERT_NE(reader, nullptr);
    DescriptorKeyID key = 0;
    DescriptorTypeID type = 0;
    double value = 0;
    const double low = 0;
    const double high = 2;
    DescriptorUnitID unit = 0;
    ASSERT_TRUE(read->getKeyProc(reader, &key, &type, nullptr));
    EXPECT_EQ(type, typeFloat);
    EXPECT_EQ(read->getPinnedFloatProc(reader, &low, &high, &value), noErr);
    EXPECT_EQ(value, 2.0);
    EXPECT_EQ(read->getIntegerProc(reader, nullptr), paramErr);  // another kind
    ASSERT_TRUE(read->getKeyProc(reader, &key, &type, nullptr));
    EXPECT_EQ(read->getUnitFloatProc(reader, &unit, &value), noErr);
    EXPECT_EQ(unit, Code("#Pxl"));
    EXPECT_EQ(value, 2.5);
    ASSERT_TRUE(read->getKeyProc(reader, &key, &type, nullptr));
    DescriptorEnumID enumValue = 0;
    EXPECT_EQ(read->getEnumeratedProc(reader, &enumValue), noErr);
    EXPECT_EQ(enumValue, Code("Valu"));
    DescriptorClassID classId = 0;
    ASSERT_TRUE(read->getKeyProc(reader, &key, &type, nullptr));
    EXPECT_EQ(read->getClassProc(reader, &classId), noErr);
    EXPECT_EQ(classId, Code("Lyr "));
    ASSERT_TRUE(read->getKeyProc(reader, &key, &type, nullptr));
    EXPECT_EQ(read->getClassProc(reader, &classId), noErr);
    EXPECT_EQ(classId, Code("Chnl"));
    ASSERT_TRUE(read->getKeyProc(reader, &key, &type, nullptr));
    uint32_t count = 0;
    int32_t pinned = 0;
    EXPECT_EQ(read->getCountProc(reader, &count), noErr);
    EXPECT_EQ(count, 4000000000u);
    EXPECT_EQ(read->getPinnedIntegerProc(reader, -10, 10, &pinned), noErr);
    EXPECT_EQ(pinned, -10);  // 4000000000 read as an integer is negative
    ASSERT_TRUE(read->getKeyProc(reader, &key, &type, nullptr));
    Str255 text{};
    EXPECT_EQ(read->getStringProc(reader, &text), noErr);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(&text[1]), text[0]), "abc");
    ASSERT_TRUE(read->getKeyProc(reader, &key, &type, nullptr));
    Handle alias = nullptr;
    EXPECT_EQ(read->getAliasProc(reader, &alias), noErr);
    EXPECT_EQ(Bytes(alias), "/x");
    handles.Dispose(alias);
    ASSERT_TRUE(read->getKeyProc(reader, &key, &type, nullptr));
    PIDescriptorSimpleReference back{};
    EXPECT_EQ(read->getSimpleReferenceProc(reader, &back), noErr);
    EXPECT_EQ(back.desiredClass, Code("Lyr "));
    EXPECT_EQ(back.keyData.index, 7);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(&back.keyData.name[1]), back.keyData.name[0]),
              "L1");
    EXPECT_EQ(read->closeReadDescriptorProc(reader), noErr);
}

TEST_F(DescriptorProcsTest, ClosingReportsKeysOfTheListThatNeverCameUp) {
    Descriptor descriptor;
    descriptor.entries = {DescriptorEntry::Integer(Code("Tlrn"), 3)};
    Handle handle = oxhost::NewDescriptorHandle(descriptor);
    const DescriptorKeyID keys[] = {Code("Tlrn"), Code("JinS"), 0};
    PIReadDescriptor reader =
        read->openReadDescriptorProc(handle, const_cast<DescriptorKeyID*>(keys));
    DescriptorKeyID key = 0;
    DescriptorTypeID type = 0;
    while (read->getKeyProc(reader, &key, &type, nullptr)) {
    }
    EXPECT_EQ(read->closeReadDescriptorProc(reader), oxhost::kDescriptorKeyMissing);
    handles.Dispose(handle);
}

TEST_F(DescriptorProcsTest, NullUnknownAndDamagedHandlesOpenNoReader) {
    char* data = nullptr;
    Handle foreign = &data;
    Handle damaged = oxhost::NewBytesHandle("not a descriptor");
    EXPECT_EQ(read->openReadDescriptorProc(nullptr, nullptr), nullptr);
    EXPECT_EQ(read->openReadDescriptorProc(foreign, nullptr), nullptr);
    EXPECT_EQ(read->openReadDescriptorProc(damaged, nullptr), nullptr);
    handles.Dispose(damaged);
}

TEST_F(DescriptorProcsTest, TokensTheHostDidNotHandOutAreRefused) {
    int notAToken = 0;
    auto reader = reinterpret_cast<PIReadDescriptor>(&notAToken);
    auto writer = reinterpret_cast<PIWriteDescriptor>(&notAToken);
    DescriptorKeyID key = 0;
    int32_t value = 0;
    Handle out = reinterpret_cast<Handle>(&notAToken);
    EXPECT_FALSE(read->getKeyProc(reader, &key, nullptr, nullptr));
    EXPECT_EQ(read->getIntegerProc(reader, &value), paramErr);
    EXPECT_EQ(read->closeReadDescriptorProc(reader), paramErr);
    EXPECT_EQ(write->putIntegerProc(writer, key, 1), paramErr);
    EXPECT_EQ(write->closeWriteDescriptorProc(writer, &out), paramErr);
    EXPECT_EQ(out, nullptr);

    // A closed writer is no longer a token.
    PIWriteDescriptor closed = write->openWriteDescriptorProc();
    handles.Dispose(Close(closed));
    EXPECT_EQ(write->putIntegerProc(closed, key, 1), paramErr);
}

TEST_F(DescriptorProcsTest, RefusedObjectsStayTheCallersAndRefusedTextIsStillTakenOver) {
    PIWriteDescriptor writer = write->openWriteDescriptorProc();
    Handle damaged = oxhost::NewBytesHandle("OXDS");
    EXPECT_EQ(write->putObjectProc(writer, Code("BckC"), Code("RGBC"), damaged), paramErr);
    EXPECT_TRUE(handles.IsLive(damaged));
    handles.Dispose(damaged);
    Handle tooDeep =
        oxhost::NewDescriptorHandle(scriptingtest::NestedTo(oxhost::kMaxDescriptorDepth));
    EXPECT_EQ(write->putObjectProc(writer, Code("Deep"), Code("Levl"), tooDeep), paramErr);
    handles.Dispose(tooDeep);
    EXPECT_EQ(write->putObjectProc(writer, Code("BckC"), Code("RGBC"), nullptr), nilHandleErr);
    char* data = nullptr;
    EXPECT_EQ(write->putTextProc(writer, Code("PltF"), &data), nilHandleErr);

    auto bogusWriter = reinterpret_cast<PIWriteDescriptor>(&data);
    Handle text = oxhost::NewBytesHandle("x");
    EXPECT_EQ(write->putTextProc(bogusWriter, Code("PltF"), text), paramErr);
    EXPECT_FALSE(handles.IsLive(text));

    Handle descriptor = Close(writer);
    EXPECT_TRUE(Load(descriptor).entries.empty());
    handles.Dispose(descriptor);
}

TEST_F(DescriptorProcsTest, ReadingGivesNewHandlesTheCallerDisposes) {
    Descriptor descriptor;
    descriptor.entries = {
        DescriptorEntry::Object(Code("Clr "), Code("RGBC"), scriptingtest::ColorObject(9, 8, 7))};
    Handle handle = oxhost::NewDescriptorHandle(descriptor);
    PIReadDescriptor reader = read->openReadDescriptorProc(handle, nullptr);
    DescriptorKeyID key = 0;
    DescriptorTypeID type = 0;
    ASSERT_TRUE(read->getKeyProc(reader, &key, &type, nullptr));
    Handle first = nullptr;
    Handle second = nullptr;
    DescriptorClassID classId = 0;
    EXPECT_EQ(read->getObjectProc(reader, &classId, &first), noErr);
    EXPECT_EQ(read->getObjectProc(reader, nullptr, &second), noErr);
    EXPECT_EQ(classId, Code("RGBC"));
    EXPECT_NE(first, second);
    EXPECT_NE(first, handle);
    EXPECT_EQ(Load(first), scriptingtest::ColorObject(9, 8, 7));
    handles.Dispose(first);
    handles.Dispose(second);
    EXPECT_EQ(read->closeReadDescriptorProc(reader), noErr);
    handles.Dispose(handle);
}

}  // namespace
