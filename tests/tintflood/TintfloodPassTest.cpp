// Whole passes through the host library against the plain pass of
// PassOracle.h: random pages and settings (tolerance, colour to replace,
// flagging and joining, any flag colour), every buffer layout, documents
// with and without transparency.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <random>

#include "PassOracle.h"
#include "ResultCodes.h"
#include "TintfloodTestHost.h"

namespace {

using oxhost::Document;

class TintfloodPassTest : public ::testing::Test {
protected:
    void TearDown() override { tintfloodtest::RemoveSwatchFile("pass.aco"); }
};

bool TooDark(const Rgb& colour) {
    return colour[0] <= 90 && colour[1] <= 90 && colour[2] <= 90;
}

bool Within(const Rgb& colour, const Rgb& centre, int tolerance) {
    for (int k = 0; k < 3; ++k) {
        if (std::abs(colour[k] - centre[k]) > tolerance) {
            return false;
        }
    }
    return true;
}

Rgb RandomColour(std::mt19937& random, int lowest) {
    Rgb colour;
    for (uint8_t& channel : colour) {
        channel = uint8_t(lowest + int(random() % uint32_t(256 - lowest)));
    }
    return colour;
}

PassSettings RandomSettings(std::mt19937& random) {
    PassSettings settings;
    if (random() % 2 == 0) {
        settings.fillColor = RandomColour(random, 150);
    }
    const uint16_t tolerances[] = {0, 0, 2, 10, 40};
    settings.tolerance = tolerances[random() % 5];
    // The first colour is usable; the others may be in range or too dark.
    do {
        settings.palette.assign(1, RandomColour(random, 0));
    } while (Within(settings.palette[0], settings.fillColor, settings.tolerance) ||
             TooDark(settings.palette[0]));
    for (int i = 0; i < 4; ++i) {
        const uint32_t kind = random() % 4;
        settings.palette.push_back(kind == 0   ? settings.fillColor
                                   : kind == 1 ? Rgb{{40, 40, 40}}
                                               : RandomColour(random, 0));
    }
    const Rgb flags[] = {{{255, 0, 255}},
                         {{0, 0, 0}},
                         settings.fillColor,
                         settings.palette[0],
                         RandomColour(random, 0)};
    settings.flagColor = flags[random() % 5];
    settings.flagAreas = random() % 2 == 0;
    settings.flagSize = 1 + random() % 30;
    settings.joinAreas = random() % 2 == 0;
    settings.joinSize = 1 + random() % 20;
    settings.measureArea = random() % 2 == 0;
    return settings;
}

// Cells of the colour to replace (within the tolerance, a few pixels just
// beyond it) between black lines, with specks of the palette's and the flag's
// colours and of greys.
std::vector<Rgb> RandomPage(std::mt19937& random, int height, int width,
                            const PassSettings& settings) {
    const auto lines = [&random](int length) {
        std::vector<bool> line(size_t(length), false);
        for (int at = int(random() % 4); at < length; at += 2 + int(random() % 24)) {
            for (int end = at + 1 + int(random() % 3); at < std::min(end, length); ++at) {
                line[size_t(at)] = true;
            }
        }
        return line;
    };
    const std::vector<bool> rows = lines(height);
    const std::vector<bool> columns = lines(width);
    std::vector<Rgb> pixels(size_t(height) * size_t(width));
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            Rgb& pixel = pixels[size_t(y) * size_t(width) + size_t(x)];
            const uint32_t odd = random() % 100;
            if ((rows[size_t(y)] || columns[size_t(x)]) && odd > 2) {
                pixel = Rgb{{0, 0, 0}};
            } else if (odd < 2) {
                pixel = settings.palette[random() % settings.palette.size()];
            } else if (odd < 4) {
                pixel = settings.flagColor;
            } else if (odd < 6) {
                const uint8_t grey = odd == 4 ? 150 : 60;
                pixel = Rgb{{grey, grey, grey}};
            } else {
                const int reach = settings.tolerance + (odd < 10 ? 3 : 0);
                for (int k = 0; k < 3; ++k) {
                    const int offset = int(random() % uint32_t(2 * reach + 1)) - reach;
                    pixel[k] = uint8_t(std::clamp(settings.fillColor[k] + offset, 0, 255));
                }
            }
        }
    }
    return pixels;
}

