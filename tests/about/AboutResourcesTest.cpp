// The About resources of the delivered modules, read from the built files.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "bridge/platform/linux/DialogTemplate.h"
#include "host/module/ModuleFile.h"
#include "tests/support/ScratchFolder.h"

namespace {

std::string ModulePath(const std::string& name) {
    return oxtest::BuiltProgramFolder() + "/" + name + ".8bf";
}

std::string StringOf(const std::string& module, int id) {
    const auto bytes = oxhost::ReadModuleResource(ModulePath(module), "STRING", id);
    EXPECT_TRUE(bytes.has_value()) << module << " string " << id;
    return bytes ? std::string(bytes->begin(), bytes->end()) : std::string();
}

oxres::DialogTemplate DialogOf(const std::string& module, int id) {
    oxres::DialogTemplate dialog;
    const auto bytes = oxhost::ReadModuleResource(ModulePath(module), "DIALOG", id);
    EXPECT_TRUE(bytes.has_value()) << module << " dialog " << id;
    if (bytes) {
        EXPECT_TRUE(oxres::ReadDialogTemplate(bytes->data(), bytes->size(), &dialog));
    }
    return dialog;
}

const char kMakerLines[] = "by the Oxlen filter team\nFree to use and share\n";

TEST(AboutResources, TintfloodAboutText) {
    EXPECT_EQ(StringOf("Tintflood", 16000),
              std::string("Tintflood\n\nVersion 1.1 Release January 2005\n") + kMakerLines +
                  "\nA multi flood filter for Adobe Photoshop\xAE.");
}

TEST(AboutResources, VirararAboutText) {
    EXPECT_EQ(StringOf("Virarar", 16000),
              std::string("Virarar\n\nVersion 1.1 Release January 2005\n") + kMakerLines +
                  "\nA flatting filter for Adobe Photoshop\xAE.");
}

TEST(AboutResources, BothModulesCarryTheMessageTemplatesAsStored) {
    for (const char* module : {"Tintflood", "Virarar"}) {
        EXPECT_EQ(StringOf(module, 16990), "An integer is required between ^1 and ^2.");
        EXPECT_EQ(StringOf(module, 16991), "A decimal number is required between ^1 and ^2.");
        EXPECT_EQ(StringOf(module, 16992),
                  "This plug-in requires Adobe Photoshop\xAE ^1 or later functionality.");
        EXPECT_EQ(StringOf(module, 16993),
                  "This plug-in is incompatible with this version of the host program.");
        EXPECT_EQ(StringOf(module, 16994), "the required suite \\'^0\\' is unavailable");
    }
}

void ExpectItem(const oxres::DialogItem& item, int32_t id, const char* text, int x, int y,
                int width, int height) {
    EXPECT_EQ(item.id, id);
    EXPECT_EQ(item.text, text);
    EXPECT_EQ(item.x, x);
    EXPECT_EQ(item.y, y);
    EXPECT_EQ(item.width, width);
    EXPECT_EQ(item.height, height);
}

void ExpectAboutBox(const std::string& module, int linkX) {
    SCOPED_TRACE(module);
    const oxres::DialogTemplate dialog = DialogOf(module, 16000);
    EXPECT_EQ(dialog.width, 189);
    EXPECT_EQ(dialog.height, 120);
    EXPECT_EQ(dialog.caption, "");
    EXPECT_EQ(dialog.fontName, "MS Sans Serif");
    EXPECT_EQ(dialog.fontSize, 8);
    EXPECT_EQ(dialog.style & 0x80000000u, 0x80000000u);  // popup
    EXPECT_EQ(dialog.style & 0x00C00000u, 0x00C00000u);  // caption
    EXPECT_EQ(dialog.style & 0x80u, 0x80u);              // modal frame
    EXPECT_EQ(dialog.style & 0x00080000u, 0u);           // no system menu
    ASSERT_EQ(dialog.items.size(), 4u);
    ExpectItem(dialog.items[0], 1, "OK", 171, 7, 11, 14);
    ExpectItem(dialog.items[1], 2, "Cancel", 172, 24, 10, 14);
    ExpectItem(dialog.items[2], 3, "Static", 16, 7, 148, 83);
    ExpectItem(dialog.items[3], 4, "www.oxlen.example", linkX, 100, 67, 13);
    for (int hidden = 0; hidden < 2; ++hidden) {
        EXPECT_EQ(dialog.items[hidden].style & 0x10000000u, 0u);           // not visible
        EXPECT_EQ(dialog.items[hidden].style & 0x08000000u, 0x08000000u);  // disabled
    }
    EXPECT_EQ(dialog.items[0].style & 0xFu, 1u);  // the default button
    EXPECT_EQ(dialog.items[2].className, "STATIC");
    EXPECT_EQ(dialog.items[3].className, "BUTTON");
}

TEST(AboutResources, AboutBoxesDifferOnlyInTheLinkPosition) {
    ExpectAboutBox("Tintflood", 58);
    ExpectAboutBox("Virarar", 61);
}

TEST(AboutResources, TintfloodOptionsShell) {
    const oxres::DialogTemplate dialog = DialogOf("Tintflood", 16001);
    EXPECT_EQ(dialog.caption, "Tintflood");
    EXPECT_EQ(dialog.width, 237);
    EXPECT_EQ(dialog.height, 181);
    EXPECT_EQ(dialog.fontName, "MS Sans Serif");
    EXPECT_EQ(dialog.fontSize, 8);
    ASSERT_EQ(dialog.items.size(), 2u);
    ExpectItem(dialog.items[0], 1, "OK", 190, 160, 37, 14);
    EXPECT_EQ(dialog.items[0].style & 0xFu, 1u);
    ExpectItem(dialog.items[1], 2, "Cancel", 145, 160, 38, 14);
    EXPECT_FALSE(oxhost::ReadModuleResource(ModulePath("Virarar"), "DIALOG", 16001).has_value());
}

uint32_t Little(const std::vector<unsigned char>& bytes, size_t at, int count) {
    uint32_t value = 0;
    for (int i = 0; i < count; ++i) {
        value |= uint32_t(bytes[at + i]) << (8 * i);
    }
    return value;
}

TEST(AboutResources, SiteButtonPictureIs48By48At24Bits) {
    const auto bitmap = oxhost::ReadModuleResource(ModulePath("Tintflood"), "BITMAP", 16009);
    ASSERT_TRUE(bitmap.has_value());
    ASSERT_GE(bitmap->size(), 40u);
    EXPECT_EQ(Little(*bitmap, 0, 4), 40u);   // info header size
    EXPECT_EQ(Little(*bitmap, 4, 4), 48u);   // width
    EXPECT_EQ(Little(*bitmap, 8, 4), 48u);   // height
    EXPECT_EQ(Little(*bitmap, 14, 2), 24u);  // bits per pixel
    EXPECT_EQ(Little(*bitmap, 16, 4), 0u);   // not compressed
    EXPECT_EQ(bitmap->size(), 40u + 48u * 48u * 3u);
}

}  // namespace
