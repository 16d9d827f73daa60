// Descriptors the scripting tests share: one entry of every kind, objects
// nested, keys with spaces and the zero key.
#pragma once

#include <cstdint>

#include "host/run/HostHandles.h"
#include "host/scripting/Descriptor.h"

namespace scriptingtest {

constexpr OSType Code(const char (&text)[5]) {
    return OSType(uint8_t(text[0])) << 24 | OSType(uint8_t(text[1])) << 16 |
           OSType(uint8_t(text[2])) << 8 | OSType(uint8_t(text[3]));
}

// A colour object as Tintflood writes one: three channels and the zero key.
oxhost::Descriptor ColorObject(int32_t red, int32_t green, int32_t blue);

// One entry of every kind, among them an object holding an object.
oxhost::Descriptor EveryKind();

// Objects nested `depth` levels deep (1: no object at all).
oxhost::Descriptor NestedTo(int depth);

// Fails the test when handles were made and not disposed in its course.
class HandleBalance {
public:
    HandleBalance() : before(oxhost::HostHandles::Instance().LiveCount()) {}
    size_t Leaked() const { return oxhost::HostHandles::Instance().LiveCount() - before; }

private:
    size_t before;
};

}  // namespace scriptingtest
