#include "DialogStatement.h"

#include <algorithm>
#include <cstdint>
#include <iterator>

namespace oxrc {

namespace {

struct NamedStyle {
    const char* name;
    uint32_t value;
};

// The style constants of windows.h that dialog scripts use.
constexpr NamedStyle kStyleNames[] = {{"WS_POPUP", 0x80000000u},
                                      {"WS_CHILD", 0x40000000u},
                                      {"WS_VISIBLE", 0x10000000u},
                                      {"WS_DISABLED", 0x08000000u},
                                      {"WS_CLIPSIBLINGS", 0x04000000u},
                                      {"WS_CLIPCHILDREN", 0x02000000u},
                                      {"WS_CAPTION", 0x00C00000u},
                                      {"WS_BORDER", 0x00800000u},
                                      {"WS_DLGFRAME", 0x00400000u},
                                      {"WS_VSCROLL", 0x00200000u},
                                      {"WS_HSCROLL", 0x00100000u},
                                      {"WS_SYSMENU", 0x00080000u},
                                      {"WS_THICKFRAME", 0x00040000u},
                                      {"WS_GROUP", 0x00020000u},
                                      {"WS_TABSTOP", 0x00010000u},
                                      {"DS_3DLOOK", 0x0004u},
                                      {"DS_FIXEDSYS", 0x0008u},
                                      {"DS_SETFONT", 0x0040u},
                                      {"DS_MODALFRAME", 0x0080u},
                                      {"DS_CENTER", 0x0800u},
                                      {"BS_PUSHBUTTON", 0x0000u},
                                      {"BS_DEFPUSHBUTTON", 0x0001u},
                                      {"BS_OWNERDRAW", 0x000Bu},
                                      {"BS_BITMAP", 0x0080u},
                                      {"BS_FLAT", 0x8000u},
                                      {"SS_LEFT", 0x0000u},
                                      {"SS_CENTER", 0x0001u},
                                      {"SS_RIGHT", 0x0002u},
                                      {"SS_BITMAP", 0x000Eu},
                                      {"SS_NOPREFIX", 0x0080u},
                                      {"WS_EX_DLGMODALFRAME", 0x0001u},
                                      {"WS_EX_TOPMOST", 0x0008u},
                                      {"WS_EX_TOOLWINDOW", 0x0080u}};

constexpr uint32_t kWsPopup = 0x80000000u;
constexpr uint32_t kWsChild = 0x40000000u;
constexpr uint32_t kWsVisible = 0x10000000u;
constexpr uint32_t kWsCaption = 0x00C00000u;
constexpr uint32_t kWsBorder = 0x00800000u;
constexpr uint32_t kWsSysMenu = 0x00080000u;
constexpr uint32_t kWsGroup = 0x00020000u;
constexpr uint32_t kWsTabStop = 0x00010000u;
constexpr uint32_t kDsSetFont = 0x0040u;
constexpr uint32_t kBsDefPushButton = 0x0001u;

// Control statements with a fixed class: their class and default style.
struct ControlKind {
    const char* keyword;
    const char* className;
    uint32_t style;
};
constexpr ControlKind kControlKinds[] = {
    {"DEFPUSHBUTTON", "BUTTON", kWsChild | kWsVisible | kWsTabStop | kBsDefPushButton},
    {"PUSHBUTTON", "BUTTON", kWsChild | kWsVisible | kWsTabStop},
    {"LTEXT", "STATIC", kWsChild | kWsVisible | kWsGroup}};

// Class words CONTROL accepts besides a quoted class name.
constexpr const char* kClassWords[] = {"BUTTON",  "STATIC",    "EDIT",
                                       "LISTBOX", "SCROLLBAR", "COMBOBOX"};

// Load and memory options that windres accepts after DIALOG and ignores.
constexpr const char* kMemoryOptions[] = {"DISCARDABLE", "MOVEABLE", "FIXED",     "PURE",
                                          "IMPURE",      "PRELOAD",  "LOADONCALL"};

bool IsOneOf(const std::string& word, const char* const* begin, const char* const* end) {
    return std::find_if(begin, end, [&](const char* entry) { return word == entry; }) != end;
}

class DialogParser {
public:
    DialogParser(TokenCursor& cursor, bool extended) : cursor_(cursor), extended_(extended) {}

