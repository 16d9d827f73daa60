// Reading a replayed descriptor into the settings, against a fake host's
// descriptors.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ResultCodes.h"
#include "ScriptingFixture.h"
#include "TestSettings.h"

namespace {

using scripttest::ColorObject;
using scripttest::DistinctiveSettings;
using scripttest::Entries;
using scripttest::Entry;
using scripttest::ExpectSameSettings;

using ScriptParametersTest = scripttest::ScriptingTest;

TEST_F(ScriptParametersTest, ToleranceAloneChangesOnlyTolerance) {
    const TintfloodSettings before = DistinctiveSettings();
    TintfloodSettings expected = before;
    expected.tolerance = 30;
    ExpectSameSettings(ReadOnto(before, {Entry::Integer(keyTolerance, 30)}), expected);
}

TEST_F(ScriptParametersTest, ToleranceKeepsTheLow16Bits) {
    EXPECT_EQ(ReadOnto(TintfloodSettings(), {Entry::Integer(keyTolerance, 70000)}).tolerance, 4464);
}

TEST_F(ScriptParametersTest, SizesAreTakenWhole) {
    TintfloodSettings read = ReadOnto(
        TintfloodSettings(), {Entry::Integer(keyFlagSize, -1), Entry::Integer(keyJoinSize, 70000)});
    EXPECT_EQ(read.flagSize, 0xFFFFFFFFu);
    EXPECT_EQ(read.joinSize, 70000u);
}

TEST_F(ScriptParametersTest, AnyNonZeroBooleanGivesOne) {
    TintfloodSettings read = ReadOnto(
        TintfloodSettings(), {Entry::Bool(keyRandomColors, 7), Entry::Bool(keyMeasureArea, 255),
                              Entry::Bool(keyFlagAreas, 1), Entry::Bool(keyJoinAreas, 0x80)});
    EXPECT_EQ(read.randomColors, 1);
    EXPECT_EQ(read.measureArea, 1);
    EXPECT_EQ(read.flagAreas, 1);
    EXPECT_EQ(read.joinAreas, 1);

    read = ReadOnto(DistinctiveSettings(), {Entry::Bool(keyFlagAreas, 0)});
    EXPECT_EQ(read.flagAreas, 0);
}

TEST_F(ScriptParametersTest, PaletteNameKeepsItsFirst255Characters) {
    std::string name(300, 'p');
    name[254] = 'L';
    TintfloodSettings read = ReadOnto(TintfloodSettings(), {Entry::Text(keyPaletteFile, name)});
    EXPECT_EQ(std::string(read.paletteFile), name.substr(0, 255));
    EXPECT_EQ(read.paletteFile[255], 0);
}

TEST_F(ScriptParametersTest, ShorterPaletteNameReplacesALongerOne) {
    TintfloodSettings read =
        ReadOnto(DistinctiveSettings(), {Entry::Text(keyPaletteFile, "Web.aco")});
    EXPECT_STREQ(read.paletteFile, "Web.aco");
}

TEST_F(ScriptParametersTest, PaletteWithoutTextHandleIsLeftAlone) {
    host.giveNoText = true;
    TintfloodSettings read =
        ReadOnto(DistinctiveSettings(), {Entry::Text(keyPaletteFile, "Web.aco")});
    EXPECT_STREQ(read.paletteFile, DistinctiveSettings().paletteFile);
}

TEST_F(ScriptParametersTest, ColorObjectWithRedOnlyGivesPureRed) {
    TintfloodSettings read = ReadOnto(DistinctiveSettings(),
                                      {ColorObject(keyFillColor, {Entry::Integer(keyRed, 65535)})});
    EXPECT_EQ(read.fillColor.red, 65535);
    EXPECT_EQ(read.fillColor.green, 0);
    EXPECT_EQ(read.fillColor.blue, 0);
    scripttest::ExpectSameColor(read.flagColor, DistinctiveSettings().flagColor, "flagColor");
}

TEST_F(ScriptParametersTest, ColorChannelsKeepTheirLow16BitsAndOtherKeysArePassedOver) {
    TintfloodSettings read =
        ReadOnto(TintfloodSettings(),
                 {ColorObject(keyFlagColor, {Entry::Integer(0, 5), Entry::Integer(keyBlue, 0x12345),
                                             Entry::Float(keyGreen), Entry::Integer(keyRed, 1)})});
    EXPECT_EQ(read.flagColor.red, 1);
    EXPECT_EQ(read.flagColor.green, 0);  // not an integer: left at 0
    EXPECT_EQ(read.flagColor.blue, 0x2345);
}

TEST_F(ScriptParametersTest, ColorThatCannotBeFetchedOrOpenedIsLeftAlone) {
    const Entries replay = {ColorObject(keyFillColor, {Entry::Integer(keyRed, 1)}),
                            Entry::Integer(keyTolerance, 4)};
    host.giveNoObject = true;
    TintfloodSettings read = ReadOnto(DistinctiveSettings(), replay);
    scripttest::ExpectSameColor(read.fillColor, DistinctiveSettings().fillColor, "no object");
    EXPECT_EQ(read.tolerance, 4);

    host.giveNoObject = false;
    host.refuseNestedReaders = true;
    read = ReadOnto(DistinctiveSettings(), replay);
    scripttest::ExpectSameColor(read.fillColor, DistinctiveSettings().fillColor, "no reader");
    EXPECT_EQ(handles.LiveCount(), 0u);  // the object handle was disposed of
}

TEST_F(ScriptParametersTest, ReadColorObjectReportsWhyTheColourWasNotRead) {
    Replay({ColorObject(keyFillColor, {})});
    PIReadDescriptor reader =
        host.readProcs.openReadDescriptorProc(host.parameters.descriptor, nullptr);
    DescriptorKeyID key;
    DescriptorTypeID type;
    int32_t flags;
    ASSERT_TRUE(host.readProcs.getKeyProc(reader, &key, &type, &flags));
    RGBColor16 color{1, 2, 3};
    host.refuseNestedReaders = true;
    EXPECT_NE(ReadColorObject(&record, reader, color), noErr);
    scripttest::ExpectSameColor(color, RGBColor16{1, 2, 3}, "refused");
    host.refuseNestedReaders = false;
    EXPECT_EQ(ReadColorObject(&record, reader, color), noErr);
    scripttest::ExpectSameColor(color, RGBColor16{0, 0, 0}, "empty object");
    host.readProcs.closeReadDescriptorProc(reader);
}

TEST_F(ScriptParametersTest, HostIsGivenTheKeyListsInOrder) {
    ReadOnto(TintfloodSettings(), {ColorObject(keyFlagColor, {})});
    const std::vector<DescriptorKeyID> settingsKeys = {
        keyFlagColor,   keyFillColor, keyPaletteFile, keyTolerance, keyRandomColors,
        keyMeasureArea, keyFlagAreas, keyJoinAreas,   keyFlagSize,  keyJoinSize};
    const std::vector<DescriptorKeyID> channelKeys = {keyRed, keyGreen, keyBlue};
    ASSERT_EQ(host.keyLists.size(), 2u);
    EXPECT_EQ(host.keyLists[0], settingsKeys);
    EXPECT_EQ(host.keyLists[1], channelKeys);
}

TEST_F(ScriptParametersTest, ReadingIsDestructive) {
    Replay({Entry::Integer(keyTolerance, 12)});
    TintfloodSettings settings;
    ReadScriptParameters(&record, settings);
    EXPECT_EQ(settings.tolerance, 12);
    EXPECT_EQ(host.parameters.descriptor, nullptr);
    EXPECT_EQ(handles.LiveCount(), 0u);

    settings.tolerance = 99;
    host.parameters.playInfo = plugInDialogDisplay;
    EXPECT_TRUE(ReadScriptParameters(&record, settings));
    EXPECT_EQ(settings.tolerance, 99);
    EXPECT_EQ(host.readersOpened, host.readersClosed);
}

TEST_F(ScriptParametersTest, ResultIsThePlayModeTest) {
    for (int16_t playInfo : {plugInDialogDontDisplay, plugInDialogDisplay, plugInDialogSilent}) {
        host.parameters.playInfo = playInfo;
        TintfloodSettings settings;
        EXPECT_EQ(ReadScriptParameters(&record, settings), playInfo == plugInDialogDisplay);
    }
}

TEST_F(ScriptParametersTest, RefusedReaderChangesNothing) {
    host.refuseReaders = true;
    host.parameters.playInfo = plugInDialogSilent;
    const TintfloodSettings before = DistinctiveSettings();
    TintfloodSettings settings = before;
    Replay({Entry::Integer(keyTolerance, 1)});
    EXPECT_FALSE(ReadScriptParameters(&record, settings));
    ExpectSameSettings(settings, before);
}

// Unusable callbacks

class UnusableScriptingTest : public ScriptParametersTest,
                              public ::testing::WithParamInterface<int> {
protected:
    void MakeUnusable() {
        switch (GetParam()) {
            case 0:
                record.descriptorParameters = nullptr;
                break;
            case 1:
                host.parameters.descriptorParametersVersion = 1;
                break;
            case 2:
                host.readProcs.numReadDescriptorProcs = 17;
                break;
            case 3:
                host.readProcs.getIntegerProc = nullptr;
                break;
            default:
                host.writeProcs.putBooleanProc = nullptr;  // fatal to writing only
                break;
        }
    }
};

using UnusableForReadingTest = UnusableScriptingTest;
using UnusableForWritingTest = UnusableScriptingTest;

TEST_P(UnusableForReadingTest, ReadingAsksForTheDialogAndChangesNothing) {
    Replay({Entry::Integer(keyTolerance, 1)});
    MakeUnusable();
    host.parameters.playInfo = plugInDialogSilent;
    const TintfloodSettings before = DistinctiveSettings();
    TintfloodSettings settings = before;
    EXPECT_TRUE(ReadScriptParameters(&record, settings));
    ExpectSameSettings(settings, before);
    EXPECT_EQ(host.readersOpened, 0);
}

TEST_P(UnusableForWritingTest, WritingDoesNothing) {
    MakeUnusable();
    WriteScriptParameters(&record, DistinctiveSettings());
    EXPECT_EQ(host.writersOpened, 0);
    EXPECT_EQ(host.parameters.descriptor, nullptr);
    EXPECT_EQ(handles.LiveCount(), 0u);
}

INSTANTIATE_TEST_SUITE_P(Blocks, UnusableForReadingTest, ::testing::Range(0, 4));
INSTANTIATE_TEST_SUITE_P(Blocks, UnusableForWritingTest, ::testing::Range(0, 5));

TEST(ScriptParametersWithoutRecord, NullRecordIsSafe) {
    TintfloodSettings settings;
    EXPECT_TRUE(ReadScriptParameters(nullptr, settings));
    WriteScriptParameters(nullptr, settings);
}

}  // namespace
