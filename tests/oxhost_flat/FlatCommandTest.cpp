// oxhost flat on pages of anti-aliased rings: every ring's inside and the
// paper around them must each end as one flat of its own colour, with no
// trace of ink or grey, whatever the ink colour or the background's alpha.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>

#include "host/image/ImageFile.h"
#include "oxhost/OxhostProcess.h"
#include "support/ScratchFolder.h"

namespace {

using oxhost::Document;
using oxtest::RunOxhost;
using oxtest::ScratchFolder;

struct Ring {
    double x, y, radius;
};

struct PageStyle {
    uint8_t ink[3] = {0, 0, 0};
    bool transparent = false;  // paper of alpha 0, ink coverage as alpha
    int gapWidth = 0;          // an opening cut into the right side of every ring
};

// Rings 2.5 px wide with anti-aliased edges, by their exact coverage of each
// pixel's centre line; a page of `columns` x `rows` rings 40 px apart.
Document RingPage(int columns, int rows, const PageStyle& style, std::vector<Ring>* placed) {
    Document page;
    page.width = columns * 40 + 20;
    page.height = rows * 40 + 20;
    page.hasAlpha = style.transparent;
    page.pixels.assign(size_t(page.width) * page.height * page.TotalPlanes(), 255);
    std::vector<Ring> rings;
    for (int row = 0; row < rows; ++row) {
        for (int column = 0; column < columns; ++column) {
            rings.push_back(Ring{30.0 + column * 40, 30.0 + row * 40, 12.0 + (row + column) % 3});
        }
    }
    for (int y = 0; y < page.height; ++y) {
        for (int x = 0; x < page.width; ++x) {
            // Only the ring of the pixel's own 40 px cell can reach it.
            const int column = std::clamp((x - 10) / 40, 0, columns - 1);
            const int row = std::clamp((y - 10) / 40, 0, rows - 1);
            const Ring& ring = rings[size_t(row) * columns + column];
            const double distance = std::hypot(x - ring.x, y - ring.y);
            const bool inGap = x > ring.x && std::fabs(y - ring.y) * 2 < style.gapWidth;
            const double coverage =
                inGap ? 0.0 : std::clamp(1.75 - std::fabs(distance - ring.radius), 0.0, 1.0);
            uint8_t* pixel = page.Pixel(y, x);
            for (int channel = 0; channel < 3; ++channel) {
                pixel[channel] =
                    style.transparent
                        ? style.ink[channel]
                        : uint8_t(std::lround(255 - coverage * (255 - style.ink[channel])));
            }
            if (style.transparent) {
                pixel[3] = uint8_t(std::lround(coverage * 255));
            }
        }
    }
    if (placed != nullptr) {
        *placed = rings;
    }
    return page;
}

uint32_t ColourAt(const Document& image, int x, int y) {
    const uint8_t* pixel = image.Pixel(y, x);
    return uint32_t(pixel[0]) << 16 | uint32_t(pixel[1]) << 8 | pixel[2];
}

std::set<uint32_t> Colours(const Document& image) {
    std::set<uint32_t> colours;
    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width; ++x) {
            colours.insert(ColourAt(image, x, y));
        }
    }
    return colours;
}

TEST(FlatCommand, EveryClosedAreaBecomesOneCleanFlatWhateverTheInk) {
    PageStyle black;
    PageStyle blue;
    blue.ink[0] = 0x1a, blue.ink[1] = 0x2a, blue.ink[2] = 0x6c;
    PageStyle transparent;
    transparent.transparent = true;
    for (const PageStyle& style : {black, blue, transparent}) {
        ScratchFolder folder;
        std::vector<Ring> rings;
        oxhost::SaveImageFile(RingPage(4, 3, style, &rings), folder.File("page.png"));
        const auto result = RunOxhost({"flat", "--quiet", folder.File("page.png")});
        ASSERT_EQ(result.exitCode, 0) << result.err;
        EXPECT_NE(result.out.find("13 areas filled"), std::string::npos) << result.out;
        const Document flats = oxhost::LoadImageFile(folder.File("page-flats.png"));
        // The flat of each ring's inside, and the paper's: 13 colours, no other.
        std::set<uint32_t> expected = {ColourAt(flats, 2, 2)};
        for (const Ring& ring : rings) {
            expected.insert(ColourAt(flats, int(ring.x), int(ring.y)));
        }
        EXPECT_EQ(expected.size(), 13u);
        EXPECT_EQ(Colours(flats), expected);
    }
}

