// oxhost about on Linux: the plug-in's About box served by the host's native
// dialog suite, in an FLTK window or, with --text, from a script.
#include <cstdio>
#include <cstdlib>

#include "Commands.h"
#include "PluginLookup.h"
#include "host/HostError.h"
#include "host/module/PluginModule.h"
#include "host/nativedialog/FltkBoxFace.h"
#include "host/nativedialog/NativeDialogSuiteTable.h"
#include "host/nativedialog/ScriptedBoxFace.h"
#include "host/nativedialog/Windows1252.h"
#include "host/run/FilterRun.h"
#include "host/run/ResultNames.h"

namespace oxhost {
namespace {

// Calls the plug-in's about selector with the native boxes served by `face`.
bool RunAboutWith(NativeDialogFace& face, const std::string& modulePath) {
    NativeDialogRegistration registration(face);
    auto module = PluginModule::Open(modulePath);
    const int16_t result = RunAbout(module->Entry(), module.get());
    if (result != 0) {
        std::fprintf(stderr, "oxhost: about failed: %s\n", DescribeResult(result).c_str());
        return false;
    }
    return true;
}

// The box as text: its static texts, then its buttons' labels in brackets.
void PrintBox(const ShownBox& box) {
    for (const BoxItem& item : box.layout.items) {
        const auto text = box.texts.find(item.id);
        if (!item.visible || text == box.texts.end()) {
            continue;
        }
        if (item.kind == BoxItemKind::StaticText) {
            std::printf("%s\n", Windows1252ToUtf8(text->second).c_str());
        } else if (item.kind == BoxItemKind::PushButton) {
            std::printf("[%s]\n", Windows1252ToUtf8(text->second).c_str());
        }
    }
}

int AboutAsText(const std::string& modulePath) {
    // Escape closes the box once its text is read.
    ScriptedBoxFace face({BoxStep::TypeCharacter(27)});
    if (!RunAboutWith(face, modulePath)) {
        return kExitFailed;
    }
    if (face.Shown().empty()) {
        throw HostError("the plug-in showed no About box");
    }
    PrintBox(face.Shown().front());
    return kExitDone;
}

int AboutInWindow(const std::string& modulePath) {
    const char* display = std::getenv("DISPLAY");
    if (display == nullptr || *display == '\0') {
        throw HostError(
            "about needs an X display to show the box and $DISPLAY is not set; "
            "'oxhost about --text PLUGIN' prints it instead");
    }
    if (!FltkBoxFace::OpenDisplay()) {
        throw HostError("cannot open the X display '" + std::string(display) +
                        "'; 'oxhost about --text PLUGIN' prints the box instead");
    }
    FltkBoxFace face(FltkBoxHooks::FromEnvironment());
    const bool done = RunAboutWith(face, modulePath);
    if (!face.HookProblem().empty()) {
        throw HostError("test hook: " + face.HookProblem());
    }
    return done ? kExitDone : kExitFailed;
}

}  // namespace

int AboutCommand(const Options& options) {
    if (options.arguments.size() != 1) {
        throw UsageError("about needs PLUGIN");
    }
    const std::string modulePath =
        FindPluginModule(options.arguments[0], PluginFolders(options.pluginFolders));
    return options.aboutText ? AboutAsText(modulePath) : AboutInWindow(modulePath);
}

}  // namespace oxhost
