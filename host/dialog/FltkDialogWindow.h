// The FLTK window of one running modal dialog: the dialog's caption and
// size, one widget per item at its bounds. User actions go through the
// DialogSession, and after each the widgets are brought in line with the
// model again (the plug-in changes enabling in its notify callbacks).
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "host/dialog/FltkItemWidgets.h"
#include "host/image/Document.h"

class Fl_Widget;

namespace oxhost {

class DialogSession;
class FltkPicture;
class DialogWindowWidget;

// An item's widget as the window shows it.
struct ShownItem {
    int32_t id = 0;
    std::string itemKind;    // the toolkit's kind of the item
    std::string widgetKind;  // "button", "check box", "radio button", "number field",
                             // "popup", "frame", "user item" or "text"
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    bool active = false;
    bool visible = false;
    bool checked = false;  // check boxes and radio buttons
    bool hasPicture = false;
    std::string text;  // label, number or popup entry shown
    std::string tooltip;
};

// The window as shown: what tests check and the README's picture.
struct ShownDialog {
    std::string caption;
    int width = 0;
    int height = 0;
    std::vector<ShownItem> items;  // in the order of the dialog's items
    Document picture;              // empty unless asked for
};

class FltkDialogWindow : public ItemActions {
public:
    // Builds the window and its widgets; shows nothing yet.
    explicit FltkDialogWindow(DialogSession& session);
    ~FltkDialogWindow() override;
    FltkDialogWindow(const FltkDialogWindow&) = delete;
    FltkDialogWindow& operator=(const FltkDialogWindow&) = delete;

    // Shows the window modally and returns once it has been drawn.
    void Show();
    // False once an item ended the dialog or the window was closed.
    bool Running() const;
    // Presses item `id` as a mouse click would; false when the item is
    // missing or refuses.
    bool Press(int32_t id);
    // Closes the window as the window manager does (counts as Cancel).
    void Close();
    // The widgets as they are now; with `capture`, the window's pixels too.
    ShownDialog Describe(bool capture) const;

    void Clicked(ToolkitItem& item) override;
    void Typed(ToolkitItem& item, const char* text) override;
    void Chosen(ToolkitItem& item, int32_t index) override;
    const Drawing& Drawn(ToolkitItem& item) override;

private:
    static void OnClose(Fl_Widget* window, void* self);
    void AfterAction();
    Document Capture() const;

    DialogSession& session;
    // Declared before the window: pictures outlive the buttons showing them.
    std::vector<std::unique_ptr<FltkPicture>> pictures;
    std::unique_ptr<DialogWindowWidget> window;
    std::vector<std::pair<ToolkitItem*, Fl_Widget*>> widgets;  // the window owns the widgets
    bool closed = false;
};

}  // namespace oxhost
