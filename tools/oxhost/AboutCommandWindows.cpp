// oxhost about on Windows: the plug-in shows its About box itself, a dialog
// box of the system built from its own resources; the host only calls the
// about selector and opens the site button's address with the shell. Without
// a person at the screen the box is worked by AboutActionWatcher.
#include <cstdio>
#include <cstdlib>
#include <memory>

#include "AboutTestActions.h"
#include "Commands.h"
#include "PluginLookup.h"
#include "host/dialog/PluginReference.h"
#include "host/dialog/WebBrowser.h"
#include "host/module/PluginModule.h"
#include "host/nativedialog/BrowserLauncher.h"
#include "host/run/FilterRun.h"
#include "host/run/ResultNames.h"

namespace oxhost {
namespace {

// The site button's BrowseUrl opens the address for as long as this lives.
class BrowserForAbout {
public:
    BrowserForAbout() {
        SetWebBrowser([](const std::string& address) {
            LaunchBrowser(address);
            return SPErr(kSPNoError);
        });
    }
    ~BrowserForAbout() { SetWebBrowser(nullptr); }
    BrowserForAbout(const BrowserForAbout&) = delete;
    BrowserForAbout& operator=(const BrowserForAbout&) = delete;
};

// --text reads the box and closes it as Escape typed into it would; the
// test hook's actions otherwise; none for a person at the screen.
std::vector<AboutAction> WatcherActions(bool asText) {
    if (asText) {
        AboutAction print;
        print.kind = AboutAction::Kind::PrintBox;
        print.name = "print";
        AboutAction escape;
        escape.kind = AboutAction::Kind::Character;
        escape.character = 27;
        escape.name = "char:27";
        return {print, escape};
    }
    const char* actions = std::getenv(kAboutActionsVariable);
    return actions != nullptr ? ParseAboutActions(actions) : std::vector<AboutAction>{};
}

}  // namespace

int AboutCommand(const Options& options) {
    if (options.arguments.size() != 1) {
        throw UsageError("about needs PLUGIN");
    }
    const std::vector<AboutAction> actions = WatcherActions(options.aboutText);
    const auto module = PluginModule::Open(
        FindPluginModule(options.arguments[0], PluginFolders(options.pluginFolders)));
    const PluginReference reference(*module);
    const BrowserForAbout browser;

    std::unique_ptr<AboutActionWatcher> watcher;
    if (!actions.empty()) {
        watcher = std::make_unique<AboutActionWatcher>(actions);
    }
    const int16_t result = RunAbout(module->Entry(), reference.Get());
    const bool boxSeen = watcher ? watcher->BoxAppeared() : true;
    if (watcher && !options.aboutText) {
        std::printf("about result: %d\n", result);
        std::printf("about box: %s\n", boxSeen ? "closed" : "never shown");
    }
    if (result != 0) {
        std::fprintf(stderr, "oxhost: about failed: %s\n", DescribeResult(result).c_str());
        return kExitFailed;
    }
    if (!boxSeen) {
        std::fprintf(stderr, "oxhost: the plug-in showed no About box\n");
        return kExitFailed;
    }
    return kExitDone;
}

}  // namespace oxhost
