#include "DialogTemplate.h"

#include <cstring>
#include <iterator>
#include <stdexcept>

namespace oxres {

namespace {

constexpr size_t kHeaderSize = 4 + 2 + 2 + 4 + 4 + 4 * 2 + 2;

void PutInteger(std::vector<unsigned char>& out, uint32_t value, int byteCount) {
    for (int i = 0; i < byteCount; ++i) {
        out.push_back(static_cast<unsigned char>(value >> (8 * i)));
    }
}

void PutString(std::vector<unsigned char>& out, const std::string& text) {
    if (text.find('\0') != std::string::npos) {
        throw std::invalid_argument("a dialog string holds a NUL byte");
    }
    out.insert(out.end(), text.begin(), text.end());
    out.push_back(0);
}

// Reads front to back; every call fails once the bytes run out.
class ByteReader {
public:
    ByteReader(const unsigned char* data, size_t size) : data_(data), size_(size) {}

    bool Integer(int byteCount, uint32_t* value) {
        if (size_ - pos_ < size_t(byteCount)) {
            return false;
        }
        *value = 0;
        for (int i = 0; i < byteCount; ++i) {
            *value |= uint32_t(data_[pos_++]) << (8 * i);
        }
        return true;
    }
    bool Int16(int16_t* value) {
        uint32_t raw = 0;
        if (!Integer(2, &raw)) {
            return false;
        }
        *value = static_cast<int16_t>(static_cast<uint16_t>(raw));
        return true;
    }
    bool String(std::string* text) {
        const void* end = std::memchr(data_ + pos_, 0, size_ - pos_);
        if (end == nullptr) {
            return false;
        }
        const size_t length = static_cast<const unsigned char*>(end) - (data_ + pos_);
        text->assign(reinterpret_cast<const char*>(data_ + pos_), length);
        pos_ += length + 1;
        return true;
    }
    bool Rectangle(int16_t* x, int16_t* y, int16_t* width, int16_t* height) {
        return Int16(x) && Int16(y) && Int16(width) && Int16(height);
    }

private:
    const unsigned char* data_;
    size_t size_;
    size_t pos_ = 0;
};

bool ReadItem(ByteReader& reader, DialogItem* item) {
    uint32_t id = 0;
    if (!reader.Integer(4, &item->style) || !reader.Integer(4, &item->extendedStyle) ||
        !reader.Rectangle(&item->x, &item->y, &item->width, &item->height) ||
        !reader.Integer(4, &id)) {
        return false;
    }
    item->id = static_cast<int32_t>(id);
    return reader.String(&item->className) && reader.String(&item->text);
}

}  // namespace

std::vector<unsigned char> WriteDialogTemplate(const DialogTemplate& dialog) {
    if (dialog.items.size() > 0xFFFF) {
        throw std::invalid_argument("a dialog holds more than 65535 items");
    }
    std::vector<unsigned char> out(std::begin(kDialogMagic), std::end(kDialogMagic));
    PutInteger(out, kDialogFormatVersion, 2);
    PutInteger(out, static_cast<uint32_t>(dialog.items.size()), 2);
    PutInteger(out, dialog.style, 4);
    PutInteger(out, dialog.extendedStyle, 4);
    for (int16_t value : {dialog.x, dialog.y, dialog.width, dialog.height}) {
        PutInteger(out, static_cast<uint16_t>(value), 2);
    }
    PutInteger(out, dialog.fontSize, 2);
    PutString(out, dialog.caption);
    PutString(out, dialog.fontName);
    for (const DialogItem& item : dialog.items) {
        PutInteger(out, item.style, 4);
        PutInteger(out, item.extendedStyle, 4);
        for (int16_t value : {item.x, item.y, item.width, item.height}) {
            PutInteger(out, static_cast<uint16_t>(value), 2);
        }
        PutInteger(out, static_cast<uint32_t>(item.id), 4);
        PutString(out, item.className);
        PutString(out, item.text);
    }
    return out;
}

bool ReadDialogTemplate(const unsigned char* data, size_t size, DialogTemplate* dialog) {
    if (data == nullptr || size < kHeaderSize ||
        std::memcmp(data, kDialogMagic, sizeof(kDialogMagic)) != 0) {
        return false;
    }
    ByteReader reader(data + sizeof(kDialogMagic), size - sizeof(kDialogMagic));
    uint32_t version = 0;
    uint32_t count = 0;
    uint32_t fontSize = 0;
    if (!reader.Integer(2, &version) || version != kDialogFormatVersion ||
        !reader.Integer(2, &count) || !reader.Integer(4, &dialog->style) ||
        !reader.Integer(4, &dialog->extendedStyle) ||
        !reader.Rectangle(&dialog->x, &dialog->y, &dialog->width, &dialog->height) ||
        !reader.Integer(2, &fontSize) || !reader.String(&dialog->caption) ||
        !reader.String(&dialog->fontName)) {
        return false;
    }
    dialog->fontSize = static_cast<uint16_t>(fontSize);
    dialog->items.clear();
    for (uint32_t i = 0; i < count; ++i) {
        DialogItem item;
        if (!ReadItem(reader, &item)) {
            return false;
        }
        dialog->items.push_back(std::move(item));
    }
    return true;
}

}  // namespace oxres
