#include "host/scripting/DescriptorJson.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

#include "host/scripting/DescriptorStorage.h"

namespace oxhost {
namespace {

using json = nlohmann::ordered_json;

struct KindName {
    DescriptorKind kind;
    const char* name;
};

constexpr KindName kKindNames[] = {
    {DescriptorKind::Integer, "integer"},
    {DescriptorKind::Float, "float"},
    {DescriptorKind::UnitFloat, "unitFloat"},
    {DescriptorKind::Boolean, "boolean"},
    {DescriptorKind::Text, "text"},
    {DescriptorKind::Alias, "alias"},
    {DescriptorKind::Enumerated, "enumerated"},
    {DescriptorKind::Class, "class"},
    {DescriptorKind::Object, "object"},
    {DescriptorKind::Reference, "reference"},
};

const char* KindName(DescriptorKind kind) {
    for (const auto& known : kKindNames) {
        if (known.kind == kind) {
            return known.name;
        }
    }
    return "";
}

std::string HexOf(const std::string& bytes) {
    static const char digits[] = "0123456789abcdef";
    std::string text;
    for (unsigned char byte : bytes) {
        text += digits[byte >> 4];
        text += digits[byte & 15];
    }
    return text;
}

bool IsUtf8(const std::string& bytes) {
    try {
        (void)json(bytes).dump();
        return true;
    } catch (const json::type_error&) {
        return false;
    }
}

json NumberJson(double value) {
    if (!std::isfinite(value)) {
        throw DescriptorJsonError("the number " + std::to_string(value) +
                                  " cannot be written as JSON");
    }
    return value;
}

json EntryToJson(const DescriptorEntry& entry) {
    json out = {{"key", CodeText(entry.key)}, {"type", KindName(entry.kind)}};
    switch (entry.kind) {
        case DescriptorKind::Integer:
            out["value"] = entry.integer;
            break;
        case DescriptorKind::Float:
            out["value"] = NumberJson(entry.number);
            break;
        case DescriptorKind::UnitFloat:
            out["unit"] = CodeText(entry.code);
            out["value"] = NumberJson(entry.number);
            break;
        case DescriptorKind::Boolean:
            out["value"] = entry.integer != 0;
            break;
        case DescriptorKind::Text:
            if (IsUtf8(entry.bytes)) {
                out["value"] = entry.bytes;
            } else {
                out["hex"] = HexOf(entry.bytes);
            }
            break;
        case DescriptorKind::Alias:
            out["hex"] = HexOf(entry.bytes);
            break;
        case DescriptorKind::Enumerated:
            out["enumType"] = CodeText(entry.code);
            out["value"] = CodeText(entry.enumValue);
            break;
        case DescriptorKind::Class:
            out["class"] = CodeText(entry.code);
            break;
        case DescriptorKind::Object:
            out["class"] = CodeText(entry.code);
            out["entries"] = DescriptorToJson(entry.object);
            break;
        case DescriptorKind::Reference:
            out["desiredClass"] = CodeText(entry.reference.desiredClass);
            out["keyForm"] = CodeText(entry.reference.keyForm);
            out["name"] = HexOf(entry.reference.name);
            out["index"] = entry.reference.index;
            out["referenceType"] = CodeText(entry.reference.type);
            out["value"] = CodeText(entry.reference.value);
            break;
    }
    return out;
}

// Reads the fields of one entry; every failure names the entry.
class EntryFields {
public:
    EntryFields(const json& entry, std::string where) : entry(entry), where(std::move(where)) {}

