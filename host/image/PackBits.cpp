#include "host/image/PackBits.h"

namespace oxhost {
namespace {

constexpr size_t kLongestPiece = 128;

// Equal bytes starting at `start`, at most kLongestPiece.
size_t RunLength(const uint8_t* bytes, size_t start, size_t count) {
    size_t end = start + 1;
    while (end < count && end - start < kLongestPiece && bytes[end] == bytes[start]) {
        ++end;
    }
    return end - start;
}

void AppendLiteral(const uint8_t* bytes, size_t start, size_t length,
                   std::vector<uint8_t>& output) {
    if (length == 0) {
        return;
    }
    output.push_back(uint8_t(length - 1));
    output.insert(output.end(), bytes + start, bytes + start + length);
}

}  // namespace

size_t AppendPackBits(const uint8_t* bytes, size_t count, std::vector<uint8_t>& output) {
    const size_t sizeBefore = output.size();
    size_t literalStart = 0;
    size_t position = 0;
    while (position < count) {
        const size_t literalLength = position - literalStart;
        const size_t run = RunLength(bytes, position, count);
        // A run of two inside a literal costs nothing there, but ending the
        // literal for it would cost a header byte.
        if (run >= 3 || (run == 2 && literalLength == 0)) {
            AppendLiteral(bytes, literalStart, literalLength, output);
            output.push_back(uint8_t(257 - run));  // 1 - run as a signed byte
            output.push_back(bytes[position]);
            position += run;
            literalStart = position;
            continue;
        }
        ++position;
        if (position - literalStart == kLongestPiece) {
            AppendLiteral(bytes, literalStart, kLongestPiece, output);
            literalStart = position;
        }
    }
    AppendLiteral(bytes, literalStart, position - literalStart, output);
    return output.size() - sizeBefore;
}

}  // namespace oxhost
