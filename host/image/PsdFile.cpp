// The file is written in the order of the format: header, empty colour mode
// data and image resources, the layer records and their channel data, then the
// merged image. Each channel is packed in memory first, because the records
// ahead of it hold its length; flat colour art packs to a few percent of its
// size, and no plane grows by more than one byte in 128.
#include "host/image/PsdFile.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "host/HostError.h"
#include "host/image/AtomicFile.h"
#include "host/image/PackBits.h"

namespace oxhost {
namespace {

constexpr uint16_t kPackBitsCompression = 1;
constexpr uint16_t kRgbColorMode = 3;
constexpr size_t kMaxPascalNameBytes = 255;
// The layer count is a signed 16-bit field.
constexpr size_t kMaxLayers = 32767;

using Bytes = std::vector<uint8_t>;

void Put16(Bytes& output, uint16_t value) {
    output.push_back(uint8_t(value >> 8));
    output.push_back(uint8_t(value));
}

void Put32(Bytes& output, uint32_t value) {
    Put16(output, uint16_t(value >> 16));
    Put16(output, uint16_t(value));
}

void PutKey(Bytes& output, const char* key) {
    output.insert(output.end(), key, key + 4);
}

// One plane of a document packed row by row: the rows' packed lengths, as the
// 16-bit big-endian counts the classic format stores, and the packed rows.
struct PackedPlane {
    Bytes rowLengths;
    Bytes rows;
};

PackedPlane PackPlane(const Document& document, int plane) {
    PackedPlane packed;
    Bytes samples(size_t(document.width));
    const int planes = document.TotalPlanes();
    for (int y = 0; y < document.height; ++y) {
        const uint8_t* pixel = document.Pixel(y, 0) + plane;
        for (size_t x = 0; x < samples.size(); ++x, pixel += planes) {
            samples[x] = *pixel;
        }
        // Under 65536: a row is at most kMaxPsdSide bytes before packing.
        Put16(packed.rowLengths,
              uint16_t(AppendPackBits(samples.data(), samples.size(), packed.rows)));
    }
    return packed;
}

// A layer channel as the file stores it: an ID (0, 1, 2 for red, green, blue,
// -1 for transparency), then the compression code, row lengths and rows.
struct LayerChannel {
    int16_t id;
    PackedPlane packed;