    [[noreturn]] void Fail(const std::string& problem) const {
        throw DescriptorJsonError(where + ": " + problem);
    }
    const json& Field(const char* name) const {
        auto it = entry.find(name);
        if (it == entry.end()) {
            Fail(std::string("missing \"") + name + "\"");
        }
        return *it;
    }
    bool Has(const char* name) const { return entry.contains(name); }
    int32_t Int32(const char* name) const {
        const json& value = Field(name);
        if (!value.is_number_integer() ||
            (value.is_number_unsigned() &&
             value.get<uint64_t>() > uint64_t(std::numeric_limits<int32_t>::max())) ||
            (!value.is_number_unsigned() &&
             (value.get<int64_t>() < std::numeric_limits<int32_t>::min() ||
              value.get<int64_t>() > std::numeric_limits<int32_t>::max()))) {
            Fail(std::string("\"") + name + "\" is not a 32-bit integer");
        }
        return int32_t(value.get<int64_t>());
    }
    double Number(const char* name) const {
        const json& value = Field(name);
        if (!value.is_number()) {
            Fail(std::string("\"") + name + "\" is not a number");
        }
        return value.get<double>();
    }
    bool Bool(const char* name) const {
        const json& value = Field(name);
        if (!value.is_boolean()) {
            Fail(std::string("\"") + name + "\" is not true or false");
        }
        return value.get<bool>();
    }
    std::string Text(const char* name) const {
        const json& value = Field(name);
        if (!value.is_string()) {
            Fail(std::string("\"") + name + "\" is not a string");
        }
        return value.get<std::string>();
    }
    OSType Code(const char* name) const {
        OSType code = 0;
        if (!ParseCodeText(Text(name), code)) {
            Fail(std::string("\"") + name + "\" is not a four-character code");
        }
        return code;
    }
    std::string Hex(const char* name) const {
        const std::string text = Text(name);
        std::string bytes;
        for (size_t i = 0; i + 1 < text.size(); i += 2) {
            const int high = HexDigit(text[i]);
            const int low = HexDigit(text[i + 1]);
            if (high < 0 || low < 0) {
                break;
            }
            bytes += char(high << 4 | low);
        }
        if (bytes.size() * 2 != text.size()) {
            Fail(std::string("\"") + name + "\" is not hexadecimal bytes");
        }
        return bytes;
    }

private:
    static int HexDigit(char c) {
        if (c >= '0' && c <= '9') {
            return c - '0';
        }
        if (c >= 'a' && c <= 'f') {
            return c - 'a' + 10;
        }
        if (c >= 'A' && c <= 'F') {
            return c - 'A' + 10;
        }
        return -1;
    }

    const json& entry;
    std::string where;
};

Descriptor DescriptorAt(const json& array, const std::string& where, int depth);

DescriptorEntry EntryFromJson(const json& item, const std::string& where, int depth) {
    if (!item.is_object()) {
        throw DescriptorJsonError(where + ": not a JSON object");
    }
    const EntryFields fields(item, where);
    const OSType key = fields.Code("key");
    const std::string type = fields.Text("type");
    const std::string inner = where + " ('" + CodeText(key) + "')";
    const EntryFields values(item, inner);
    if (type == "integer") {
        return DescriptorEntry::Integer(key, values.Int32("value"));
    }
    if (type == "float") {
        return DescriptorEntry::Float(key, values.Number("value"));
    }
    if (type == "unitFloat") {
        return DescriptorEntry::UnitFloat(key, values.Code("unit"), values.Number("value"));
    }
    if (type == "boolean") {
        return DescriptorEntry::Boolean(key, values.Bool("value"));
    }
    if (type == "text") {
        return DescriptorEntry::Text(key,
                                     values.Has("hex") ? values.Hex("hex") : values.Text("value"));
    }
    if (type == "alias") {
        return DescriptorEntry::Alias(key, values.Hex("hex"));
    }
    if (type == "enumerated") {
        return DescriptorEntry::Enumerated(key, values.Code("enumType"), values.Code("value"));
    }
    if (type == "class") {
        return DescriptorEntry::Class(key, values.Code("class"));
    }
    if (type == "object") {
        if (depth >= kMaxDescriptorDepth) {
            values.Fail("objects nested too deeply");
        }
        const OSType classId = values.Code("class");
        return DescriptorEntry::Object(key, classId,
                                       DescriptorAt(values.Field("entries"), inner, depth + 1));
    }
    if (type == "reference") {
        DescriptorReference reference;
        reference.desiredClass = values.Code("desiredClass");
        reference.keyForm = values.Code("keyForm");
        reference.name = values.Hex("name");
        if (reference.name.size() > 255) {
            values.Fail("the reference name is longer than 255 bytes");
        }
        reference.index = values.Int32("index");
        reference.type = values.Code("referenceType");
        reference.value = values.Code("value");
        return DescriptorEntry::Reference(key, reference);
    }
    values.Fail("unknown type \"" + type + "\"");
}

Descriptor DescriptorAt(const json& array, const std::string& where, int depth) {
    if (!array.is_array()) {
        throw DescriptorJsonError(where.empty() ? "the descriptor is not a JSON array"
                                                : where + ": \"entries\" is not a JSON array");
    }
    Descriptor descriptor;
    for (size_t i = 0; i < array.size(); ++i) {
        const std::string place =
            (where.empty() ? "" : where + ", ") + "entry " + std::to_string(i + 1);
        descriptor.entries.push_back(EntryFromJson(array[i], place, depth));
    }
    return descriptor;
}

// Library messages quote the token last read, which may be a whole unended
// string of the file: keep a message to what fits on a line.
std::string Shortened(const std::string& text, size_t limit) {
    return text.size() <= limit ? text : text.substr(0, limit) + "...";
}

[[noreturn]] void FailAtLine(size_t line, const std::string& problem) {
    throw DescriptorJsonError("line " + std::to_string(line) + ": " + problem);
}

// The library recurses once per level when it prints or copies a value, and
// a number beyond a double makes its parser throw without a position. So the
// text is walked before it is parsed, as far as needed to see brackets,
// strings and numbers; everything else is left to the parser.
void CheckNestingAndNumbers(const std::string& text) {
    int depth = 0;
    size_t line = 1;
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\n') {
            ++line;
        } else if (c == '"') {
            for (++i; i < text.size() && text[i] != '"'; ++i) {
                i += text[i] == '\\' ? 1 : 0;
            }
        } else if (c == '[' || c == '{') {
            if (++depth > kMaxJsonNesting) {
                FailAtLine(line,
                           "nested deeper than " + std::to_string(kMaxJsonNesting) + " levels");
            }
        } else if (c == ']' || c == '}') {
            --depth;
        } else if (c == '-' || (c >= '0' && c <= '9')) {
            const size_t end = std::min(text.find_first_not_of("0123456789+-.eE", i), text.size());
            const std::string number = text.substr(i, end - i);
            // The file's numbers are JSON's, whose decimal point is the C locale's.
            if (std::isinf(std::strtod(number.c_str(), nullptr))) {
                FailAtLine(line, "the number " + Shortened(number, 24) + " is too large");
            }
            i = end - 1;
        }
    }
}

}  // namespace

