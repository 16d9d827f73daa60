#include "host/image/PamFile.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <utility>
#include <vector>

#include "host/HostError.h"
#include "host/image/AtomicFile.h"
#include "host/image/DocumentAllocation.h"

namespace oxhost {
namespace {

// Far beyond any real header; keeps a wrong file from being read as one.
constexpr size_t kMaxHeaderBytes = 4096;
constexpr int kMaxValue = 255;
// Counting stops here; the count only decides whether images are lost.
constexpr int kMaxCountedImages = 1000000;

struct FileCloser {
    void operator()(FILE* file) const { std::fclose(file); }
};
using FileHandle = std::unique_ptr<FILE, FileCloser>;

// What a tuple type means for the document and how many samples it has.
struct TupleKind {
    const char* name;
    ColorModel model;
    bool grey;
    bool hasAlpha;
    int depth;
};

constexpr TupleKind kTupleKinds[] = {
    {"RGB", ColorModel::RGB, false, false, 3},
    {"RGB_ALPHA", ColorModel::RGB, false, true, 4},
    {"CMYK", ColorModel::CMYK, false, false, 4},
    {"CMYK_ALPHA", ColorModel::CMYK, false, true, 5},
    {"GRAYSCALE", ColorModel::RGB, true, false, 1},
    {"GRAYSCALE_ALPHA", ColorModel::RGB, true, true, 2},
};

struct PamHeader {
    long width = -1;
    long height = -1;
    long depth = -1;
    long maxValue = -1;
    std::string tupleType;
};

[[noreturn]] void Damaged(const std::string& path, const std::string& problem) {
    throw HostError("'" + path + "': damaged PAM header (" + problem + ")");
}

[[noreturn]] void Unsupported(const std::string& path, const std::string& what) {
    throw HostError("'" + path + "': unsupported PAM: " + what);
}

// One header line without its line break; false at the end of the file.
bool ReadHeaderLine(FILE* file, std::string& line, size_t& headerBytes, const std::string& path) {
    line.clear();
    for (int c = std::fgetc(file); c != EOF; c = std::fgetc(file)) {
        if (++headerBytes > kMaxHeaderBytes) {
            Damaged(path, "no ENDHDR in the first " + std::to_string(kMaxHeaderBytes) + " bytes");
        }
        if (c == '\n') {
            return true;
        }
        line += char(c);
    }
    return !line.empty();
}

long PositiveNumber(const std::string& keyword, const std::string& value, const std::string& path) {
    char* end = nullptr;
    errno = 0;
    const long number = std::strtol(value.c_str(), &end, 10);
    if (value.empty() || *end != '\0' || errno != 0 || number <= 0) {
        Damaged(path, keyword + " is not a positive number: '" + value + "'");
    }
    return number;
}

void TakeHeaderLine(const std::string& line, PamHeader& header, const std::string& path) {
    const size_t start = line.find_first_not_of(" \t\r");
    if (start == std::string::npos || line[start] == '#') {
        return;  // blank lines and comments
    }
    const size_t keywordEnd = line.find_first_of(" \t\r", start);
    const std::string keyword = line.substr(start, keywordEnd - start);
    std::string value;
    if (keywordEnd != std::string::npos) {
        const size_t valueStart = line.find_first_not_of(" \t", keywordEnd);
        const size_t valueEnd = line.find_last_not_of(" \t\r");
        if (valueStart != std::string::npos && valueEnd >= valueStart) {
            value = line.substr(valueStart, valueEnd - valueStart + 1);
        }
    }
    if (keyword == "WIDTH") {
        header.width = PositiveNumber(keyword, value, path);
    } else if (keyword == "HEIGHT") {
        header.height = PositiveNumber(keyword, value, path);
    } else if (keyword == "DEPTH") {
        header.depth = PositiveNumber(keyword, value, path);
    } else if (keyword == "MAXVAL") {
        header.maxValue = PositiveNumber(keyword, value, path);
    } else if (keyword == "TUPLTYPE") {
        // Several TUPLTYPE lines make one type, joined by spaces.
        header.tupleType += (header.tupleType.empty() ? "" : " ") + value;
    } else {
        Damaged(path, "unknown header line '" + keyword + "'");
    }
}

// Reads the header from the file's position up to and with ENDHDR; sets
// `headerBytes` to the bytes it took.
PamHeader ReadHeader(FILE* file, const std::string& path, size_t& headerBytes) {
    char magic[3] = {};
    if (std::fread(magic, 1, 3, file) != 3 || std::memcmp(magic, "P7\n", 3) != 0) {
        throw HostError("'" + path + "': not a PAM file");
    }
    PamHeader header;
    headerBytes = 3;
    std::string line;
    for (;;) {
        if (!ReadHeaderLine(file, line, headerBytes, path)) {
            Damaged(path, "the file ends before ENDHDR");
        }
        if (line == "ENDHDR" || line == "ENDHDR\r") {
            break;
        }
        TakeHeaderLine(line, header, path);
    }
    const std::pair<long, const char*> required[] = {{header.width, "WIDTH"},
                                                     {header.height, "HEIGHT"},
                                                     {header.depth, "DEPTH"},
                                                     {header.maxValue, "MAXVAL"}};
    for (const auto& [value, name] : required) {
        if (value < 0) {
            Damaged(path, std::string("no ") + name);
        }
    }
    return header;
}

const TupleKind& KindOf(const PamHeader& header, const std::string& path) {
    if (header.maxValue != kMaxValue) {
        Unsupported(path, "MAXVAL " + std::to_string(header.maxValue) + " (only 255 is read)");
    }
    for (const TupleKind& kind : kTupleKinds) {
        if (header.tupleType == kind.name) {
            if (header.depth != kind.depth) {
                Damaged(path, "DEPTH " + std::to_string(header.depth) + " does not fit TUPLTYPE " +
                                  kind.name);
            }
            return kind;
        }
    }
    Unsupported(path, "TUPLTYPE '" + header.tupleType +
                          "' (RGB, RGB_ALPHA, CMYK, CMYK_ALPHA, GRAYSCALE or GRAYSCALE_ALPHA)");
}

// A file sample into the document's sample: ink amounts are inverted, grey
// is spread over red, green and blue.
void StoreRow(const uint8_t* samples, const TupleKind& kind, int width, uint8_t* target) {
    const int colorPlanes = kind.model == ColorModel::CMYK ? 4 : 3;
    const int targetPlanes = colorPlanes + (kind.hasAlpha ? 1 : 0);
    for (int column = 0; column < width; ++column, samples += kind.depth, target += targetPlanes) {
        if (kind.grey) {
            target[0] = target[1] = target[2] = samples[0];
        } else if (kind.model == ColorModel::CMYK) {
            for (int plane = 0; plane < 4; ++plane) {
                target[plane] = uint8_t(255 - samples[plane]);
            }
        } else {
            std::memcpy(target, samples, 3);
        }
        if (kind.hasAlpha) {
            target[colorPlanes] = samples[kind.depth - 1];
        }
    }
}

const char* TupleTypeOf(const Document& document) {
    if (document.model == ColorModel::CMYK) {
        return document.hasAlpha ? "CMYK_ALPHA" : "CMYK";
    }
    return document.hasAlpha ? "RGB_ALPHA" : "RGB";
}

// The samples follow the header uncompressed, so a regular file too short
// for them is damaged: refused before the document is allocated.
void CheckSamplesFit(FILE* file, const PamHeader& header, const std::string& path) {
    std::error_code error;
    const long dataStart = std::ftell(file);
    if (dataStart < 0 || !std::filesystem::is_regular_file(path, error)) {
        return;
    }
    const uint64_t fileBytes = std::filesystem::file_size(path, error);
    if (error) {
        return;
    }
    const uint64_t sampleBytes =
        uint64_t(header.width) * uint64_t(header.height) * uint64_t(header.depth);
    const uint64_t available =
        fileBytes > uint64_t(dataStart) ? fileBytes - uint64_t(dataStart) : 0;
    if (available < sampleBytes) {
        throw HostError("'" + path + "': damaged PAM file (" + std::to_string(available) +
                        " bytes of pixel data, " + std::to_string(sampleBytes) + " needed for " +
                        std::to_string(header.width) + " x " + std::to_string(header.height) + ")");
    }
}

// The bytes of an image's samples; 0 when the header's numbers are beyond
// any file (each side and the depth are kept under 2^20, so the product
// cannot overflow).
uint64_t SampleBytes(const PamHeader& header) {
    constexpr long kLargestFactor = 1L << 20;
    if (header.width > kLargestFactor || header.height > kLargestFactor ||
        header.depth > kLargestFactor || header.maxValue > 65535) {
        return 0;
    }
    const uint64_t bytesPerSample = header.maxValue > 255 ? 2 : 1;
    return uint64_t(header.width) * uint64_t(header.height) * uint64_t(header.depth) *
           bytesPerSample;
}

// fseek takes a long, 32-bit on Windows: large skips go in steps.
bool SkipBytes(FILE* file, uint64_t bytes) {
    constexpr uint64_t kStep = uint64_t(1) << 30;
    while (bytes > 0) {
        const uint64_t step = std::min(bytes, kStep);
        if (std::fseek(file, long(step), SEEK_CUR) != 0) {
            return false;
        }
        bytes -= step;
    }
    return true;
}

}  // namespace

Document ReadPamFile(const std::string& path, const ImageProgress& progress) {
    FileHandle file(std::fopen(path.c_str(), "rb"));
    if (!file) {
        throw HostError("cannot open '" + path + "': " + std::strerror(errno));
    }
    size_t headerBytes = 0;
    const PamHeader header = ReadHeader(file.get(), path, headerBytes);
    CheckDocumentSides(path, uint64_t(header.width), uint64_t(header.height));
    const TupleKind& kind = KindOf(header, path);
    CheckSamplesFit(file.get(), header, path);
    Document document = NewDocumentForFile(path, uint64_t(header.width), uint64_t(header.height),
                                           kind.model, kind.hasAlpha);
    std::vector<uint8_t> row(size_t(document.width) * size_t(kind.depth));
    for (int y = 0; y < document.height; ++y) {
        if (std::fread(row.data(), 1, row.size(), file.get()) != row.size()) {
            if (std::ferror(file.get())) {
                throw HostError("cannot read '" + path + "': " + std::strerror(errno));
            }
            throw HostError("'" + path + "': damaged PAM file (the pixel data ends early)");
        }
        StoreRow(row.data(), kind, document.width, document.Pixel(y, 0));
        ReportImageProgress(progress, y + 1, document.height);
    }
    return document;
}

int CountPamImages(const std::string& path) {
    std::error_code error;
    const uint64_t fileBytes = std::filesystem::file_size(path, error);
    FileHandle file(std::fopen(path.c_str(), "rb"));
    if (error || !file) {
        return 1;
    }
    int images = 0;
    uint64_t position = 0;
    while (position < fileBytes && images < kMaxCountedImages) {
        PamHeader header;
        size_t headerBytes = 0;
        try {
            header = ReadHeader(file.get(), path, headerBytes);
        } catch (const HostError&) {
            break;
        }
        position += headerBytes;
        const uint64_t sampleBytes = SampleBytes(header);
        if (sampleBytes == 0 || sampleBytes > fileBytes - position) {
            break;
        }
        ++images;
        position += sampleBytes;
        if (!SkipBytes(file.get(), sampleBytes)) {
            break;
        }
    }
    return std::max(images, 1);
}

void WritePamFile(const Document& document, const std::string& path,
                  const ImageProgress& progress) {
    CheckDocumentShape(document, path, "save");
    AtomicFile output(path);
    FILE* stream = output.Stream();
    const int planes = document.TotalPlanes();
    bool written = std::fprintf(stream,
                                "P7\nWIDTH %d\nHEIGHT %d\nDEPTH %d\nMAXVAL 255\n"
                                "TUPLTYPE %s\nENDHDR\n",
                                document.width, document.height, planes, TupleTypeOf(document)) > 0;
    std::vector<uint8_t> row(document.RowBytes());
    for (int y = 0; written && y < document.height; ++y) {
        std::memcpy(row.data(), document.Pixel(y, 0), row.size());
        if (document.model == ColorModel::CMYK) {
            for (size_t sample = 0; sample < row.size(); sample += size_t(planes)) {
                for (int plane = 0; plane < 4; ++plane) {
                    row[sample + plane] = uint8_t(255 - row[sample + plane]);
                }
            }
        }
        written = std::fwrite(row.data(), 1, row.size(), stream) == row.size();
        ReportImageProgress(progress, y + 1, document.height);
    }
    if (!written) {
        throw HostError("cannot write '" + path + "': " + std::strerror(errno));
    }
    output.Commit();
}

}  // namespace oxhost
