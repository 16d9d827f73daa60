// The checks and small operations over the host's descriptor callbacks.
#include <gtest/gtest.h>

#include <iterator>

#include "DescriptorHelpers.h"
#include "FakeDescriptorHost.h"
#include "FakeHostHandles.h"
#include "MemoryHandles.h"
#include "ResultCodes.h"
#include "tintflood/ScriptKeys.h"

namespace {

using scripttest::Entries;
using scripttest::Entry;
using scripttest::FakeDescriptorHost;
using scripttest::FakeHostHandles;

class DescriptorHelpersTest : public ::testing::Test {
protected:
    FakeHostHandles handles;
    FakeDescriptorHost host{handles};
    PIDescriptorParameters* parameters = host.Parameters();
};

TEST_F(DescriptorHelpersTest, CompleteBlockIsUsable) {
    EXPECT_TRUE(DescriptorProcsUsable(parameters));
}

TEST_F(DescriptorHelpersTest, BlocksOfOtherVersionsOrTooShortAreUnusable) {
    EXPECT_FALSE(DescriptorProcsUsable(nullptr));

    parameters->descriptorParametersVersion = 1;
    EXPECT_FALSE(DescriptorProcsUsable(parameters));
    parameters->descriptorParametersVersion = 0;

    host.readProcs.readDescriptorProcsVersion = 1;
    EXPECT_FALSE(DescriptorProcsUsable(parameters));
    host.readProcs.readDescriptorProcsVersion = 0;

    host.readProcs.numReadDescriptorProcs = 17;
    EXPECT_FALSE(DescriptorProcsUsable(parameters));
    host.readProcs.numReadDescriptorProcs = 18;

    host.writeProcs.writeDescriptorProcsVersion = 1;
    EXPECT_FALSE(DescriptorProcsUsable(parameters));
    host.writeProcs.writeDescriptorProcsVersion = 0;

    host.writeProcs.numWriteDescriptorProcs = 15;
    EXPECT_FALSE(DescriptorProcsUsable(parameters));
    host.writeProcs.numWriteDescriptorProcs = 16;

    EXPECT_TRUE(DescriptorProcsUsable(parameters));
}

TEST_F(DescriptorHelpersTest, MissingTablesAreUnusable) {
    parameters->readDescriptorProcs = nullptr;
    EXPECT_FALSE(DescriptorProcsUsable(parameters));
    parameters->readDescriptorProcs = &host.readProcs;
    parameters->writeDescriptorProcs = nullptr;
    EXPECT_FALSE(DescriptorProcsUsable(parameters));
}

TEST_F(DescriptorHelpersTest, EveryReadingCallbackIsRequired) {
    void (*const removals[])(ReadDescriptorProcs&) = {
        [](ReadDescriptorProcs& p) { p.openReadDescriptorProc = nullptr; },
        [](ReadDescriptorProcs& p) { p.closeReadDescriptorProc = nullptr; },
        [](ReadDescriptorProcs& p) { p.getKeyProc = nullptr; },
        [](ReadDescriptorProcs& p) { p.getIntegerProc = nullptr; },
        [](ReadDescriptorProcs& p) { p.getFloatProc = nullptr; },
        [](ReadDescriptorProcs& p) { p.getUnitFloatProc = nullptr; },
        [](ReadDescriptorProcs& p) { p.getBooleanProc = nullptr; },
        [](ReadDescriptorProcs& p) { p.getTextProc = nullptr; },
        [](ReadDescriptorProcs& p) { p.getAliasProc = nullptr; },
        [](ReadDescriptorProcs& p) { p.getEnumeratedProc = nullptr; },
        [](ReadDescriptorProcs& p) { p.getClassProc = nullptr; },
        [](ReadDescriptorProcs& p) { p.getSimpleReferenceProc = nullptr; },
        [](ReadDescriptorProcs& p) { p.getObjectProc = nullptr; },
        [](ReadDescriptorProcs& p) { p.getCountProc = nullptr; },
        [](ReadDescriptorProcs& p) { p.getStringProc = nullptr; },
        [](ReadDescriptorProcs& p) { p.getPinnedIntegerProc = nullptr; },
        [](ReadDescriptorProcs& p) { p.getPinnedFloatProc = nullptr; },
        [](ReadDescriptorProcs& p) { p.getPinnedUnitFloatProc = nullptr; },
    };
    for (size_t i = 0; i < std::size(removals); ++i) {
        const ReadDescriptorProcs saved = host.readProcs;
        removals[i](host.readProcs);
        EXPECT_FALSE(DescriptorProcsUsable(parameters)) << "reading callback " << i;
        host.readProcs = saved;
    }
    EXPECT_TRUE(DescriptorProcsUsable(parameters));
}

TEST_F(DescriptorHelpersTest, WritingCallbacksAreNotCheckedOneByOne) {
    host.writeProcs.putScopedObjectProc = nullptr;
    EXPECT_TRUE(DescriptorProcsUsable(parameters));
}

TEST_F(DescriptorHelpersTest, DialogIsRequestedByPlayInfoOneOnly) {
    for (int16_t playInfo : {0, 1, 2, 3, -1}) {
        parameters->playInfo = playInfo;
        EXPECT_EQ(DialogRequested(parameters), playInfo == plugInDialogDisplay) << playInfo;
    }
    EXPECT_FALSE(DialogRequested(nullptr));
}

TEST_F(DescriptorHelpersTest, ClosingTheReaderConsumesTheDescriptor) {
    Handle replayed = host.MakeDescriptor({Entry::Integer(keyTolerance, 3)});
    parameters->descriptor = replayed;
    PIReadDescriptor reader = host.readProcs.openReadDescriptorProc(replayed, nullptr);
    ASSERT_NE(reader, nullptr);

    EXPECT_EQ(CloseDescriptorReader(parameters, handles.Procs(), reader), noErr);
    EXPECT_EQ(reader, nullptr);
    EXPECT_EQ(parameters->descriptor, nullptr);
    EXPECT_FALSE(handles.IsLive(replayed));
    EXPECT_EQ(host.readersClosed, 1);
}

TEST_F(DescriptorHelpersTest, ClosingTheWriterReplacesTheDescriptorInTheBlock) {
    parameters->descriptor = host.MakeDescriptor({});
    parameters->recordInfo = plugInDialogRequired;
    PIWriteDescriptor writer = host.writeProcs.openWriteDescriptorProc();
    host.writeProcs.putIntegerProc(writer, keyTolerance, 9);

    EXPECT_EQ(CloseDescriptorWriter(parameters, handles.Procs(), writer), noErr);
    EXPECT_EQ(writer, nullptr);
    EXPECT_EQ(handles.LiveCount(), 1u);  // the earlier one is gone
    ASSERT_TRUE(host.IsDescriptor(parameters->descriptor));
    Entries recorded = host.EntriesOf(parameters->descriptor);
    ASSERT_EQ(recorded.size(), 1u);
    EXPECT_EQ(recorded[0].integer, 9);
    EXPECT_EQ(parameters->recordInfo, plugInDialogOptional);
}

TEST_F(DescriptorHelpersTest, PutObjectDisposesOfTheHandleOnSuccess) {
    PIWriteDescriptor writer = host.writeProcs.openWriteDescriptorProc();
    Handle object = host.MakeDescriptor({Entry::Integer(keyRed, 1)});
    const Handle given = object;

    EXPECT_EQ(PutDescriptorObject(parameters, handles.Procs(), writer, keyFillColor, classRGBColor,
                                  object),
              noErr);
    EXPECT_EQ(object, nullptr);
    EXPECT_FALSE(handles.IsLive(given));
    CloseDescriptorWriter(parameters, handles.Procs(), writer);
}

TEST_F(DescriptorHelpersTest, FailedPutObjectLeavesTheHandleWithTheCaller) {
    host.putObjectResult = paramErr;
    PIWriteDescriptor writer = host.writeProcs.openWriteDescriptorProc();
    Handle object = host.MakeDescriptor({});
    const Handle given = object;

    EXPECT_EQ(PutDescriptorObject(parameters, handles.Procs(), writer, keyFillColor, classRGBColor,
                                  object),
              paramErr);
    EXPECT_EQ(object, given);
    EXPECT_TRUE(handles.IsLive(given));
    HandleDispose(handles.Procs(), object);
    CloseDescriptorWriter(parameters, handles.Procs(), writer);
}

}  // namespace
