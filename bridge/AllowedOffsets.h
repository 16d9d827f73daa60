// Which offsets of a group lie inside the rectangle of allowed offsets, seen
// from a centre inside it as four reaches (how far it goes left, up, right
// and down).
//
// In a group of eight (0 < i < r) the offset in slot p is allowed exactly
// when r is within the reach of the slot's major side (down, left, left, up,
// up, right, right, down) and i within the reach of its minor side (left,
// down, up, left, right, up, down, right). The same test holds for the odd
// slots of the groups of four: an axis offset needs its one side, a corner
// offset both of its sides. So whether an offset is allowed grows no easier
// as r or i grows: every count of disallowed offsets below is monotone in
// both.
#pragma once

#include <array>
#include <cstdint>

#include "OffsetTable.h"

enum Side { kLeft, kUp, kRight, kDown };

struct Reaches {
    int32_t side[4];  // kLeft, kUp, kRight, kDown; each 0 or more

    // From a search's bounds (top and left are 0 or less for a centre inside).
    static Reaches FromBounds(int32_t top, int32_t left, int32_t bottom, int32_t right) {
        return Reaches{{-left, -top, right, bottom}};
    }
    bool ContainsCentre() const {
        return side[kLeft] >= 0 && side[kUp] >= 0 && side[kRight] >= 0 && side[kDown] >= 0;
    }
};

constexpr Side kMajorSide[8] = {kDown, kLeft, kLeft, kUp, kUp, kRight, kRight, kDown};
constexpr Side kMinorSide[8] = {kLeft, kDown, kUp, kLeft, kRight, kUp, kDown, kRight};

// For the sides covering the ring and those covering i (one bit each), the
// allowed slots of a group of eight.
struct SlotMaskTable {
    std::array<std::array<uint8_t, 16>, 16> allowed{};
    constexpr SlotMaskTable() {
        for (int ringSides = 0; ringSides < 16; ++ringSides) {
            for (int minorSides = 0; minorSides < 16; ++minorSides) {
                uint8_t mask = 0;
                for (int p = 0; p < 8; ++p) {
                    if ((ringSides >> kMajorSide[p] & 1) && (minorSides >> kMinorSide[p] & 1)) {
                        mask = uint8_t(mask | 1 << p);
                    }
                }
                allowed[size_t(ringSides)][size_t(minorSides)] = mask;
            }
        }
    }
};
constexpr SlotMaskTable kSlotMaskTable;

// The sides whose reach covers `value`, one bit each.
inline uint32_t CoveringSides(const Reaches& reaches, int64_t value) {
    return uint32_t(value <= reaches.side[kLeft]) | uint32_t(value <= reaches.side[kUp]) << 1 |
           uint32_t(value <= reaches.side[kRight]) << 2 |
           uint32_t(value <= reaches.side[kDown]) << 3;
}

// Bit p: slot p of group (ring, minor) is allowed (only slots the group has).
inline uint32_t AllowedSlots(const Reaches& reaches, uint32_t ring, uint32_t minor) {
    const uint32_t mask =
        kSlotMaskTable.allowed[CoveringSides(reaches, ring)][CoveringSides(reaches, minor)];
    return (minor != 0 && minor != ring) ? mask : mask & 0xAAu;
}

// The allowed offsets of a group in walk order, bit k for its k-th offset,
// and how many offsets it has.
inline uint32_t AllowedInWalkOrder(const Reaches& reaches, const OffsetGroup& group, int& count) {
    const uint32_t slots = AllowedSlots(reaches, group.ring, group.minor);
    if (group.HasEight()) {
        count = 8;
        return slots;
    }
    count = 4;
    return (slots >> 1 & 1) | (slots >> 2 & 2) | (slots >> 3 & 4) | (slots >> 4 & 8);
}

// Disallowed offsets at the end and at the start of a group of eight with
// these allowed slots (8 when none is allowed).
inline int DisallowedTail(uint32_t allowedSlots) {
    int tail = 0;
    for (int p = 7; p >= 0 && (allowedSlots >> p & 1) == 0; --p) {
        ++tail;
    }
    return tail;
}

inline int DisallowedHead(uint32_t allowedSlots) {
    int head = 0;
    for (int p = 0; p < 8 && (allowedSlots >> p & 1) == 0; ++p) {
        ++head;
    }
    return head;
}
