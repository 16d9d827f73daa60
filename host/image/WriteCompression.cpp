#include "host/image/WriteCompression.h"

#include <atomic>

namespace oxhost {
namespace {

std::atomic<WriteCompression> currentCompression{WriteCompression::Fast};

}  // namespace

void SetWriteCompression(WriteCompression compression) {
    currentCompression = compression;
}

WriteCompression CurrentWriteCompression() {
    return currentCompression;
}

bool ParseWriteCompression(const std::string& name, WriteCompression& compression) {
    if (name == "fast") {
        compression = WriteCompression::Fast;
    } else if (name == "balanced") {
        compression = WriteCompression::Balanced;
    } else if (name == "small") {
        compression = WriteCompression::Small;
    } else {
        return false;
    }
    return true;
}

int DeflateLevel(WriteCompression compression) {
    switch (compression) {
        case WriteCompression::Fast:
            return 1;
        case WriteCompression::Balanced:
            return 6;
        case WriteCompression::Small:
            return 9;
    }
    return 6;
}

}  // namespace oxhost