TintfloodSettings EngineSettings(const PassSettings& pass) {
    WritePassPalette("pass.aco", pass.palette);
    return EngineSettings(pass, "pass.aco");
}

Document DocumentOf(const std::vector<Rgb>& pixels, int height, int width, bool alpha) {
    Document document;
    document.height = height;
    document.width = width;
    document.hasAlpha = alpha;
    for (size_t i = 0; i < pixels.size(); ++i) {
        document.pixels.insert(document.pixels.end(), pixels[i].begin(), pixels[i].end());
        if (alpha) {
            document.pixels.push_back(uint8_t(i * 37));
        }
    }
    return document;
}

TEST_F(TintfloodPassTest, EveryPassPaintsWhatThePlainPassPaints) {
    std::mt19937 random(31);
    const char* layouts[] = {"interleaved", "planar", "padded", "zero-steps"};
    for (int trial = 0; trial < 120; ++trial) {
        const int height = 1 + int(random() % 60);
        const int width = 1 + int(random() % 80);
        const PassSettings pass = RandomSettings(random);
        const std::vector<Rgb> page = RandomPage(random, height, width, pass);
        const bool alpha = trial % 5 == 4;
        const char* layout = layouts[trial % 4];

        const Document expected =
            DocumentOf(PassOracle(height, width, page).Run(pass), height, width, alpha);
        Document document = DocumentOf(page, height, width, alpha);
        const auto outcome = tintfloodtest::RunTintflood(
            document, EngineSettings(pass), -1, [layout](oxhost::RunOptions& options) {
                ASSERT_TRUE(oxhost::BufferLayout::FromName(layout, options.layout));
            });
        ASSERT_EQ(outcome.result.result, noErr) << "trial " << trial;
        ASSERT_EQ(document.pixels, expected.pixels)
            << "trial " << trial << ", " << height << " x " << width << ", " << layout
            << (alpha ? ", with alpha" : "") << ", tolerance " << pass.tolerance << ", flag "
            << pass.flagAreas << "/" << pass.flagSize << ", join " << pass.joinAreas << "/"
            << pass.joinSize << (pass.measureArea ? " by area" : " by size");
    }
}

// A speck far from the only pixel that can give it a colour: the joining
// walk gives up early and asks where the nearest source lies, which must be
// found wherever the source sits in its block of 8 x 8, at the right edge too.
TEST_F(TintfloodPassTest, AFarSpeckFindsALoneSourceAnywhere) {
    const int height = 100;
    const int width = 72;
    const int speck = 50 * width + 36;
    PassSettings pass;
    pass.palette = {{{250, 200, 200}}};
    pass.joinAreas = true;
    for (int column = 0; column < width; ++column) {
        std::vector<Rgb> page(size_t(height * width), Rgb{{0, 0, 0}});
        const int row = 40 + column % 8;
        page[size_t(row * width + column)] = Rgb{{150, 150, 150}};
        page[size_t(speck)] = pass.fillColor;
        const std::vector<Rgb> joined = PassOracle(height, width, page).Run(pass);
        ASSERT_EQ(joined[size_t(speck)], page[size_t(row * width + column)]);
        const Document expected = DocumentOf(joined, height, width, false);
        Document document = DocumentOf(page, height, width, false);
        ASSERT_EQ(tintfloodtest::RunTintflood(document, EngineSettings(pass)).result.result, noErr);
        ASSERT_EQ(document.pixels, expected.pixels) << "source at " << row << "," << column;
    }
}

}  // namespace