    uint32_t StoredBytes() const {
        return uint32_t(2 + packed.rowLengths.size() + packed.rows.size());
    }
};

std::vector<LayerChannel> PackLayer(const Document& pixels) {
    std::vector<LayerChannel> channels;
    // Transparency first, as Photoshop itself orders them.
    if (pixels.hasAlpha) {
        channels.push_back({-1, PackPlane(pixels, 3)});
    }
    for (int plane = 0; plane < 3; ++plane) {
        channels.push_back({int16_t(plane), PackPlane(pixels, plane)});
    }
    return channels;
}

// How many continuation bytes follow a UTF-8 lead byte, or -1 when the byte
// cannot start a character.
int ContinuationBytes(uint8_t lead) {
    if (lead < 0x80) {
        return 0;
    }
    if (lead >= 0xC2 && lead < 0xE0) {
        return 1;
    }
    if (lead >= 0xE0 && lead < 0xF0) {
        return 2;
    }
    if (lead >= 0xF0 && lead < 0xF5) {
        return 3;
    }
    return -1;
}

// UTF-16 code units of a UTF-8 string; a byte that starts no valid character
// becomes U+FFFD.
std::vector<uint16_t> Utf16FromUtf8(const std::string& text) {
    constexpr uint32_t kSmallestCode[] = {0, 0x80, 0x800, 0x10000};  // shorter forms are invalid
    std::vector<uint16_t> units;
    size_t index = 0;
    while (index < text.size()) {
        const uint8_t lead = uint8_t(text[index]);
        const int extra = ContinuationBytes(lead);
        bool valid = extra >= 0 && index + size_t(extra) < text.size();
        uint32_t code = extra <= 0 ? lead : lead & (0x3Fu >> extra);  // the lead's payload bits
        for (int step = 1; valid && step <= extra; ++step) {
            const uint8_t next = uint8_t(text[index + size_t(step)]);
            valid = (next & 0xC0) == 0x80;
            code = (code << 6) | (next & 0x3Fu);
        }
        valid = valid && code >= kSmallestCode[extra] && code <= 0x10FFFF &&
                !(code >= 0xD800 && code < 0xE000);
        if (!valid) {
            units.push_back(0xFFFD);
            ++index;
        } else if (code >= 0x10000) {
            units.push_back(uint16_t(0xD800 + ((code - 0x10000) >> 10)));
            units.push_back(uint16_t(0xDC00 + ((code - 0x10000) & 0x3FF)));
            index += size_t(extra) + 1;
        } else {
            units.push_back(uint16_t(code));
            index += size_t(extra) + 1;
        }
    }
    return units;
}

// The name as the Pascal string of the record: its UTF-8 bytes, cut to 255
// without splitting a character. Readers that know the Unicode name take that
// instead; the others mostly read these bytes as UTF-8.
Bytes PascalName(const std::string& name) {
    size_t length = name.size();
    if (length > kMaxPascalNameBytes) {
        length = kMaxPascalNameBytes;
        while (length > 0 && (uint8_t(name[length]) & 0xC0) == 0x80) {
            --length;
        }
    }
    Bytes pascal;
    pascal.push_back(uint8_t(length));
    pascal.insert(pascal.end(), name.begin(), name.begin() + std::ptrdiff_t(length));
    pascal.resize((pascal.size() + 3) / 4 * 4, 0);  // the format pads it to 4 bytes
    return pascal;
}

// The 'luni' block of additional layer information: the whole name in UTF-16,
// so that names longer than 255 bytes or outside ASCII survive.
Bytes UnicodeNameBlock(const std::string& name) {
    const std::vector<uint16_t> units = Utf16FromUtf8(name);
    Bytes data;
    Put32(data, uint32_t(units.size()));
    for (uint16_t unit : units) {
        Put16(data, unit);
    }
    data.resize((data.size() + 3) / 4 * 4, 0);
    Bytes block;
    PutKey(block, "8BIM");
    PutKey(block, "luni");
    Put32(block, uint32_t(data.size()));
    block.insert(block.end(), data.begin(), data.end());
    return block;
}

Bytes LayerRecord(const PsdLayer& layer, int width, int height,
                  const std::vector<LayerChannel>& channels) {
    Bytes record;
    Put32(record, 0);  // top, left, bottom, right: the whole canvas
    Put32(record, 0);
    Put32(record, uint32_t(height));
    Put32(record, uint32_t(width));
    Put16(record, uint16_t(channels.size()));
    for (const LayerChannel& channel : channels) {
        Put16(record, uint16_t(channel.id));
        Put32(record, channel.StoredBytes());
    }
    PutKey(record, "8BIM");
    PutKey(record, layer.blendMode.c_str());
    record.push_back(layer.opacity);
    record.push_back(0);  // clipping: base
    record.push_back(0);  // flags: visible, transparency not locked
    record.push_back(0);  // filler
    const Bytes name = PascalName(layer.name);
    const Bytes unicodeName = UnicodeNameBlock(layer.name);
    Put32(record, uint32_t(4 + 4 + name.size() + unicodeName.size()));
    Put32(record, 0);  // no layer mask
    Put32(record, 0);  // no blending ranges
    record.insert(record.end(), name.begin(), name.end());
    record.insert(record.end(), unicodeName.begin(), unicodeName.end());
    return record;
}

[[noreturn]] void Refuse(const std::string& path, const std::string& problem) {
    throw HostError("cannot write '" + path + "' as PSD: " + problem);
}

void CheckDocument(const std::string& path, const Document& document, const std::string& role,
                   int width, int height) {
    if (document.width != width || document.height != height) {
        Refuse(path, role + " is " + std::to_string(document.width) + " x " +
                         std::to_string(document.height) + ", not " + std::to_string(width) +
                         " x " + std::to_string(height));
    }
    if (document.model != ColorModel::RGB) {
        Refuse(path, role + " is not RGB");
    }
    if (document.pixels.size() != document.RowBytes() * size_t(document.height)) {
        Refuse(path, role + " holds " + std::to_string(document.pixels.size()) +
                         " bytes, not the size of its pixels");
    }
}

void CheckInputs(const std::string& path, int width, int height,
                 const std::vector<PsdLayer>& layers, const Document& composite) {
    if (width < 1 || height < 1 || width > kMaxPsdSide || height > kMaxPsdSide) {
        Refuse(path, std::to_string(width) + " x " + std::to_string(height) +
                         " pixels (each side must be 1 to " + std::to_string(kMaxPsdSide) + ")");
    }
    if (layers.size() > kMaxLayers) {
        Refuse(path, std::to_string(layers.size()) + " layers (at most " +
                         std::to_string(kMaxLayers) + ")");
    }
    for (const PsdLayer& layer : layers) {
        const std::string role = "layer '" + layer.name + "'";
        if (layer.pixels == nullptr) {
            Refuse(path, role + " has no pixels");
        }
        CheckDocument(path, *layer.pixels, role, width, height);
        if (layer.blendMode.size() != 4) {
            Refuse(path, role + " has blend mode '" + layer.blendMode +
                             "' (a key of 4 characters such as 'norm' or 'mul ')");
        }
    }
    CheckDocument(path, composite, "the merged image", width, height);
    if (composite.hasAlpha) {
        Refuse(path, "the merged image has alpha (it must be opaque RGB)");
    }
}

// Writes to the temporary file; any failure throws naming the target.
class PsdStream {
public:
    explicit PsdStream(AtomicFile& file) : file_(file) {}