    oxres::DialogTemplate Run() {
        while (
            cursor_.Current().kind == TokenKind::Word &&
            IsOneOf(cursor_.Current().text, std::begin(kMemoryOptions), std::end(kMemoryOptions))) {
            cursor_.Advance();
        }
        dialog_.style = kWsPopup | kWsBorder | kWsSysMenu;
        ParseRectangle(&dialog_.x, &dialog_.y, &dialog_.width, &dialog_.height, "the dialog");
        if (extended_ && cursor_.Current().kind == TokenKind::Comma) {
            cursor_.Advance();
            ParseInteger(0, UINT32_MAX, "the help id");
        }
        ParseOptions();
        if (!cursor_.AtBlockBegin()) {
            cursor_.FailAtCurrent("BEGIN or '{' for the dialog's controls");
        }
        cursor_.Advance();
        while (!cursor_.AtBlockEnd()) {
            ParseControl();
        }
        cursor_.Advance();
        return std::move(dialog_);
    }

private:
    const Token& Current() const { return cursor_.Current(); }

    int64_t ParseInteger(int64_t minimum, int64_t maximum, const std::string& what) {
        if (Current().kind != TokenKind::Number) {
            cursor_.FailAtCurrent(what);
        }
        const int64_t value = Current().number;
        if (value < minimum || value > maximum) {
            cursor_.Fail(Current().line, what + " " + std::to_string(value) + " is not within " +
                                             std::to_string(minimum) + ".." +
                                             std::to_string(maximum));
        }
        cursor_.Advance();
        return value;
    }

    int16_t ParseCoordinate(const std::string& what) {
        return static_cast<int16_t>(ParseInteger(INT16_MIN, INT16_MAX, what));
    }

    void ParseRectangle(int16_t* x, int16_t* y, int16_t* width, int16_t* height,
                        const std::string& owner) {
        *x = ParseCoordinate("the x of " + owner);
        cursor_.ExpectComma("the y of " + owner);
        *y = ParseCoordinate("the y of " + owner);
        cursor_.ExpectComma("the width of " + owner);
        *width = ParseCoordinate("the width of " + owner);
        cursor_.ExpectComma("the height of " + owner);
        *height = ParseCoordinate("the height of " + owner);
    }

    std::string ParseString(const std::string& what) {
        if (Current().kind != TokenKind::String) {
            cursor_.FailAtCurrent(what);
        }
        std::string text = Current().text;
        if (text.find('\0') != std::string::npos) {
            cursor_.Fail(Current().line, what + " holds a NUL byte");
        }
        cursor_.Advance();
        return text;
    }

    // term { '|' term }, a term being [NOT] number-or-name; starts from `style`.
    uint32_t ParseStyle(uint32_t style) {
        for (;;) {
            bool remove = false;
            if (cursor_.IsWord("NOT")) {
                remove = true;
                cursor_.Advance();
            }
            const uint32_t bits = ParseStyleTerm();
            style = remove ? style & ~bits : style | bits;
            if (Current().kind != TokenKind::Bar) {
                return style;
            }
            cursor_.Advance();
        }
    }

    uint32_t ParseStyleTerm() {
        if (Current().kind == TokenKind::Number) {
            return static_cast<uint32_t>(ParseInteger(INT32_MIN, UINT32_MAX, "a style"));
        }
        if (Current().kind == TokenKind::Word) {
            for (const NamedStyle& named : kStyleNames) {
                if (Current().text == named.name) {
                    cursor_.Advance();
                    return named.value;
                }
            }
            cursor_.Fail(Current().line, "unknown style " + DescribeToken(Current()));
        }
        cursor_.FailAtCurrent("a style number or name");
    }

