#include "host/scripting/Descriptor.h"

#include <algorithm>

namespace oxhost {

DescriptorTypeID TypeCodeOf(DescriptorKind kind) {
    switch (kind) {
        case DescriptorKind::Integer:
            return typeInteger;
        case DescriptorKind::Float:
            return typeFloat;
        case DescriptorKind::UnitFloat:
            return typeUnitFloat;
        case DescriptorKind::Boolean:
            return typeBoolean;
        case DescriptorKind::Text:
            return typeText;
        case DescriptorKind::Alias:
            return typeAlias;
        case DescriptorKind::Enumerated:
            return typeEnumerated;
        case DescriptorKind::Class:
            return typeType;
        case DescriptorKind::Object:
            return typeObject;
        case DescriptorKind::Reference:
            return typeObjectSpecifier;
    }
    return typeNull;
}

bool DescriptorReference::operator==(const DescriptorReference& other) const {
    return desiredClass == other.desiredClass && keyForm == other.keyForm && name == other.name &&
           index == other.index && type == other.type && value == other.value;
}

const DescriptorEntry* Descriptor::Find(DescriptorKeyID key) const {
    for (const DescriptorEntry& entry : entries) {
        if (entry.key == key) {
            return &entry;
        }
    }
    return nullptr;
}

void Descriptor::Set(const DescriptorEntry& entry) {
    for (DescriptorEntry& existing : entries) {
        if (existing.key == entry.key) {
            existing = entry;
            return;
        }
    }
    entries.push_back(entry);
}

int Descriptor::Depth() const {
    int nested = 0;
    for (const DescriptorEntry& entry : entries) {
        if (entry.kind == DescriptorKind::Object) {
            nested = std::max(nested, entry.object.Depth());
        }
    }
    return 1 + nested;
}

bool Descriptor::operator==(const Descriptor& other) const {
    return entries == other.entries;
}

bool DescriptorEntry::operator==(const DescriptorEntry& other) const {
    return key == other.key && kind == other.kind && integer == other.integer &&
           number == other.number && code == other.code && enumValue == other.enumValue &&
           bytes == other.bytes && object == other.object && reference == other.reference;
}

namespace {

DescriptorEntry Make(DescriptorKeyID key, DescriptorKind kind) {
    DescriptorEntry entry;
    entry.key = key;
    entry.kind = kind;
    return entry;
}

}  // namespace

DescriptorEntry DescriptorEntry::Integer(DescriptorKeyID key, int32_t value) {
    DescriptorEntry entry = Make(key, DescriptorKind::Integer);
    entry.integer = value;
    return entry;
}

DescriptorEntry DescriptorEntry::Float(DescriptorKeyID key, double value) {
    DescriptorEntry entry = Make(key, DescriptorKind::Float);
    entry.number = value;
    return entry;
}

DescriptorEntry DescriptorEntry::UnitFloat(DescriptorKeyID key, DescriptorUnitID unit,
                                           double value) {
    DescriptorEntry entry = Make(key, DescriptorKind::UnitFloat);
    entry.code = unit;
    entry.number = value;
    return entry;
}

DescriptorEntry DescriptorEntry::Boolean(DescriptorKeyID key, bool value) {
    DescriptorEntry entry = Make(key, DescriptorKind::Boolean);
    entry.integer = value ? 1 : 0;
    return entry;
}

DescriptorEntry DescriptorEntry::Text(DescriptorKeyID key, const std::string& text) {
    DescriptorEntry entry = Make(key, DescriptorKind::Text);
    entry.bytes = text;
    return entry;
}

DescriptorEntry DescriptorEntry::Alias(DescriptorKeyID key, const std::string& bytes) {
    DescriptorEntry entry = Make(key, DescriptorKind::Alias);
    entry.bytes = bytes;
    return entry;
}

DescriptorEntry DescriptorEntry::Enumerated(DescriptorKeyID key, DescriptorEnumTypeID type,
                                            DescriptorEnumID value) {
    DescriptorEntry entry = Make(key, DescriptorKind::Enumerated);
    entry.code = type;
    entry.enumValue = value;
    return entry;
}

DescriptorEntry DescriptorEntry::Class(DescriptorKeyID key, DescriptorClassID classId) {
    DescriptorEntry entry = Make(key, DescriptorKind::Class);
    entry.code = classId;
    return entry;
}

DescriptorEntry DescriptorEntry::Object(DescriptorKeyID key, DescriptorClassID classId,
                                        const Descriptor& object) {
    DescriptorEntry entry = Make(key, DescriptorKind::Object);
    entry.code = classId;
    entry.object = object;
    return entry;
}

DescriptorEntry DescriptorEntry::Reference(DescriptorKeyID key,
                                           const DescriptorReference& reference) {
    DescriptorEntry entry = Make(key, DescriptorKind::Reference);
    entry.reference = reference;
    return entry;
}

}  // namespace oxhost
