#include "host/nativedialog/FltkBoxWindow.h"

#include <FL/Fl.H>
#include <FL/Fl_Button.H>
#include <FL/fl_draw.H>

#include <string>

#include "host/nativedialog/Windows1252.h"

namespace oxhost {
namespace {

// The face's one font: about 6 x 13 px per average character, as the
// dialog unit conversion in BoxLayout.h assumes.
constexpr Fl_Font kBoxFont = FL_HELVETICA;
constexpr Fl_Fontsize kBoxFontSize = 11;
constexpr Fl_Fontsize kSmallestFontSize = 8;
constexpr int kButtonMargins = 8;
// Windows sends the cancel command when a box's close button is used.
constexpr int32_t kCancelItem = 2;

}  // namespace

// One item; its UTF-8 text lives here, since FLTK widgets only point at labels.
class BoxItemWidget {
public:
    virtual ~BoxItemWidget() = default;
    virtual Fl_Widget& Widget() = 0;
    virtual void SetText(const std::string& windows1252) = 0;
};

namespace {

// Static text: drawn as is, line feeds break lines, long lines wrap, and
// '@' is no symbol.
class StaticTextWidget : public Fl_Widget, public BoxItemWidget {
public:
    StaticTextWidget(const PixelRect& bounds)
        : Fl_Widget(bounds.x, bounds.y, bounds.width, bounds.height) {}
    Fl_Widget& Widget() override { return *this; }
    void SetText(const std::string& windows1252) override {
        text = Windows1252ToUtf8(windows1252);
        redraw();
    }
    void draw() override {
        fl_font(kBoxFont, kBoxFontSize);
        fl_color(active_r() ? FL_FOREGROUND_COLOR : fl_inactive(FL_FOREGROUND_COLOR));
        fl_draw(text.c_str(), x(), y(), w(), h(),
                Fl_Align(FL_ALIGN_TOP_LEFT | FL_ALIGN_INSIDE | FL_ALIGN_WRAP | FL_ALIGN_CLIP),
                nullptr, 0);
    }

private:
    std::string text;
};

class PushButtonWidget : public Fl_Button, public BoxItemWidget {
public:
    PushButtonWidget(const PixelRect& bounds)
        : Fl_Button(bounds.x, bounds.y, bounds.width, bounds.height) {
        labelfont(kBoxFont);
        labelsize(kBoxFontSize);
        // Keys belong to the box, not to the button.
        clear_visible_focus();
    }
    Fl_Widget& Widget() override { return *this; }
    void SetText(const std::string& windows1252) override {
        // '@' starts a symbol and '&' a shortcut in FLTK labels.
        std::string escaped;
        for (const char c : Windows1252ToUtf8(windows1252)) {
            escaped += c;
            if (c == '@' || c == '&') {
                escaped += c;
            }
        }
        text = escaped;
        label(text.c_str());
        // Our font runs a little wider than the one the box was laid out
        // for: a label that would not fit gets smaller type.
        Fl_Fontsize size = kBoxFontSize;
        fl_font(kBoxFont, size);
        while (size > kSmallestFontSize && fl_width(text.c_str()) > w() - kButtonMargins) {
            fl_font(kBoxFont, --size);
        }
        labelsize(size);
        redraw();
    }

private:
    std::string text;
};

}  // namespace

FltkBoxWindow::FltkBoxWindow(ModalBox& box)
    : Fl_Double_Window(box.Layout().width, box.Layout().height), box(box) {
    copy_label(Windows1252ToUtf8(box.Layout().caption).c_str());
    for (const BoxItem& item : box.Layout().items) {
        BoxItemWidget* widget = nullptr;
        if (item.kind == BoxItemKind::PushButton) {
            auto* button = new PushButtonWidget(item.bounds);
            button->callback(PressCallback, this);
            widget = button;
        } else {
            widget = new StaticTextWidget(item.bounds);
        }
        // Created between begin() and end(): the window owns the widget.
        if (!item.visible) {
            widget->Widget().hide();
        }
        if (!item.enabled) {
            widget->Widget().deactivate();
        }
        widget->SetText(item.text);
        items[item.id] = widget;
    }
    end();
    callback(CloseCallback, this);
}

void FltkBoxWindow::RefreshItem(int32_t itemId) {
    const auto found = items.find(itemId);
    const BoxItem* item = box.Item(itemId);
    if (found != items.end() && item != nullptr) {
        found->second->SetText(item->text);
    }
}

void FltkBoxWindow::PressCallback(Fl_Widget* widget, void* data) {
    auto* window = static_cast<FltkBoxWindow*>(data);
    for (const auto& item : window->items) {
        if (&item.second->Widget() == widget) {
            window->box.Press(item.first);
            return;
        }
    }
}

void FltkBoxWindow::CloseCallback(Fl_Widget* /*widget*/, void* data) {
    static_cast<FltkBoxWindow*>(data)->box.Press(kCancelItem);
}

bool FltkBoxWindow::TypeKey() {
    const int key = Fl::event_key();
    uint8_t byte = 0;
    if (key == FL_Escape) {
        byte = 27;
    } else if (key == FL_Enter || key == FL_KP_Enter) {
        byte = 13;
    } else if (!TypedByte(Fl::event_text(), Fl::event_length(), byte)) {
        return false;
    }
    box.Type(byte);
    return true;
}

int FltkBoxWindow::handle(int event) {
    switch (event) {
        case FL_KEYBOARD:
            // Handled here, Escape never reaches FLTK's default close.
            if (TypeKey()) {
                return 1;
            }
            break;
        case FL_PUSH:
            if (Fl_Double_Window::handle(event) != 0) {
                return 1;  // an enabled button took it
            }
            if (Fl::event_button() == FL_LEFT_MOUSE) {
                box.ClickBackground();
            }
            return 1;
        default:
            break;
    }
    return Fl_Double_Window::handle(event);
}

}  // namespace oxhost
