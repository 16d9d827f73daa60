#include "host/run/TerminalProgress.h"

#include <algorithm>

#include "host/run/InterruptWatch.h"

namespace oxhost {
namespace {

constexpr int kWidestBar = 40;
constexpr int kNarrowestBar = 10;
// " [", "] " and "100%" around the bar.
constexpr int kBarFrame = 8;
// A label cut shorter than this says nothing ("a..."), so the bar goes first.
constexpr int kShortestLabel = 4;

bool StartsCharacter(unsigned char byte) {
    return (byte & 0xC0) != 0x80;
}

int CharacterWidth(unsigned char leadByte) {
    return leadByte < 0x80 ? 1 : 2;
}

int DisplayWidth(const std::string& text) {
    int width = 0;
    for (unsigned char byte : text) {
        width += StartsCharacter(byte) ? CharacterWidth(byte) : 0;
    }
    return width;
}

// The label as it may be shown: control characters (a line break in a file
// name) would move the cursor, so they become '?'.
std::string Printable(const std::string& text) {
    std::string printable = text;
    for (char& letter : printable) {
        const unsigned char byte = static_cast<unsigned char>(letter);
        if (byte < 0x20 || byte == 0x7F) {
            letter = '?';
        }
    }
    return printable;
}

// `text` in at most `width` columns (width >= 3): whole characters, then
// "..." when some had to go.
std::string CutToWidth(const std::string& text, int width) {
    if (DisplayWidth(text) <= width) {
        return text;
    }
    size_t end = 0;
    int used = 0;
    while (end < text.size()) {
        size_t next = end + 1;
        while (next < text.size() && !StartsCharacter(static_cast<unsigned char>(text[next]))) {
            ++next;
        }
        const int characterWidth = CharacterWidth(static_cast<unsigned char>(text[end]));
        if (used + characterWidth > width - 3) {
            break;
        }
        used += characterWidth;
        end = next;
    }
    return text.substr(0, end) + "...";
}

}  // namespace

std::string ProgressLine(const std::string& label, int percent, int columns) {
    const int room = std::max(columns - 1, 0);
    char percentText[16];
    std::snprintf(percentText, sizeof percentText, "%3d%%", std::clamp(percent, 0, 100));
    const std::string shown = Printable(label);
    int barWidth = std::min(kWidestBar, room - kBarFrame - DisplayWidth(shown));
    if (barWidth < kNarrowestBar) {
        barWidth = std::min(kNarrowestBar, room - kBarFrame - kShortestLabel);
    }
    if (barWidth < kNarrowestBar) {
        // No room for a bar: the label and the figure alone, or the figure.
        const int labelRoom = room - 5;
        if (labelRoom < kShortestLabel) {
            return std::string(percentText).substr(0, size_t(room));
        }
        return CutToWidth(shown, labelRoom) + " " + percentText;
    }
    const int filled = std::clamp(percent, 0, 100) * barWidth / 100;
    return CutToWidth(shown, room - kBarFrame - barWidth) + " [" +
           std::string(size_t(filled), '#') + std::string(size_t(barWidth - filled), '.') + "] " +
           percentText;
}

TerminalProgress::TerminalProgress(const std::string& label, bool quiet)
    : TerminalProgress(stderr, !quiet && ErrorStreamIsTerminal(), ErrorStreamColumns) {
    this->label = label;
}

TerminalProgress::TerminalProgress(FILE* stream, bool visible, int (*columns)())
    : stream(stream), visible(visible), columns(columns) {}

TerminalProgress::~TerminalProgress() {
    Finish();
}

void TerminalProgress::Start(const std::string& stageLabel) {
    label = stageLabel;
    lastPercent = -1;
    if (visible) {
        Draw(0);
        lastPercent = 0;
    }
}

void TerminalProgress::Finish() {
    if (drawn) {
        std::fputc('\n', stream);
        std::fflush(stream);
        drawn = false;
        lastPercent = -1;
        drawnWidth = 0;
    }
}

bool TerminalProgress::AbortRequested() {
    return InterruptWatch::Interrupted();
}

void TerminalProgress::Report(int32_t done, int32_t total) {
    if (!visible || total <= 0) {
        return;
    }
    const int32_t clamped = done < 0 ? 0 : done > total ? total : done;
    const int percent = int(100LL * clamped / total);
    if (percent != lastPercent) {
        Draw(percent);
        lastPercent = percent;
    }
}

void TerminalProgress::Draw(int percent) {
    const int width = columns();
    const std::string line = ProgressLine(label, percent, width);
    const size_t lineWidth = size_t(DisplayWidth(line));
    // Blanks over the rest of a longer line drawn before, within the room
    // the terminal has now.
    const size_t room = size_t(std::max(width - 1, 0));
    const size_t blanks =
        std::min(drawnWidth, room) > lineWidth ? std::min(drawnWidth, room) - lineWidth : 0;
    std::fprintf(stream, "\r%s%s", line.c_str(), std::string(blanks, ' ').c_str());
    std::fflush(stream);
    drawn = true;
    drawnWidth = lineWidth;
}

}  // namespace oxhost
