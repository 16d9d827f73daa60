#include "host/dialog/DialogShell.h"

#include <vector>

#include "bridge/platform/linux/DialogTemplate.h"
#include "host/HostError.h"
#include "host/dialog/DialogModel.h"
#include "host/dialog/PluginAccessTable.h"
#include "host/module/ModuleFile.h"

namespace oxhost {
namespace {

constexpr int32_t kDefaultWidth = 300;
constexpr int32_t kDefaultHeight = 200;

// Dialog units to pixels for the 8-point system font the resources name:
// a unit is a quarter of the font's average width (6 pixels) across and an
// eighth of its height (13 pixels) down.
int32_t HorizontalPixels(int32_t units) {
    return units * 6 / 4;
}
int32_t VerticalPixels(int32_t units) {
    return units * 13 / 8;
}

ADMRect PixelBounds(const oxres::DialogItem& item) {
    const int32_t left = HorizontalPixels(item.x);
    const int32_t top = VerticalPixels(item.y);
    return {left, top, left + HorizontalPixels(item.width), top + VerticalPixels(item.height)};
}

}  // namespace

std::optional<DialogShell> DialogShellFromResource(const unsigned char* data, size_t size) {
    oxres::DialogTemplate dialog;
    if (!oxres::ReadDialogTemplate(data, size, &dialog)) {
        return std::nullopt;
    }
    DialogShell shell = DefaultDialogShell(dialog.caption);
    shell.width = HorizontalPixels(dialog.width);
    shell.height = VerticalPixels(dialog.height);
    for (const oxres::DialogItem& item : dialog.items) {
        if (item.id == kResourceOkItemId) {
            shell.okBounds = PixelBounds(item);
        } else if (item.id == kResourceCancelItemId) {
            shell.cancelBounds = PixelBounds(item);
        }
    }
    return shell;
}

DialogShell DefaultDialogShell(const std::string& name) {
    DialogShell shell;
    shell.caption = name;
    shell.width = kDefaultWidth;
    shell.height = kDefaultHeight;
    shell.okBounds = {kDefaultWidth - 80, kDefaultHeight - 40, kDefaultWidth - 20,
                      kDefaultHeight - 20};
    shell.cancelBounds = {kDefaultWidth - 152, kDefaultHeight - 40, kDefaultWidth - 92,
                          kDefaultHeight - 20};
    return shell;
}

std::optional<DialogShell> ReadDialogShellOfModule(void* plugin, int32_t resourceId) {
    const PluginAccess* access = PluginAccessTable::Instance().Find(plugin);
    if (access == nullptr || access->modulePath.empty()) {
        return std::nullopt;
    }
    try {
        const auto bytes = ReadModuleResource(access->modulePath, "DIALOG", resourceId);
        return bytes ? DialogShellFromResource(bytes->data(), bytes->size()) : std::nullopt;
    } catch (const HostError&) {
        return std::nullopt;  // a module that cannot be read again still gets its dialog
    }
}

}  // namespace oxhost
