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

TEST_F(LeIoTest, ValuesRoundTripLittleEndianAndShortReadsLeaveValuesAlone) {
    plat::FileHandle f = plat::OpenFile(path, plat::OpenMode::Create);
    le::WriteU16(f, 0x1234);
    le::WriteI64(f, -0x0102030405060708LL);
    le::WriteDouble(f, 1.5);
    const int32_t words[2] = {-1, 0x7FFFFFFF};
    le::WriteI32Array(f, words, 2);
    le::WriteU16(f, 0xBEEF);  // half a word
    plat::CloseFile(f);
    EXPECT_EQ(g_WriteError, 0);
    const std::string bytes = folder.Read("record.bin");
    ASSERT_EQ(bytes.size(), 2u + 8 + 8 + 8 + 2);
    EXPECT_EQ(bytes.substr(0, 2), "\x34\x12");
    EXPECT_EQ(bytes.substr(16, 2), "\xF8\x3F");  // 1.5 = 0x3FF8000000000000

    f = plat::OpenFile(path, plat::OpenMode::Read);
    uint16_t u16 = 0;
    int64_t i64 = 0;
    double d = 0;
    int32_t back[3] = {7, 7, 7};
    EXPECT_TRUE(le::ReadU16(f, u16));
    EXPECT_TRUE(le::ReadI64(f, i64));
    EXPECT_TRUE(le::ReadDouble(f, d));
    EXPECT_EQ(le::ReadI32Array(f, back, 3), 10u);
    int32_t none = 99;
    EXPECT_FALSE(le::ReadI32(f, none));
    plat::CloseFile(f);
    EXPECT_EQ(u16, 0x1234);
    EXPECT_EQ(i64, -0x0102030405060708LL);
    EXPECT_EQ(d, 1.5);
    EXPECT_EQ(back[1], 0x7FFFFFFF);
    EXPECT_EQ(back[2], 7);  // a word with only two bytes stays as it was
    EXPECT_EQ(none, 99);
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