    void Write(const Bytes& bytes) {
        if (!bytes.empty() &&
            std::fwrite(bytes.data(), 1, bytes.size(), file_.Stream()) != bytes.size()) {
            throw HostError("cannot write '" + file_.TargetPath() + "': " + std::strerror(errno));
        }
    }
    const std::string& TargetPath() const { return file_.TargetPath(); }
    void Write32(uint32_t value) {
        Bytes bytes;
        Put32(bytes, value);
        Write(bytes);
    }

private:
    AtomicFile& file_;
};

Bytes FileHeader(int width, int height) {
    Bytes header;
    PutKey(header, "8BPS");
    Put16(header, 1);  // version: classic PSD
    header.resize(header.size() + 6, 0);
    Put16(header, 3);  // channels of the merged image
    Put32(header, uint32_t(height));
    Put32(header, uint32_t(width));
    Put16(header, 8);  // bits per channel
    Put16(header, kRgbColorMode);
    Put32(header, 0);  // no colour mode data
    Put32(header, 0);  // no image resources
    return header;
}

void WriteLayers(PsdStream& stream, int width, int height, const std::vector<PsdLayer>& layers) {
    std::vector<std::vector<LayerChannel>> channels;
    Bytes records;
    for (const PsdLayer& layer : layers) {
        channels.push_back(PackLayer(*layer.pixels));
        const Bytes record = LayerRecord(layer, width, height, channels.back());
        records.insert(records.end(), record.begin(), record.end());
    }
    uint64_t layerInfoBytes = 0;
    if (!layers.empty()) {
        layerInfoBytes = 2 + records.size();
        for (const auto& layerChannels : channels) {
            for (const LayerChannel& channel : layerChannels) {
                layerInfoBytes += channel.StoredBytes();
            }
        }
    }
    const bool padded = layerInfoBytes % 2 != 0;  // the format keeps the length even
    layerInfoBytes += padded ? 1 : 0;
    if (layerInfoBytes + 8 > UINT32_MAX) {
        throw HostError("cannot write '" + stream.TargetPath() +
                        "' as PSD: its layers take more than 4 GB once packed");
    }
    stream.Write32(uint32_t(layerInfoBytes + 8));  // layer info and global mask lengths
    stream.Write32(uint32_t(layerInfoBytes));
    if (!layers.empty()) {
        Bytes count;
        Put16(count, uint16_t(layers.size()));
        stream.Write(count);
        stream.Write(records);
    }
    Bytes compression;
    Put16(compression, kPackBitsCompression);
    for (const auto& layerChannels : channels) {
        for (const LayerChannel& channel : layerChannels) {
            stream.Write(compression);
            stream.Write(channel.packed.rowLengths);
            stream.Write(channel.packed.rows);
        }
    }
    if (padded) {
        stream.Write(Bytes(1, 0));
    }
    stream.Write32(0);  // no global layer mask
}

// The merged image: one compression code, the row lengths of all three
// planes, then their rows.
void WriteMergedImage(PsdStream& stream, const Document& composite) {
    std::vector<PackedPlane> planes;
    for (int plane = 0; plane < 3; ++plane) {
        planes.push_back(PackPlane(composite, plane));
    }
    Bytes compression;
    Put16(compression, kPackBitsCompression);
    stream.Write(compression);
    for (const PackedPlane& plane : planes) {
        stream.Write(plane.rowLengths);
    }
    for (const PackedPlane& plane : planes) {
        stream.Write(plane.rows);
    }
}

}  // namespace

void SavePsdFile(const std::string& path, int width, int height,
                 const std::vector<PsdLayer>& layers, const Document& composite) {
    CheckInputs(path, width, height, layers, composite);
    AtomicFile file(path);
    PsdStream stream(file);
    stream.Write(FileHeader(width, height));
    WriteLayers(stream, width, height, layers);
    WriteMergedImage(stream, composite);
    file.Commit();
}

}  // namespace oxhost
