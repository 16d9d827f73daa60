// The scripting session around real filter runs, with a small fake plug-in
// that reads and writes descriptors as Tintflood does.
#include <gtest/gtest.h>

#include <cstring>

#include "FilterSelectors.h"
#include "ResultCodes.h"
#include "SampleDescriptors.h"
#include "host/scripting/DescriptorProcs.h"
#include "host/scripting/DescriptorStorage.h"
#include "host/scripting/DescriptorTokens.h"
#include "host/scripting/ScriptingSession.h"

namespace {

using oxhost::Descriptor;
using oxhost::DescriptorEntry;
using oxhost::FilterRun;
using oxhost::HostHandles;
using oxhost::RunOptions;
using oxhost::ScriptingSession;
using scriptingtest::Code;

// What the fake plug-in does and what it saw.
struct Fake {
    bool readsDescriptors = true;
    bool writesAtStart = true;
    bool leavesReaderOpen = false;
    std::vector<int16_t> selectors;
    std::vector<int16_t> playInfos;
    std::vector<std::vector<std::pair<DescriptorKeyID, int32_t>>> integersRead;  // per call
} fake;

// Reads the integers of the block's descriptor through the procs, closes the
// reader and releases the handle, as a plug-in's reading does.
std::vector<std::pair<DescriptorKeyID, int32_t>> ReadIntegers(PIDescriptorParameters* block,
                                                              HandleProcs* handleProcs) {
    std::vector<std::pair<DescriptorKeyID, int32_t>> integers;
    ReadDescriptorProcs* read = block->readDescriptorProcs;
    PIReadDescriptor reader = read->openReadDescriptorProc(block->descriptor, nullptr);
    if (reader == nullptr) {
        return integers;
    }
    DescriptorKeyID key = 0;
    DescriptorTypeID type = 0;
    int32_t flags = 0;
    while (read->getKeyProc(reader, &key, &type, &flags)) {
        int32_t value = 0;
        if (type == typeInteger && read->getIntegerProc(reader, &value) == noErr) {
            integers.emplace_back(key, value);
        }
    }
    if (!fake.leavesReaderOpen) {
        read->closeReadDescriptorProc(reader);
    }
    handleProcs->disposeProc(block->descriptor);
    block->descriptor = nullptr;
    return integers;
}

// Writes 'Clr ' (an object), 'PltF' (a text handle it does not release) and
// 'Tlrn', and hands the result to the host in the block.
void WriteSettings(PIDescriptorParameters* block, HandleProcs* handleProcs) {
    WriteDescriptorProcs* write = block->writeDescriptorProcs;
    PIWriteDescriptor colorWriter = write->openWriteDescriptorProc();
    write->putIntegerProc(colorWriter, Code("Rd  "), 65535);
    write->putIntegerProc(colorWriter, 0, 0);
    Handle color = nullptr;
    write->closeWriteDescriptorProc(colorWriter, &color);

    PIWriteDescriptor writer = write->openWriteDescriptorProc();
    if (write->putObjectProc(writer, Code("Clr "), Code("RGBC"), color) == noErr) {
        handleProcs->disposeProc(color);
    }
    Handle text = handleProcs->newProc(3);
    std::memcpy(handleProcs->lockProc(text, false), "abc", 3);
    handleProcs->unlockProc(text);
    write->putTextProc(writer, Code("PltF"), text);
    write->putIntegerProc(writer, Code("Tlrn"), 40);
    if (block->descriptor != nullptr) {
        handleProcs->disposeProc(block->descriptor);
    }
    Handle written = nullptr;
    write->closeWriteDescriptorProc(writer, &written);
    block->descriptor = written;
    block->recordInfo = plugInDialogOptional;
}

void HOSTAPI_CALL FakeEntry(int16_t selector, void* parameterBlock, intptr_t*, int16_t* result) {
    FilterRecord* record = static_cast<FilterRecord*>(parameterBlock);
    PIDescriptorParameters* block = record->descriptorParameters;
    fake.selectors.push_back(selector);
    fake.playInfos.push_back(block->playInfo);
    fake.integersRead.emplace_back();
    if (fake.readsDescriptors && block->descriptor != nullptr) {
        fake.integersRead.back() = ReadIntegers(block, record->handleProcs);
    }
    if (fake.writesAtStart && selector == filterSelectorStart) {
        WriteSettings(block, record->handleProcs);
    }
    *result = noErr;
}

Descriptor Replayed() {
    Descriptor descriptor;
    descriptor.entries = {DescriptorEntry::Integer(Code("Tlrn"), 30),
                          DescriptorEntry::Integer(Code("JinS"), 12)};
    return descriptor;
}

Descriptor WrittenByTheFake() {
    Descriptor color;
    color.entries = {DescriptorEntry::Integer(Code("Rd  "), 65535), DescriptorEntry::Integer(0, 0)};
    Descriptor descriptor;
    descriptor.entries = {DescriptorEntry::Object(Code("Clr "), Code("RGBC"), color),
                          DescriptorEntry::Text(Code("PltF"), "abc"),
                          DescriptorEntry::Integer(Code("Tlrn"), 40)};
    return descriptor;
}

class ScriptingSessionTest : public ::testing::Test {
protected:
    void SetUp() override {
        fake = Fake();
        document.width = 2;
        document.height = 2;
        document.pixels.assign(12, 255);
    }

    oxhost::RunResult RunWith(ScriptingSession& session, bool callParameters = true) {
        RunOptions options;
        options.callParameters = callParameters;
        session.Attach(options);
        FilterRun run(FakeEntry, document, options);
        return run.Run();
    }