json ParseJsonText(const std::string& text) {
    CheckNestingAndNumbers(text);
    try {
        return json::parse(text);
    } catch (const json::exception& error) {
        // "[json.exception.parse_error.101] parse error at line 3, column 5: ..."
        const std::string message = error.what();
        const size_t tagEnd = message.find("] ");
        const std::string problem = message.compare(0, 1, "[") == 0 && tagEnd != std::string::npos
                                        ? message.substr(tagEnd + 2)
                                        : message;
        throw DescriptorJsonError(Shortened(problem, 200));
    }
}

std::string CodeText(OSType code) {
    std::string text;
    for (int shift = 24; shift >= 0; shift -= 8) {
        const char c = char((code >> shift) & 0xFF);
        if (c < 0x20 || c > 0x7E) {
            char hex[11];
            std::snprintf(hex, sizeof hex, "0x%08X", unsigned(code));
            return hex;
        }
        text += c;
    }
    return text;
}

bool ParseCodeText(const std::string& text, OSType& code) {
    if (text.size() == 4) {
        OSType value = 0;
        for (char c : text) {
            if (c < 0x20 || c > 0x7E) {
                return false;
            }
            value = value << 8 | uint8_t(c);
        }
        code = value;
        return true;
    }
    if (text.size() == 10 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X') &&
        text.find_first_not_of("0123456789abcdefABCDEF", 2) == std::string::npos) {
        code = OSType(std::stoul(text.substr(2), nullptr, 16));
        return true;
    }
    return false;
}

std::string FormatDescriptorJson(const json& entries, int indent) {
    if (entries.empty()) {
        return "[]";
    }
    const std::string inner(size_t(indent) + 2, ' ');
    std::string text = "[\n";
    for (size_t i = 0; i < entries.size(); ++i) {
        const json& entry = entries[i];
        text += inner;
        if (entry.is_object() && entry.contains("entries")) {
            json head = entry;
            head.erase("entries");
            std::string fields = head.dump();
            fields.pop_back();  // the closing brace
            text +=
                fields + ",\"entries\":" + FormatDescriptorJson(entry["entries"], indent + 2) + "}";
        } else {
            text += entry.dump();
        }
        text += i + 1 < entries.size() ? ",\n" : "\n";
    }
    return text + std::string(size_t(indent), ' ') + "]";
}

json DescriptorToJson(const Descriptor& descriptor) {
    json entries = json::array();
    for (const DescriptorEntry& entry : descriptor.entries) {
        entries.push_back(EntryToJson(entry));
    }
    return entries;
}

Descriptor DescriptorFromJson(const json& entries) {
    return DescriptorAt(entries, "", 1);
}

}  // namespace oxhost
