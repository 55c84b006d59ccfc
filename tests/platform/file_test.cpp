#include <gtest/gtest.h>

#include <string>

#include "platform/file.h"
#include "temp_folder.h"

namespace {

using fvtest::TempFolder;

TEST(FileCalls, ReadWriteAndSeekReturnWhatActuallyMoved) {
    TempFolder temp;
    const std::string path = temp.Path() + "\\data.bin";
    plat::FileHandle file = plat::OpenFile(path, plat::OpenMode::Create);
    ASSERT_NE(file, plat::kInvalidFile);
    EXPECT_EQ(plat::WriteFile(file, "0123456789", 10), 10);
    EXPECT_EQ(plat::SeekFile(file, 2, plat::SeekFrom::Begin), 2);
    char buffer[16] = {};
    EXPECT_EQ(plat::ReadFile(file, buffer, 3), 3);
    EXPECT_EQ(std::string(buffer, 3), "234");
    EXPECT_EQ(plat::SeekFile(file, -2, plat::SeekFrom::Current), 3);
    EXPECT_EQ(plat::SeekFile(file, -4, plat::SeekFrom::End), 6);
    // A read across the end moves only what is there; at the end nothing.
    EXPECT_EQ(plat::ReadFile(file, buffer, 16), 4);
    EXPECT_EQ(std::string(buffer, 4), "6789");
    EXPECT_EQ(plat::ReadFile(file, buffer, 16), 0);
    // A seek before the start fails and leaves the position alone.
    EXPECT_EQ(plat::SeekFile(file, -1, plat::SeekFrom::Begin), -1);
    EXPECT_EQ(plat::SeekFile(file, 0, plat::SeekFrom::Current), 10);
    EXPECT_EQ(plat::ReadFile(file, buffer, 0), 0);
    plat::CloseFile(file);
}

TEST(FileCalls, OpenModes) {
    TempFolder temp;
    const std::string path = temp.Path() + "\\save.lvl";
    // Read and ReadWrite are existence tests: they never create a file.
    EXPECT_EQ(plat::OpenFile(path, plat::OpenMode::ReadWrite), plat::kInvalidFile);
    EXPECT_EQ(plat::OpenFile(path, plat::OpenMode::Read), plat::kInvalidFile);
    EXPECT_FALSE(plat::FileExists(path));
    // Folders are not files.
    EXPECT_EQ(plat::OpenFile(temp.Path(), plat::OpenMode::Read), plat::kInvalidFile);

    temp.Write("save.lvl", "old contents");
    plat::FileHandle reader = plat::OpenFile(path, plat::OpenMode::Read);
    ASSERT_NE(reader, plat::kInvalidFile);
    EXPECT_EQ(plat::WriteFile(reader, "x", 1), -1);  // read-only
    plat::CloseFile(reader);

    plat::FileHandle both = plat::OpenFile(path, plat::OpenMode::ReadWrite);
    ASSERT_NE(both, plat::kInvalidFile);
    EXPECT_EQ(plat::WriteFile(both, "NEW", 3), 3);
    plat::CloseFile(both);
    EXPECT_EQ(temp.Read("save.lvl"), "NEW contents");

    plat::FileHandle created = plat::OpenFile(path, plat::OpenMode::Create);
    ASSERT_NE(created, plat::kInvalidFile);
    EXPECT_EQ(plat::SeekFile(created, 0, plat::SeekFrom::End), 0);  // truncated
    plat::CloseFile(created);

    EXPECT_EQ(plat::OpenFile(temp.Path() + "\\no\\such\\folder.lvl", plat::OpenMode::Create),
              plat::kInvalidFile);
}

TEST(FileCalls, BadHandlesAreRefusedQuietly) {
    TempFolder temp;
    plat::FileHandle file = plat::OpenFile(temp.Path() + "\\f", plat::OpenMode::Create);
    ASSERT_NE(file, plat::kInvalidFile);
    plat::CloseFile(file);

    char byte = 0;
    for (plat::FileHandle bad : {plat::kInvalidFile, 0, 1 << 20, file}) {
        EXPECT_EQ(plat::ReadFile(bad, &byte, 1), -1) << bad;
        EXPECT_EQ(plat::WriteFile(bad, &byte, 1), -1) << bad;
        EXPECT_EQ(plat::SeekFile(bad, 0, plat::SeekFrom::Begin), -1) << bad;
        plat::CloseFile(bad);
    }
    file = plat::OpenFile(temp.Path() + "\\f", plat::OpenMode::Read);
    EXPECT_EQ(plat::ReadFile(file, nullptr, 1), -1);
    plat::CloseFile(file);
}

TEST(FileCalls, WriteLimitMakesLaterWritesShort) {
    TempFolder temp;
    plat::FileHandle first = plat::OpenFile(temp.Path() + "\\a", plat::OpenMode::Create);
    plat::FileHandle second = plat::OpenFile(temp.Path() + "\\b", plat::OpenMode::Create);
    ASSERT_NE(first, plat::kInvalidFile);
    ASSERT_NE(second, plat::kInvalidFile);

    plat::SetWriteLimitForTests(10);
    EXPECT_EQ(plat::WriteFile(first, "abcdefgh", 8), 8);
    EXPECT_EQ(plat::WriteFile(second, "ijklmnop", 8), 2);  // the limit spans all handles
    EXPECT_EQ(plat::WriteFile(first, "qrst", 4), 0);
    plat::SetWriteLimitForTests(-1);
    EXPECT_EQ(plat::WriteFile(first, "uv", 2), 2);
    plat::CloseFile(first);
    plat::CloseFile(second);

    EXPECT_EQ(temp.Read("a"), "abcdefghuv");
    EXPECT_EQ(temp.Read("b"), "ij");
}

// A full disk at any point of a replacement keeps the old file byte for byte
// and leaves no temporary file; without one the new content is in place.
TEST(NothingLost, FileReplacementIsAllOrNothing) {
    TempFolder temp;
    const std::string path = temp.Path() + "\\sub\\best.sav";
    const std::string fresh = "the new content";
    for (int64_t limit : {0, 1, 14, -1}) {
        SCOPED_TRACE(limit);
        temp.Write("sub/best.sav", "old");
        plat::SetWriteLimitForTests(limit);
        const bool written = plat::ReplaceFile(path, fresh.data(), uint32_t(fresh.size()));
        plat::SetWriteLimitForTests(-1);
        EXPECT_EQ(written, limit < 0);
        EXPECT_EQ(temp.Read("sub/best.sav"), limit < 0 ? fresh : "old");
        EXPECT_FALSE(plat::FileExists(path + ".tmp"));
    }
    // Dropped without Commit: nothing changes either.
    {
        plat::FileReplacement dropped(path);
        ASSERT_TRUE(dropped.Open());
        EXPECT_EQ(plat::WriteFile(dropped.Handle(), "x", 1), 1);
    }
    EXPECT_EQ(temp.Read("sub/best.sav"), fresh);
    EXPECT_FALSE(plat::FileExists(path + ".tmp"));
    // A missing folder is made; one that cannot be made fails cleanly.
    EXPECT_TRUE(plat::ReplaceFile(temp.Path() + "\\new\\a", "a", 1));
    EXPECT_EQ(temp.Read("new/a"), "a");
    EXPECT_FALSE(plat::ReplaceFile(temp.Path() + "\\new\\a\\b", "b", 1));
}

}  // namespace
