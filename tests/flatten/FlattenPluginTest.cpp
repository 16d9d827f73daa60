// Virarar as a host sees it: the real module, loaded and run by the host library.
#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "../support/ScratchFolder.h"
#include "FilterSelectors.h"
#include "FlattenOracle.h"
#include "ResultCodes.h"
#include "host/module/PluginModule.h"
#include "host/run/FilterRun.h"

namespace {

using oxhost::ColorModel;
using oxhost::Document;
using oxhost::FilterRun;
using oxhost::RunOptions;

class ProgressLog : public oxhost::ProgressSink {
public:
    void Report(int32_t done, int32_t total) override { reports.push_back({done, total}); }
    bool AbortRequested() override { return int(reports.size()) >= abortAfterReports; }
    std::vector<std::pair<int32_t, int32_t>> reports;
    int abortAfterReports = 1 << 30;
};

class FlattenPluginTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        module = oxhost::PluginModule::Open(oxtest::BuiltProgramFolder() + "/Virarar.8bf");
    }
    static void TearDownTestSuite() { module.reset(); }

    static std::unique_ptr<oxhost::PluginModule> module;
};
std::unique_ptr<oxhost::PluginModule> FlattenPluginTest::module;

// Random line art: dark strokes over random colours, with alpha when asked.
Document RandomLineArt(int width, int height, ColorModel model, bool alpha, uint32_t seed) {
    std::mt19937 random(seed);
    Document document;
    document.width = width;
    document.height = height;
    document.model = model;
    document.hasAlpha = alpha;
    document.pixels.resize(size_t(width) * height * document.TotalPlanes());
    const int planes = document.ColorPlanes();
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            uint8_t* pixel = document.Pixel(y, x);
            const bool dark = (x + y / 3) % 7 < 2 || random() % 5 == 0;
            for (int p = 0; p < planes; ++p) {
                pixel[p] = dark ? uint8_t(random() % 9) : uint8_t(random());
            }
            if (model == ColorModel::CMYK) {
                pixel[3] = dark ? uint8_t(random() % 60) : uint8_t(60 + random() % 196);
            }
            if (alpha) {
                pixel[planes] = uint8_t(random());
            }
        }
    }
    return document;
}

OracleImage ColourPlanesOf(const Document& document) {
    OracleImage image;
    image.width = document.width;
    image.height = document.height;
    image.planes = document.ColorPlanes();
    for (int y = 0; y < document.height; ++y) {
        for (int x = 0; x < document.width; ++x) {
            const uint8_t* pixel = document.Pixel(y, x);
            image.pixels.insert(image.pixels.end(), pixel, pixel + image.planes);
        }
    }
    return image;
}

// The interleaved input is the document's own rows, the others copies; a
// document handed over is filtered in place.
TEST_F(FlattenPluginTest, EveryBufferLayoutGivesThePlainPassResult) {
    const Document source = RandomLineArt(61, 97, ColorModel::RGB, false, 7);
    const OracleImage expected = OracleFlatten(ColourPlanesOf(source), false);
    for (const char* layoutName : {"interleaved", "planar", "padded", "zero-steps"}) {
        for (bool keepDocument : {true, false}) {
            Document document = source;
            RunOptions options;
            ASSERT_TRUE(oxhost::BufferLayout::FromName(layoutName, options.layout));
            options.keepDocumentOnFailure = keepDocument;
            FilterRun run(module->Entry(), document, options);
            const oxhost::RunResult result = run.Run();
            ASSERT_EQ(result.result, noErr) << layoutName << " " << result.hostProblem;
            EXPECT_EQ(ColourPlanesOf(document).pixels, expected.pixels)
                << layoutName << (keepDocument ? "" : ", handed over");
            EXPECT_EQ(run.AdvanceStateCalls(), 1);
            EXPECT_EQ(run.DataSlot(), 0);  // finish released the object
        }
    }
}

TEST_F(FlattenPluginTest, CmykDocumentsUseTheBlackPlane) {
    Document document = RandomLineArt(40, 50, ColorModel::CMYK, false, 8);
    const OracleImage expected = OracleFlatten(ColourPlanesOf(document), true);
    FilterRun run(module->Entry(), document, RunOptions{});
    ASSERT_EQ(run.Run().result, noErr);
    EXPECT_EQ(ColourPlanesOf(document).pixels, expected.pixels);
}