    oxhost::Document document;
};

TEST_F(ScriptingSessionTest, TheReplayedDescriptorIsOfferedToEverySelector) {
    scriptingtest::HandleBalance balance;
    {
        ScriptingSession session(plugInDialogDontDisplay, Replayed());
        EXPECT_EQ(RunWith(session).result, noErr);
        const std::vector<int16_t> expected = {filterSelectorParameters, filterSelectorPrepare,
                                               filterSelectorStart, filterSelectorFinish};
        EXPECT_EQ(fake.selectors, expected);
        ASSERT_EQ(fake.integersRead.size(), expected.size());
        for (const auto& integers : fake.integersRead) {
            EXPECT_EQ(integers, (std::vector<std::pair<DescriptorKeyID, int32_t>>{
                                    {Code("Tlrn"), 30}, {Code("JinS"), 12}}));
        }
        EXPECT_EQ(fake.playInfos, std::vector<int16_t>(expected.size(), plugInDialogDontDisplay));
        ASSERT_TRUE(session.Recorded());
        EXPECT_EQ(*session.Recorded(), WrittenByTheFake());
        EXPECT_EQ(session.RefusedDescriptors(), 0);
        EXPECT_EQ(session.Block().descriptor, nullptr);  // finish read the last copy
    }
    EXPECT_EQ(balance.Leaked(), 0u);
}

TEST_F(ScriptingSessionTest, AnUnreadDescriptorStaysInTheBlockAndIsDisposedAtTheEnd) {
    scriptingtest::HandleBalance balance;
    fake.readsDescriptors = false;
    fake.writesAtStart = false;
    {
        ScriptingSession session(plugInDialogSilent, Replayed());
        const size_t live = HostHandles::Instance().LiveCount();
        EXPECT_EQ(RunWith(session).result, noErr);
        // One copy, made before the first call and never replaced.
        EXPECT_EQ(HostHandles::Instance().LiveCount(), live + 1);
        EXPECT_NE(session.Block().descriptor, nullptr);
        EXPECT_FALSE(session.Recorded());
    }
    EXPECT_EQ(balance.Leaked(), 0u);
}

TEST_F(ScriptingSessionTest, WithoutReplayTheBlockStillCarriesTheProcsAndCollectsTheRecording) {
    scriptingtest::HandleBalance balance;
    {
        ScriptingSession session(plugInDialogDisplay, std::nullopt);
        const PIDescriptorParameters& block = session.Block();
        EXPECT_EQ(block.descriptorParametersVersion, 0);
        EXPECT_EQ(block.playInfo, plugInDialogDisplay);
        EXPECT_EQ(block.readDescriptorProcs, oxhost::HostReadDescriptorProcs());
        EXPECT_EQ(block.writeDescriptorProcs, oxhost::HostWriteDescriptorProcs());
        EXPECT_EQ(RunWith(session, false).result, noErr);
        for (const auto& integers : fake.integersRead) {
            EXPECT_TRUE(integers.empty());
        }
        ASSERT_TRUE(session.Recorded());
        EXPECT_EQ(*session.Recorded(), WrittenByTheFake());
    }
    EXPECT_EQ(balance.Leaked(), 0u);
}

// The plug-in may read (and dispose) the offered copy and then hand back a
// descriptor at the very same address; the session must still collect it.
TEST_F(ScriptingSessionTest, AHandedBackDescriptorAtTheOfferedAddressIsCollected) {
    scriptingtest::HandleBalance balance;
    {
        ScriptingSession session(plugInDialogDontDisplay, Replayed());
        session.BeforeCall();
        Handle offered = session.Block().descriptor;
        ASSERT_NE(offered, nullptr);
        session.AfterCall();  // unread: it stays
        EXPECT_EQ(session.Block().descriptor, offered);
        EXPECT_FALSE(session.Recorded());

        session.BeforeCall();
        EXPECT_EQ(session.Block().descriptor, offered);  // no second copy
        // Stands for "disposed, then a closing writer handed out this address".
        oxhost::DescriptorTokens::Instance().NoteHandedOut(offered);
        session.AfterCall();
        ASSERT_TRUE(session.Recorded());
        EXPECT_EQ(*session.Recorded(), Replayed());
        EXPECT_EQ(session.Block().descriptor, nullptr);
    }
    EXPECT_EQ(balance.Leaked(), 0u);
}

TEST_F(ScriptingSessionTest, ADamagedHandedBackHandleIsCountedAndDisposed) {
    scriptingtest::HandleBalance balance;
    {
        ScriptingSession session(plugInDialogDontDisplay, std::nullopt);
        session.BeforeCall();
        session.Block().descriptor = oxhost::NewBytesHandle("made by the plug-in itself");
        session.AfterCall();
        EXPECT_FALSE(session.Recorded());
        EXPECT_EQ(session.RefusedDescriptors(), 1);
        EXPECT_EQ(session.Block().descriptor, nullptr);
    }
    EXPECT_EQ(balance.Leaked(), 0u);
}

TEST_F(ScriptingSessionTest, ReadersAPlugInLeftOpenEndWithTheSession) {
    fake.leavesReaderOpen = true;
    {
        ScriptingSession session(plugInDialogDontDisplay, Replayed());
        EXPECT_EQ(RunWith(session).result, noErr);
        EXPECT_EQ(oxhost::DescriptorTokens::Instance().OpenReaders(), 4u);
    }
    EXPECT_EQ(oxhost::DescriptorTokens::Instance().OpenReaders(), 0u);
}

}  // namespace
