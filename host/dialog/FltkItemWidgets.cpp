#include "host/dialog/FltkItemWidgets.h"

#include <FL/Enumerations.H>
#include <FL/Fl.H>
#include <FL/Fl_Box.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Check_Button.H>
#include <FL/Fl_Choice.H>
#include <FL/Fl_Image.H>
#include <FL/Fl_Input.H>
#include <FL/Fl_Int_Input.H>
#include <FL/Fl_Round_Button.H>
#include <FL/Fl_Widget.H>
#include <FL/fl_draw.H>

#include <string>

namespace oxhost {
namespace {

// The item and the face behind a widget; every item widget is one.
struct ItemBinding {
    ToolkitItem& item;
    ItemActions& actions;
};

template <class Base>
class BoundWidget : public Base, public ItemBinding {
public:
    BoundWidget(ToolkitItem& item, ItemActions& actions)
        : Base(item.bounds.left, item.bounds.top, item.bounds.right - item.bounds.left,
               item.bounds.bottom - item.bounds.top),
          ItemBinding{item, actions} {}
};

ItemBinding& BindingOf(Fl_Widget* widget) {
    return *dynamic_cast<ItemBinding*>(widget);
}

void OnPressed(Fl_Widget* widget, void*) {
    ItemBinding& binding = BindingOf(widget);
    binding.actions.Clicked(binding.item);
}

void OnTyped(Fl_Widget* widget, void*) {
    ItemBinding& binding = BindingOf(widget);
    binding.actions.Typed(binding.item, static_cast<Fl_Input*>(widget)->value());
}

void OnChosen(Fl_Widget* widget, void*) {
    ItemBinding& binding = BindingOf(widget);
    binding.actions.Chosen(binding.item, static_cast<Fl_Choice*>(widget)->value());
}

// Labels: '@' starts a symbol in every FLTK label, '&' marks a shortcut in
// button labels.
std::string PlainLabel(const std::string& text, bool isButton) {
    std::string label;
    for (const char c : text) {
        label += c;
        if (c == '@' || (c == '&' && isButton)) {
            label += c;
        }
    }
    return label;
}

// Menu entry texts: '/' would open a submenu, '\\' and a leading '_' are
// taken as markup, '&' marks a shortcut.
std::string MenuLabel(const std::string& text) {
    std::string label;
    for (const char c : text) {
        if (c == '/' || c == '\\' || c == '_') {
            label += '\\';
        } else if (c == '&' || c == '@') {
            label += c;
        }
        label += c;
    }
    return label;
}

Fl_Color ToolkitColor(int32_t code) {
    switch (code) {
        case kADMBlackColor:
            return FL_BLACK;
        case kADMWhiteColor:
            return FL_WHITE;
        case kADMDisabledColor:
            return fl_rgb_color(160, 160, 160);
        default:
            return FL_FOREGROUND_COLOR;
    }
}

// A user item: drawn by the plug-in, mouse releases go to its track callback.
class UserItemWidget : public BoundWidget<Fl_Widget> {
public:
    using BoundWidget::BoundWidget;

    void draw() override {
        fl_push_clip(x(), y(), w(), h());
        fl_color(parent() != nullptr ? parent()->color() : FL_BACKGROUND_COLOR);
        fl_rectf(x(), y(), w(), h());
        ReplayDrawing(actions.Drawn(item), x(), y());
        shownDrawCount = item.drawCount;
        fl_pop_clip();
    }

    // The plug-in asked for a redraw, or drew the item without this widget.
    bool Stale() const { return item.invalid || item.drawCount != shownDrawCount; }

    int handle(int event) override {
        switch (event) {
            case FL_PUSH:
                return 1;  // keeps the mouse until it is released
            case FL_RELEASE:
                if (Fl::event_inside(this)) {
                    actions.Clicked(item);
                }
                return 1;
            case FL_ENTER:
            case FL_LEAVE:
                return 1;  // shows the tooltip
            default:
                return Fl_Widget::handle(event);
        }
    }

private:
    int32_t shownDrawCount = -1;
};

// A frame or group box; one pixel high or wide it is an etched line.
class FrameWidget : public BoundWidget<Fl_Box> {
public:
    using BoundWidget::BoundWidget;

