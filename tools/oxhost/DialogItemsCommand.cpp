// oxhost dialog-items: the items of a plug-in's options dialog, as a dialog
// script names them. The dialog is opened from the plug-in's parameters
// call without a window, looked at, and cancelled, so nothing is saved.
#include <cstdio>

#include "Commands.h"
#include "FilterSelectors.h"
#include "PluginLookup.h"
#include "host/dialog/PluginReference.h"
#include "RunDialog.h"
#include "host/HostError.h"
#include "host/dialog/DialogSession.h"
#include "host/module/PluginModule.h"
#include "host/run/FilterRun.h"
#include "host/scripting/OwnedHandle.h"

namespace oxhost {
namespace {

// "choose 0 = First, 1 = Second" for a popup; "" for other items.
std::string EntriesOf(const ToolkitItem& item) {
    if (!item.list) {
        return std::string();
    }
    std::string entries;
    for (size_t index = 0; index < item.list->entries.size(); ++index) {
        entries += (index == 0 ? "  [" : ", ") + std::to_string(index) + ": " +
                   item.list->entries[index]->text;
    }
    return entries.empty() ? entries : entries + "]";
}

std::vector<std::string> ItemLines(DialogSession& session) {
    std::vector<std::string> lines;
    for (const auto& item : session.Dialog().items) {
        char start[64];
        std::snprintf(start, sizeof start, "#%-6d %-15s ", int(item->id),
                      DialogSession::KindName(item->kind).c_str());
        const std::string label = session.Label(*item);
        lines.push_back(start + (label.empty() ? std::string("-") : label) +
                        (item->enabled ? "" : "  (disabled)") + EntriesOf(*item));
    }
    return lines;
}

}  // namespace

int DialogItemsCommand(const Options& options) {
    if (options.arguments.size() != 1) {
        throw UsageError("dialog-items needs PLUGIN");
    }
    auto module = PluginModule::Open(
        FindPluginModule(options.arguments[0], PluginFolders(options.pluginFolders)));
    const std::string name = PlainPluginName(module->Properties().name);

    std::vector<std::string> lines;
    bool shown = false;
    const std::unique_ptr<RunDialog> dialog =
        RunDialog::FromSteps({DialogStep::Inspect([&](DialogSession& session) {
                                  shown = true;
                                  lines = ItemLines(session);
                              }),
                              DialogStep::PressCancel()});
    Document page;
    page.width = 1;
    page.height = 1;
    page.pixels.assign(3, 255);
    const PluginReference reference(*module);
    OwnedHandle parameters;
    RunOptions runOptions;
    runOptions.plugInRef = reference.Get();
    runOptions.parameters = parameters.Receive();
    runOptions.callParameters = true;
    FilterRun run(module->Entry(), page, runOptions);
    run.Run();
    if (!shown) {
        throw HostError(name + " shows no options dialog");
    }
    std::printf(
        "The items of %s's options dialog; a dialog script names one by #ID or by its\n"
        "label (set LABEL = N, click LABEL, choose LABEL = ENTRY):\n",
        name.c_str());
    for (const std::string& line : lines) {
        std::printf("%s\n", line.c_str());
    }
    return kExitDone;
}

}  // namespace oxhost
