#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "ByteBuilder.h"
#include "ElfBuilder.h"
#include "ProbeModules.h"
#include "TemporaryFolder.h"
#include "bridge/platform/linux/ResourceBlobWriter.h"
#include "host/HostError.h"
#include "host/module/ModuleFile.h"
#include "host/module/PluginCatalog.h"
#include "host/module/PluginModule.h"

namespace {

using restest::ByteBuilder;
using restest::Bytes;
namespace fs = std::filesystem;

std::string OpenError(const std::string& path) {
    try {
        oxhost::PluginModule::Open(path);
    } catch (const oxhost::HostError& error) {
        return error.what();
    }
    return "no error";
}

// An ELF file whose "oxres" section holds `pipl` as resource PIPL 16000.
Bytes ModuleFileWithPipl(const Bytes& pipl) {
    oxres::Resource resource;
    resource.type = "PIPL";
    resource.id = 16000;
    resource.data = pipl;
    return restest::BuildElf({{"oxres", 1, oxres::WriteResourceBlob({resource})}});
}

// Changes the working folder for the life of the object.
class WorkingFolder {
public:
    explicit WorkingFolder(const std::string& folder) : previous_(fs::current_path()) {
        fs::current_path(folder);
    }
    ~WorkingFolder() { fs::current_path(previous_); }

private:
    fs::path previous_;
};

TEST(PluginModule, OpensAndCallsTheEntryThePiplNames) {
    std::unique_ptr<oxhost::PluginModule> module =
        oxhost::PluginModule::Open(restest::kResourceProbe);
    EXPECT_EQ(module->Path(), restest::kResourceProbe);
    EXPECT_EQ(module->Properties().name, "Resource Probe");
    EXPECT_EQ(module->Properties().entryPoint, "ProbeEntry");
    ASSERT_NE(module->Entry(), nullptr);
    intptr_t data = 0;
    int16_t result = -1;
    module->Entry()(3, nullptr, &data, &result);
    EXPECT_EQ(data, 103);
    EXPECT_EQ(result, 0);
}

TEST(PluginModule, OpensAModuleNamedWithoutAFolder) {
    restest::TemporaryFolder folder;
    fs::copy_file(restest::kResourceProbe, folder.File("probe.8bf"));
    WorkingFolder inFolder(folder.Path());
    EXPECT_EQ(oxhost::PluginModule::Open("probe.8bf")->Properties().name, "Resource Probe");
}

TEST(PluginModule, FilesThatAreNotFilterModulesAreRejectedBeforeLoading) {
    EXPECT_EQ(OpenError("/proc/self/exe"),
              "'/proc/self/exe' is not a filter plug-in: no PiPL resource 16000");

    restest::TemporaryFolder folder;
    std::string text = folder.Write("text.8bf", std::string("not a module"));
    EXPECT_EQ(OpenError(text), "'" + text + "' is not an ELF file");

    restest::PiplBuilder notAFilter;
    notAFilter.Property("kind", ByteBuilder().FourCC("8BFX").Get())
        .Property("wx86", ByteBuilder().CString("Main").Get());
    std::string wrongKind = folder.Write("kind.8bf", ModuleFileWithPipl(notAFilter.Build()));
    EXPECT_EQ(OpenError(wrongKind),
              "'" + wrongKind + "' is not a filter plug-in: its PiPL kind is '8BFX', not '8BFM'");

    restest::PiplBuilder noEntry;
    noEntry.Property("kind", ByteBuilder().FourCC("8BFM").Get());
    std::string entryless = folder.Write("entry.8bf", ModuleFileWithPipl(noEntry.Build()));
    EXPECT_EQ(OpenError(entryless),
              "'" + entryless + "' is not a filter plug-in: its PiPL names no entry point");
}

TEST(PluginModule, LoadFailuresNameTheModuleAndTheCause) {
    EXPECT_EQ(OpenError(restest::kMissingEntryProbe),
              "'" + restest::kMissingEntryProbe +
                  "' cannot be loaded: it has no entry point 'NoSuchMain'");
    std::string unresolved = OpenError(restest::kUnresolvedProbe);
    EXPECT_EQ(unresolved.rfind("'" + restest::kUnresolvedProbe + "' cannot be loaded: ", 0), 0u)
        << unresolved;
    EXPECT_NE(unresolved.find("oxProbeFunctionThatNobodyDefines"), std::string::npos) << unresolved;
}

TEST(PluginNameMatches, IgnoresCaseAndOneTrailingEllipsis) {
    EXPECT_TRUE(oxhost::PluginNameMatches("Virarar", "virarar"));
    EXPECT_TRUE(oxhost::PluginNameMatches("Virarar", "VIRARAR"));
    EXPECT_TRUE(oxhost::PluginNameMatches("Virarar", "Virarar..."));
    EXPECT_TRUE(oxhost::PluginNameMatches("Tintflood...", "tintflood"));
    EXPECT_TRUE(oxhost::PluginNameMatches("Tintflood...", "Tintflood..."));
    EXPECT_FALSE(oxhost::PluginNameMatches("Tintflood...", "tintflood.."));
    EXPECT_FALSE(oxhost::PluginNameMatches("Tintflood...", "tintflood...."));
    EXPECT_FALSE(oxhost::PluginNameMatches("Virarar", "Virara"));
    EXPECT_FALSE(oxhost::PluginNameMatches("Virarar", "Virarar "));
    EXPECT_FALSE(oxhost::PluginNameMatches("Virarar", ""));
    EXPECT_FALSE(oxhost::PluginNameMatches("...", "..."));
}

class PluginCatalogTest : public ::testing::Test {
protected:
    void SetUp() override {
        fs::copy_file(restest::kResourceProbe, folder_.File("b-probe.8bf"));
        fs::copy_file(restest::kResourceProbe, folder_.File("A-probe.8bf"));
        folder_.Write("junk.8bf", std::string("not a module"));
        folder_.Write("readme.txt", std::string("not listed"));
        fs::create_directory(folder_.File("folder.8bf"));
    }

