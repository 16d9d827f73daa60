// The multi flood fill end to end through the host library: areas, their
// colours, small areas, and the ways a pass can end.
#include <gtest/gtest.h>

#include <thread>

#include "FilterSelectors.h"
#include "ResultCodes.h"
#include "TintfloodTestHost.h"
#include "host/color/ColorServicesHost.h"
#include "host/scripting/ScriptingSession.h"

extern "C" void PluginMain(int16_t selector, void* block, intptr_t* data, int16_t* result);

namespace {

using oxhost::Document;
using tintfloodtest::PixelAt;
using tintfloodtest::RgbDocument;
using tintfloodtest::RunTintflood;
using Color = std::vector<uint8_t>;

const Color kA = {250, 200, 200};
const Color kB = {200, 250, 200};
const Color kC = {200, 200, 250};
const Color kWhite = {255, 255, 255};
const Color kBlack = {0, 0, 0};
const Color kMagenta = {255, 0, 255};

std::vector<uint16_t> RgbSwatch(const Color& color) {
    return {0, uint16_t(color[0] * 257), uint16_t(color[1] * 257), uint16_t(color[2] * 257), 0};
}

// Settings that take colours from the named swatch file.
TintfloodSettings PaletteSettings(const char* palette) {
    TintfloodSettings settings;
    std::snprintf(settings.paletteFile, sizeof(settings.paletteFile), "%s", palette);
    return settings;
}

class TintfloodFillTest : public ::testing::Test {
protected:
    void SetUp() override {
        tintfloodtest::WriteSwatchFile("abc.aco", {RgbSwatch(kA), RgbSwatch(kB), RgbSwatch(kC)});
    }
    void TearDown() override { tintfloodtest::RemoveSwatchFile("abc.aco"); }
};

// Each row of `document` between `from` and `to` columns holds `color`.
void ExpectBlock(const Document& document, int top, int left, int bottom, int right,
                 const Color& color) {
    for (int row = top; row <= bottom; ++row) {
        for (int column = left; column <= right; ++column) {
            ASSERT_EQ(PixelAt(document, row, column), color) << row << "," << column;
        }
    }
}

TEST_F(TintfloodFillTest, PaletteColoursComeInFileOrderAndWrap) {
    Document document = RgbDocument({"WKWKWKW", "WKWKWKW", "WKWKWKW"});
    const auto outcome = RunTintflood(document, PaletteSettings("abc.aco"));
    ASSERT_EQ(outcome.result.result, noErr);
    ExpectBlock(document, 0, 0, 2, 0, kA);
    ExpectBlock(document, 0, 2, 2, 2, kB);
    ExpectBlock(document, 0, 4, 2, 4, kC);
    ExpectBlock(document, 0, 6, 2, 6, kA);
    ExpectBlock(document, 0, 1, 2, 1, kBlack);
}

TEST_F(TintfloodFillTest, AreasTouchingAtACornerAreTwoAreas) {
    Document document = RgbDocument({"WWK", "WWK", "KKW"});
    ASSERT_EQ(RunTintflood(document, PaletteSettings("abc.aco")).result.result, noErr);
    ExpectBlock(document, 0, 0, 1, 1, kA);
    ExpectBlock(document, 2, 2, 2, 2, kB);
}

TEST_F(TintfloodFillTest, ARingAroundAnIslandIsOneAreaAndTheIslandStays) {
    Document document = RgbDocument({"WWWWW", "WKKKW", "WKKKW", "WKKKW", "WWWWW"});
    ASSERT_EQ(RunTintflood(document, PaletteSettings("abc.aco")).result.result, noErr);
    ExpectBlock(document, 0, 0, 0, 4, kA);
    ExpectBlock(document, 4, 0, 4, 4, kA);
    ExpectBlock(document, 1, 0, 3, 0, kA);
    ExpectBlock(document, 1, 4, 3, 4, kA);
    ExpectBlock(document, 1, 1, 3, 3, kBlack);
}

TEST_F(TintfloodFillTest, ToleranceGathersOffWhiteIntoOneArea) {
    Document document = RgbDocument({"WWKW", "WWKW"});
    std::fill(document.Pixel(1, 1), document.Pixel(1, 1) + 3, uint8_t(246));  // 9 below white
    std::fill(document.Pixel(0, 3), document.Pixel(0, 3) + 3, uint8_t(244));  // 11 below
    TintfloodSettings settings = PaletteSettings("abc.aco");
    settings.tolerance = 10;
    ASSERT_EQ(RunTintflood(document, settings).result.result, noErr);
    ExpectBlock(document, 0, 0, 1, 1, kA);
    EXPECT_EQ(PixelAt(document, 0, 3), Color({244, 244, 244}));  // outside the tolerance
    EXPECT_EQ(PixelAt(document, 1, 3), kB);
}

TEST_F(TintfloodFillTest, UnusablePaletteColoursAreSkipped) {
    // White is the colour being replaced, black is too dark.
    tintfloodtest::WriteSwatchFile(
        "mixed.aco", {RgbSwatch(kWhite), RgbSwatch(kA), RgbSwatch(kBlack), RgbSwatch(kB)});
    Document document = RgbDocument({"WKWKWKW"});
    ASSERT_EQ(RunTintflood(document, PaletteSettings("mixed.aco")).result.result, noErr);
    tintfloodtest::RemoveSwatchFile("mixed.aco");
    EXPECT_EQ(PixelAt(document, 0, 0), kA);
    EXPECT_EQ(PixelAt(document, 0, 2), kB);
    EXPECT_EQ(PixelAt(document, 0, 4), kA);
    EXPECT_EQ(PixelAt(document, 0, 6), kB);
}

// The generator starts afresh on a new thread, as it does when the module is
// loaded: these are the first colours a host ever sees.
TEST_F(TintfloodFillTest, FirstRandomColoursAfterLoad) {
    Document document = RgbDocument({"WKWKW"});
    TintfloodSettings settings;
    settings.randomColors = 1;
    std::thread fresh([&] { ASSERT_EQ(RunTintflood(document, settings).result.result, noErr); });
    fresh.join();
    EXPECT_EQ(PixelAt(document, 0, 0), Color({98, 253, 4}));
    EXPECT_EQ(PixelAt(document, 0, 2), Color({150, 174, 82}));
    EXPECT_EQ(PixelAt(document, 0, 4), Color({176, 49, 186}));
}

TEST_F(TintfloodFillTest, DarkPaletteFallsBackToRandomColours) {
    tintfloodtest::WriteSwatchFile("dark.aco", {RgbSwatch(kBlack), RgbSwatch({40, 40, 40})});
    Document document = RgbDocument({"WKW"});
    std::thread fresh([&] {
        ASSERT_EQ(RunTintflood(document, PaletteSettings("dark.aco")).result.result, noErr);
    });
    fresh.join();
    tintfloodtest::RemoveSwatchFile("dark.aco");
    EXPECT_EQ(PixelAt(document, 0, 0), Color({98, 253, 4}));
    EXPECT_EQ(PixelAt(document, 0, 2), Color({150, 174, 82}));
}

TEST_F(TintfloodFillTest, FlaggingByHeightAndWidthStopsAtTheLimit) {
    Document document = RgbDocument({
        "WWWWWWWWWWWWWWWWWWWWKK",  // 20 wide, 3 high: flagged
        "WWWWWWWWWWWWWWWWWWWWKK", "WWWWWWWWWWWWWWWWWWWWKK", "KKKKKKKKKKKKKKKKKKKKKK",
        "WWWWWWWWWWWWWWWWWWWWWK",  // 21 wide: not flagged
    });
    TintfloodSettings settings = PaletteSettings("abc.aco");
    settings.flagAreas = 1;
    settings.flagSize = 20;
    ASSERT_EQ(RunTintflood(document, settings).result.result, noErr);
    ExpectBlock(document, 0, 0, 2, 19, kMagenta);
    ExpectBlock(document, 4, 0, 4, 20, kB);
}

TEST_F(TintfloodFillTest, JoiningByPixelCountStopsAtTheLimit) {
    Document document = RgbDocument({
        "WWWWWWWWWWWWWWW",
        "WKKKKKKKKKKKKKW",
        "WKWWWWWWWWWWKKW",  // 10 pixels: joined
        "WKKKKKKKKKKKKKW",
        "WKWWWWWWWWWWWKW",  // 11 pixels: kept
        "WKKKKKKKKKKKKKW",
        "WWWWWWWWWWWWWWW",
    });
    TintfloodSettings settings = PaletteSettings("abc.aco");
    settings.joinAreas = 1;
    settings.joinSize = 10;
    settings.measureArea = 1;
    ASSERT_EQ(RunTintflood(document, settings).result.result, noErr);
    ExpectBlock(document, 0, 0, 0, 14, kA);
    ExpectBlock(document, 2, 2, 2, 11, kA);  // the colour beyond the line
    ExpectBlock(document, 4, 2, 4, 12, kC);
}

// Filling and joining read and write only the output buffer, whatever its
// layout, and a document handed over is filled in place.
TEST_F(TintfloodFillTest, EveryBufferLayoutGivesTheSameFill) {
    const Document source = RgbDocument({
        "WWWWWWWWWWWWWWW",
        "WKKKKKKKKKKKKKW",
        "WKWWWKWWWWWWKKW",
        "WKKKKKKKKKKKKKW",
        "WKWWWWWWWWWWWKW",
        "WKKKKKKKKKKKKKW",
        "WWWWWWWWWWWWWWW",
    });
    TintfloodSettings settings = PaletteSettings("abc.aco");
    settings.joinAreas = 1;
    settings.joinSize = 4;
    settings.flagAreas = 1;
    settings.flagSize = 6;
    settings.measureArea = 1;
    Document expected = source;
    ASSERT_EQ(RunTintflood(expected, settings).result.result, noErr);
    ExpectBlock(expected, 2, 2, 2, 4, kA);         // joined to the colour beyond the line
    ExpectBlock(expected, 2, 6, 2, 11, kMagenta);  // flagged
    for (const char* layoutName : {"interleaved", "planar", "padded", "zero-steps"}) {
        for (bool keepDocument : {true, false}) {
            Document document = source;
            const auto outcome =
                RunTintflood(document, settings, -1, [&](oxhost::RunOptions& options) {
                    ASSERT_TRUE(oxhost::BufferLayout::FromName(layoutName, options.layout));
                    options.keepDocumentOnFailure = keepDocument;
                });
            ASSERT_EQ(outcome.result.result, noErr) << layoutName;
            EXPECT_EQ(document.pixels, expected.pixels)
                << layoutName << (keepDocument ? "" : ", handed over");
        }
    }
}

TEST_F(TintfloodFillTest, JoiningTakesLightGreyAndPassesOverBlackAndFlaggedPixels) {
    Document document = RgbDocument({
        "KKKKKKKKK",
        "KKKKKKKKK",
        "KKWKWKGKK",
        "KKKKKKKKK",
        "KKKKKKKKK",
    });
    TintfloodSettings settings = PaletteSettings("abc.aco");
    settings.joinAreas = 1;
    ASSERT_EQ(RunTintflood(document, settings).result.result, noErr);
    EXPECT_EQ(PixelAt(document, 2, 2), Color({150, 150, 150}));
    EXPECT_EQ(PixelAt(document, 2, 4), Color({150, 150, 150}));
}

TEST_F(TintfloodFillTest, AJoinedSpeckWithNoUsableNeighbourKeepsTheFlagColour) {
    Document document = RgbDocument({"KKK", "KWK", "KKK"});
    TintfloodSettings settings = PaletteSettings("abc.aco");
    settings.joinAreas = 1;
    ASSERT_EQ(RunTintflood(document, settings).result.result, noErr);
    EXPECT_EQ(PixelAt(document, 1, 1), kMagenta);
}

TEST_F(TintfloodFillTest, ABlackFlagColourRepaintsNothing) {
    Document document = RgbDocument({"WKWWWWW"});
    TintfloodSettings settings = PaletteSettings("abc.aco");
    settings.flagAreas = 1;
    settings.flagSize = 2;
    settings.joinAreas = 1;
    settings.joinSize = 2;
    settings.flagColor = RGBColor16{0, 0, 0};
    ASSERT_EQ(RunTintflood(document, settings).result.result, noErr);
    EXPECT_EQ(PixelAt(document, 0, 0), kA);
    ExpectBlock(document, 0, 2, 0, 6, kB);
}

TEST_F(TintfloodFillTest, NoUsableFillColourEndsThePassWithAReason) {
    const Document original = RgbDocument({"WKW", "WKW"});
    Document document = original;
    TintfloodSettings settings;
    settings.randomColors = 1;
    settings.tolerance = 300;  // every colour is in range
    const auto outcome = RunTintflood(document, settings);
    EXPECT_EQ(outcome.result.result, filterBadParameters);
    EXPECT_EQ(outcome.result.failedSelector, filterSelectorStart);
    EXPECT_NE(outcome.result.pluginMessage.find("no usable fill colour"), std::string::npos);
    EXPECT_EQ(document.pixels, original.pixels);
}

TEST_F(TintfloodFillTest, ProgressPerRowAndAbortAfterARow) {
    Document document = RgbDocument({"WKW", "WKW", "WKW", "WKW"});
    const auto finished = RunTintflood(document, PaletteSettings("abc.aco"));
    ASSERT_EQ(finished.result.result, noErr);
    const std::vector<std::pair<int32_t, int32_t>> everyRow = {{1, 4}, {2, 4}, {3, 4}, {4, 4}};
    EXPECT_EQ(finished.progress, everyRow);

    Document again = RgbDocument({"WKW", "WKW", "WKW", "WKW"});
    TintfloodSettings joining = PaletteSettings("abc.aco");
    joining.joinAreas = 1;
    const auto stopped = RunTintflood(again, joining, 1);
    EXPECT_EQ(stopped.result.result, userCanceledErr);
    EXPECT_EQ(stopped.progress.size(), 1u);
}

TEST_F(TintfloodFillTest, CmykAreasTakeSwatchInkAndKeepTheirLines) {
    Document document;
    document.width = 3;
    document.height = 2;
    document.model = oxhost::ColorModel::CMYK;
    // Paper (no ink anywhere) with a line of full black ink in the middle column.
    document.pixels = {255, 255, 255, 255, 255, 255, 255, 0, 255, 255, 255, 255,
                       255, 255, 255, 255, 255, 255, 255, 0, 255, 255, 255, 255};
    tintfloodtest::WriteSwatchFile("inks.aco", {{2, 10 << 8, 20 << 8, 30 << 8, 200 << 8},
                                                {2, 0, 0, 0, 30 << 8},  // heavy black: too dark
                                                {2, 40 << 8, 50 << 8, 60 << 8, 210 << 8}});
    ASSERT_EQ(RunTintflood(document, PaletteSettings("inks.aco")).result.result, noErr);
    tintfloodtest::RemoveSwatchFile("inks.aco");
    EXPECT_EQ(PixelAt(document, 0, 0), Color({10, 20, 30, 200}));
    EXPECT_EQ(PixelAt(document, 1, 0), Color({10, 20, 30, 200}));
    EXPECT_EQ(PixelAt(document, 0, 1), Color({255, 255, 255, 0}));
    EXPECT_EQ(PixelAt(document, 0, 2), Color({40, 50, 60, 210}));
}

// A host without memory handles cannot keep a parameter block, and without
// scripting the settings have no other way in: the run ends cleanly with
// bad parameters instead of touching a handle nobody made.
TEST_F(TintfloodFillTest, WithoutHostHandlesOrScriptingTheRunEndsCleanly) {
    const Document original = RgbDocument({"WKW"});
    Document document = original;
    oxhost::ColorServicesHost colorServices{oxhost::ColorConverter(), oxhost::ColorPickerScript()};
    oxhost::RunOptions options;
    options.offerHandleProcs = false;
    options.colorServices = [&colorServices](ColorServicesInfo* info) {
        return colorServices.Serve(info);
    };
    oxhost::FilterRun run(PluginMain, document, options);
    const oxhost::RunResult result = run.Run();
    EXPECT_EQ(result.result, filterBadParameters);
    EXPECT_EQ(result.failedSelector, filterSelectorStart);
    EXPECT_EQ(run.AdvanceStateCalls(), 0);
    EXPECT_EQ(document.pixels, original.pixels);
}

// Start takes its settings from the replayed descriptor unless the user is
// to see the dialog; then the dialog's parameter block holds them.
TEST_F(TintfloodFillTest, PlayModeDecidesWhereStartTakesItsSettings) {
    auto runWithPlayMode = [](int16_t playInfo) {
        Document document = RgbDocument({"WKW"});
        std::fill(document.Pixel(0, 2), document.Pixel(0, 2) + 3, uint8_t(240));
        oxhost::Descriptor replayed;
        replayed.Set(oxhost::DescriptorEntry::Integer(HOSTAPI_FOURCC('T', 'l', 'r', 'n'), 20));
        oxhost::ScriptingSession session(playInfo, replayed);
        // The block: the palette and no tolerance.
        RunTintflood(document, PaletteSettings("abc.aco"), -1,
                     [&session](oxhost::RunOptions& options) { session.Attach(options); });
        return document;
    };
    for (int16_t playInfo : {int16_t(plugInDialogDontDisplay), int16_t(plugInDialogSilent)}) {
        const Document document = runWithPlayMode(playInfo);
        // Defaults with the replayed tolerance: no palette, so random colours,
        // and the off-white pixel is within reach.
        EXPECT_NE(PixelAt(document, 0, 0), kA) << playInfo;
        EXPECT_NE(PixelAt(document, 0, 2), Color({240, 240, 240})) << playInfo;
    }
    const Document shown = runWithPlayMode(plugInDialogDisplay);
    EXPECT_EQ(PixelAt(shown, 0, 0), kA);
    EXPECT_EQ(PixelAt(shown, 0, 2), Color({240, 240, 240}));
}

}  // namespace