    void draw() override {
        if (h() <= 2 || w() <= 2) {
            fl_color(FL_DARK3);
            fl_xyline(x(), y(), x() + w() - 1);
            fl_color(FL_LIGHT3);
            fl_xyline(x(), y() + 1, x() + w() - 1);
            return;
        }
        draw_box(FL_ENGRAVED_FRAME, color());
        draw_label();
    }
};

Fl_Widget* MakeButton(ToolkitItem& item, ItemActions& actions, const Fl_Image* picture,
                      bool isDefault) {
    auto* button = new BoundWidget<Fl_Button>(item, actions);
    button->callback(OnPressed);
    if (isDefault) {
        button->shortcut(FL_Enter);
    }
    if (item.kind == kADMPicturePushButtonType && picture != nullptr) {
        button->image(const_cast<Fl_Image*>(picture));  // not owned: FLTK never frees it
    }
    return button;
}

Fl_Widget* MakeNumberField(ToolkitItem& item, ItemActions& actions) {
    auto* field = new BoundWidget<Fl_Int_Input>(item, actions);
    field->when(FL_WHEN_RELEASE | FL_WHEN_ENTER_KEY);
    field->callback(OnTyped);
    field->textsize(kItemTextSize);
    return field;
}

Fl_Widget* MakePopup(ToolkitItem& item, ItemActions& actions) {
    auto* popup = new BoundWidget<Fl_Choice>(item, actions);
    popup->callback(OnChosen);
    popup->textsize(kItemTextSize);
    return popup;
}

Fl_Widget* MakeStaticText(ToolkitItem& item, ItemActions& actions) {
    auto* text = new BoundWidget<Fl_Box>(item, actions);
    text->box(FL_NO_BOX);
    text->align(FL_ALIGN_LEFT | FL_ALIGN_INSIDE);
    return text;
}

// Texts placed for a smaller system font may not fit at kItemTextSize: they
// shrink, down to a size still readable, and only past that spill over
// their bounds (cutting them would hide words).
void FitLabelSize(Fl_Widget& widget) {
    constexpr int kSmallestTextSize = 10;
    constexpr int kLabelMargins = 6;  // FLTK insets a left-aligned label by 3 on each side
    int size = kItemTextSize;
    if (widget.label() != nullptr) {
        for (; size > kSmallestTextSize; --size) {
            fl_font(widget.labelfont(), size);
            if (fl_width(widget.label()) <= widget.w() - kLabelMargins) {
                break;
            }
        }
    }
    widget.labelsize(size);
}

void ShowPopupEntries(Fl_Choice& popup, const PopupList& list) {
    popup.clear();
    int active = -1;
    for (size_t i = 0; i < list.entries.size(); ++i) {
        popup.add(MenuLabel(list.entries[i]->text).c_str());
        if (list.entries[i].get() == list.active) {
            active = int(i);
        }
    }
    popup.value(active);
}

void ShowEnabling(Fl_Widget& widget, const ToolkitItem& item) {
    if (item.enabled && !widget.active()) {
        widget.activate();
    } else if (!item.enabled && widget.active()) {
        widget.deactivate();
    }
    if (item.visible && !widget.visible()) {
        widget.show();
    } else if (!item.visible && widget.visible()) {
        widget.hide();
    }
}

}  // namespace

Fl_Widget* MakeItemWidget(ToolkitItem& item, ItemActions& actions, const Fl_Image* picture,
                          bool isDefault) {
    Fl_Widget* widget = nullptr;
    if (item.kind == kADMTextPushButtonType || item.kind == kADMPicturePushButtonType) {
        widget = MakeButton(item, actions, picture, isDefault);
    } else if (item.kind == kADMTextCheckBoxType) {
        widget = new BoundWidget<Fl_Check_Button>(item, actions);
        widget->callback(OnPressed);
    } else if (item.kind == kADMTextRadioButtonType) {
        widget = new BoundWidget<Fl_Round_Button>(item, actions);
        widget->callback(OnPressed);
    } else if (item.kind == kADMTextEditType) {
        widget = MakeNumberField(item, actions);
    } else if (item.kind == kADMPopupListType) {
        widget = MakePopup(item, actions);
    } else if (item.kind == kADMFrameType) {
        widget = new FrameWidget(item, actions);
    } else if (item.kind == kADMUserType) {
        widget = new UserItemWidget(item, actions);
    } else {
        widget = MakeStaticText(item, actions);
    }
    widget->labelsize(kItemTextSize);
    ShowItemState(*widget, item);
    return widget;
}

void ShowItemState(Fl_Widget& widget, ToolkitItem& item) {
    const bool isButton = dynamic_cast<Fl_Button*>(&widget) != nullptr;
    if (dynamic_cast<Fl_Input*>(&widget) == nullptr &&
        dynamic_cast<Fl_Choice*>(&widget) == nullptr) {
        const std::string label = PlainLabel(item.text, isButton);
        if (widget.label() == nullptr || label != widget.label()) {
            widget.copy_label(label.c_str());
            if (item.kind == kADMTextStaticType) {
                FitLabelSize(widget);
            }
        }
    }
    const char* tooltip = widget.tooltip();
    if (tooltip == nullptr ? !item.tip.empty() : item.tip != tooltip) {
        widget.copy_tooltip(item.tip.empty() ? nullptr : item.tip.c_str());
    }
    if (item.kind == kADMTextCheckBoxType || item.kind == kADMTextRadioButtonType) {
        static_cast<Fl_Button&>(widget).value(item.on ? 1 : 0);
    } else if (auto* field = dynamic_cast<Fl_Input*>(&widget)) {
        const std::string number = std::to_string(item.value);
        if (number != field->value()) {
            field->value(number.c_str());
        }
    } else if (auto* popup = dynamic_cast<Fl_Choice*>(&widget)) {
        if (item.list) {
            ShowPopupEntries(*popup, *item.list);
        }
    } else if (auto* userItem = dynamic_cast<UserItemWidget*>(&widget)) {
        if (userItem->Stale()) {
            widget.redraw();
        }
    }
    ShowEnabling(widget, item);
}

const char* WidgetKindOf(const Fl_Widget& widget) {
    const Fl_Widget* shown = &widget;
    if (dynamic_cast<const UserItemWidget*>(shown) != nullptr) {
        return "user item";
    }
    if (dynamic_cast<const FrameWidget*>(shown) != nullptr) {
        return "frame";
    }
    if (dynamic_cast<const Fl_Check_Button*>(shown) != nullptr) {
        return "check box";
    }
    if (dynamic_cast<const Fl_Round_Button*>(shown) != nullptr) {
        return "radio button";
    }
    if (dynamic_cast<const Fl_Button*>(shown) != nullptr) {
        return "button";
    }
    if (dynamic_cast<const Fl_Int_Input*>(shown) != nullptr) {
        return "number field";
    }
    if (dynamic_cast<const Fl_Choice*>(shown) != nullptr) {
        return "popup";
    }
    return "text";
}

std::string ShownTextOf(const Fl_Widget& widget) {
    if (const auto* field = dynamic_cast<const Fl_Input*>(&widget)) {
        return field->value();
    }
    if (const auto* popup = dynamic_cast<const Fl_Choice*>(&widget)) {
        const Fl_Menu_Item* chosen = popup->mvalue();
        return chosen != nullptr && chosen->label() != nullptr ? chosen->label() : "";
    }
    if (widget.label() == nullptr) {
        return "";
    }
    // Undoes PlainLabel.
    const bool isButton = dynamic_cast<const Fl_Button*>(&widget) != nullptr;
    std::string text;
    for (const char* c = widget.label(); *c != '\0'; ++c) {
        text += *c;
        if ((*c == '@' || (*c == '&' && isButton)) && c[1] == *c) {
            ++c;
        }
    }
    return text;
}

void ReplayDrawing(const Drawing& drawing, int x, int y) {
    fl_color(FL_BLACK);
    for (const DrawOperation& operation : drawing) {
        const ADMRect& rect = operation.rect;
        const int width = rect.right - rect.left;
        const int height = rect.bottom - rect.top;
        switch (operation.kind) {
            case DrawOperation::Kind::ToolkitColor:
                fl_color(ToolkitColor(operation.color));
                break;
            case DrawOperation::Kind::RgbColor:
                fl_color(uchar(operation.rgb.red >> 8), uchar(operation.rgb.green >> 8),
                         uchar(operation.rgb.blue >> 8));
                break;
            case DrawOperation::Kind::Outline:
                if (width > 0 && height > 0) {
                    fl_rect(x + rect.left, y + rect.top, width, height);
                }
                break;
            case DrawOperation::Kind::Fill:
                if (width > 0 && height > 0) {
                    fl_rectf(x + rect.left, y + rect.top, width, height);
                }
                break;
        }
    }
}

}  // namespace oxhost