TEST_F(FlattenPluginTest, LayersKeepTheirTransparency) {
    const Document source = RandomLineArt(33, 45, ColorModel::RGB, true, 9);
    Document document = source;
    FilterRun run(module->Entry(), document, RunOptions{});
    ASSERT_EQ(run.Run().result, noErr);
    EXPECT_EQ(run.State().filterCase, 5);
    EXPECT_EQ(run.State().outHiPlane, 2);  // three colour planes requested, not four
    EXPECT_EQ(ColourPlanesOf(document).pixels, OracleFlatten(ColourPlanesOf(source), false).pixels);
    for (int y = 0; y < source.height; ++y) {
        for (int x = 0; x < source.width; ++x) {
            ASSERT_EQ(document.Pixel(y, x)[3], source.Pixel(y, x)[3]) << y << "," << x;
        }
    }
}

TEST_F(FlattenPluginTest, ProgressIsReportedPerStripOfFortyTwoRows) {
    Document document = RandomLineArt(10, 100, ColorModel::RGB, false, 10);
    ProgressLog log;
    RunOptions options;
    options.progress = &log;
    FilterRun run(module->Entry(), document, options);
    ASSERT_EQ(run.Run().result, noErr);
    const std::vector<std::pair<int32_t, int32_t>> expected = {{42, 100}, {84, 100}, {100, 100}};
    EXPECT_EQ(log.reports, expected);
}

TEST_F(FlattenPluginTest, AbortAfterAStripCancelsTheRun) {
    const Document source = RandomLineArt(10, 100, ColorModel::RGB, false, 11);
    Document document = source;
    ProgressLog log;
    log.abortAfterReports = 1;
    RunOptions options;
    options.progress = &log;
    FilterRun run(module->Entry(), document, options);
    const oxhost::RunResult result = run.Run();
    EXPECT_EQ(result.result, userCanceledErr);
    EXPECT_EQ(result.failedSelector, filterSelectorStart);
    EXPECT_EQ(log.reports.size(), 1u);
    EXPECT_EQ(run.State().outRect.bottom, 0);  // requests emptied
    EXPECT_EQ(run.State().inRect.bottom, 0);
    EXPECT_EQ(run.DataSlot(), 0);
    EXPECT_EQ(document.pixels, source.pixels);  // a failed run changes nothing
}

TEST_F(FlattenPluginTest, MissingAdvanceStateIsBadParameters) {
    Document document = RandomLineArt(8, 8, ColorModel::RGB, false, 12);
    FilterRun run(module->Entry(), document, RunOptions{});
    run.WithoutAdvanceState();
    const oxhost::RunResult result = run.Run();
    EXPECT_EQ(result.result, filterBadParameters);
    EXPECT_EQ(run.State().outHiPlane, 0);  // nothing was requested
    EXPECT_EQ(run.State().outRect.bottom, 0);
}

TEST_F(FlattenPluginTest, AdvanceStateErrorPassesThroughUntouched) {
    const Document source = RandomLineArt(8, 8, ColorModel::RGB, false, 13);
    Document document = source;
    FilterRun run(module->Entry(), document, RunOptions{});
    run.FailAdvanceStateWith(-4242);
    const oxhost::RunResult result = run.Run();
    EXPECT_EQ(result.result, -4242);
    EXPECT_EQ(run.AdvanceStateCalls(), 1);
    EXPECT_EQ(run.State().outRect.right, 0);
    EXPECT_EQ(run.State().inRect.right, 0);
    EXPECT_EQ(document.pixels, source.pixels);
}

TEST_F(FlattenPluginTest, PrepareAsksForNoMemoryAndParametersDoNothing) {
    Document document = RandomLineArt(4, 4, ColorModel::RGB, false, 14);
    FilterRun run(module->Entry(), document, RunOptions{});
    EXPECT_EQ(run.Call(filterSelectorParameters), noErr);
    EXPECT_EQ(run.Call(filterSelectorPrepare), noErr);
    EXPECT_EQ(run.State().bufferSpace, 0);
    EXPECT_EQ(run.State().maxSpace, 0);
    EXPECT_EQ(run.Call(filterSelectorContinue), noErr);
    EXPECT_EQ(run.Call(filterSelectorFinish), noErr);
    EXPECT_EQ(run.DataSlot(), 0);
}

TEST_F(FlattenPluginTest, EmptyDocumentStillAsksForItsBuffers) {
    Document document;
    document.width = 5;
    document.height = 0;
    ProgressLog log;
    RunOptions options;
    options.progress = &log;
    FilterRun run(module->Entry(), document, options);
    EXPECT_EQ(run.Run().result, noErr);
    EXPECT_EQ(run.AdvanceStateCalls(), 1);
    EXPECT_TRUE(log.reports.empty());
}

}  // namespace
