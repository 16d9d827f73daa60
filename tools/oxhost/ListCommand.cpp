// oxhost list and oxhost about.
#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "Commands.h"
#include "ImageModes.h"
#include "PluginLookup.h"
#include "host/HostError.h"
#include "host/module/PluginCatalog.h"
#include "host/module/PluginModule.h"
#include "host/nativedialog/FltkBoxFace.h"
#include "host/nativedialog/NativeDialogSuiteTable.h"
#include "host/nativedialog/ScriptedBoxFace.h"
#include "host/nativedialog/Windows1252.h"
#include "host/run/FilterRun.h"
#include "host/run/ResultNames.h"

namespace oxhost {
namespace {

std::string ModeNames(const PiplProperties& pipl) {
    static const char* const names[] = {"Bitmap", "Gray",  "Indexed",      "RGB",     "CMYK",
                                        "HSL",    "HSB",   "Multichannel", "Duotone", "Lab",
                                        "Gray16", "RGB48", "Lab48",        "CMYK64"};
    std::string text;
    for (int mode = 0; mode < int(sizeof(names) / sizeof(names[0])); ++mode) {
        if (pipl.SupportsMode(mode)) {
            text += (text.empty() ? "" : ",") + std::string(names[mode]);
        }
    }
    return text.empty() ? "-" : text;
}

}  // namespace

int ListCommand(const Options& options) {
    if (!options.arguments.empty()) {
        throw UsageError("list takes no arguments");
    }
    PluginCatalog catalog;
    for (const std::string& folder : PluginFolders(options.pluginFolders)) {
        catalog.AddFolder(folder);
    }
    size_t nameWidth = 4;
    size_t categoryWidth = 8;
    for (const CatalogEntry& entry : catalog.Plugins()) {
        nameWidth = std::max(nameWidth, entry.pipl.name.size());
        categoryWidth = std::max(categoryWidth, entry.pipl.category.size());
    }
    std::printf("%-*s  %-*s  %-10s  %s\n", int(nameWidth), "NAME", int(categoryWidth), "CATEGORY",
                "MODES", "FILE");
    for (const CatalogEntry& entry : catalog.Plugins()) {
        std::printf("%-*s  %-*s  %-10s  %s\n", int(nameWidth), entry.pipl.name.c_str(),
                    int(categoryWidth), entry.pipl.category.c_str(), ModeNames(entry.pipl).c_str(),
                    entry.path.c_str());
    }
    for (const RejectedModule& rejected : catalog.Rejected()) {
        std::fprintf(stderr, "oxhost: skipped %s: %s\n", rejected.path.c_str(),
                     rejected.error.c_str());
    }
    if (catalog.Plugins().empty()) {
        std::fprintf(stderr, "oxhost: no plug-ins found\n");
        return kExitFailed;
    }
    return kExitDone;
}

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
