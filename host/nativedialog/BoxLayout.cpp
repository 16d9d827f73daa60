#include "host/nativedialog/BoxLayout.h"

#include <cctype>

namespace oxhost {
namespace {

// Window style bits of the template (the Windows values).
constexpr uint32_t kVisibleStyle = 0x10000000;
constexpr uint32_t kDisabledStyle = 0x08000000;
constexpr uint32_t kSystemMenuStyle = 0x00080000;
// The low four bits of a button's style say which kind of button it is.
constexpr uint32_t kButtonTypeMask = 0x0F;
constexpr uint32_t kPushButton = 0x0;
constexpr uint32_t kDefaultPushButton = 0x1;

// Rounds a * b / c to the nearest integer, halves away from zero.
int Scale(int value, int numerator, int denominator) {
    const long product = long(value) * numerator;
    const long half = denominator / 2;
    return int(product >= 0 ? (product + half) / denominator : (product - half) / denominator);
}

bool SameClass(const std::string& className, const char* expected) {
    size_t i = 0;
    for (; i < className.size() && expected[i] != '\0'; ++i) {
        if (std::toupper(static_cast<unsigned char>(className[i])) != expected[i]) {
            return false;
        }
    }
    return i == className.size() && expected[i] == '\0';
}

BoxItemKind KindOf(const oxres::DialogItem& item) {
    if (SameClass(item.className, "STATIC")) {
        return BoxItemKind::StaticText;
    }
    const uint32_t buttonType = item.style & kButtonTypeMask;
    if (SameClass(item.className, "BUTTON") &&
        (buttonType == kPushButton || buttonType == kDefaultPushButton)) {
        return BoxItemKind::PushButton;
    }
    return BoxItemKind::Other;
}

}  // namespace

int HorizontalPixels(int dialogUnits) {
    return Scale(dialogUnits, kDialogBaseUnitWidth, 4);
}

int VerticalPixels(int dialogUnits) {
    return Scale(dialogUnits, kDialogBaseUnitHeight, 8);
}

BoxLayout LayOutBox(const oxres::DialogTemplate& dialog) {
    BoxLayout layout;
    layout.width = HorizontalPixels(dialog.width);
    layout.height = VerticalPixels(dialog.height);
    layout.caption = dialog.caption;
    layout.hasSystemMenu = (dialog.style & kSystemMenuStyle) != 0;
    for (const oxres::DialogItem& source : dialog.items) {
        BoxItem item;
        item.id = source.id;
        item.kind = KindOf(source);
        item.visible = (source.style & kVisibleStyle) != 0;
        item.enabled = (source.style & kDisabledStyle) == 0;
        item.text = source.text;
        item.bounds = {HorizontalPixels(source.x), VerticalPixels(source.y),
                       HorizontalPixels(source.width), VerticalPixels(source.height)};
        layout.items.push_back(item);
    }
    return layout;
}

}  // namespace oxhost
