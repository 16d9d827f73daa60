#include "SampleDescriptors.h"

namespace scriptingtest {

using oxhost::Descriptor;
using oxhost::DescriptorEntry;

Descriptor ColorObject(int32_t red, int32_t green, int32_t blue) {
    Descriptor object;
    object.entries = {DescriptorEntry::Integer(Code("Rd  "), red),
                      DescriptorEntry::Integer(Code("Grn "), green),
                      DescriptorEntry::Integer(Code("Bl  "), blue), DescriptorEntry::Integer(0, 0)};
    return object;
}

Descriptor EveryKind() {
    oxhost::DescriptorReference reference;
    reference.desiredClass = Code("Lyr ");
    reference.keyForm = Code("Idnt");
    reference.name = "Layer 1";
    reference.index = -3;
    reference.type = Code("Ordn");
    reference.value = Code("Trgt");

    Descriptor outer;
    outer.entries = {DescriptorEntry::Object(Code("BckC"), Code("RGBC"), ColorObject(1, 2, 3)),
                     DescriptorEntry::Text(Code("Inr "), "inner")};
    Descriptor descriptor;
    descriptor.entries = {
        DescriptorEntry::Integer(Code("Tlrn"), -70000),
        DescriptorEntry::Float(Code("Opct"), -0.125),
        DescriptorEntry::UnitFloat(Code("Angl"), Code("#Ang"), 42.5),
        DescriptorEntry::Boolean(Code("Ar  "), true),
        DescriptorEntry::Text(Code("PltF"), std::string("Pastels\0.aco", 12)),
        DescriptorEntry::Alias(Code("alis"), std::string("\x00\xff\x10", 3)),
        DescriptorEntry::Enumerated(Code("Md  "), Code("BlnM"), Code("Mltp")),
        DescriptorEntry::Class(Code("Nw  "), Code("Lyr ")),
        DescriptorEntry::Object(Code("Clr "), Code("RGBC"), ColorObject(65535, 0, 65535)),
        DescriptorEntry::Object(Code("Nest"), Code("Outr"), outer),
        DescriptorEntry::Reference(Code("null"), reference),
        DescriptorEntry::Integer(0, 0),
        DescriptorEntry::Integer(Code("Tlrn"), 5),
    };
    return descriptor;
}

Descriptor NestedTo(int depth) {
    Descriptor descriptor;
    descriptor.entries = {DescriptorEntry::Integer(Code("leaf"), depth)};
    for (int level = 1; level < depth; ++level) {
        Descriptor outer;
        outer.entries = {DescriptorEntry::Object(Code("next"), Code("Levl"), descriptor)};
        descriptor = outer;
    }
    return descriptor;
}

}  // namespace scriptingtest
