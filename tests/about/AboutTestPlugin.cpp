// The plug-in object of the About tests: its about selector shows the About
// box the way both deliverables do.
#include "AboutBox.h"
#include "PluginObject.h"

namespace {

class AboutTestPlugin : public PluginObject {
protected:
    int16_t DoAbout() override {
        ShowAboutBox(aboutRecord->plugInRef, 16000);
        return 0;
    }
};

}  // namespace

PluginObject* CreatePluginObject() {
    return new AboutTestPlugin;
}