    void ParseOptions() {
        for (;;) {
            if (cursor_.IsWord("STYLE")) {
                cursor_.Advance();
                dialog_.style = ParseStyle(0);
            } else if (cursor_.IsWord("EXSTYLE")) {
                cursor_.Advance();
                dialog_.extendedStyle = ParseStyle(0);
            } else if (cursor_.IsWord("CAPTION")) {
                cursor_.Advance();
                dialog_.caption = ParseString("the caption text");
                dialog_.style |= kWsCaption;
            } else if (cursor_.IsWord("FONT")) {
                cursor_.Advance();
                ParseFont();
            } else {
                return;
            }
        }
    }

    // FONT size, "name" [, weight, italic [, charset]]: only size and name are kept.
    void ParseFont() {
        dialog_.fontSize = static_cast<uint16_t>(ParseInteger(1, UINT16_MAX, "the font size"));
        cursor_.ExpectComma("the font name");
        dialog_.fontName = ParseString("the font name");
        while (extended_ && Current().kind == TokenKind::Comma) {
            cursor_.Advance();
            ParseInteger(0, UINT16_MAX, "a font attribute");
        }
        dialog_.style |= kDsSetFont;
    }

    void ParseControl() {
        if (Current().kind != TokenKind::Word) {
            cursor_.FailAtCurrent("a control or END");
        }
        if (cursor_.IsWord("CONTROL")) {
            cursor_.Advance();
            ParseGenericControl();
            return;
        }
        for (const ControlKind& kind : kControlKinds) {
            if (cursor_.IsWord(kind.keyword)) {
                cursor_.Advance();
                ParseFixedControl(kind);
                return;
            }
        }
        cursor_.Fail(Current().line, "unsupported control " + DescribeToken(Current()));
    }

    void ParseTextAndId(oxres::DialogItem* item) {
        item->text = ParseString("the control's text");
        cursor_.ExpectComma("the control id");
        item->id = static_cast<int32_t>(
            ParseInteger(extended_ ? INT32_MIN : -1, extended_ ? INT32_MAX : 0xFFFF, "control id"));
    }

    void ParseFixedControl(const ControlKind& kind) {
        oxres::DialogItem item;
        item.className = kind.className;
        ParseTextAndId(&item);
        cursor_.ExpectComma("the control's x");
        ParseRectangle(&item.x, &item.y, &item.width, &item.height, "the control");
        item.style = kind.style;
        if (Current().kind == TokenKind::Comma) {
            cursor_.Advance();
            item.style = ParseStyle(kind.style);
            if (Current().kind == TokenKind::Comma) {
                cursor_.Advance();
                item.extendedStyle = ParseStyle(0);
            }
        }
        dialog_.items.push_back(std::move(item));
    }

    void ParseGenericControl() {
        oxres::DialogItem item;
        ParseTextAndId(&item);
        cursor_.ExpectComma("the control's class");
        if (Current().kind == TokenKind::Word &&
            IsOneOf(Current().text, std::begin(kClassWords), std::end(kClassWords))) {
            item.className = Current().text;
            cursor_.Advance();
        } else {
            item.className = ParseString("the control's class");
        }
        cursor_.ExpectComma("the control's style");
        item.style = ParseStyle(kWsChild | kWsVisible);
        cursor_.ExpectComma("the control's x");
        ParseRectangle(&item.x, &item.y, &item.width, &item.height, "the control");
        if (Current().kind == TokenKind::Comma) {
            cursor_.Advance();
            item.extendedStyle = ParseStyle(0);
        }
        dialog_.items.push_back(std::move(item));
    }

    TokenCursor& cursor_;
    bool extended_;
    oxres::DialogTemplate dialog_;
};

}  // namespace

oxres::DialogTemplate ParseDialogStatement(TokenCursor& cursor, bool extended) {
    return DialogParser(cursor, extended).Run();
}

}  // namespace oxrc
