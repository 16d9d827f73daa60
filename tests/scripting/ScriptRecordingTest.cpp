// Recording the settings as a descriptor, against a fake host's descriptors.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "ResultCodes.h"
#include "ScriptingFixture.h"
#include "TestSettings.h"

namespace {

using scripttest::DistinctiveSettings;
using scripttest::Entries;
using scripttest::Entry;
using scripttest::ExpectSameSettings;

using ScriptRecordingTest = scripttest::ScriptingTest;

void ExpectColorObject(const Entry& entry, DescriptorKeyID key, const RGBColor16& color) {
    EXPECT_EQ(entry.key, key);
    EXPECT_EQ(entry.type, typeObject);
    EXPECT_EQ(entry.objectClass, classRGBColor);
    ASSERT_EQ(entry.object.size(), 4u);
    const DescriptorKeyID channelKeys[] = {keyRed, keyGreen, keyBlue, 0};
    const int32_t values[] = {color.red, color.green, color.blue, 0};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(entry.object[i].key, channelKeys[i]) << "entry " << i;
        EXPECT_EQ(entry.object[i].type, typeInteger) << "entry " << i;
        EXPECT_EQ(entry.object[i].integer, values[i]) << "entry " << i;
    }
}

TEST_F(ScriptRecordingTest, DescriptorHoldsTheTenKeysInOrderWithTheirTypes) {
    const TintfloodSettings settings = DistinctiveSettings();
    WriteScriptParameters(&record, settings);
    const Entries recorded = Recorded();
    const DescriptorKeyID keys[] = {keyFillColor,    keyFlagColor,   keyPaletteFile, keyTolerance,
                                    keyRandomColors, keyMeasureArea, keyFlagAreas,   keyJoinAreas,
                                    keyFlagSize,     keyJoinSize};
    const DescriptorTypeID types[] = {typeObject,  typeObject,  typeText,    typeInteger,
                                      typeBoolean, typeBoolean, typeBoolean, typeBoolean,
                                      typeInteger, typeInteger};
    ASSERT_EQ(recorded.size(), 10u);
    for (int i = 0; i < 10; ++i) {
        EXPECT_EQ(recorded[i].key, keys[i]) << "entry " << i;
        EXPECT_EQ(recorded[i].type, types[i]) << "entry " << i;
    }
    ExpectColorObject(recorded[0], keyFillColor, settings.fillColor);
    ExpectColorObject(recorded[1], keyFlagColor, settings.flagColor);
    EXPECT_EQ(recorded[2].text, "Pastel Tones.aco");
    EXPECT_EQ(recorded[3].integer, 0xA1B2);  // zero-extended
    for (int i = 4; i < 8; ++i) {
        EXPECT_EQ(recorded[i].boolean, 1) << "entry " << i;
    }
    EXPECT_EQ(uint32_t(recorded[8].integer), 0xC1D2E3F4u);
    EXPECT_EQ(recorded[9].integer, 0x01020304);
}

TEST_F(ScriptRecordingTest, BooleansAreOneOrZero) {
    TintfloodSettings settings;
    settings.randomColors = 9;
    WriteScriptParameters(&record, settings);
    const Entries recorded = Recorded();
    ASSERT_EQ(recorded.size(), 10u);
    EXPECT_EQ(recorded[4].boolean, 1);
    EXPECT_EQ(recorded[5].boolean, 0);
}

TEST_F(ScriptRecordingTest, EmptyPaletteNameIsRecordedAsEmptyText) {
    WriteScriptParameters(&record, TintfloodSettings());
    const Entries recorded = Recorded();
    ASSERT_EQ(recorded.size(), 10u);
    EXPECT_EQ(recorded[2].type, typeText);
    EXPECT_EQ(recorded[2].text, "");
}

TEST_F(ScriptRecordingTest, UnterminatedPaletteNameIsCutAt255) {
    TintfloodSettings settings;
    std::memset(settings.paletteFile, 'z', sizeof(settings.paletteFile));
    WriteScriptParameters(&record, settings);
    ASSERT_EQ(Recorded().size(), 10u);
    EXPECT_EQ(Recorded()[2].text, std::string(255, 'z'));
}

TEST_F(ScriptRecordingTest, WrittenDescriptorReadsBackToTheSameSettings) {
    const TintfloodSettings settings = DistinctiveSettings();
    WriteScriptParameters(&record, settings);
    TintfloodSettings read;
    read.reservedFlag = settings.reservedFlag;  // not carried by the descriptor
    ReadScriptParameters(&record, read);
    ExpectSameSettings(read, settings);
}

TEST_F(ScriptRecordingTest, HandsTheDescriptorOverAsOptionalAndLeaksNothing) {
    Replay({Entry::Integer(keyTolerance, 5)});
    host.parameters.recordInfo = plugInDialogRequired;
    WriteScriptParameters(&record, DistinctiveSettings());
    EXPECT_EQ(host.parameters.recordInfo, plugInDialogOptional);
    EXPECT_TRUE(host.IsDescriptor(host.parameters.descriptor));
    EXPECT_EQ(handles.LiveCount(), 1u);  // the new descriptor; the replayed one is gone
    EXPECT_EQ(host.writersOpened, 3);
    EXPECT_EQ(host.writersClosed, 3);
}

TEST_F(ScriptRecordingTest, RefusedColourObjectsAreLeftOutAndDisposedOf) {
    host.putObjectResult = paramErr;
    WriteScriptParameters(&record, DistinctiveSettings());
    const Entries recorded = Recorded();
    ASSERT_EQ(recorded.size(), 8u);
    EXPECT_EQ(recorded[0].key, keyPaletteFile);
    EXPECT_EQ(handles.LiveCount(), 1u);
}

TEST_F(ScriptRecordingTest, ColourWithoutNestedWriterIsLeftOut) {
    host.writersToOpenBeforeRefusing = 2;  // the main writer and the fill colour's
    WriteScriptParameters(&record, DistinctiveSettings());
    const Entries recorded = Recorded();
    ASSERT_EQ(recorded.size(), 9u);
    EXPECT_EQ(recorded[0].key, keyFillColor);
    EXPECT_EQ(recorded[1].key, keyPaletteFile);
}

TEST_F(ScriptRecordingTest, RefusedWriterRecordsNothing) {
    host.refuseWriters = true;
    Replay({Entry::Integer(keyTolerance, 5)});
    const Handle replayed = host.parameters.descriptor;
    WriteScriptParameters(&record, DistinctiveSettings());
    EXPECT_EQ(host.parameters.descriptor, replayed);
    EXPECT_TRUE(handles.IsLive(replayed));
}

TEST_F(ScriptRecordingTest, WriteColorObjectPutsFourIntegers) {
    PIWriteDescriptor writer = host.writeProcs.openWriteDescriptorProc();
    WriteColorObject(&record, writer, keyFlagColor, RGBColor16{65535, 0, 1});
    PIDescriptorHandle descriptor = nullptr;
    host.writeProcs.closeWriteDescriptorProc(writer, &descriptor);
    const Entries written = host.EntriesOf(descriptor);
    ASSERT_EQ(written.size(), 1u);
    ExpectColorObject(written[0], keyFlagColor, RGBColor16{65535, 0, 1});
}

}  // namespace
