#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "FlattenImage.h"
#include "FlattenOracle.h"
#include "ImageModes.h"

namespace {

// Reports strips and can stop the pass after a number of them.
class StripLog : public StripReporter {
public:
    bool ReportStrip(int32_t rows) override {
        strips.push_back(rows);
        return int(strips.size()) == stopAfter;
    }
    std::vector<int32_t> strips;
    int stopAfter = -1;
};

// Each row spelled with R (red), B (blue), K (black), W (white), G (dark grey 8,8,8).
OracleImage FromRows(const std::vector<std::string>& rows) {
    OracleImage image;
    image.height = int(rows.size());
    image.width = int(rows[0].size());
    for (const std::string& row : rows) {
        for (char c : row) {
            switch (c) {
                case 'R':
                    image.pixels.insert(image.pixels.end(), {200, 0, 0});
                    break;
                case 'B':
                    image.pixels.insert(image.pixels.end(), {0, 0, 200});
                    break;
                case 'W':
                    image.pixels.insert(image.pixels.end(), {255, 255, 255});
                    break;
                case 'G':
                    image.pixels.insert(image.pixels.end(), {8, 8, 8});
                    break;
                default:
                    image.pixels.insert(image.pixels.end(), {0, 0, 0});
                    break;
            }
        }
    }
    return image;
}

std::vector<std::string> ToRows(const OracleImage& image) {
    std::vector<std::string> rows;
    for (int y = 0; y < image.height; ++y) {
        std::string row;
        for (int x = 0; x < image.width; ++x) {
            const uint8_t* p = image.At(y, x);
            row += p[0] == 200   ? 'R'
                   : p[2] == 200 ? 'B'
                   : p[0] == 255 ? 'W'
                   : p[0] == 8   ? 'G'
                                 : 'K';
        }
        rows.push_back(row);
    }
    return rows;
}

// Runs the pass with an interleaved input and an output that starts as a copy.
OracleImage Flatten(const OracleImage& input, int16_t mode, StripLog& log) {
    OracleImage in = input;
    OracleImage out = input;
    FlattenJob job{};
    job.input = PlaneBuffer{in.pixels.data(), in.width * in.planes, in.planes, 1};
    job.output = PlaneBuffer{out.pixels.data(), out.width * out.planes, out.planes, 1};
    job.colorPlanes = int16_t(in.planes);
    job.height = uint16_t(in.height);
    job.width = uint16_t(in.width);
    job.imageMode = mode;
    NearestSearch search;
    FlattenImage(job, search, log);
    EXPECT_EQ(in.pixels, input.pixels) << "the input buffer must never be written";
    return out;
}

OracleImage Flatten(const OracleImage& input) {
    StripLog log;
    return Flatten(input, plugInModeRGBColor, log);
}

TEST(FlattenImageTest, ThinLineTakesTheLeftColour) {
    const auto out = Flatten(FromRows({"RRKBB", "RRKBB", "RRKBB"}));
    EXPECT_EQ(ToRows(out), (std::vector<std::string>{"RRRBB", "RRRBB", "RRRBB"}));
}

TEST(FlattenImageTest, TwoPixelLineSplitsBetweenItsSides) {
    const auto out = Flatten(FromRows({"RRKKBBB", "RRKKBBB"}));
    EXPECT_EQ(ToRows(out), (std::vector<std::string>{"RRRBBBB", "RRRBBBB"}));
}

TEST(FlattenImageTest, MiddleOfAThreePixelLineLooksLeftBeforeRight) {
    const auto out = Flatten(FromRows({"RRKKKBB", "RRKKKBB", "RRKKKBB"}));
    EXPECT_EQ(ToRows(out), (std::vector<std::string>{"RRRRBBB", "RRRRBBB", "RRRRBBB"}));
}

TEST(FlattenImageTest, HorizontalLinesSplitUpAndDown) {
    const auto out = Flatten(FromRows({"RRRRR", "KKKKK", "KKKKK", "KKKKK", "BBBBB"}));
    EXPECT_EQ(ToRows(out), (std::vector<std::string>{"RRRRR", "RRRRR", "RRRRR", "BBBBB", "BBBBB"}));
}

TEST(FlattenImageTest, AllBlackImageStaysBlack) {
    const auto in = FromRows({"KKKK", "KKKK", "KKKK"});
    EXPECT_EQ(Flatten(in).pixels, in.pixels);
}

// With no coloured pixel every search ends on a line pixel, and each line
// pixel takes the one its walk ended on: the dark grey one takes black.
TEST(FlattenImageTest, WithoutColourEachPixelTakesTheLinePixelItsWalkEndsOn) {
    const auto in = FromRows({"KKKK", "KGKK", "KKKK"});
    const auto out = Flatten(in);
    EXPECT_EQ(out.pixels, OracleFlatten(in, false).pixels);
    EXPECT_EQ(ToRows(out), (std::vector<std::string>{"KKKK", "KKKK", "KKKK"}));
}

TEST(FlattenImageTest, ImageWithoutLinesIsUnchanged) {
    const auto in = FromRows({"RWB", "BWR"});
    EXPECT_EQ(Flatten(in).pixels, in.pixels);
}

TEST(FlattenImageTest, DarkThresholdIsEightForRgb) {
    // (8,8,8) is line work; (9,0,0) is a colour the line grows from.
    OracleImage image = FromRows({"RGW"});
    EXPECT_EQ(ToRows(Flatten(image)), std::vector<std::string>{"RRW"});
    image.At(0, 0)[0] = 9;
    const auto out = Flatten(image);
    EXPECT_EQ(out.At(0, 1)[0], 9);
    EXPECT_EQ(out.At(0, 1)[1], 0);
}

TEST(FlattenImageTest, CmykLineIsTheBlackPlaneBelowSixty) {
    OracleImage image;
    image.height = 1;
    image.width = 3;
    image.planes = 4;
    // C, M, Y, K with 255 meaning no ink.
    image.pixels = {10, 20, 30, 60, /**/ 0, 0, 0, 59, /**/ 200, 200, 200, 255};
    StripLog log;
    const auto out = Flatten(image, plugInModeCMYKColor, log);
    const std::vector<uint8_t> expected = {10, 20, 30, 60, 10, 20, 30, 60, 200, 200, 200, 255};
    EXPECT_EQ(out.pixels, expected);
}

TEST(FlattenImageTest, HundredRowsAreThreeStrips) {
    OracleImage image = FromRows(std::vector<std::string>(100, "RKB"));
    StripLog log;
    Flatten(image, plugInModeRGBColor, log);
    EXPECT_EQ(log.strips, (std::vector<int32_t>{42, 42, 16}));
}

TEST(FlattenImageTest, StopAfterTheFirstStripLeavesTheRestUntouched) {
    OracleImage image = FromRows(std::vector<std::string>(100, "RKB"));
    StripLog log;
    log.stopAfter = 1;
    const auto out = Flatten(image, plugInModeRGBColor, log);
    EXPECT_EQ(log.strips.size(), 1u);
    EXPECT_EQ(ToRows(out)[41], "RRB");
    EXPECT_EQ(ToRows(out)[42], "RKB");
    EXPECT_EQ(ToRows(out)[99], "RKB");
}

TEST(FlattenImageTest, EmptyImageReportsNothing) {
    FlattenJob job{};
    job.colorPlanes = 3;
    job.imageMode = plugInModeRGBColor;
    NearestSearch search;
    StripLog log;
    EXPECT_TRUE(FlattenImage(job, search, log));
    EXPECT_TRUE(log.strips.empty());
}

// Random line art against the plain pass: same pixels, whatever the layout.
TEST(FlattenImageTest, MatchesThePlainPassOnRandomLineArt) {
    std::mt19937 random(99);
    for (int trial = 0; trial < 30; ++trial) {
        OracleImage image;
        image.height = 1 + int(random() % 120);
        // Past 64 columns whole words of pixels are tested at once.
        image.width = 1 + int(random() % 150);
        const bool cmyk = trial % 3 == 2;
        image.planes = cmyk ? 4 : 3;
        image.pixels.resize(size_t(image.height * image.width * image.planes));
        const int darkPercent = 20 + int(random() % 75);
        for (int y = 0; y < image.height; ++y) {
            for (int x = 0; x < image.width; ++x) {
                const bool dark = int(random() % 100) < darkPercent;
                for (int p = 0; p < image.planes; ++p) {
                    image.At(y, x)[p] = dark ? uint8_t(random() % 9) : uint8_t(random());
                }
                if (!dark && random() % 2 == 0) {
                    // Coloured by one plane just over the line threshold.
                    for (int p = 0; p < image.planes; ++p) {
                        image.At(y, x)[p] = uint8_t(random() % 9);
                    }
                    image.At(y, x)[random() % 3] = 9;
                }
                if (cmyk) {
                    image.At(y, x)[3] =
                        dark ? uint8_t(random() % 60) : uint8_t(60 + random() % 196);
                }
            }
        }
        StripLog log;
        const auto fast = Flatten(image, cmyk ? plugInModeCMYKColor : plugInModeRGBColor, log);
        ASSERT_EQ(fast.pixels, OracleFlatten(image, cmyk).pixels) << "trial " << trial;
    }
}

// Thick strokes and large dark blocks make the searches walk far, which
// switches the pass to starting at the known nearest colour; the pixels must
// not change for it.
TEST(FlattenImageTest, MatchesThePlainPassWhereSearchesWalkFar) {
    std::mt19937 random(5);
    for (int trial = 0; trial < 12; ++trial) {
        OracleImage image;
        image.height = 60 + int(random() % 140);
        image.width = 60 + int(random() % 140);
        image.pixels.resize(size_t(image.height * image.width * 3));
        for (auto& byte : image.pixels) {
            byte = uint8_t(9 + random() % 247);
        }
        const int blocks = 2 + int(random() % 6);
        for (int b = 0; b < blocks; ++b) {
            const int h = 10 + int(random() % 50), w = 10 + int(random() % 50);
            const int top = int(random() % uint32_t(image.height)),
                      left = int(random() % uint32_t(image.width));
            for (int y = top; y < std::min(top + h, image.height); ++y) {
                for (int x = left; x < std::min(left + w, image.width); ++x) {
                    std::fill(image.At(y, x), image.At(y, x) + 3, uint8_t(random() % 9));
                }
            }
        }
        StripLog log;
        const auto fast = Flatten(image, plugInModeRGBColor, log);
        ASSERT_EQ(fast.pixels, OracleFlatten(image, false).pixels) << "trial " << trial;
    }
}

TEST(FlattenImageTest, BlackSquareOnWhiteMatchesThePlainPass) {
    OracleImage image;
    image.height = 170;
    image.width = 190;
    image.pixels.assign(size_t(image.height * image.width * 3), 255);
    for (int y = 30; y < 150; ++y) {
        for (int x = 40; x < 160; ++x) {
            std::fill(image.At(y, x), image.At(y, x) + 3, uint8_t(0));
        }
    }
    image.At(100, 100)[0] = 77;  // a coloured speck inside the square
    StripLog log;
    EXPECT_EQ(Flatten(image, plugInModeRGBColor, log).pixels, OracleFlatten(image, false).pixels);
}

// Pages that are line work but for a few coloured pixels make every search
// walk far and reach the image edge, where the eight-try rule can end it
// before the colour; in one-pixel-wide pages it ends almost at once. The
// pass must still give exactly the plain pass's pixels, including which
// line pixel a search that found no colour ends on.
TEST(FlattenImageTest, MatchesThePlainPassWhereSearchesReachTheEdge) {
    std::mt19937 random(11);
    const auto page = [&random](int height, int width, int kind) {
        OracleImage image;
        image.height = height;
        image.width = width;
        image.pixels.resize(size_t(height * width * 3));
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                bool colour = false;
                switch (kind) {
                    case 0:  // a coloured column at the left edge
                        colour = x == 0;
                        break;
                    case 1:  // one coloured pixel in a corner
                        colour = (y == 0 || y == height - 1) && (x == 0 || x == width - 1) &&
                                 (y + x) % 3 == int(random() % 3);
                        break;
                    case 2:  // a checkerboard of single pixels
                        colour = (y + x) % 2 == 0;
                        break;
                    default:  // a few coloured pixels, most near the edges
                        colour = random() % 97 == 0 ||
                                 ((y < 2 || x < 2 || y >= height - 2 || x >= width - 2) &&
                                  random() % 23 == 0);
                }
                uint8_t* pixel = image.At(y, x);
                for (int p = 0; p < 3; ++p) {
                    // Line pixels differ, so the line pixel a search ends on shows.
                    pixel[p] = colour ? uint8_t(20 + random() % 230) : uint8_t(random() % 9);
                }
            }
        }
        return image;
    };
    const int sizes[][2] = {{1, 57}, {57, 1}, {2, 40}, {40, 3}, {45, 45}, {30, 64}, {64, 27}};
    for (int kind = 0; kind < 4; ++kind) {
        for (const auto& size : sizes) {
            const OracleImage image = page(size[0], size[1], kind);
            StripLog log;
            ASSERT_EQ(Flatten(image, plugInModeRGBColor, log).pixels,
                      OracleFlatten(image, false).pixels)
                << "kind " << kind << " size " << size[0] << "x" << size[1];
        }
    }
}

