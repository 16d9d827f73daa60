#include <gtest/gtest.h>

#include <vector>

#include "FilterCases.h"
#include "ImageAccess.h"
#include "ResultCodes.h"

namespace {

// A 4 x 3 image of 3 planes in a buffer that the test lays out.
struct TestBuffer {
    int32_t rowBytes;
    int32_t columnBytes;  // as reported to the plug-in
    int32_t planeBytes;
    std::vector<uint8_t> bytes;
};

FilterRecord RecordOver(TestBuffer& buffer) {
    FilterRecord record{};
    record.filterCase = filterCaseFlatImageNoSelection;
    record.planes = 3;
    record.imageSize = Point16{3, 4};
    record.outData = buffer.bytes.data();
    record.outRowBytes = buffer.rowBytes;
    record.outColumnBytes = buffer.columnBytes;
    record.outPlaneBytes = buffer.planeBytes;
    return record;
}

TEST(ImageAccessTest, PlaneCountFollowsTheFilterCase) {
    FilterRecord record{};
    record.planes = 4;
    record.outLayerPlanes = 3;
    for (int16_t flatCase : {int16_t(1), int16_t(2)}) {
        record.filterCase = flatCase;
        EXPECT_EQ(ColorPlanes(&record), 4) << flatCase;
    }
    for (int16_t layerCase = 3; layerCase <= 7; ++layerCase) {
        record.filterCase = layerCase;
        EXPECT_EQ(ColorPlanes(&record), 3) << layerCase;
    }
}

TEST(ImageAccessTest, ZeroStepsMeanInterleavedPlanes) {
    TestBuffer buffer{12, 0, 0, std::vector<uint8_t>(36)};
    FilterRecord record = RecordOver(buffer);
    EXPECT_EQ(OutColumnStep(&record), 3);
    EXPECT_EQ(OutPlaneStep(&record), 1);
    *OutPixelChannel(&record, 2, 1, 2) = 99;
    EXPECT_EQ(buffer.bytes[2 * 12 + 1 * 3 + 2], 99);
}

TEST(ImageAccessTest, PlanarBufferIsAddressedByThePlaneStep) {
    const int32_t planeSize = 4 * 3;
    TestBuffer buffer{4, 1, planeSize, std::vector<uint8_t>(3 * planeSize)};
    FilterRecord record = RecordOver(buffer);
    for (uint16_t row = 0; row < 3; ++row) {
        for (uint16_t column = 0; column < 4; ++column) {
            for (int plane = 0; plane < 3; ++plane) {
                *OutPixelChannel(&record, row, column, plane) =
                    uint8_t(100 * plane + 10 * row + column);
            }
        }
    }
    EXPECT_EQ(buffer.bytes[0], 0);
    EXPECT_EQ(buffer.bytes[planeSize + 4 + 3], 113);
    EXPECT_EQ(buffer.bytes[2 * planeSize + 2 * 4 + 1], 221);
}

TEST(ImageAccessTest, PaddedRowsAreSkippedByTheRowBytes) {
    const int32_t rowBytes = 4 * 3 + 5;
    TestBuffer buffer{rowBytes, 3, 1, std::vector<uint8_t>(3 * rowBytes, 0xEE)};
    FilterRecord record = RecordOver(buffer);
    for (uint16_t row = 0; row < 3; ++row) {
        for (uint16_t column = 0; column < 4; ++column) {
            for (int plane = 0; plane < 3; ++plane) {
                *OutPixelChannel(&record, row, column, plane) = 0;
            }
        }
    }
    for (int row = 0; row < 3; ++row) {
        for (int i = 0; i < rowBytes; ++i) {
            EXPECT_EQ(buffer.bytes[size_t(row * rowBytes + i)], i < 12 ? 0 : 0xEE)
                << row << "," << i;
        }
    }
}

int advanceCalls = 0;
OSErr CountingAdvance() {
    ++advanceCalls;
    return -42;
}

TEST(ImageAccessTest, WholeImageRequestAsksForEveryColourPlaneOnce) {
    FilterRecord record{};
    record.filterCase = filterCaseEditableTransparencyWithSelection;
    record.planes = 4;
    record.outLayerPlanes = 3;
    record.imageSize = Point16{20, 30};
    record.advanceState = CountingAdvance;
    advanceCalls = 0;
    EXPECT_EQ(RequestWholeImage(&record, true), -42);
    EXPECT_EQ(advanceCalls, 1);
    EXPECT_EQ(record.outLoPlane, 0);
    EXPECT_EQ(record.outHiPlane, 2);
    EXPECT_EQ(record.inHiPlane, 2);
    EXPECT_EQ(record.outRect.bottom, 20);
    EXPECT_EQ(record.outRect.right, 30);
    EXPECT_EQ(record.inRect.bottom, 20);
    EXPECT_EQ(record.inRect.right, 30);

    FilterRecord outputOnly{};
    outputOnly.filterCase = filterCaseFlatImageNoSelection;
    outputOnly.planes = 4;
    outputOnly.imageSize = Point16{5, 6};
    outputOnly.advanceState = CountingAdvance;
    RequestWholeImage(&outputOnly, false);
    EXPECT_EQ(outputOnly.outHiPlane, 3);
    EXPECT_EQ(outputOnly.inRect.bottom, 0);  // no input requested
}

std::vector<std::string> progressEvents;
void RecordProgress(int32_t done, int32_t total) {
    progressEvents.push_back("progress " + std::to_string(done) + "/" + std::to_string(total));
}
Boolean RecordAbort() {
    progressEvents.push_back("abort?");
    return 1;
}

TEST(ImageAccessTest, ProgressComesBeforeTheAbortQuestion) {
    FilterRecord record{};
    record.progressProc = RecordProgress;
    record.abortProc = RecordAbort;
    progressEvents.clear();
    EXPECT_TRUE(ReportProgressAndTestAbort(&record, 42, 100));
    const std::vector<std::string> expected = {"progress 42/100", "abort?"};
    EXPECT_EQ(progressEvents, expected);
}

}  // namespace
