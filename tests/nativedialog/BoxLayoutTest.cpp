// Dialog templates laid out in pixels.
#include <gtest/gtest.h>

#include "host/nativedialog/BoxLayout.h"

namespace {

using oxhost::BoxItemKind;
using oxhost::LayOutBox;

constexpr uint32_t kChild = 0x40000000;
constexpr uint32_t kVisible = 0x10000000;
constexpr uint32_t kDisabled = 0x08000000;

TEST(BoxLayout, DialogUnitsUseAQuarterAndAnEighthOfTheBaseUnits) {
    EXPECT_EQ(oxhost::HorizontalPixels(189), 284);  // 283.5 rounds up
    EXPECT_EQ(oxhost::VerticalPixels(120), 195);
    EXPECT_EQ(oxhost::HorizontalPixels(4), 6);
    EXPECT_EQ(oxhost::VerticalPixels(8), 13);
    EXPECT_EQ(oxhost::VerticalPixels(1), 2);  // 1.625
    EXPECT_EQ(oxhost::HorizontalPixels(0), 0);
    EXPECT_EQ(oxhost::HorizontalPixels(-4), -6);
}

TEST(BoxLayout, ItemsKeepIdTextAndStateAndGetPixelBounds) {
    oxres::DialogTemplate dialog;
    dialog.width = 189;
    dialog.height = 120;
    dialog.caption = "";
    dialog.items = {{kChild | kDisabled | 0x1, 0, 171, 7, 11, 14, 1, "BUTTON", "OK"},
                    {kChild | kVisible, 0, 16, 7, 148, 83, 3, "STATIC", "Static"},
                    {kChild | kVisible, 0, 58, 100, 67, 13, 4, "button", "www.oxlen.example"},
                    {kChild | kVisible | 0x3, 0, 0, 0, 10, 10, 5, "BUTTON", "check"},
                    {kChild | kVisible, 0, 0, 0, 10, 10, 6, "EDIT", ""}};
    const oxhost::BoxLayout layout = LayOutBox(dialog);
    EXPECT_EQ(layout.width, 284);
    EXPECT_EQ(layout.height, 195);
    ASSERT_EQ(layout.items.size(), 5u);

    EXPECT_EQ(layout.items[0].kind, BoxItemKind::PushButton);  // default push button
    EXPECT_FALSE(layout.items[0].visible);
    EXPECT_FALSE(layout.items[0].enabled);

    const oxhost::BoxItem& text = layout.items[1];
    EXPECT_EQ(text.id, 3);
    EXPECT_EQ(text.kind, BoxItemKind::StaticText);
    EXPECT_TRUE(text.visible);
    EXPECT_TRUE(text.enabled);
    EXPECT_EQ(text.text, "Static");
    EXPECT_EQ(text.bounds.x, 24);
    EXPECT_EQ(text.bounds.y, 11);  // 7 * 13 / 8 = 11.375
    EXPECT_EQ(text.bounds.width, 222);
    EXPECT_EQ(text.bounds.height, 135);  // 134.875

    EXPECT_EQ(layout.items[2].kind, BoxItemKind::PushButton);  // class names ignore case
    EXPECT_EQ(layout.items[2].bounds.x, 87);
    EXPECT_EQ(layout.items[2].bounds.y, 163);             // 162.5
    EXPECT_EQ(layout.items[3].kind, BoxItemKind::Other);  // a check box is no push button
    EXPECT_EQ(layout.items[4].kind, BoxItemKind::Other);
}

TEST(BoxLayout, SystemMenuComesFromTheBoxStyle) {
    oxres::DialogTemplate dialog;
    EXPECT_FALSE(LayOutBox(dialog).hasSystemMenu);
    dialog.style = 0x00080000;
    EXPECT_TRUE(LayOutBox(dialog).hasSystemMenu);
}

}  // namespace
