#include <gtest/gtest.h>

#include <string>

#include "TestFiles.h"
#include "host/HostError.h"
#include "host/image/ImageFile.h"

namespace {

using oxhost::ColorModel;
using oxhost::Document;
using oxhost::HostError;
using oxtest::Bytes;

class ImageFileTest : public ::testing::Test {
protected:
    std::string LoadFailure(const std::string& path) {
        try {
            oxhost::LoadImageFile(path);
        } catch (const HostError& error) {
            return error.what();
        }
        return "no error";
    }

    oxtest::TemporaryFolder folder;
};

TEST_F(ImageFileTest, FormatIsRecognisedByContentNotName) {
    Document rgb = oxtest::PatternDocument(5, 3, ColorModel::RGB, false);
    Document cmyk = oxtest::PatternDocument(5, 3, ColorModel::CMYK, true);
    oxhost::SaveImageFile(rgb, folder.File("real.png"));
    oxhost::SaveImageFile(cmyk, folder.File("real.tif"));
    oxtest::WriteBytes(folder.File("png-named.tif"), oxtest::ReadBytes(folder.File("real.png")));
    oxtest::WriteBytes(folder.File("tiff-named.png"), oxtest::ReadBytes(folder.File("real.tif")));

    EXPECT_EQ(oxhost::LoadImageFile(folder.File("png-named.tif")).pixels, rgb.pixels);
    Document loaded = oxhost::LoadImageFile(folder.File("tiff-named.png"));
    EXPECT_EQ(loaded.model, ColorModel::CMYK);
    EXPECT_EQ(loaded.pixels, cmyk.pixels);
}

TEST_F(ImageFileTest, ExtensionChoosesTheOutputFormatInAnyCase) {
    Document document = oxtest::PatternDocument(4, 4, ColorModel::RGB, false);
    oxhost::SaveImageFile(document, folder.File("upper.PNG"));
    oxhost::SaveImageFile(document, folder.File("mixed.TiFf"));
    EXPECT_EQ(oxtest::ReadBytes(folder.File("upper.PNG"))[1], 'P');
    EXPECT_EQ(oxtest::ReadBytes(folder.File("mixed.TiFf"))[0], 'I');

    EXPECT_TRUE(oxhost::IsSupportedOutputPath("a/b.tif"));
    EXPECT_TRUE(oxhost::IsSupportedOutputPath("B.TIFF"));
    EXPECT_FALSE(oxhost::IsSupportedOutputPath("page.png.bak"));
    EXPECT_FALSE(oxhost::IsSupportedOutputPath("folder.png/page"));
    EXPECT_FALSE(oxhost::IsSupportedOutputPath("png"));
    EXPECT_FALSE(oxhost::IsSupportedOutputPath("page.jpg"));
}

TEST_F(ImageFileTest, UnsupportedExtensionWritesNothing) {
    Document document = oxtest::PatternDocument(4, 4, ColorModel::RGB, false);
    EXPECT_THROW(oxhost::SaveImageFile(document, folder.File("page.jpg")), HostError);
    EXPECT_THROW(oxhost::SaveImageFile(document, folder.File("page")), HostError);
    EXPECT_TRUE(folder.Entries().empty());
}

TEST_F(ImageFileTest, UnreadableInputsAreNamed) {
    EXPECT_EQ(LoadFailure(folder.File("absent.png")),
              "cannot open '" + folder.File("absent.png") + "': No such file or directory");

    oxtest::WriteBytes(folder.File("text.png"), Bytes{'h', 'e', 'l', 'l', 'o', '\n'});
    EXPECT_NE(LoadFailure(folder.File("text.png")).find("unsupported image format"),
              std::string::npos);
    oxtest::WriteBytes(folder.File("empty.tif"), Bytes{});
    EXPECT_NE(LoadFailure(folder.File("empty.tif")).find("unsupported image format"),
              std::string::npos);
    EXPECT_NE(LoadFailure(folder.Path()).find(folder.Path()), std::string::npos);
}

TEST_F(ImageFileTest, SavingOverTheInputReplacesIt) {
    for (const char* name : {"same.png", "same.tif"}) {
        std::string path = folder.File(name);
        oxhost::SaveImageFile(oxtest::PatternDocument(20, 10, ColorModel::RGB, true), path);
        Document document = oxhost::LoadImageFile(path);
        for (uint8_t& byte : document.pixels) {
            byte = uint8_t(255 - byte);
        }
        oxhost::SaveImageFile(document, path);
        EXPECT_EQ(oxhost::LoadImageFile(path).pixels, document.pixels) << name;
    }
    EXPECT_EQ(folder.Entries(), (std::vector<std::string>{"same.png", "same.tif"}));
}

// The frames of an animated PNG count as images: acTL gives the animation's
// frames, and the default image is one more unless an fcTL comes before it.
TEST_F(ImageFileTest, InspectionCountsTheImagesOfAnAnimatedPng) {
    for (bool defaultImageAnimated : {false, true}) {
        Bytes file = oxtest::PngSignatureAndHeader(1, 1);
        for (const Bytes& chunk :
             {oxtest::PngChunk("acTL", {0, 0, 0, 4, 0, 0, 0, 0}),
              defaultImageAnimated ? oxtest::PngChunk("fcTL", Bytes(26, 0)) : Bytes{},
              oxtest::PngChunk("IDAT", {}), oxtest::PngChunk("IEND", {})}) {
            file.insert(file.end(), chunk.begin(), chunk.end());
        }
        oxtest::WriteBytes(folder.File("moving.png"), file);
        const oxhost::ImageFileContent content =
            oxhost::InspectImageFile(folder.File("moving.png"));
        EXPECT_EQ(content.pages, defaultImageAnimated ? 4 : 5);
        EXPECT_EQ(content.bitsPerSample, 8);
    }
    EXPECT_EQ(oxhost::InspectImageFile(folder.File("absent.png")).pages, 1);
}

TEST_F(ImageFileTest, DocumentOfInconsistentSizeIsNotSaved) {
    Document document = oxtest::PatternDocument(4, 4, ColorModel::RGB, false);
    document.pixels.pop_back();
    EXPECT_THROW(oxhost::SaveImageFile(document, folder.File("short.png")), HostError);
    EXPECT_THROW(oxhost::SaveImageFile(document, folder.File("short.tif")), HostError);
    document.width = 0;
    document.pixels.clear();
    EXPECT_THROW(oxhost::SaveImageFile(document, folder.File("empty.png")), HostError);
    EXPECT_TRUE(folder.Entries().empty());
}

// Random damage to small files: every outcome must be a document of
// consistent shape or a HostError.
TEST_F(ImageFileTest, RandomlyDamagedFilesNeverCrash) {
    uint64_t state = 0x9E3779B97F4A7C15u;
    auto next = [&state] {
        state ^= state << 13;
        state ^= state >> 7;
        state ^= state << 17;
        return state;
    };
    for (const char* name : {"fuzz.png", "fuzz.tif"}) {
        oxhost::SaveImageFile(oxtest::PatternDocument(24, 16, ColorModel::RGB, true),
                              folder.File(name));
        Bytes original = oxtest::ReadBytes(folder.File(name));
        for (int round = 0; round < 300; ++round) {
            Bytes damaged = original;
            int flips = 1 + int(next() % 4);
            for (int flip = 0; flip < flips; ++flip) {
                damaged[next() % damaged.size()] ^= uint8_t(1 + next() % 255);
            }
            oxtest::WriteBytes(folder.File(name), damaged);
            try {
                Document loaded = oxhost::LoadImageFile(folder.File(name));
                EXPECT_EQ(loaded.pixels.size(), loaded.RowBytes() * size_t(loaded.height));
            } catch (const HostError&) {
            }
        }
    }
}

}  // namespace
