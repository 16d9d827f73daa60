#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "PreferencesText.h"

namespace {

// The defaults as the file holds them: every byte spelled out.
const std::string kDefaultFile = std::string(
    "1416513132 3 65535 65535 65535 0 "
    "\x00 \x00 \x00 \x00 "
    "65535 0 65535 20 "
    "\x00 10\r\n\r\n",
    66);

TintfloodSettings Parsed(const std::string& bytes) {
    TintfloodSettings settings;
    ParsePreferences(bytes, settings);
    return settings;
}

TintfloodSettings Changed() {
    TintfloodSettings settings;
    settings.fillColor = RGBColor16{1, 2, 3};
    settings.tolerance = 17;
    settings.reservedFlag = 1;
    settings.randomColors = 1;
    settings.measureArea = 0;
    settings.flagAreas = 1;
    settings.flagColor = RGBColor16{4, 5, 6};
    settings.flagSize = 4294967295u;
    settings.joinAreas = 1;
    settings.joinSize = 0;
    std::strcpy(settings.paletteFile, "Web Safe Colors.aco");
    return settings;
}

void ExpectSameStoredFields(const TintfloodSettings& a, const TintfloodSettings& b) {
    EXPECT_EQ(a.signature, b.signature);
    EXPECT_EQ(a.version, b.version);
    EXPECT_EQ(a.fillColor.red, b.fillColor.red);
    EXPECT_EQ(a.fillColor.green, b.fillColor.green);
    EXPECT_EQ(a.fillColor.blue, b.fillColor.blue);
    EXPECT_EQ(a.tolerance, b.tolerance);
    EXPECT_EQ(a.reservedFlag, b.reservedFlag);
    EXPECT_EQ(a.randomColors, b.randomColors);
    EXPECT_EQ(a.measureArea, b.measureArea);
    EXPECT_EQ(a.flagAreas, b.flagAreas);
    EXPECT_EQ(a.flagColor.red, b.flagColor.red);
    EXPECT_EQ(a.flagColor.green, b.flagColor.green);
    EXPECT_EQ(a.flagColor.blue, b.flagColor.blue);
    EXPECT_EQ(a.flagSize, b.flagSize);
    EXPECT_EQ(a.joinAreas, b.joinAreas);
    EXPECT_EQ(a.joinSize, b.joinSize);
    EXPECT_STREQ(a.paletteFile, b.paletteFile);
}

TEST(PreferencesFormat, DefaultsMakeTheSixtySixBytesExactly) {
    EXPECT_EQ(FormatPreferences(TintfloodSettings()), kDefaultFile);
}

TEST(PreferencesFormat, FlagsAreRawBytesAndAnyTrueValueIsOne) {
    TintfloodSettings settings;
    settings.randomColors = 1;
    settings.joinAreas = ' ';  // would read back as a separator if written raw
    const std::string file = FormatPreferences(settings);
    EXPECT_EQ(file.substr(33, 8), std::string("\x00 \x01 \x00 \x00 ", 8));
    EXPECT_EQ(file.substr(58, 2), std::string("\x01 ", 2));
    EXPECT_EQ(Parsed(file).joinAreas, 1);
}

TEST(PreferencesFormat, PaletteNameIsTheSecondLineAndAtMost255Bytes) {
    TintfloodSettings settings;
    std::memset(settings.paletteFile, 'x', sizeof(settings.paletteFile));  // no terminator
    const std::string file = FormatPreferences(settings);
    EXPECT_EQ(file.size(), 66u + 255u);
    EXPECT_EQ(file.substr(64), std::string(255, 'x') + "\r\n");
}

TEST(PreferencesRoundTrip, EveryStoredFieldSurvives) {
    const TintfloodSettings written = Changed();
    ExpectSameStoredFields(Parsed(FormatPreferences(written)), written);
}

TEST(PreferencesRoundTrip, DefaultsReadBackAsDefaults) {
    ExpectSameStoredFields(Parsed(kDefaultFile), TintfloodSettings());
}

TEST(PreferencesRoundTrip, PaletteNameWithSpacesIsKeptWhole) {
    TintfloodSettings written;
    std::strcpy(written.paletteFile, "  Pastel  Tones 2 .aco ");
    EXPECT_STREQ(Parsed(FormatPreferences(written)).paletteFile, "  Pastel  Tones 2 .aco ");
}

TEST(PreferencesReading, ForeignSignatureResetsEverything) {
    const std::string file = "123" + FormatPreferences(Changed()).substr(10);
    ExpectSameStoredFields(Parsed(file), TintfloodSettings());
}

TEST(PreferencesReading, OtherVersionResetsEverything) {
    std::string file = FormatPreferences(Changed());
    file[11] = '4';
    ExpectSameStoredFields(Parsed(file), TintfloodSettings());
}

TEST(PreferencesReading, FileCutAfterToleranceKeepsTheFieldsBeforeIt) {
    const TintfloodSettings settings = Parsed("1416513132 3 10 20 30 40");
    EXPECT_EQ(settings.fillColor.red, 10);
    EXPECT_EQ(settings.fillColor.green, 20);
    EXPECT_EQ(settings.fillColor.blue, 30);
    EXPECT_EQ(settings.tolerance, 40);
    TintfloodSettings expected;
    expected.fillColor = RGBColor16{10, 20, 30};
    expected.tolerance = 40;
    ExpectSameStoredFields(settings, expected);
}

TEST(PreferencesReading, StopsAtTheFirstBadFieldAndKeepsTheRest) {
    TintfloodSettings settings;
    std::strcpy(settings.paletteFile, "kept.aco");
    ParsePreferences("1416513132 3 1 2 3 4 \x01 \x01 \x01 \x01 9 x 9 99 \x01 99\r\nother.aco\r\n",
                     settings);
    EXPECT_EQ(settings.flagAreas, 1);
    EXPECT_EQ(settings.flagColor.red, 9);
    EXPECT_EQ(settings.flagColor.green, 0);
    EXPECT_EQ(settings.flagSize, 20u);
    EXPECT_EQ(settings.joinAreas, 0);
    EXPECT_STREQ(settings.paletteFile, "kept.aco");
}

TEST(PreferencesReading, NumbersMustFitTheirFieldAndHaveNoSign) {
    EXPECT_EQ(Parsed("1416513132 3 65536 1 1").fillColor.red, 65535);
    EXPECT_EQ(Parsed("1416513132 3 +5 1 1").fillColor.red, 65535);
    EXPECT_EQ(Parsed("1416513132 3 00065535 7").fillColor.green, 7);
    EXPECT_EQ(Parsed("14165131320 3").signature, kTintfloodSignature);
}

TEST(PreferencesReading, FlagByteOtherThanZeroOrOneCountsAsTrue) {
    std::string file = kDefaultFile;
    file[35] = 'A';
    EXPECT_EQ(Parsed(file).randomColors, 'A');
}

TEST(PreferencesReading, NoSecondLineGivesAnEmptyPaletteName) {
    TintfloodSettings settings;
    std::strcpy(settings.paletteFile, "stale.aco");
    ParsePreferences(FormatPreferences(TintfloodSettings()).substr(0, 64), settings);
    EXPECT_STREQ(settings.paletteFile, "");
    ParsePreferences(FormatPreferences(TintfloodSettings()).substr(0, 62), settings);
    EXPECT_STREQ(settings.paletteFile, "");
}

TEST(PreferencesReading, BareLineFeedsEndLinesToo) {
    std::string file = FormatPreferences(Changed());
    file.erase(file.find("\r\n"), 1);
    file.erase(file.rfind("\r\n"), 1);
    ExpectSameStoredFields(Parsed(file), Changed());
}

TEST(PreferencesReading, OverlongPaletteLineIsCutTo255Bytes) {
    const std::string file = kDefaultFile.substr(0, 64) + std::string(300, 'p') + "\r\n";
    EXPECT_EQ(std::string(Parsed(file).paletteFile), std::string(255, 'p'));
}

TEST(PreferencesReading, EmptyFileKeepsDefaults) {
    ExpectSameStoredFields(Parsed(""), TintfloodSettings());
}

}  // namespace