// Black pages with a few coloured pixels, from one pixel to a few thousand,
// long and narrow ones included: every search walks to an edge. With all
// line pixels black a search that ends may skip finding the line pixel it
// ended on; one dark grey pixel far from the start makes it find them again.
TEST(FlattenImageTest, BlackPagesMatchThePlainPassWhateverTheirShape) {
    std::mt19937 random(12);
    const int sizes[][2] = {{1, 1}, {1, 2},  {2, 1},   {7, 1},   {1, 9},
                            {3, 3}, {2, 31}, {33, 47}, {50, 50}, {48, 20}};
    for (int kind = 0; kind < 4; ++kind) {
        for (const auto& size : sizes) {
            for (const bool oneGrey : {false, true}) {
                OracleImage image;
                image.height = size[0];
                image.width = size[1];
                image.pixels.assign(size_t(size[0] * size[1] * 3), 0);
                const auto colour = [&image](int y, int x) {
                    uint8_t* pixel = image.At(y, x);
                    pixel[0] = uint8_t(30 + 7 * y);
                    pixel[1] = uint8_t(200 - 3 * x);
                    pixel[2] = 99;
                };
                const int h = size[0], w = size[1];
                if (kind == 0) {
                    colour(0, 0);  // a corner
                } else if (kind == 1) {
                    colour(h - 1, w - 1);  // the other corner
                } else if (kind == 2) {
                    colour(h / 2, w / 2);  // the middle
                } else {
                    for (int y = 0; y < h; ++y) {
                        if (random() % 3 == 0) {
                            colour(y, 0);  // bits of the left edge
                        }
                    }
                }
                if (oneGrey) {
                    std::fill(image.At(h - 1, 0), image.At(h - 1, 0) + 3, uint8_t(6));
                }
                StripLog log;
                ASSERT_EQ(Flatten(image, plugInModeRGBColor, log).pixels,
                          OracleFlatten(image, false).pixels)
                    << "kind " << kind << " size " << h << "x" << w << (oneGrey ? " grey" : "");
            }
        }
    }
}

