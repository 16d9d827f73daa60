#include <gtest/gtest.h>

#include <string>

#include "ModuleResources.h"

namespace {

TEST(ModuleResourcesTest, FindsItsOwnResourcesByTypeAndNumber) {
    const ResourceBytes pipl = LoadModuleResource("PIPL", 16000);
    ASSERT_NE(pipl.data, nullptr);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(pipl.data), pipl.size), "test");
    const ResourceBytes text = LoadModuleResource("STRING", 16000);
    ASSERT_NE(text.data, nullptr);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(text.data), text.size), "About the test");
}

TEST(ModuleResourcesTest, MissingResourcesGiveNoData) {
    EXPECT_EQ(LoadModuleResource("PIPL", 16001).data, nullptr);
    EXPECT_EQ(LoadModuleResource("DIALOG", 16000).data, nullptr);
}

}  // namespace
