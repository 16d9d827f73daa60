// The descriptor oxhost replays to Tintflood: defaults and the user's choices.
#include <gtest/gtest.h>

#include "TintfloodDescriptor.h"

namespace {

using oxhost::Descriptor;
using oxhost::DescriptorEntry;
using oxhost::DescriptorKind;
using oxhost::TintfloodChoices;
using namespace oxhost::tintfloodkeys;

std::vector<DescriptorKeyID> Keys(const Descriptor& descriptor) {
    std::vector<DescriptorKeyID> keys;
    for (const DescriptorEntry& entry : descriptor.entries) {
        keys.push_back(entry.key);
    }
    return keys;
}

// The colour of an object entry, checked to be of class 'RGBC' with four entries.
RGBColor ColorOf(const Descriptor& descriptor, DescriptorKeyID key) {
    const DescriptorEntry* entry = descriptor.Find(key);
    EXPECT_NE(entry, nullptr);
    if (entry == nullptr) {
        return RGBColor{};
    }
    EXPECT_EQ(entry->kind, DescriptorKind::Object);
    EXPECT_EQ(entry->code, HOSTAPI_FOURCC('R', 'G', 'B', 'C'));
    const std::vector<DescriptorEntry>& channels = entry->object.entries;
    EXPECT_EQ(channels.size(), 4u);
    if (channels.size() != 4) {
        return RGBColor{};
    }
    EXPECT_EQ(channels[0].key, HOSTAPI_FOURCC('R', 'd', ' ', ' '));
    EXPECT_EQ(channels[1].key, HOSTAPI_FOURCC('G', 'r', 'n', ' '));
    EXPECT_EQ(channels[2].key, HOSTAPI_FOURCC('B', 'l', ' ', ' '));
    EXPECT_EQ(channels[3], DescriptorEntry::Integer(0, 0));
    return RGBColor{uint16_t(channels[0].integer), uint16_t(channels[1].integer),
                    uint16_t(channels[2].integer)};
}

TEST(TintfloodDescriptorTest, DefaultsHoldTheTenKeysInTheOrderAndTypesThePlugInWrites) {
    const Descriptor descriptor = oxhost::TintfloodDefaultDescriptor();
    const std::vector<DescriptorKeyID> order = {
        HOSTAPI_FOURCC('B', 'c', 'k', 'C'), HOSTAPI_FOURCC('C', 'l', 'r', ' '),
        HOSTAPI_FOURCC('P', 'l', 't', 'F'), HOSTAPI_FOURCC('T', 'l', 'r', 'n'),
        HOSTAPI_FOURCC('R', 'a', 'n', 'D'), HOSTAPI_FOURCC('A', 'r', ' ', ' '),
        HOSTAPI_FOURCC('F', 'l', 'a', 'G'), HOSTAPI_FOURCC('J', 'o', 'i', 'N'),
        HOSTAPI_FOURCC('F', 'l', 'g', 'S'), HOSTAPI_FOURCC('J', 'i', 'n', 'S')};
    EXPECT_EQ(Keys(descriptor), order);

    const RGBColor fill = ColorOf(descriptor, kFillColor);
    EXPECT_EQ(std::vector<int>({fill.red, fill.green, fill.blue}),
              std::vector<int>({65535, 65535, 65535}));
    const RGBColor flag = ColorOf(descriptor, kFlagColor);
    EXPECT_EQ(std::vector<int>({flag.red, flag.green, flag.blue}),
              std::vector<int>({65535, 0, 65535}));
    EXPECT_EQ(descriptor.entries[2], DescriptorEntry::Text(kPalette, ""));
    EXPECT_EQ(descriptor.entries[3], DescriptorEntry::Integer(kTolerance, 0));
    for (size_t i = 4; i < 8; ++i) {
        EXPECT_EQ(descriptor.entries[i], DescriptorEntry::Boolean(order[i], false));
    }
    EXPECT_EQ(descriptor.entries[8], DescriptorEntry::Integer(kFlagSize, 20));
    EXPECT_EQ(descriptor.entries[9], DescriptorEntry::Integer(kJoinSize, 10));
}

TEST(TintfloodDescriptorTest, ChoicesReplaceTheirKeysAndKeepTheOrder) {
    RGBColor fill{};
    ASSERT_TRUE(oxhost::ParseColorOption("#102030", fill));
    TintfloodChoices choices;
    choices.fillColor = fill;
    choices.flagColor = RGBColor{1, 2, 3};
    choices.tolerance = 40;
    choices.palette = "Light Flats.aco";
    choices.measureArea = true;
    choices.flagSize = 7;
    choices.joinSize = 2147483647u;
    Descriptor descriptor = oxhost::TintfloodDefaultDescriptor();
    oxhost::ApplyTintfloodChoices(choices, descriptor);

    EXPECT_EQ(Keys(descriptor), Keys(oxhost::TintfloodDefaultDescriptor()));
    const RGBColor replaced = ColorOf(descriptor, kFillColor);
    EXPECT_EQ(std::vector<int>({replaced.red, replaced.green, replaced.blue}),
              std::vector<int>({0x1010, 0x2020, 0x3030}));
    const RGBColor flag = ColorOf(descriptor, kFlagColor);
    EXPECT_EQ(std::vector<int>({flag.red, flag.green, flag.blue}), std::vector<int>({1, 2, 3}));
    EXPECT_EQ(*descriptor.Find(kPalette), DescriptorEntry::Text(kPalette, "Light Flats.aco"));
    EXPECT_EQ(*descriptor.Find(kTolerance), DescriptorEntry::Integer(kTolerance, 40));
    EXPECT_EQ(*descriptor.Find(kRandomColors), DescriptorEntry::Boolean(kRandomColors, false));
    EXPECT_EQ(*descriptor.Find(kMeasureArea), DescriptorEntry::Boolean(kMeasureArea, true));
    EXPECT_EQ(*descriptor.Find(kFlagAreas), DescriptorEntry::Boolean(kFlagAreas, true));
    EXPECT_EQ(*descriptor.Find(kFlagSize), DescriptorEntry::Integer(kFlagSize, 7));
    EXPECT_EQ(*descriptor.Find(kJoinAreas), DescriptorEntry::Boolean(kJoinAreas, true));
    EXPECT_EQ(*descriptor.Find(kJoinSize), DescriptorEntry::Integer(kJoinSize, 2147483647));
}

TEST(TintfloodDescriptorTest, APaletteTurnsRandomColoursOffAndRandomTurnsThemOn) {
    Descriptor played;
    played.entries = {DescriptorEntry::Boolean(kRandomColors, true)};
    TintfloodChoices palette;
    palette.palette = "x.aco";
    oxhost::ApplyTintfloodChoices(palette, played);
    EXPECT_EQ(*played.Find(kRandomColors), DescriptorEntry::Boolean(kRandomColors, false));

    TintfloodChoices random;
    random.random = true;
    oxhost::ApplyTintfloodChoices(random, played);
    EXPECT_EQ(*played.Find(kRandomColors), DescriptorEntry::Boolean(kRandomColors, true));
    EXPECT_EQ(*played.Find(kPalette), DescriptorEntry::Text(kPalette, "x.aco"));
}

TEST(TintfloodDescriptorTest, AReplayedDescriptorKeepsWhatNoOptionTouches) {
    Descriptor played;
    played.entries = {DescriptorEntry::Integer(kJoinSize, 99),
                      DescriptorEntry::Integer(HOSTAPI_FOURCC('X', 't', 'r', 'a'), 5),
                      DescriptorEntry::Integer(kTolerance, 3)};
    TintfloodChoices choices;
    choices.tolerance = 12;
    choices.flagSize = 4;
    oxhost::ApplyTintfloodChoices(choices, played);
    EXPECT_EQ(Keys(played),
              (std::vector<DescriptorKeyID>{kJoinSize, HOSTAPI_FOURCC('X', 't', 'r', 'a'),
                                            kTolerance, kFlagAreas, kFlagSize}));
    EXPECT_EQ(played.entries[0], DescriptorEntry::Integer(kJoinSize, 99));
    EXPECT_EQ(played.entries[2], DescriptorEntry::Integer(kTolerance, 12));
}

}  // namespace