    restest::TemporaryFolder folder_;
};

TEST_F(PluginCatalogTest, ListsModulesByFileNameAndKeepsRejectsApart) {
    oxhost::PluginCatalog catalog;
    catalog.AddFolder(folder_.Path());
    ASSERT_EQ(catalog.Plugins().size(), 2u);
    EXPECT_EQ(catalog.Plugins()[0].path, folder_.File("A-probe.8bf"));
    EXPECT_EQ(catalog.Plugins()[1].path, folder_.File("b-probe.8bf"));
    EXPECT_EQ(catalog.Plugins()[0].pipl.name, "Resource Probe");
    ASSERT_EQ(catalog.Rejected().size(), 1u);
    EXPECT_EQ(catalog.Rejected()[0].path, folder_.File("junk.8bf"));
    EXPECT_EQ(catalog.Rejected()[0].error, "'" + folder_.File("junk.8bf") + "' is not an ELF file");
}

TEST_F(PluginCatalogTest, AddingAFolderAgainOrAMissingFolderAddsNothing) {
    oxhost::PluginCatalog catalog;
    catalog.AddFolder(folder_.Path());
    catalog.AddFolder(folder_.Path() + "/.");
    catalog.AddFolder(folder_.File("no-such-folder"));
    EXPECT_EQ(catalog.Plugins().size(), 2u);
    EXPECT_EQ(catalog.Rejected().size(), 1u);
}

TEST_F(PluginCatalogTest, FindsTheFirstPluginByName) {
    oxhost::PluginCatalog catalog;
    catalog.AddFolder(folder_.Path());
    const oxhost::CatalogEntry* found = catalog.FindByName("RESOURCE PROBE...");
    ASSERT_NE(found, nullptr);
    EXPECT_EQ(found->path, folder_.File("A-probe.8bf"));
    EXPECT_EQ(catalog.FindByName("Resource"), nullptr);
}

TEST(DefaultPluginFolders, StartFromTheFolderOfTheProgram) {
    fs::path programFolder = fs::canonical(restest::kTestBinaryDir);
    std::vector<std::string> folders = oxhost::DefaultPluginFolders();
    ASSERT_EQ(folders.size(), 3u);
    EXPECT_EQ(folders[0], programFolder.string());
    EXPECT_EQ(folders[1], (programFolder / "plugins").string());
    EXPECT_EQ(folders[2], (programFolder.parent_path() / "lib/oxlen/plugins").string());
}

}  // namespace
