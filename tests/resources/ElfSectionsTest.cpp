#include <gtest/gtest.h>

#include "ByteBuilder.h"
#include "ElfBuilder.h"
#include "TemporaryFolder.h"
#include "host/HostError.h"
#include "host/module/ElfSections.h"

namespace {

using restest::ByteBuilder;
using restest::Bytes;

using restest::BuildElf;
using restest::ElfOptions;
using restest::TestSection;

const std::vector<TestSection> kSections = {
    {"oxresX", 1, {'w', 'r', 'o', 'n', 'g'}},
    {"oxre", 1, {'w', 'r', 'o', 'n', 'g'}},
    {"oxres", 1, {'r', 'i', 'g', 'h', 't'}},
    {".bss", 8, {0, 0, 0, 0}},
    {"empty", 1, {}},
};

std::string Text(const Bytes& bytes) {
    return std::string(bytes.begin(), bytes.end());
}

std::string ErrorOf(const std::string& path, const std::string& section) {
    try {
        oxhost::FindElfSection(path, section);
    } catch (const oxhost::HostError& error) {
        return error.what();
    }
    return "no error";
}

class ElfSectionsTest : public ::testing::Test {
protected:
    restest::TemporaryFolder folder_;
};

TEST_F(ElfSectionsTest, FindsSectionsByExactNameIn64And32BitFiles) {
    for (bool is64 : {true, false}) {
        ElfOptions options;
        options.is64 = is64;
        std::string path = folder_.Write("module.so", BuildElf(kSections, options));
        EXPECT_EQ(Text(oxhost::ReadElfSection(path, "oxres")), "right") << is64;
        EXPECT_EQ(Text(oxhost::ReadElfSection(path, "oxresX")), "wrong") << is64;
        EXPECT_TRUE(oxhost::ReadElfSection(path, "empty").empty()) << is64;
        EXPECT_FALSE(oxhost::FindElfSection(path, "oxr").has_value()) << is64;
        EXPECT_FALSE(oxhost::FindElfSection(path, "oxresXY").has_value()) << is64;
    }
}

TEST_F(ElfSectionsTest, ReadsCountAndNameTableFromSectionZeroWhenExtended) {
    ElfOptions options;
    options.extendedNumbering = true;
    std::string path = folder_.Write("extended.so", BuildElf(kSections, options));
    EXPECT_EQ(Text(oxhost::ReadElfSection(path, "oxres")), "right");
}

TEST_F(ElfSectionsTest, AcceptsLargerSectionHeaderEntries) {
    ElfOptions options;
    options.sectionEntrySize = 72;
    std::string path = folder_.Write("wide.so", BuildElf(kSections, options));
    EXPECT_EQ(Text(oxhost::ReadElfSection(path, "oxres")), "right");
}

TEST_F(ElfSectionsTest, MissingSectionIsNulloptOrAnErrorNamingIt) {
    std::string path = folder_.Write("module.so", BuildElf(kSections));
    EXPECT_FALSE(oxhost::FindElfSection(path, "nosuch").has_value());
    EXPECT_THROW(
        {
            try {
                oxhost::ReadElfSection(path, "nosuch");
            } catch (const oxhost::HostError& error) {
                EXPECT_EQ(std::string(error.what()), "'" + path + "' has no section 'nosuch'");
                throw;
            }
        },
        oxhost::HostError);
}

TEST_F(ElfSectionsTest, FilesThatAreNotLittleEndianElfAreErrors) {
    std::string text = folder_.Write("notes.8bf", std::string("just some text, long enough"));
    EXPECT_EQ(ErrorOf(text, "oxres"), "'" + text + "' is not an ELF file");
    std::string empty = folder_.Write("empty.8bf", std::string());
    EXPECT_EQ(ErrorOf(empty, "oxres"), "'" + empty + "' is not an ELF file");
    EXPECT_EQ(ErrorOf(folder_.File("missing.8bf"), "oxres"),
              "'" + folder_.File("missing.8bf") + "' cannot be opened");

    Bytes bigEndian = BuildElf(kSections);
    bigEndian[5] = 2;
    std::string big = folder_.Write("big.so", bigEndian);
    EXPECT_EQ(ErrorOf(big, "oxres"), "'" + big + "' is not a little-endian ELF file");
}

TEST_F(ElfSectionsTest, InconsistentHeadersAreErrors) {
    Bytes good = BuildElf(kSections);
    auto withHeaderField = [&good](size_t offset, uint16_t value) {
        Bytes file = good;
        file[offset] = static_cast<unsigned char>(value);
        file[offset + 1] = static_cast<unsigned char>(value >> 8);
        return file;
    };
    const size_t entrySizeField = 58, countField = 60, nameIndexField = 62;
    std::string path = folder_.Write("bad.so", withHeaderField(nameIndexField, 40));
    EXPECT_EQ(ErrorOf(path, "oxres"),
              "'" + path + "' is corrupt: its section name table index is out of range");
    path = folder_.Write("bad.so", withHeaderField(entrySizeField, 16));
    EXPECT_EQ(ErrorOf(path, "oxres"),
              "'" + path + "' is corrupt: section header size 16 is too small");
    path = folder_.Write("bad.so", withHeaderField(countField, 0xFFF0));
    EXPECT_EQ(
        ErrorOf(path, "oxres"),
        "'" + path + "' is truncated: its section header table lies beyond the end of the file");
}

TEST_F(ElfSectionsTest, SectionDataBeyondTheEndIsAnError) {
    // The oxres section grows past the end of the file: patch its sh_size.
    Bytes file = BuildElf(kSections);
    size_t tableOffset = file[40] | file[41] << 8;
    size_t oxresSizeField = tableOffset + 3 * 64 + 32;
    ASSERT_EQ(file[oxresSizeField], 5);
    file[oxresSizeField + 3] = 0x10;
    std::string path = folder_.Write("long.so", file);
    EXPECT_EQ(ErrorOf(path, "oxres"),
              "'" + path + "' is truncated: its section 'oxres' lies beyond the end of the file");
    EXPECT_EQ(ErrorOf(path, ".bss"),
              "'" + path + "' is corrupt: its section '.bss' has no bytes in the file");
}

TEST_F(ElfSectionsTest, EveryTruncationFailsCleanlyOrReadsTheSameBytes) {
    for (bool is64 : {true, false}) {
        ElfOptions options;
        options.is64 = is64;
        Bytes file = BuildElf(kSections, options);
        for (size_t size = 0; size < file.size(); ++size) {
            std::string path = folder_.Write("cut.so", Bytes(file.begin(), file.begin() + size));
            try {
                std::optional<Bytes> section = oxhost::FindElfSection(path, "oxres");
                EXPECT_TRUE(section.has_value() && Text(*section) == "right") << size;
            } catch (const oxhost::HostError&) {
            }
        }
    }
}

}  // namespace
