// A scripting descriptor as the host keeps it: entries in the order they were
// put, each a key, a kind of value and the value. A key may occur more than
// once; a reader sees every entry, in order.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "Descriptors.h"

namespace oxhost {

enum class DescriptorKind {
    Integer,     // 'long'; counts are kept as integers too
    Float,       // 'doub'
    UnitFloat,   // 'UntF': a number and its unit
    Boolean,     // 'bool'
    Text,        // 'TEXT'; Pascal strings are kept as text too
    Alias,       // 'alis': opaque bytes
    Enumerated,  // 'enum': enumeration type and value
    Class,       // 'type'; scoped classes are kept as classes too
    Object,      // 'Objc': a class and a nested descriptor
    Reference,   // 'obj ': a simple reference
};

// Objects nest at most this deep (the outermost descriptor counts as 1), so
// that damaged or hostile input cannot exhaust the stack.
constexpr int kMaxDescriptorDepth = 16;

// The type code a reader reports for an entry of the kind.
DescriptorTypeID TypeCodeOf(DescriptorKind kind);

// PIDescriptorSimpleReference with its name as a string (at most 255 bytes).
struct DescriptorReference {
    DescriptorTypeID desiredClass = 0;
    DescriptorKeyID keyForm = 0;
    std::string name;
    int32_t index = 0;
    DescriptorTypeID type = 0;
    DescriptorEnumID value = 0;

    bool operator==(const DescriptorReference& other) const;
};

struct DescriptorEntry;

struct Descriptor {
    std::vector<DescriptorEntry> entries;

    // The first entry with the key, or null.
    const DescriptorEntry* Find(DescriptorKeyID key) const;
    // Replaces the first entry with the entry's key, or appends the entry.
    void Set(const DescriptorEntry& entry);
    // 1 for a descriptor without objects, one more for every level of objects.
    int Depth() const;

    bool operator==(const Descriptor& other) const;
    bool operator!=(const Descriptor& other) const { return !(*this == other); }
};

// One value. Only the fields of its kind are meaningful; the others stay at
// their initial values so that entries compare equal field by field.
struct DescriptorEntry {
    DescriptorKeyID key = 0;
    DescriptorKind kind = DescriptorKind::Integer;
    int32_t integer = 0;            // Integer; Boolean as 0 or 1
    double number = 0;              // Float, UnitFloat
    OSType code = 0;                // the unit, the enumeration type, or the class
    OSType enumValue = 0;           // Enumerated
    std::string bytes;              // Text, Alias
    Descriptor object;              // Object
    DescriptorReference reference;  // Reference

    static DescriptorEntry Integer(DescriptorKeyID key, int32_t value);
    static DescriptorEntry Float(DescriptorKeyID key, double value);
    static DescriptorEntry UnitFloat(DescriptorKeyID key, DescriptorUnitID unit, double value);
    static DescriptorEntry Boolean(DescriptorKeyID key, bool value);
    static DescriptorEntry Text(DescriptorKeyID key, const std::string& text);
    static DescriptorEntry Alias(DescriptorKeyID key, const std::string& bytes);
    static DescriptorEntry Enumerated(DescriptorKeyID key, DescriptorEnumTypeID type,
                                      DescriptorEnumID value);
    static DescriptorEntry Class(DescriptorKeyID key, DescriptorClassID classId);
    static DescriptorEntry Object(DescriptorKeyID key, DescriptorClassID classId,
                                  const Descriptor& object);
    static DescriptorEntry Reference(DescriptorKeyID key, const DescriptorReference& reference);

    bool operator==(const DescriptorEntry& other) const;
    bool operator!=(const DescriptorEntry& other) const { return !(*this == other); }
};

}  // namespace oxhost
