// Whole-file writes that fail on a real disk: the file that was there stays as it was, nothing is
// left beside it, and the reason is the system's.
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include "doc/FileReplace.h"
#include "tests/support/ScratchDisk.h"
#include "tests/support/TempFolder.h"

namespace {

std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return in ? std::string(std::istreambuf_iterator<char>(in), {}) : "<none>";
}

size_t EntriesIn(const std::string& folder) {
    size_t n = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder))
        ++n;
    return n;
}

TEST(WriteFileReplacing, FailuresOnARealDiskLeaveTheFileAsItWas) {
    CScratchDisk disk;
    if (!disk.Mounted())
        GTEST_SKIP() << disk.Reason();
    CTempFolder folder;
    const std::string old = "[00:01]the user's words\r\n";
    struct {
        const char* label;
        std::string path;
        size_t nBytes;
        const char* reason;
    } cases[] = {
        {"full disk", disk.File("song.lrc"), 100000, "No space left on device"},
        {"a folder", folder.Path(), 10, "Is a directory"},
        {"no folder", folder / "none/song.lrc", 10, "No such file or directory"},
    };
    std::ofstream(disk.File("song.lrc"), std::ios::binary) << old;
    ASSERT_TRUE(disk.Fill());
    for (const auto& c : cases) {
        std::string reason;
        EXPECT_FALSE(WriteFileReplacing(c.path, std::string(c.nBytes, 'n'), &reason)) << c.label;
        EXPECT_EQ(reason, c.reason) << c.label;
    }
    EXPECT_EQ(ReadAll(disk.File("song.lrc")), old);
    EXPECT_EQ(EntriesIn(disk.File("")), 2u); // the file and the ballast, no part file
    disk.Free();
    std::string reason;
    EXPECT_TRUE(WriteFileReplacing(disk.File("song.lrc"), "new", &reason)) << reason;
    EXPECT_EQ(ReadAll(disk.File("song.lrc")), "new");
}

TEST(WriteFileReplacing, KeepsTheModeAndFollowsLinks) {
    CTempFolder folder;
    const std::string path = folder.Write("song.lrc", "old");
    ASSERT_EQ(chmod(path.c_str(), 0640), 0);
    std::filesystem::create_symlink(path, folder / "link.lrc");
    std::string reason;
    ASSERT_TRUE(WriteFileReplacing(folder / "link.lrc", "new", &reason)) << reason;
    EXPECT_TRUE(std::filesystem::is_symlink(folder / "link.lrc"));
    EXPECT_EQ(ReadAll(path), "new");
    struct stat st;
    ASSERT_EQ(stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
}

} // namespace