// Black pages of heights from `height` and widths from `width` (each a
// first value and a count), with one to three coloured specks, against the
// plain pass; specks lie on an edge half the time when `toEdges` says so.
void ExpectSpeckedBlackPagesMatch(uint32_t seed, int trials, const int (&height)[2],
                                  const int (&width)[2], bool toEdges) {
    std::mt19937 random(seed);
    // A coordinate below `size`, on either edge half the time when asked.
    const auto place = [&random, toEdges](int size) {
        if (toEdges && random() % 2 == 0) {
            return int(random() % 2) * (size - 1);
        }
        return int(random() % uint32_t(size));
    };
    for (int trial = 0; trial < trials; ++trial) {
        OracleImage image;
        image.height = height[0] + int(random() % uint32_t(height[1]));
        image.width = width[0] + int(random() % uint32_t(width[1]));
        image.pixels = std::vector<uint8_t>(size_t(image.height) * size_t(image.width) * 3, 0);
        const int specks = 1 + int(random() % 3);
        for (int k = 0; k < specks; ++k) {
            const int y = place(image.height);
            uint8_t* pixel = image.At(y, place(image.width));
            pixel[0] = uint8_t(40 + 60 * k);
            pixel[1] = 200;
        }
        StripLog log;
        ASSERT_EQ(Flatten(image, plugInModeRGBColor, log).pixels,
                  OracleFlatten(image, false).pixels)
            << "trial " << trial << " size " << image.height << "x" << image.width;
    }
}

// Black pages with a few coloured specks anywhere: where a search ends, how
// far its walk got decides where the next one starts, so the pixels show
// whether every skip past a walk's end gave the walk's own start radius.
TEST(FlattenImageTest, BlackPagesWithSpecksMatchThePlainPass) {
    ExpectSpeckedBlackPagesMatch(31, 24, {20, 70}, {20, 70}, false);
}

// Wide pages of one or two strips, specks often on an edge: walks that end
// without colour run on along the strip, and some later walk's outcome
// depends on exactly where they ended.
TEST(FlattenImageTest, WideBlackPagesWithSpecksAtTheEdgesMatchThePlainPass) {
    ExpectSpeckedBlackPagesMatch(882, 40, {30, 30}, {150, 150}, true);
}

}  // namespace
