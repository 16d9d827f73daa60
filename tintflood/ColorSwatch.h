// A dialog item that shows an RGB colour in a framed box and, when clicked,
// lets the user pick a new one with the host's colour picker.
#pragma once

#include "ItemWrapper.h"
#include "TintfloodSettings.h"

class CColorSwatch : public CItemWrapper {
public:
    // Wraps an existing user item; the owner sets the colour afterwards.
    explicit CColorSwatch(ADMItemRef item) : CItemWrapper(item, 0) {}
    ~CColorSwatch() override;

    // Asks the toolkit for mouse releases on top of the base set-up.
    SPErr Init() override;
    // Outer frame black (the disabled colour when disabled), an inner white
    // frame, and the colour filling what is left inside.
    void Draw(ADMDrawerRef drawer) override;
    // A mouse release asks for a notification.
    bool Track(ADMTrackerRef tracker) override;
    // Passes the notification on; a user change opens the colour picker.
    void Notify(ADMNotifierRef notifier) override;

    RGBColor16 color{0, 0, 0};
};
