// The PiPL of the two delivered modules, byte for byte, read from the built
// files in OX_PLUGIN_DIR and compared with lists built here field by field.
#include <gtest/gtest.h>

#include <cstdlib>

#include "ByteBuilder.h"
#include "host/module/ModuleFile.h"
#include "host/module/PluginCatalog.h"
#include "hostapi/ImageModes.h"

namespace {

using restest::ByteBuilder;
using restest::Bytes;
using restest::PiplBuilder;

std::string PluginFolder() {
    const char* folder = std::getenv("OX_PLUGIN_DIR");
    return folder != nullptr ? folder : "";
}

std::string ModulePath(const std::string& file) {
    return PluginFolder() + "/" + file;
}

Bytes FilterCases(uint8_t flags1) {
    ByteBuilder cases;
    for (int filterCase = 1; filterCase <= 7; ++filterCase) {
        cases.U8(1).U8(1).U8(flags1).U8(0);
    }
    return cases.Get();
}

Bytes ExpectedPipl(const std::string& name, bool withTerminology, uint8_t flags1) {
    PiplBuilder pipl;
    pipl.Property("kind", ByteBuilder().FourCC("8BFM").Get())
        .Property("name", ByteBuilder().LengthPrefixed(name).Get())
        .Property("catg", ByteBuilder().LengthPrefixed("Oxlen").Get())
        .Property("vers", ByteBuilder().U32(0x00040000).Get())
        .Property("wx86", ByteBuilder().CString("PluginMain").Get());
    if (withTerminology) {
        pipl.Property(
            "hstm",
            ByteBuilder().U32(0).FourCC("TnFl").FourCC("TnFl").U16(16000).CString("").Get());
    }
    pipl.Property("mode", ByteBuilder().U8(0x18).U8(0x00).Get())
        .Property("enbl", ByteBuilder().CString("in (PSHOP_ImageMode, RGBMode, CMYKMode)").Get())
        .Property("fici", FilterCases(flags1));
    return pipl.Build();
}

Bytes PiplOf(const std::string& file) {
    std::optional<Bytes> pipl = oxhost::ReadModuleResource(ModulePath(file), "PIPL", 16000);
    return pipl.value_or(Bytes());
}

TEST(DeliveredModules, VirararPiplIsExactlyTheExpectedList) {
    Bytes expected = ExpectedPipl("Virarar", false, 0);
    ASSERT_EQ(expected.size(), 246u);
    EXPECT_EQ(PiplOf("Virarar.8bf"), expected);
}

TEST(DeliveredModules, TintfloodPiplIsExactlyTheExpectedList) {
    Bytes expected = ExpectedPipl("Tintflood...", true, 1);
    ASSERT_EQ(expected.size(), 286u);
    EXPECT_EQ(PiplOf("Tintflood.8bf"), expected);
}

TEST(DeliveredModules, HostReadsBothAsRgbAndCmykFilters) {
    for (const char* file : {"Virarar.8bf", "Tintflood.8bf"}) {
        oxhost::PiplProperties pipl = oxhost::ReadFilterPipl(ModulePath(file));
        EXPECT_EQ(pipl.entryPoint, "PluginMain") << file;
        EXPECT_EQ(pipl.version, 0x00040000) << file;
        for (int mode = plugInModeBitmap; mode <= plugInModeCMYK64; ++mode) {
            EXPECT_EQ(pipl.SupportsMode(mode),
                      mode == plugInModeRGBColor || mode == plugInModeCMYKColor)
                << file << " mode " << mode;
        }
    }
}

TEST(DeliveredModules, CatalogFindsThemByTheNamesUsersType) {
    oxhost::PluginCatalog catalog;
    catalog.AddFolder(PluginFolder());
    for (const char* name : {"virarar", "VIRARAR", "Virarar..."}) {
        const oxhost::CatalogEntry* entry = catalog.FindByName(name);
        ASSERT_NE(entry, nullptr) << name;
        EXPECT_EQ(entry->pipl.name, "Virarar");
    }
    for (const char* name : {"tintflood", "Tintflood..."}) {
        const oxhost::CatalogEntry* entry = catalog.FindByName(name);
        ASSERT_NE(entry, nullptr) << name;
        EXPECT_EQ(entry->pipl.name, "Tintflood...");
    }
}

}  // namespace
