#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>

#include "TestFiles.h"
#include "host/HostError.h"
#include "host/image/AtomicFile.h"
#include "host/image/ImageFile.h"

namespace {

using oxhost::ColorModel;
using oxhost::HostError;
using oxtest::Bytes;

class AtomicFileTest : public ::testing::Test {
protected:
    oxtest::TemporaryFolder folder;
};

// Lowers the largest file this process may write, so that writes fail part way
// with EFBIG, and restores the limit on destruction.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &saved_);
        savedHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit lowered = saved_;
        lowered.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &lowered);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &saved_);
        std::signal(SIGXFSZ, savedHandler_);
    }

private:
    rlimit saved_{};
    void (*savedHandler_)(int) = nullptr;
};

TEST_F(AtomicFileTest, CommitReplacesTheTargetAndLeavesNothingElse) {
    oxtest::WriteBytes(folder.File("target"), {1, 2, 3});
    {
        oxhost::AtomicFile file(folder.File("target"));
        std::fputs("new", file.Stream());
        // The temporary file has no name until it is put in place.
        EXPECT_EQ(folder.Entries(), std::vector<std::string>{"target"});
        EXPECT_EQ(oxtest::ReadBytes(folder.File("target")), (Bytes{1, 2, 3}));
        file.Commit();
    }
    EXPECT_EQ(oxtest::ReadBytes(folder.File("target")), (Bytes{'n', 'e', 'w'}));
    EXPECT_EQ(folder.Entries(), std::vector<std::string>{"target"});
}

TEST_F(AtomicFileTest, AbandonedWriteLeavesTargetUntouched) {
    oxtest::WriteBytes(folder.File("target"), {1, 2, 3});
    {
        oxhost::AtomicFile file(folder.File("target"));
        std::fputs("partial", file.Stream());
    }
    EXPECT_EQ(oxtest::ReadBytes(folder.File("target")), (Bytes{1, 2, 3}));
    EXPECT_EQ(folder.Entries(), std::vector<std::string>{"target"});
}

TEST_F(AtomicFileTest, WriteFailingPartWayLeavesTargetUntouched) {
    oxtest::WriteBytes(folder.File("page.png"), {1, 2, 3});
    oxtest::WriteBytes(folder.File("page.tif"), {4, 5, 6});
    // Noise does not compress, so either file is far over the limit.
    oxhost::Document noise = oxtest::PatternDocument(200, 200, ColorModel::RGB, false);
    uint32_t state = 1;
    for (uint8_t& byte : noise.pixels) {
        state = state * 1664525u + 1013904223u;
        byte = uint8_t(state >> 24);
    }
    {
        FileSizeLimit limit(4096);
        EXPECT_THROW(oxhost::SaveImageFile(noise, folder.File("page.png")), HostError);
        EXPECT_THROW(oxhost::SaveImageFile(noise, folder.File("page.tif")), HostError);
    }
    EXPECT_EQ(oxtest::ReadBytes(folder.File("page.png")), (Bytes{1, 2, 3}));
    EXPECT_EQ(oxtest::ReadBytes(folder.File("page.tif")), (Bytes{4, 5, 6}));
    EXPECT_EQ(folder.Entries(), (std::vector<std::string>{"page.png", "page.tif"}));
}

TEST_F(AtomicFileTest, MissingFolderOrFolderInTheWayIsReported) {
    oxhost::Document document = oxtest::PatternDocument(4, 4, ColorModel::RGB, false);
    try {
        oxhost::SaveImageFile(document, folder.File("absent/page.png"));
        FAIL() << "saved into a folder that does not exist";
    } catch (const HostError& error) {
        EXPECT_EQ(std::string(error.what()), "cannot write '" + folder.File("absent/page.png") +
                                                 "': No such file or directory");
    }
    // The whole file is written before the rename fails.
    ASSERT_EQ(mkdir(folder.File("page.tif").c_str(), 0755), 0);
    EXPECT_THROW(oxhost::SaveImageFile(document, folder.File("page.tif")), HostError);
    EXPECT_EQ(folder.Entries(), std::vector<std::string>{"page.tif"});
}

