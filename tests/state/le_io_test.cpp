#include "state/le_io.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/temp_folder.h"
#include "support/game_scope.h"

namespace {

class LeIoTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_FALSE(folder.Path().empty());
        path = folder.Path() + "/record.bin";
    }

    fvtest::GameScope scope;  // resets the write-error flag and the write limit
    fvtest::TempFolder folder;
    std::string path;
};

TEST_F(LeIoTest, EveryTypeRoundTripsLittleEndian) {
    plat::FileHandle f = plat::OpenFile(path, plat::OpenMode::Create);
    ASSERT_NE(f, plat::kInvalidFile);
    le::WriteU8(f, 0xFE);
    le::WriteI8(f, -2);
    le::WriteU16(f, 0x1234);
    le::WriteI16(f, -3);
    le::WriteU32(f, 0xA1B2C3D4u);
    le::WriteI32(f, -5);
    le::WriteI64(f, -0x0102030405060708LL);
    le::WriteDouble(f, 1.5);
    const int32_t words[3] = {1, -1, 0x7FFFFFFF};
    le::WriteI32Array(f, words, 3);
    plat::CloseFile(f);
    EXPECT_EQ(g_WriteError, 0);

    const std::string bytes = folder.Read("record.bin");
    ASSERT_EQ(bytes.size(), 1u + 1 + 2 + 2 + 4 + 4 + 8 + 8 + 12);
    EXPECT_EQ(static_cast<uint8_t>(bytes[2]), 0x34);
    EXPECT_EQ(static_cast<uint8_t>(bytes[3]), 0x12);
    EXPECT_EQ(static_cast<uint8_t>(bytes[6]), 0xD4);
    EXPECT_EQ(static_cast<uint8_t>(bytes[9]), 0xA1);
    EXPECT_EQ(static_cast<uint8_t>(bytes[29]), 0x3F);  // 1.5 = 0x3FF8000000000000
    EXPECT_EQ(static_cast<uint8_t>(bytes[28]), 0xF8);

    f = plat::OpenFile(path, plat::OpenMode::Read);
    uint8_t u8 = 0;
    int8_t i8 = 0;
    uint16_t u16 = 0;
    int16_t i16 = 0;
    uint32_t u32 = 0;
    int32_t i32 = 0;
    int64_t i64 = 0;
    double d = 0;
    int32_t back[3] = {};
    EXPECT_TRUE(le::ReadU8(f, u8));
    EXPECT_TRUE(le::ReadI8(f, i8));
    EXPECT_TRUE(le::ReadU16(f, u16));
    EXPECT_TRUE(le::ReadI16(f, i16));
    EXPECT_TRUE(le::ReadU32(f, u32));
    EXPECT_TRUE(le::ReadI32(f, i32));
    EXPECT_TRUE(le::ReadI64(f, i64));
    EXPECT_TRUE(le::ReadDouble(f, d));
    EXPECT_EQ(le::ReadI32Array(f, back, 3), 12u);
    plat::CloseFile(f);
    EXPECT_EQ(u8, 0xFE);
    EXPECT_EQ(i8, -2);
    EXPECT_EQ(u16, 0x1234);
    EXPECT_EQ(i16, -3);
    EXPECT_EQ(u32, 0xA1B2C3D4u);
    EXPECT_EQ(i32, -5);
    EXPECT_EQ(i64, -0x0102030405060708LL);
    EXPECT_EQ(d, 1.5);
    EXPECT_EQ(back[2], 0x7FFFFFFF);
    EXPECT_EQ(back[1], -1);
}

TEST_F(LeIoTest, ShortReadsLeaveValuesAlone) {
    folder.Write("record.bin", std::string("\x01\x02\x03\x04\x05\x06", 6));
    plat::FileHandle f = plat::OpenFile(path, plat::OpenMode::Read);
    int32_t a = 0;
    int32_t b = 99;
    EXPECT_TRUE(le::ReadI32(f, a));
    EXPECT_EQ(a, 0x04030201);
    EXPECT_FALSE(le::ReadI32(f, b));  // only two bytes left
    EXPECT_EQ(b, 99);
    plat::CloseFile(f);

    f = plat::OpenFile(path, plat::OpenMode::Read);
    int32_t words[3] = {7, 7, 7};
    EXPECT_EQ(le::ReadI32Array(f, words, 3), 6u);
    EXPECT_EQ(words[0], 0x04030201);
    EXPECT_EQ(words[1], 7);  // a word with only two bytes stays as it was
    plat::CloseFile(f);

    // A bad handle reads nothing and writes nothing.
    int64_t v = 5;
    EXPECT_FALSE(le::ReadI64(plat::kInvalidFile, v));
    EXPECT_EQ(v, 5);
    le::WriteI32(plat::kInvalidFile, 1);
    EXPECT_EQ(g_WriteError, 1);
}

TEST_F(LeIoTest, ShortWriteSetsTheErrorAndWritingGoesOn) {
    plat::FileHandle f = plat::OpenFile(path, plat::OpenMode::Create);
    le::WriteI32(f, 1);
    EXPECT_EQ(g_WriteError, 0);
    plat::SetWriteLimitForTests(2);
    le::WriteI32(f, 2);
    EXPECT_EQ(g_WriteError, 1);
    le::WriteU8(f, 3);  // later writes are tried but fail too
    EXPECT_EQ(g_WriteError, 1);
    plat::CloseFile(f);
}

}  // namespace
