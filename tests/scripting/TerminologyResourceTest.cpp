// Tintflood's terminology resource, read from the built module and compared
// byte for byte with the stream built here from the table of its contents.
#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "host/module/ModuleFile.h"
#include "tests/support/ScratchFolder.h"

namespace {

using Bytes = std::vector<unsigned char>;

// Little-endian words, four-character codes as little-endian 32-bit values,
// strings with a length byte in front.
class TerminologyBuilder {
public:
    TerminologyBuilder& Byte(unsigned value) {
        bytes_.push_back(static_cast<unsigned char>(value));
        return *this;
    }
    TerminologyBuilder& Word(unsigned value) { return Byte(value & 0xFF).Byte(value >> 8); }
    TerminologyBuilder& Code(const char (&code)[5]) {
        for (int i = 3; i >= 0; --i) {
            Byte(static_cast<unsigned char>(code[i]));
        }
        return *this;
    }
    TerminologyBuilder& String(const std::string& text) {
        Byte(static_cast<unsigned>(text.size()));
        bytes_.insert(bytes_.end(), text.begin(), text.end());
        return *this;
    }
    TerminologyBuilder& Parameter(const std::string& name, const char (&key)[5],
                                  const char (&type)[5], const std::string& description) {
        return String(name).Code(key).Code(type).String(description).Word(0);
    }
    const Bytes& Get() const { return bytes_; }

private:
    Bytes bytes_;
};

Bytes ExpectedTerminology() {
    TerminologyBuilder aete;
    aete.Word(1).Byte(1).Byte(0).Word(0).Word(0).Word(1);
    aete.String("Oxlen").String("Adobe example plug-ins").Code("TnFl").Word(1).Word(1).Word(1);
    aete.String("Oxlen Tintflood").String("tintflood plugin").Code("TnFl").Code("TnFl");
    aete.Code("null").String("").Word(0);
    aete.Code("#ImR").String("").Word(0xB000);
    aete.Word(10);
    aete.Parameter("flagcolor", "Clr ", "Clr ", "flag color")
        .Parameter("fillcolor", "BckC", "Clr ", "fill color")
        .Parameter("palette", "PltF", "TEXT", "fill palette file")
        .Parameter("tolerance", "Tlrn", "long", "fill tolerance")
        .Parameter("randomcolors", "RanD", "bool", "random colors")
        .Parameter("measurearea", "Ar  ", "bool", "measure area")
        .Parameter("flagareas", "FlaG", "bool", "flag areas")
        .Parameter("joinareas", "JoiN", "bool", "join areas")
        .Parameter("flagsize", "FlgS", "long", "flag size")
        .Parameter("joinsize", "JinS", "long", "join size");
    aete.Word(0).Word(0).Word(0);
    return aete.Get();
}

TEST(TerminologyResource, ModuleCarriesExactlyTheExpectedStream) {
    const Bytes expected = ExpectedTerminology();
    ASSERT_EQ(expected.size(), 437u);

    const std::string module = oxtest::BuiltProgramFolder() + "/Tintflood.8bf";
    std::optional<Bytes> resource = oxhost::ReadModuleResource(module, "AETE", 16000);
    ASSERT_TRUE(resource.has_value()) << module;
    EXPECT_EQ(resource->size(), 437u);
    EXPECT_EQ(*resource, expected);
}

}  // namespace
