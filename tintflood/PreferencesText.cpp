#include "PreferencesText.h"

#include <cstdint>
#include <cstring>

namespace {

constexpr char kLineEnd[] = "\r\n";
constexpr size_t kMaxPaletteNameLength = kPaletteFileSize - 1;

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

void AppendNumber(std::string& out, uint32_t value) {
    out += std::to_string(value);
    out += ' ';
}

void AppendFlag(std::string& out, uint8_t flag) {
    out += flag != 0 ? '\x01' : '\x00';
    out += ' ';
}

// Reads the fields of the file front to back; every Read* call either
// stores a value or reports that the reading has to stop.
class FieldReader {
public:
    explicit FieldReader(const std::string& bytes) : bytes_(bytes) {}

    bool ReadNumber(uint32_t maximum, uint32_t& value) {
        SkipBlanks();
        uint64_t number = 0;
        size_t digits = 0;
        while (pos_ < bytes_.size() && bytes_[pos_] >= '0' && bytes_[pos_] <= '9') {
            number = number * 10 + uint64_t(bytes_[pos_] - '0');
            if (number > maximum) {
                return false;
            }
            ++pos_;
            ++digits;
        }
        if (digits == 0) {
            return false;
        }
        value = uint32_t(number);
        return true;
    }

    bool ReadUint16(uint16_t& field) {
        uint32_t value = 0;
        if (!ReadNumber(UINT16_MAX, value)) {
            return false;
        }
        field = uint16_t(value);
        return true;
    }

    bool ReadUint32(uint32_t& field) { return ReadNumber(UINT32_MAX, field); }

    bool ReadFlag(uint8_t& field) {
        SkipBlanks();
        if (pos_ >= bytes_.size()) {
            return false;
        }
        field = uint8_t(bytes_[pos_++]);
        return true;
    }

    bool ReadColor(RGBColor16& color) {
        return ReadUint16(color.red) && ReadUint16(color.green) && ReadUint16(color.blue);
    }

    // The second line: one line end is skipped first (CR LF or a bare LF
    // counts as one), then up to `maximum` bytes before the next line end.
    std::string ReadLastLine(size_t maximum) {
        SkipOneLineEnd();
        const size_t start = pos_;
        while (pos_ < bytes_.size() && pos_ - start < maximum && !AtLineEnd()) {
            ++pos_;
        }
        return bytes_.substr(start, pos_ - start);
    }

private:
    bool AtLineEnd() const {
        return bytes_[pos_] == '\n' ||
               (bytes_[pos_] == '\r' && pos_ + 1 < bytes_.size() && bytes_[pos_ + 1] == '\n');
    }

    void SkipOneLineEnd() {
        if (pos_ < bytes_.size() && AtLineEnd() && bytes_[pos_] == '\r') {
            ++pos_;
        }
        if (pos_ < bytes_.size()) {
            ++pos_;
        }
    }

    void SkipBlanks() {
        while (pos_ < bytes_.size() && IsBlank(bytes_[pos_])) {
            ++pos_;
        }
    }

    const std::string& bytes_;
    size_t pos_ = 0;
};

// Fields 1 to 16; false when the reading stopped early.
bool ReadFirstLine(FieldReader& reader, TintfloodSettings& settings) {
    uint32_t signature = 0;
    if (!reader.ReadUint32(signature)) {
        return false;
    }
    settings.signature = signature;
    uint16_t version = 0;
    if (!reader.ReadUint16(version)) {
        return false;
    }
    settings.version = int16_t(version);
    return reader.ReadColor(settings.fillColor) && reader.ReadUint16(settings.tolerance) &&
           reader.ReadFlag(settings.reservedFlag) && reader.ReadFlag(settings.randomColors) &&
           reader.ReadFlag(settings.measureArea) && reader.ReadFlag(settings.flagAreas) &&
           reader.ReadColor(settings.flagColor) && reader.ReadUint32(settings.flagSize) &&
           reader.ReadFlag(settings.joinAreas) && reader.ReadUint32(settings.joinSize);
}

}  // namespace

std::string FormatPreferences(const TintfloodSettings& settings) {
    std::string out;
    AppendNumber(out, settings.signature);
    AppendNumber(out, uint16_t(settings.version));
    AppendNumber(out, settings.fillColor.red);
    AppendNumber(out, settings.fillColor.green);
    AppendNumber(out, settings.fillColor.blue);
    AppendNumber(out, settings.tolerance);
    AppendFlag(out, settings.reservedFlag);
    AppendFlag(out, settings.randomColors);
    AppendFlag(out, settings.measureArea);
    AppendFlag(out, settings.flagAreas);
    AppendNumber(out, settings.flagColor.red);
    AppendNumber(out, settings.flagColor.green);
    AppendNumber(out, settings.flagColor.blue);
    AppendNumber(out, settings.flagSize);
    AppendFlag(out, settings.joinAreas);
    out += std::to_string(settings.joinSize);
    out += kLineEnd;
    out.append(settings.paletteFile, strnlen(settings.paletteFile, kMaxPaletteNameLength));
    out += kLineEnd;
    return out;
}

void ParsePreferences(const std::string& bytes, TintfloodSettings& settings) {
    FieldReader reader(bytes);
    if (ReadFirstLine(reader, settings)) {
        const std::string name = reader.ReadLastLine(kMaxPaletteNameLength);
        std::memset(settings.paletteFile, 0, sizeof(settings.paletteFile));
        std::memcpy(settings.paletteFile, name.data(), name.size());
    }
    if (!settings.IsValid()) {
        settings.SetDefaults();
    }
}
