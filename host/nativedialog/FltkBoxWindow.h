// The FLTK window of one ModalBox: its items at their pixel bounds, the
// static texts drawn with their line breaks, the push buttons as buttons;
// keys, clicks and the window's close button become the box's messages.
// The window owns its item widgets (FLTK deletes a group's children with it).
#pragma once

#include <FL/Fl_Double_Window.H>

#include <cstdint>
#include <map>

#include "host/nativedialog/ModalBox.h"

namespace oxhost {

class BoxItemWidget;

class FltkBoxWindow : public Fl_Double_Window {
public:
    explicit FltkBoxWindow(ModalBox& box);
    FltkBoxWindow(const FltkBoxWindow&) = delete;
    FltkBoxWindow& operator=(const FltkBoxWindow&) = delete;

    // Shows the item's current text from the box.
    void RefreshItem(int32_t itemId);

    int handle(int event) override;

private:
    static void PressCallback(Fl_Widget* widget, void* data);
    static void CloseCallback(Fl_Widget* widget, void* data);
    bool TypeKey();

    ModalBox& box;
    std::map<int32_t, BoxItemWidget*> items;
};

}  // namespace oxhost