TEST(FlatCommand, SmallGapsAreClosedByDefault) {
    PageStyle gapped;
    gapped.gapWidth = 3;
    ScratchFolder folder;
    oxhost::SaveImageFile(RingPage(3, 2, gapped, nullptr), folder.File("gaps.png"));
    const auto closed = RunOxhost({"flat", "-q", folder.File("gaps.png")});
    ASSERT_EQ(closed.exitCode, 0) << closed.err;
    EXPECT_EQ(Colours(oxhost::LoadImageFile(folder.File("gaps-flats.png"))).size(), 7u);
    const auto open = RunOxhost({"flat", "-q", "--close-gaps", "0", folder.File("gaps.png")});
    ASSERT_EQ(open.exitCode, 0) << open.err;
    EXPECT_EQ(Colours(oxhost::LoadImageFile(folder.File("gaps-flats.png"))).size(), 1u);
}

TEST(FlatCommand, CompositeAndLayersComeWithTheFlats) {
    ScratchFolder folder;
    PageStyle black;
    const Document page = RingPage(2, 1, black, nullptr);
    oxhost::SaveImageFile(page, folder.File("in.png"));
    std::filesystem::create_directory(folder.File("out"));
    const auto result = RunOxhost({"flat", "-q", "--composite", "--layers", "--out-dir",
                                   folder.File("out"), folder.File("in.png")});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    const Document flats = oxhost::LoadImageFile(folder.File("out/in-flats.png"));
    const Document composite = oxhost::LoadImageFile(folder.File("out/in-composite.png"));
    for (int y = 0; y < page.height; y += 3) {
        for (int x = 0; x < page.width; x += 3) {
            for (int channel = 0; channel < 3; ++channel) {
                const int product = page.Pixel(y, x)[channel] * flats.Pixel(y, x)[channel];
                ASSERT_EQ(composite.Pixel(y, x)[channel], (product + 127) / 255);
            }
        }
    }
    EXPECT_TRUE(std::filesystem::is_regular_file(folder.File("out/in.psd")));
}

// A book where one page is damaged: the others are written, the report says
// which failed, and the exit status says that one did.
TEST(FlatCommand, OneFailedPageDoesNotStopTheBook) {
    ScratchFolder folder;
    PageStyle black;
    std::filesystem::create_directory(folder.File("book"));
    oxhost::SaveImageFile(RingPage(2, 2, black, nullptr), folder.File("book/p1.png"));
    oxhost::SaveImageFile(RingPage(3, 1, black, nullptr), folder.File("book/p3.png"));
    std::FILE* damaged = std::fopen(folder.File("book/p2.png").c_str(), "wb");
    std::fputs("\x89PNG\r\n\x1a\nnot really", damaged);
    std::fclose(damaged);
    const auto result =
        RunOxhost({"flat", "-j", "2", "--report", folder.File("report.json"), folder.File("book")});
    EXPECT_EQ(result.exitCode, 1) << result.err;
    EXPECT_TRUE(std::filesystem::exists(folder.File("book/p1-flats.png")));
    EXPECT_FALSE(std::filesystem::exists(folder.File("book/p2-flats.png")));
    EXPECT_TRUE(std::filesystem::exists(folder.File("book/p3-flats.png")));
    EXPECT_NE(result.out.find("p2.png: failed"), std::string::npos) << result.out;
    EXPECT_NE(result.out.find("5 areas filled"), std::string::npos) << result.out;
    std::ifstream report(folder.File("report.json"));
    const std::string text((std::istreambuf_iterator<char>(report)), {});
    EXPECT_NE(text.find("\"pages_failed\": 1"), std::string::npos) << text;
}

// Ctrl-C reaches every worker: nothing half-written, no temporary file left,
// exit status 130.
TEST(FlatCommand, CtrlCStopsTheWholeBook) {
    ScratchFolder folder;
    PageStyle black;
    std::filesystem::create_directory(folder.File("book"));
    const Document page = RingPage(60, 60, black, nullptr);
    for (const char* name : {"a.png", "b.png", "c.png", "d.png"}) {
        oxhost::SaveImageFile(page, folder.File(std::string("book/") + name));
    }
    const auto result = RunOxhost({"flat", "-j", "2", folder.File("book")}, 400);
    EXPECT_EQ(result.exitCode, 130) << result.err;
    for (const auto& entry : std::filesystem::directory_iterator(folder.File("book"))) {
        const std::string name = entry.path().filename().string();
        if (name.find("-flats") != std::string::npos) {
            EXPECT_NO_THROW(oxhost::LoadImageFile(entry.path().string())) << name;
        } else {
            EXPECT_EQ(name.size(), 5u) << "left behind: " << name;
        }
    }
}

}  // namespace
