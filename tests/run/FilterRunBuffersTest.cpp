// The buffers a filter run hands out, seen through a fake plug-in that
// inverts what it reads and scribbles over its input: whether the input is a
// copy or the document's own rows, no layout and no way of keeping the
// document may change the outcome, and a failed run that keeps the document
// leaves it as it was.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "FilterSelectors.h"
#include "ResultCodes.h"
#include "host/run/FilterRun.h"

namespace {

using oxhost::BufferLayout;
using oxhost::Document;
using oxhost::FilterRun;
using oxhost::RunOptions;

// What the fake does in start: request every plane of inRect and outRect,
// write 255 - input into the output, then overwrite its whole input with
// kScribble and, when asked, the byte after an interleaved output; then
// return startResult.
struct FakeStart {
    Rect16 inRect{0, 0, 0, 0};
    Rect16 outRect{0, 0, 0, 0};
    bool writePastOutput = false;
    void* outDataSeen = nullptr;
    int16_t startResult = noErr;
    void* inDataSeen = nullptr;
};
FakeStart fake;
constexpr uint8_t kScribble = 0x11;

uint8_t* Channel(void* data, int32_t rowBytes, int32_t columnBytes, int32_t planeBytes, int planes,
                 int row, int column, int plane) {
    const int32_t columnStep = columnBytes != 0 ? columnBytes : planes;
    const int32_t planeStep = planeBytes != 0 ? planeBytes : 1;
    return static_cast<uint8_t*>(data) + intptr_t(row) * rowBytes + intptr_t(column) * columnStep +
           intptr_t(plane) * planeStep;
}

// With no input requested the fake works in its output, as a fill does.
void InvertAndScribble(FilterRecord* record) {
    const int planes = record->planes;
    const bool inOutput = record->inRect.bottom <= record->inRect.top;
    const Rect16& in = inOutput ? record->outRect : record->inRect;
    const Rect16& out = record->outRect;
    auto input = [record, planes, &in, inOutput](int row, int column, int plane) {
        if (inOutput) {
            return Channel(record->outData, record->outRowBytes, record->outColumnBytes,
                           record->outPlaneBytes, planes, row - in.top, column - in.left, plane);
        }
        return Channel(record->inData, record->inRowBytes, record->inColumnBytes,
                       record->inPlaneBytes, planes, row - in.top, column - in.left, plane);
    };
    for (int row = out.top; row < out.bottom; ++row) {
        for (int column = out.left; column < out.right; ++column) {
            for (int plane = 0; plane < planes; ++plane) {
                *Channel(record->outData, record->outRowBytes, record->outColumnBytes,
                         record->outPlaneBytes, planes, row - out.top, column - out.left, plane) =
                    uint8_t(255 - *input(row, column, plane));
            }
        }
    }
    for (int row = in.top; row < in.bottom && !inOutput; ++row) {
        for (int column = in.left; column < in.right; ++column) {
            for (int plane = 0; plane < planes; ++plane) {
                *input(row, column, plane) = kScribble;
            }
        }
    }
    if (fake.writePastOutput) {
        // The interleaved output ends after its last row.
        static_cast<uint8_t*>(
            record->outData)[intptr_t(record->outRowBytes) * (out.bottom - out.top)] = 0;
    }
}

void HOSTAPI_CALL FakeEntry(int16_t selector, void* block, intptr_t*, int16_t* result) {
    FilterRecord* record = static_cast<FilterRecord*>(block);
    *result = noErr;
    if (selector != filterSelectorStart) {
        return;
    }
    record->inRect = fake.inRect;
    record->outRect = fake.outRect;
    record->inLoPlane = record->outLoPlane = 0;
    record->inHiPlane = record->outHiPlane = int16_t(record->planes - 1);
    if (OSErr error = record->advanceState(); error != noErr) {
        *result = error;
        return;
    }
    fake.inDataSeen = record->inData;
    fake.outDataSeen = record->outData;
    InvertAndScribble(record);
    record->inRect = record->outRect = Rect16{0, 0, 0, 0};
    *result = fake.startResult;
}

Document RandomDocument(int width, int height, uint32_t seed) {
    std::mt19937 random(seed);
    Document document;
    document.width = width;
    document.height = height;
    document.pixels.resize(document.RowBytes() * size_t(height));
    for (uint8_t& value : document.pixels) {
        value = uint8_t(random());
    }
    return document;
}

// The oracle: the rows of `out` inverted, everything else as it was.
Document Inverted(Document document, const Rect16& out) {
    for (int row = out.top; row < out.bottom; ++row) {
        for (int column = out.left; column < out.right; ++column) {
            uint8_t* pixel = document.Pixel(row, column);
            for (int plane = 0; plane < document.TotalPlanes(); ++plane) {
                pixel[plane] = uint8_t(255 - pixel[plane]);
            }
        }
    }
    return document;
}

oxhost::RunResult RunFake(Document& document, const char* layoutName, bool keepDocument) {
    RunOptions options;
    EXPECT_TRUE(BufferLayout::FromName(layoutName, options.layout));
    options.keepDocumentOnFailure = keepDocument;
    FilterRun run(FakeEntry, document, options);
    return run.Run();
}

const char* const kLayouts[] = {"interleaved", "planar", "padded", "zero-steps"};

class FilterRunBuffersTest : public ::testing::Test {
protected:
    void SetUp() override { fake = FakeStart(); }
};

TEST_F(FilterRunBuffersTest, ScribbledInputNeverReachesPixelsOutsideTheOutput) {
    const Document source = RandomDocument(23, 17, 1);
    const Rect16 whole{0, 0, 17, 23};
    // Whole rows, part of the rows, part of the columns: only the first can
    // be served from the document's rows.
    for (const Rect16& out : {whole, Rect16{4, 0, 11, 23}, Rect16{0, 5, 17, 19}}) {
        const Document expected = Inverted(source, out);
        for (const char* layoutName : kLayouts) {
            for (bool keepDocument : {true, false}) {
                fake.inRect = whole;
                fake.outRect = out;
                Document document = source;
                const oxhost::RunResult result = RunFake(document, layoutName, keepDocument);
                ASSERT_EQ(result.result, noErr) << layoutName << " " << result.hostProblem;
                EXPECT_EQ(document.pixels, expected.pixels)
                    << layoutName << (keepDocument ? "" : ", handed over") << ", output rows "
                    << out.top << ".." << out.bottom << ", columns " << out.left << ".."
                    << out.right;
            }
        }
    }
}

TEST_F(FilterRunBuffersTest, AFailedRunThatKeepsTheDocumentLeavesItUntouched) {
    const Document source = RandomDocument(9, 6, 2);
    fake.inRect = fake.outRect = Rect16{0, 0, 6, 9};
    fake.startResult = -4242;
    for (const char* layoutName : kLayouts) {
        Document document = source;
        EXPECT_EQ(RunFake(document, layoutName, true).result, -4242) << layoutName;
        EXPECT_EQ(document.pixels, source.pixels) << layoutName;
    }

    // The output stays a guarded buffer of the host's own when the input is
    // the document's rows.
    fake.startResult = noErr;
    fake.writePastOutput = true;
    Document document = source;
    const oxhost::RunResult result = RunFake(document, "interleaved", true);
    EXPECT_EQ(result.result, paramErr);
    EXPECT_EQ(result.hostProblem, "the plug-in wrote outside the buffers it was given");
    EXPECT_EQ(document.pixels, source.pixels);
}

TEST_F(FilterRunBuffersTest, OnlyAWholeInterleavedInputIsTheDocumentsOwnRows) {
    fake.inRect = fake.outRect = Rect16{0, 0, 5, 7};
    Document document = RandomDocument(7, 5, 3);
    const uint8_t* before = document.pixels.data();
    ASSERT_EQ(RunFake(document, "interleaved", false).result, noErr);
    EXPECT_EQ(fake.inDataSeen, before);
    // The whole output then becomes the document's pixels, without a copy.
    EXPECT_EQ(fake.outDataSeen, document.pixels.data());
    ASSERT_EQ(RunFake(document, "padded", false).result, noErr);
    EXPECT_NE(fake.inDataSeen, document.pixels.data());
}

// A plug-in that only writes works in the document's own rows (or the copy
// kept for a failure) when they are whole and interleaved; every layout
// gives the same pixels, and a failed run that keeps the document leaves it
// untouched.
TEST_F(FilterRunBuffersTest, AnOutputWithoutInputIsTheDocumentsOwnRows) {
    const Document source = RandomDocument(11, 8, 4);
    fake.outRect = Rect16{0, 0, 8, 11};
    const Document expected = Inverted(source, fake.outRect);
    for (const char* layoutName : kLayouts) {
        for (bool keepDocument : {true, false}) {
            Document document = source;
            ASSERT_EQ(RunFake(document, layoutName, keepDocument).result, noErr) << layoutName;
            EXPECT_EQ(document.pixels, expected.pixels) << layoutName;
            // Zero steps are only reported so; the rows are interleaved.
            const std::string name = layoutName;
            if (!keepDocument) {
                EXPECT_EQ(fake.outDataSeen == document.pixels.data(),
                          name == "interleaved" || name == "zero-steps")
                    << layoutName;
            }
        }
    }
    fake.startResult = -4242;
    Document document = source;
    EXPECT_EQ(RunFake(document, "interleaved", true).result, -4242);
    EXPECT_EQ(document.pixels, source.pixels);
}

}  // namespace
