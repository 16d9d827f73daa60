#include <gtest/gtest.h>

#include "ByteBuilder.h"
#include "ResourceScript.h"
#include "ScriptError.h"
#include "bridge/platform/linux/DialogTemplate.h"

namespace {

using restest::ByteBuilder;
using restest::Bytes;

constexpr uint32_t kPopup = 0x80000000u, kChild = 0x40000000u, kVisible = 0x10000000u,
                   kDisabled = 0x08000000u, kCaption = 0x00C00000u, kBorder = 0x00800000u,
                   kSysMenu = 0x00080000u, kGroup = 0x00020000u, kTabStop = 0x00010000u,
                   kModalFrame = 0x80u, kSetFont = 0x40u, kDefault = 0x1u;

oxres::DialogTemplate DialogOf(const std::string& script) {
    oxrc::ResourceScript parsed = oxrc::ParseResourceScript(script, "test.rc");
    oxres::DialogTemplate dialog;
    EXPECT_EQ(parsed.resources.size(), 1u);
    if (!parsed.resources.empty()) {
        EXPECT_EQ(parsed.resources[0].type, "DIALOG");
        const Bytes& data = parsed.resources[0].data;
        EXPECT_TRUE(oxres::ReadDialogTemplate(data.data(), data.size(), &dialog));
    }
    return dialog;
}

std::string ErrorOf(const std::string& script) {
    try {
        oxrc::ParseResourceScript(script, "test.rc");
    } catch (const oxrc::ScriptError& error) {
        return error.what();
    }
    return "no error";
}

const char kAboutBox[] = R"(#include <windows.h>
16000 DIALOG DISCARDABLE 0, 0, 189, 120
STYLE DS_MODALFRAME | WS_POPUP | WS_CAPTION
CAPTION ""
FONT 8, "MS Sans Serif"
BEGIN
    DEFPUSHBUTTON   "OK", 1, 171, 7, 11, 14, NOT WS_VISIBLE | WS_DISABLED
    PUSHBUTTON      "Cancel", 2, 172, 24, 10, 14, NOT WS_VISIBLE | WS_DISABLED
    LTEXT           "Static", 3, 16, 7, 148, 83
    PUSHBUTTON      "www.oxlen.example", 4, 58, 100, 67, 13
END
)";

TEST(DialogScript, AboutBoxKeepsEveryControlInOrder) {
    const oxres::DialogTemplate dialog = DialogOf(kAboutBox);
    EXPECT_EQ(dialog.style, kModalFrame | kPopup | kCaption | kSetFont);
    EXPECT_EQ(dialog.width, 189);
    EXPECT_EQ(dialog.height, 120);
    EXPECT_EQ(dialog.caption, "");
    EXPECT_EQ(dialog.fontName, "MS Sans Serif");
    EXPECT_EQ(dialog.fontSize, 8);
    ASSERT_EQ(dialog.items.size(), 4u);

    const oxres::DialogItem& ok = dialog.items[0];
    EXPECT_EQ(ok.className, "BUTTON");
    EXPECT_EQ(ok.text, "OK");
    EXPECT_EQ(ok.id, 1);
    EXPECT_EQ(ok.style, kChild | kTabStop | kDefault | kDisabled);
    EXPECT_EQ(dialog.items[1].style, kChild | kTabStop | kDisabled);
    EXPECT_EQ(dialog.items[1].x, 172);
    EXPECT_EQ(dialog.items[1].y, 24);

    const oxres::DialogItem& text = dialog.items[2];
    EXPECT_EQ(text.className, "STATIC");
    EXPECT_EQ(text.style, kChild | kVisible | kGroup);
    EXPECT_EQ(text.width, 148);
    EXPECT_EQ(text.height, 83);

    const oxres::DialogItem& link = dialog.items[3];
    EXPECT_EQ(link.text, "www.oxlen.example");
    EXPECT_EQ(link.id, 4);
    EXPECT_EQ(link.x, 58);
    EXPECT_EQ(link.y, 100);
    EXPECT_EQ(link.width, 67);
    EXPECT_EQ(link.height, 13);
    EXPECT_EQ(link.style, kChild | kVisible | kTabStop);
}

TEST(DialogScript, TemplateBytesFollowTheDocumentedLayout) {
    oxrc::ResourceScript parsed = oxrc::ParseResourceScript(
        "7 DIALOG 1, -2, 30, 40\nSTYLE 0x10\nCAPTION \"Hi\"\nBEGIN\n"
        "  CONTROL \"t\", -1, STATIC, 0x2, 5, 6, 7, 8, 0x20\nEND",
        "test.rc");
    ASSERT_EQ(parsed.resources.size(), 1u);
    EXPECT_EQ(parsed.resources[0].id, 7u);
    const Bytes expected = ByteBuilder()
                               .Text("OXDL")
                               .U16(1)
                               .U16(1)
                               .U32(0x10 | kCaption)
                               .U32(0)
                               .U16(1)
                               .U16(0xFFFE)
                               .U16(30)
                               .U16(40)
                               .U16(0)
                               .Text(std::string("Hi\0\0", 4))
                               .U32(kChild | kVisible | 0x2)
                               .U32(0x20)
                               .U16(5)
                               .U16(6)
                               .U16(7)
                               .U16(8)
                               .U32(0xFFFFFFFFu)
                               .Text(std::string("STATIC\0t\0", 9))
                               .Get();
    EXPECT_EQ(parsed.resources[0].data, expected);
}

