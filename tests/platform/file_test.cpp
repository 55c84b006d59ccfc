#include <gtest/gtest.h>

#include <string>

#include "platform/file.h"
#include "temp_folder.h"

namespace {

using fvtest::TempFolder;

TEST(FileCalls, ReadWriteSeekAndOpenModes) {
    TempFolder temp;
    const std::string path = temp.Path() + "\\data.bin";
    // Read and ReadWrite never create a file; folders are not files.
    EXPECT_EQ(plat::OpenFile(path, plat::OpenMode::ReadWrite), plat::kInvalidFile);
    EXPECT_EQ(plat::OpenFile(path, plat::OpenMode::Read), plat::kInvalidFile);
    EXPECT_EQ(plat::OpenFile(temp.Path(), plat::OpenMode::Read), plat::kInvalidFile);
    EXPECT_EQ(plat::OpenFile(temp.Path() + "\\no\\such\\f", plat::OpenMode::Create),
              plat::kInvalidFile);

    plat::FileHandle file = plat::OpenFile(path, plat::OpenMode::Create);
    ASSERT_NE(file, plat::kInvalidFile);
    EXPECT_EQ(plat::WriteFile(file, "0123456789", 10), 10);
    char buffer[16] = {};
    EXPECT_EQ(plat::SeekFile(file, -4, plat::SeekFrom::End), 6);
    // A read across the end moves only what is there; at the end nothing.
    EXPECT_EQ(plat::ReadFile(file, buffer, 16), 4);
    EXPECT_EQ(std::string(buffer, 4), "6789");
    EXPECT_EQ(plat::ReadFile(file, buffer, 16), 0);
    EXPECT_EQ(plat::SeekFile(file, -2, plat::SeekFrom::Current), 8);
    // A seek before the start fails and leaves the position alone.
    EXPECT_EQ(plat::SeekFile(file, -1, plat::SeekFrom::Begin), -1);
    EXPECT_EQ(plat::SeekFile(file, 0, plat::SeekFrom::Current), 8);
    plat::CloseFile(file);

    plat::FileHandle reader = plat::OpenFile(path, plat::OpenMode::Read);
    EXPECT_EQ(plat::WriteFile(reader, "x", 1), -1);  // read-only
    plat::CloseFile(reader);
    plat::FileHandle both = plat::OpenFile(path, plat::OpenMode::ReadWrite);
    EXPECT_EQ(plat::WriteFile(both, "NEW", 3), 3);
    plat::CloseFile(both);
    EXPECT_EQ(temp.Read("data.bin"), "NEW3456789");
    plat::CloseFile(plat::OpenFile(path, plat::OpenMode::Create));
    EXPECT_EQ(temp.Read("data.bin"), "");  // truncated

    // Bad and closed handles are refused quietly.
    for (plat::FileHandle bad : {plat::kInvalidFile, 0, 1 << 20, both}) {
        EXPECT_EQ(plat::ReadFile(bad, buffer, 1), -1) << bad;
        EXPECT_EQ(plat::WriteFile(bad, buffer, 1), -1) << bad;
        EXPECT_EQ(plat::SeekFile(bad, 0, plat::SeekFrom::Begin), -1) << bad;
        plat::CloseFile(bad);
    }
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
