#include "EmbeddedSource.h"

#include <cstdio>

namespace oxrc {

namespace {

constexpr size_t kBytesPerLine = 16;

std::string ByteRows(const std::vector<unsigned char>& bytes) {
    std::string rows;
    for (size_t i = 0; i < bytes.size(); ++i) {
        rows += i % kBytesPerLine == 0 ? "    " : " ";
        char hex[8];
        std::snprintf(hex, sizeof hex, "0x%02x,", bytes[i]);
        rows += hex;
        if (i % kBytesPerLine == kBytesPerLine - 1 || i + 1 == bytes.size()) {
            rows += '\n';
        }
    }
    return rows;
}

}  // namespace

std::string EmbeddedResourceSource(const std::vector<unsigned char>& blob,
                                   const std::string& scriptName) {
    std::string source;
    source += "// Resources compiled by oxrc from " + scriptName + "; do not edit.\n";
    source +=
        "extern \"C\" __attribute__((visibility(\"hidden\"), used, aligned(4), "
        "section(\"oxres\"))) const unsigned char oxEmbeddedResources[] = {\n";
    source += ByteRows(blob);
    source += "};\n";
    source +=
        "extern \"C\" __attribute__((visibility(\"hidden\"))) const unsigned long "
        "oxEmbeddedResourcesSize = sizeof(oxEmbeddedResources);\n";
    return source;
}

}  // namespace oxrc