TEST(DialogScript, DefaultsApplyWithoutStyleAndCaptionAddsTitleBar) {
    EXPECT_EQ(DialogOf("1 DIALOG 0, 0, 10, 10 BEGIN END").style, kPopup | kBorder | kSysMenu);
    EXPECT_EQ(DialogOf("1 DIALOG 0, 0, 10, 10 CAPTION \"x\" { }").style,
              kPopup | kBorder | kSysMenu | kCaption);
    // STYLE replaces the default; a CAPTION before it is kept as text only.
    const oxres::DialogTemplate late = DialogOf("1 DIALOG 0,0,1,1 CAPTION \"c\" STYLE WS_POPUP {}");
    EXPECT_EQ(late.style, kPopup);
    EXPECT_EQ(late.caption, "c");
}

TEST(DialogScript, DialogExTakesHelpIdExStyleAndFontAttributes) {
    const oxres::DialogTemplate dialog = DialogOf(
        "2 DIALOGEX 0, 0, 50, 60, 99\nEXSTYLE WS_EX_TOOLWINDOW\nFONT 9, \"Sans\", 400, 0, 1\n"
        "BEGIN CONTROL \"Go\", 70000, \"MyButton\", BS_FLAT | NOT WS_VISIBLE, 1, 2, 3, 4 END");
    EXPECT_EQ(dialog.extendedStyle, 0x80u);
    EXPECT_EQ(dialog.fontSize, 9);
    ASSERT_EQ(dialog.items.size(), 1u);
    EXPECT_EQ(dialog.items[0].id, 70000);
    EXPECT_EQ(dialog.items[0].className, "MyButton");
    EXPECT_EQ(dialog.items[0].style, kChild | 0x8000u);
}

TEST(DialogScript, DialogSitsBesideOtherResourcesOfTheSameId) {
    oxrc::ResourceScript parsed = oxrc::ParseResourceScript(
        "16000 PiPL { 1 }\nSTRINGTABLE { 16000 \"a\" }\n16000 DIALOG 0,0,1,1 {}\n", "test.rc");
    ASSERT_EQ(parsed.resources.size(), 3u);
    EXPECT_EQ(parsed.resources[2].type, "DIALOG");
    EXPECT_EQ(ErrorOf("1 DIALOG 0,0,1,1 {}\n1 DIALOGEX 0,0,1,1 {}"),
              "test.rc:2: duplicate resource DIALOG 1 (first defined on line 1)");
}

TEST(DialogScript, MalformedDialogsNameTheirLine) {
    EXPECT_EQ(ErrorOf("1 DIALOG 0, 0, 10\nBEGIN END"),
              "test.rc:2: expected ',' before the height of the dialog, found 'BEGIN'");
    EXPECT_EQ(ErrorOf("1 DIALOG 0,0,1,1 STYLE WS_FANCY {}"), "test.rc:1: unknown style 'WS_FANCY'");
    EXPECT_EQ(ErrorOf("1 DIALOG 0,0,1,1 {\n RTEXT \"a\", 1, 0, 0, 1, 1\n}"),
              "test.rc:2: unsupported control 'RTEXT'");
    EXPECT_EQ(ErrorOf("1 DIALOG 0,0,1,1 { LTEXT \"a\", 70000, 0, 0, 1, 1 }"),
              "test.rc:1: control id 70000 is not within -1..65535");
    EXPECT_EQ(ErrorOf("1 DIALOG 0,0,40000,1 {}"),
              "test.rc:1: the width of the dialog 40000 is not within -32768..32767");
    EXPECT_EQ(ErrorOf("1 DIALOG 0,0,1,1 { LTEXT \"a\\0b\", 1, 0, 0, 1, 1 }"),
              "test.rc:1: the control's text holds a NUL byte");
    EXPECT_EQ(ErrorOf("1 DIALOG 0,0,1,1 STYLE | WS_POPUP {}"),
              "test.rc:1: expected a style number or name, found '|'");
    EXPECT_EQ(ErrorOf("1 DIALOG 0,0,1,1 { LTEXT \"a\", 1, 0, 0, 1, 1"),
              "test.rc:1: expected a control or END, found end of file");
}

TEST(DialogTemplateBytes, TruncatedOrForeignBytesAreRejected) {
    oxrc::ResourceScript parsed = oxrc::ParseResourceScript(kAboutBox, "test.rc");
    const Bytes& data = parsed.resources.at(0).data;
    oxres::DialogTemplate dialog;
    ASSERT_TRUE(oxres::ReadDialogTemplate(data.data(), data.size(), &dialog));
    for (size_t cut = 0; cut < data.size(); ++cut) {
        EXPECT_FALSE(oxres::ReadDialogTemplate(data.data(), cut, &dialog)) << cut;
    }
    Bytes otherVersion = data;
    otherVersion[4] = 2;
    EXPECT_FALSE(oxres::ReadDialogTemplate(otherVersion.data(), otherVersion.size(), &dialog));
    EXPECT_FALSE(oxres::ReadDialogTemplate(nullptr, 0, &dialog));
}

}  // namespace
