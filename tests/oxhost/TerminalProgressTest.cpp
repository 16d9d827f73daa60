// The progress line: its text fits any terminal width, and the bar object
// draws one line that each stage takes over.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "host/run/TerminalProgress.h"

namespace {

using oxhost::ProgressLine;
using oxhost::TerminalProgress;

// Columns as a terminal counts them, at the most: a character outside ASCII
// may be two wide.
size_t MostColumns(const std::string& text) {
    size_t columns = 0;
    for (unsigned char byte : text) {
        columns += byte < 0x80 ? 1 : (byte & 0xC0) != 0x80 ? 2 : 0;
    }
    return columns;
}

TEST(TerminalProgressTest, TheLineFitsEveryWidthWithoutControlCharacters) {
    const std::vector<std::string> labels = {
        "Virarar", "Loading page.png",
        "Loading a-scan-with-a-very-long-name-from-the-flatbed-0001.tif",
        "Loading \xC3\xA9t\xC3\xA9-\xE6\xBC\xAB\xE7\x94\xBB-page.png", "Writing line\nbreak\r.png"};
    for (const std::string& label : labels) {
        for (int columns = 1; columns <= 120; ++columns) {
            for (int percent : {0, 7, 100}) {
                const std::string line = ProgressLine(label, percent, columns);
                EXPECT_LE(MostColumns(line), size_t(columns - 1))
                    << label << " in " << columns << " columns: '" << line << "'";
                for (unsigned char byte : line) {
                    ASSERT_GE(byte, 0x20) << label;
                }
                if (columns >= 6) {
                    EXPECT_NE(line.find(std::to_string(percent) + "%"), std::string::npos)
                        << label << " in " << columns << " columns: '" << line << "'";
                }
            }
        }
    }
}

TEST(TerminalProgressTest, WideTerminalsShowTheWholeLabelAndAFortyStepBar) {
    EXPECT_EQ(ProgressLine("Virarar", 50, 80),
              "Virarar [" + std::string(20, '#') + std::string(20, '.') + "]  50%");
    // Narrow: the bar shrinks to ten steps first, then the label is cut.
    EXPECT_EQ(ProgressLine("Loading page-0001.png", 100, 40),
              "Loading page-0001.png [##########] 100%");
    EXPECT_EQ(ProgressLine("Loading page-0001.png", 30, 30), "Loading ... [###.......]  30%");
}

int SixtyColumns() {
    return 60;
}

// What the bar wrote on its stream.
std::string Drawn(FILE* stream) {
    std::string text;
    std::rewind(stream);
    for (int c = std::fgetc(stream); c != EOF; c = std::fgetc(stream)) {
        text += char(c);
    }
    return text;
}

// Each stage redraws the same line from its start; a shorter label blanks
// what the longer one left, and only Finish ends the line.
TEST(TerminalProgressTest, StagesShareOneLineThatOnlyFinishEnds) {
    FILE* stream = std::tmpfile();
    ASSERT_NE(stream, nullptr);
    {
        TerminalProgress progress(stream, true, SixtyColumns);
        progress.Start("Loading long-name.png");
        progress.Report(1, 2);
        progress.Report(1, 2);  // no change, nothing drawn
        progress.Start("Virarar");
        progress.Report(4, 4);
        EXPECT_TRUE(progress.Drawn());
        progress.Finish();
        EXPECT_FALSE(progress.Drawn());
    }
    const std::string expected = "\rLoading long-name.png [" + std::string(30, '.') + "]   0%" +
                                 "\rLoading long-name.png [" + std::string(15, '#') +
                                 std::string(15, '.') + "]  50%" + "\rVirarar [" +
                                 std::string(40, '.') + "]   0%    " +  // 59 columns, as before
                                 "\rVirarar [" + std::string(40, '#') + "] 100%\n";
    EXPECT_EQ(Drawn(stream), expected);
    std::fclose(stream);
}

}  // namespace
