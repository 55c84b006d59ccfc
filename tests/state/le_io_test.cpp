#include "state/le_io.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/temp_folder.h"
#include "support/game_scope.h"

namespace {

class LeIoTest : public ::testing::Test {
  protected:
    fvtest::GameScope scope;  // resets the write-error flag and the write limit
    fvtest::TempFolder folder;
    std::string path = folder.Path() + "/record.bin";
};

// The level files' round trips and the recorded hash of a saved world pin
// the byte order; here the reads that come short.
TEST_F(LeIoTest, ShortReadsLeaveValuesAlone) {
    folder.Write("record.bin", std::string("\x01\x02\x03\x04\x05\x06", 6));
    plat::FileHandle f = plat::OpenFile(path, plat::OpenMode::Read);
    int32_t words[3] = {7, 7, 7};
    EXPECT_EQ(le::ReadI32Array(f, words, 3), 6u);
    EXPECT_EQ(words[0], 0x04030201);
    EXPECT_EQ(words[1], 7);  // a word with only two bytes stays as it was
    int32_t none = 99;
    EXPECT_FALSE(le::ReadI32(f, none));
    EXPECT_EQ(none, 99);
    plat::CloseFile(f);
}

TEST_F(LeIoTest, ShortWritesAndBadHandlesSetTheErrorAndWritingGoesOn) {
    int64_t v = 5;
    EXPECT_FALSE(le::ReadI64(plat::kInvalidFile, v));
    EXPECT_EQ(v, 5);
    plat::FileHandle f = plat::OpenFile(path, plat::OpenMode::Create);
    le::WriteI32(f, 1);
    EXPECT_EQ(g_WriteError, 0);
    plat::SetWriteLimitForTests(2);
    le::WriteI32(f, 2);
    EXPECT_EQ(g_WriteError, 1);
    g_WriteError = 0;
    plat::SetWriteLimitForTests(-1);
    le::WriteI32(plat::kInvalidFile, 1);
    EXPECT_EQ(g_WriteError, 1);
    plat::CloseFile(f);
}

}  // namespace
