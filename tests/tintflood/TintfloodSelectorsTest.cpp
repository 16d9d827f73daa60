// Tintflood's selectors around the fill: prepare and continue, and what start
// leaves for the host when it cannot take its settings or its pass ends early.
#include <gtest/gtest.h>

#include "FilterSelectors.h"
#include "ResultCodes.h"
#include "TintfloodTestHost.h"
#include "host/color/ColorServicesHost.h"
#include "host/run/HostHandles.h"
#include "host/scripting/ScriptingSession.h"

extern "C" void PluginMain(int16_t selector, void* block, intptr_t* data, int16_t* result);

namespace {

using oxhost::DescriptorEntry;

bool IsEmpty(const Rect16& rect) {
    return rect.top == 0 && rect.left == 0 && rect.bottom == 0 && rect.right == 0;
}

// Selectors called on a record of the test's own, as a host calls them.
class TintfloodSelectorTest : public ::testing::Test {
protected:
    void SetUp() override { record.sSPBasic = &suites; }
    void TearDown() override {
        if (slot != 0) {
            Call(filterSelectorFinish);
        }
    }
    int16_t Call(int16_t selector) {
        int16_t result = -1;
        PluginMain(selector, &record, &slot, &result);
        return result;
    }

    SPBasicSuite suites{};
    FilterRecord record{};
    intptr_t slot = 0;
};

TEST_F(TintfloodSelectorTest, PrepareAsksForNoBufferMemory) {
    record.bufferSpace = 4096;
    record.maxSpace = 1 << 30;
    EXPECT_EQ(Call(filterSelectorPrepare), noErr);
    EXPECT_EQ(record.bufferSpace, 0);
    EXPECT_EQ(record.maxSpace, 0);
    EXPECT_NE(slot, 0) << "the run ended after prepare";
}

// Start does the whole image; a continue call requests nothing more.
TEST_F(TintfloodSelectorTest, ContinueEmptiesBothRequests) {
    record.inRect = Rect16{0, 0, 4, 4};
    record.outRect = Rect16{1, 1, 4, 4};
    EXPECT_EQ(Call(filterSelectorContinue), noErr);
    EXPECT_TRUE(IsEmpty(record.inRect));
    EXPECT_TRUE(IsEmpty(record.outRect));
}

// Whole runs through the host library, with a parameter block the test keeps.
class TintfloodStartTest : public ::testing::Test {
protected:
    TintfloodStartTest() {
        const std::vector<uint8_t> bytes = tintfloodtest::ParameterBlockBytes(blockSettings);
        parameters = oxhost::HostHandles::Instance().New(int32_t(bytes.size()));
        std::copy(bytes.begin(), bytes.end(), *parameters);
        options.parameters = &parameters;
        options.colorServices = [this](ColorServicesInfo* info) {
            return colorServices.Serve(info);
        };
    }
    ~TintfloodStartTest() override { oxhost::HostHandles::Instance().Dispose(parameters); }

    std::vector<uint8_t> Block() const {
        const auto* data = reinterpret_cast<const uint8_t*>(*parameters);
        return std::vector<uint8_t>(data, data + oxhost::HostHandles::Instance().Size(parameters));
    }

    TintfloodSettings blockSettings;  // what the parameters selector left
    Handle parameters = nullptr;
    oxhost::ColorServicesHost colorServices{oxhost::ColorConverter(), oxhost::ColorPickerScript()};
    oxhost::RunOptions options;
    oxhost::Document document = tintfloodtest::RgbDocument({"WKW", "WKW", "WKW"});
};

TEST_F(TintfloodStartTest, ABlockOfVersionTwoFailsWithBadParametersBeforeAnyPixel) {
    blockSettings.version = 2;
    std::vector<uint8_t> bytes = tintfloodtest::ParameterBlockBytes(blockSettings);
    std::copy(bytes.begin(), bytes.end(), *parameters);
    const oxhost::Document original = document;
    oxhost::FilterRun run(PluginMain, document, options);
    const oxhost::RunResult result = run.Run();
    EXPECT_EQ(result.result, filterBadParameters);
    EXPECT_EQ(result.failedSelector, filterSelectorStart);
    EXPECT_EQ(run.AdvanceStateCalls(), 0);
    EXPECT_EQ(document.pixels, original.pixels);
}

// A replay without the dialog runs from defaults and the replayed keys; the
// run records them and stores them in the block even when its pass stops
// early, so the host keeps the settings the run actually used.
class StopAtFirstRow : public oxhost::ProgressSink {
public:
    void Report(int32_t done, int32_t) override { rowsDone = done; }
    bool AbortRequested() override { return rowsDone >= 1; }
    int32_t rowsDone = 0;
};

TEST_F(TintfloodStartTest, AnAbortOrAnAdvanceStateErrorStillRecordsAndStoresTheSettings) {
    TintfloodSettings replayedSettings;
    replayedSettings.tolerance = 33;
    replayedSettings.randomColors = 1;
    const std::vector<uint8_t> replayedBlock = tintfloodtest::ParameterBlockBytes(replayedSettings);
    ASSERT_NE(Block(), replayedBlock);

    for (const int16_t failure : {int16_t(userCanceledErr), int16_t(memFullErr)}) {
        std::vector<uint8_t> bytes = tintfloodtest::ParameterBlockBytes(blockSettings);
        std::copy(bytes.begin(), bytes.end(), *parameters);
        oxhost::Descriptor replayed;
        replayed.Set(DescriptorEntry::Integer(HOSTAPI_FOURCC('T', 'l', 'r', 'n'), 33));
        replayed.Set(DescriptorEntry::Boolean(HOSTAPI_FOURCC('R', 'a', 'n', 'D'), true));
        oxhost::ScriptingSession session(plugInDialogDontDisplay, replayed);
        StopAtFirstRow progress;
        oxhost::RunOptions runOptions = options;
        runOptions.progress = failure == userCanceledErr ? &progress : nullptr;
        session.Attach(runOptions);
        oxhost::FilterRun run(PluginMain, document, runOptions);
        if (failure != userCanceledErr) {
            run.FailAdvanceStateWith(failure);
        }

        const oxhost::RunResult result = run.Run();
        EXPECT_EQ(result.result, failure);
        EXPECT_EQ(result.failedSelector, filterSelectorStart);
        ASSERT_TRUE(session.Recorded().has_value()) << failure;
        EXPECT_EQ(session.Recorded()->entries.size(), 10u) << failure;
        const DescriptorEntry* tolerance =
            session.Recorded()->Find(HOSTAPI_FOURCC('T', 'l', 'r', 'n'));
        ASSERT_NE(tolerance, nullptr) << failure;
        EXPECT_EQ(tolerance->integer, 33) << failure;
        EXPECT_EQ(Block(), replayedBlock) << failure;
    }
}

}  // namespace
