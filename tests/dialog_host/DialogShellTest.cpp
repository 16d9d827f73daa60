// Dialog shells from dialog resources: caption, size and button places in
// pixels, from bytes and from the built Tintflood module.
#include <gtest/gtest.h>

#include <cstdlib>

#include "bridge/platform/linux/DialogTemplate.h"
#include "host/dialog/DialogSession.h"
#include "host/dialog/DialogShell.h"
#include "host/dialog/DialogToolkit.h"
#include "host/dialog/PluginAccessTable.h"
#include "host/dialog/ToolkitSuites.h"
#include "support/ScratchFolder.h"

namespace dialogtest {
namespace {

TEST(DialogShell, ResourceGivesCaptionSizeAndButtonPlacesInPixels) {
    oxres::DialogTemplate dialog;
    dialog.width = 200;
    dialog.height = 80;
    dialog.caption = "Options";
    oxres::DialogItem ok;
    ok.id = 1;
    ok.x = 100;
    ok.y = 16;
    ok.width = 40;
    ok.height = 16;
    dialog.items.push_back(ok);
    const std::vector<unsigned char> bytes = oxres::WriteDialogTemplate(dialog);
    const auto shell = oxhost::DialogShellFromResource(bytes.data(), bytes.size());
    ASSERT_TRUE(shell.has_value());
    EXPECT_EQ(shell->caption, "Options");
    EXPECT_EQ(shell->width, 300);
    EXPECT_EQ(shell->height, 130);
    EXPECT_EQ(shell->okBounds.left, 150);
    EXPECT_EQ(shell->okBounds.top, 26);
    EXPECT_EQ(shell->okBounds.right, 210);
    EXPECT_EQ(shell->okBounds.bottom, 52);
    // No Cancel in the resource: the default place.
    EXPECT_EQ(shell->cancelBounds.right, oxhost::DefaultDialogShell("").cancelBounds.right);
}

TEST(DialogShell, BytesOfAnotherKindGiveNone) {
    const unsigned char bytes[] = "OXDX not a dialog at all, just bytes";
    EXPECT_FALSE(oxhost::DialogShellFromResource(bytes, sizeof(bytes)).has_value());
    EXPECT_FALSE(oxhost::DialogShellFromResource(nullptr, 0).has_value());
}

class CaptionPeek : public oxhost::DialogFace {
public:
    int32_t Run(oxhost::DialogSession& session) override {
        caption = session.Dialog().caption;
        rect = session.Dialog().localRect;
        return 2;
    }
    std::string caption;
    ADMRect rect{};
};

TEST(DialogShell, ModalDialogOfTintfloodTakesItsShellFromResource16001) {
    const std::string module = oxtest::BuiltProgramFolder() + "/Tintflood.8bf";
    void* plugin = oxhost::PluginAccessTable::Instance().Add(nullptr, module);
    CaptionPeek face;
    oxhost::DialogToolkit::Instance().SetFace(&face);
    oxhost::DialogSuiteTable()->Modal(plugin, "CTintfloodDialog", 16001, 0, nullptr, nullptr, 0);
    oxhost::DialogToolkit::Instance().SetFace(nullptr);
    oxhost::PluginAccessTable::Instance().Remove(plugin);
    EXPECT_EQ(face.caption, "Tintflood");
    EXPECT_EQ(face.rect.right, 237 * 6 / 4);
    EXPECT_EQ(face.rect.bottom, 181 * 13 / 8);
}

}  // namespace
}  // namespace dialogtest