TEST_F(AtomicFileTest, ReplacedFileKeepsItsPermissionsAndNewFileFollowsUmask) {
    oxtest::WriteBytes(folder.File("kept"), {1});
    ASSERT_EQ(chmod(folder.File("kept").c_str(), 0640), 0);
    oxhost::AtomicFile kept(folder.File("kept"));
    kept.Commit();

    mode_t previousMask = umask(022);
    oxhost::AtomicFile fresh(folder.File("fresh"));
    fresh.Commit();
    umask(previousMask);

    struct stat status;
    ASSERT_EQ(stat(folder.File("kept").c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 0777, 0640u);
    ASSERT_EQ(stat(folder.File("fresh").c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 0777, 0644u);
}

TEST_F(AtomicFileTest, WritingThroughASymbolicLinkReplacesWhatItPointsAt) {
    oxtest::WriteBytes(folder.File("real"), {1});
    ASSERT_EQ(symlink("real", folder.File("link").c_str()), 0);
    oxhost::AtomicFile file(folder.File("link"));
    std::fputs("x", file.Stream());
    file.Commit();
    struct stat status;
    ASSERT_EQ(lstat(folder.File("link").c_str(), &status), 0);
    EXPECT_TRUE(S_ISLNK(status.st_mode));
    EXPECT_EQ(oxtest::ReadBytes(folder.File("real")), Bytes{'x'});
}

// Devices, FIFOs and folders are never replaced, nor what a link to one of
// them names; a link to a regular file stays a link.
TEST_F(AtomicFileTest, OnlyRegularFilesAreReplaced) {
    ASSERT_EQ(mkfifo(folder.File("fifo").c_str(), 0644), 0);
    ASSERT_EQ(mkdir(folder.File("folder").c_str(), 0755), 0);
    ASSERT_EQ(symlink("/dev/null", folder.File("to-device").c_str()), 0);
    ASSERT_EQ(symlink("fifo", folder.File("to-fifo").c_str()), 0);
    ASSERT_EQ(symlink("absent", folder.File("dangling").c_str()), 0);
    for (const char* name : {"fifo", "folder", "to-device", "to-fifo", "dangling"}) {
        try {
            oxhost::AtomicFile file(folder.File(name));
            file.Commit();
            ADD_FAILURE() << name << " was replaced";
        } catch (const HostError& error) {
            EXPECT_NE(std::string(error.what()).find("not a regular file"), std::string::npos)
                << error.what();
        }
        EXPECT_THROW(oxhost::CheckReplaceable(folder.File(name)), HostError) << name;
    }
    struct stat status;
    ASSERT_EQ(lstat(folder.File("to-device").c_str(), &status), 0);
    EXPECT_TRUE(S_ISLNK(status.st_mode));
    EXPECT_EQ(folder.Entries(),
              (std::vector<std::string>{"dangling", "fifo", "folder", "to-device", "to-fifo"}));
}

// Files committed inside a group appear together when the group commits, and
// not at all when it is given up.
TEST_F(AtomicFileTest, AGroupPutsItsFilesInPlaceTogetherOrNotAtAll) {
    oxtest::WriteBytes(folder.File("image"), {1});
    for (bool commit : {false, true}) {
        oxhost::AtomicCommitGroup group;
        for (const char* name : {"image", "action"}) {
            oxhost::AtomicFile file(folder.File(name));
            std::fputs(name, file.Stream());
            file.Commit();
        }
        EXPECT_EQ(folder.Entries(), std::vector<std::string>{"image"});
        EXPECT_EQ(oxtest::ReadBytes(folder.File("image")), Bytes{1});
        if (commit) {
            group.Commit();
        }
    }
    EXPECT_EQ(oxtest::ReadBytes(folder.File("image")), (Bytes{'i', 'm', 'a', 'g', 'e'}));
    EXPECT_EQ(oxtest::ReadBytes(folder.File("action")), (Bytes{'a', 'c', 't', 'i', 'o', 'n'}));
}

}  // namespace
