#include "host/dialog/FltkDialogWindow.h"

#include <FL/Fl.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Double_Window.H>
#include <FL/fl_draw.H>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>

#include "host/dialog/DialogSession.h"
#include "host/dialog/FltkPicture.h"

namespace oxhost {

// The window knows when it has been drawn once, so that the face acts on
// it only when a user could see it.
class DialogWindowWidget : public Fl_Double_Window {
public:
    using Fl_Double_Window::Fl_Double_Window;
    void draw() override {
        Fl_Double_Window::draw();
        drawn = true;
    }
    bool drawn = false;
};

FltkDialogWindow::FltkDialogWindow(DialogSession& session) : session(session) {
    ToolkitDialog& dialog = session.Dialog();
    const int width = dialog.localRect.right - dialog.localRect.left;
    const int height = dialog.localRect.bottom - dialog.localRect.top;
    window = std::make_unique<DialogWindowWidget>(width > 0 ? width : 1, height > 0 ? height : 1);
    window->copy_label(dialog.caption.c_str());
    window->callback(OnClose, this);
    window->set_modal();
    // By index: building widgets calls no plug-in code, but stay safe.
    for (size_t i = 0; i < dialog.items.size(); ++i) {
        ToolkitItem& item = *dialog.items[i];
        const Fl_Image* picture = nullptr;
        if (item.kind == kADMPicturePushButtonType) {
            pictures.push_back(std::make_unique<FltkPicture>(dialog.plugin, item.pictureId));
            picture = pictures.back()->Image();
        }
        Fl_Widget* widget = MakeItemWidget(item, *this, picture, item.id == dialog.defaultItemId);
        widgets.emplace_back(&item, widget);
    }
    window->end();
}

FltkDialogWindow::~FltkDialogWindow() {
    if (window) {
        window->hide();
    }
    window.reset();  // deletes every widget before the pictures go
}

void FltkDialogWindow::Show() {
    window->show();
    while (window->shown() && !window->drawn) {
        Fl::wait(0.05);
    }
    Fl::flush();
}

bool FltkDialogWindow::Running() const {
    return !closed && !session.Ended() && window->shown();
}

bool FltkDialogWindow::Press(int32_t id) {
    ToolkitItem* item = session.Dialog().FindItem(id);
    if (item == nullptr || !session.IsLive(*item)) {
        return false;
    }
    const bool done = session.Click(*item);
    AfterAction();
    return done;
}

void FltkDialogWindow::Close() {
    window->do_callback();
}

void FltkDialogWindow::Clicked(ToolkitItem& item) {
    session.Click(item);
    AfterAction();
}

void FltkDialogWindow::Typed(ToolkitItem& item, const char* text) {
    errno = 0;
    char* end = nullptr;
    const long number = std::strtol(text, &end, 10);
    if (end != text && errno == 0) {
        // Beyond 32 bits the model's limits keep it anyway.
        const long kept = number < INT32_MIN ? INT32_MIN : number > INT32_MAX ? INT32_MAX : number;
        session.TypeValue(item, int32_t(kept));
    }
    AfterAction();  // shows the number kept, or the old one for bad text
}

void FltkDialogWindow::Chosen(ToolkitItem& item, int32_t index) {
    session.ChooseEntry(item, index);
    AfterAction();
}

const Drawing& FltkDialogWindow::Drawn(ToolkitItem& item) {
    return session.Draw(item);
}

void FltkDialogWindow::OnClose(Fl_Widget*, void* self) {
    // Closing the window, or Escape, is pressing Cancel.
    auto& shown = *static_cast<FltkDialogWindow*>(self);
    ToolkitItem* cancel = shown.session.Dialog().FindItem(shown.session.Dialog().cancelItemId);
    if (cancel == nullptr || !shown.session.Click(*cancel)) {
        shown.closed = true;
    }
    shown.AfterAction();
}

void FltkDialogWindow::AfterAction() {
    for (auto& [item, widget] : widgets) {
        if (session.IsLive(*item)) {
            ShowItemState(*widget, *item);
        } else if (widget->visible()) {
            widget->hide();  // the plug-in destroyed the item
        }
    }
    if (closed || session.Ended()) {
        window->hide();
    }
}

ShownDialog FltkDialogWindow::Describe(bool capture) const {
    ShownDialog shown;
    shown.caption = window->label() != nullptr ? window->label() : "";
    shown.width = window->w();
    shown.height = window->h();
    for (const auto& [item, widget] : widgets) {
        if (!session.IsLive(*item)) {
            continue;
        }
        ShownItem entry;
        entry.id = item->id;
        entry.itemKind = item->kind;
        entry.widgetKind = WidgetKindOf(*widget);
        entry.x = widget->x();
        entry.y = widget->y();
        entry.width = widget->w();
        entry.height = widget->h();
        entry.active = widget->active() != 0;
        entry.visible = widget->visible() != 0;
        const auto* button = dynamic_cast<const Fl_Button*>(widget);
        entry.checked = button != nullptr && button->value() != 0;
        entry.hasPicture = widget->image() != nullptr;
        entry.text = ShownTextOf(*widget);
        entry.tooltip = widget->tooltip() != nullptr ? widget->tooltip() : "";
        shown.items.push_back(std::move(entry));
    }
    if (capture) {
        shown.picture = Capture();
    }
    return shown;
}

Document FltkDialogWindow::Capture() const {
    Document picture;
    if (!window->shown()) {
        return picture;
    }
    window->make_current();
    const int width = window->w();
    const int height = window->h();
    // fl_read_image hands out memory of new[]; the holder gives it back.
    const std::unique_ptr<uchar[]> pixels(fl_read_image(nullptr, 0, 0, width, height));
    if (!pixels) {
        return picture;
    }
    picture.width = width;
    picture.height = height;
    picture.pixels.assign(pixels.get(), pixels.get() + size_t(width) * size_t(height) * 3);
    return picture;
}

}  // namespace oxhost
