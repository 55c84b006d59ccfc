#include "gfx/dib.h"

#include <gtest/gtest.h>

#include <vector>

#include "gfx/pixel_surface.h"
#include "gfx_test_files.h"

namespace {

using gfxtest::DibBytes;
using gfxtest::DibLayout;
using gfxtest::TestPicture;

// Every layout a DIB file may have gives the same picture.
TEST(Dib, EveryLayoutGivesTheSamePicture) {
    struct Case {
        const char* what;
        int32_t w, h;
        void (*change)(DibLayout&);
    };
    const Case cases[] = {
        {"plain", 30, 5, [](DibLayout&) {}},
        {"no file header", 30, 5, [](DibLayout& l) { l.file_header = false; }},
        {"core header", 30, 5, [](DibLayout& l) { l.core_header = true; }},
        {"core, no file header", 30, 5,
         [](DibLayout& l) { l.core_header = true, l.file_header = false; }},
        {"image size 0 (30 x 2 -> 64)", 30, 2, [](DibLayout& l) { l.image_size = 0; }},
        {"gap before the bits", 8, 3, [](DibLayout& l) { l.gap_before_bits = 10; }},
        {"top-down rows", 5, 4, [](DibLayout& l) { l.top_down = true; }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const TestPicture pic = TestPicture::Numbered(c.w, c.h);
        DibLayout layout;
        c.change(layout);
        const auto bytes = DibBytes(pic, layout);
        auto dib = ParseDib(bytes.data(), bytes.size());
        ASSERT_NE(dib, nullptr);
        EXPECT_EQ(dib->Width(), c.w);
        EXPECT_EQ(dib->Rows(), c.h);
        EXPECT_EQ(dib->header.image_size, uint32_t(PaddedStride(c.w) * c.h));
        for (int32_t y = 0; y < c.h; ++y)
            for (int32_t x = 0; x < c.w; ++x) ASSERT_EQ(dib->TopRow(y)[x], pic.At(x, y));
        EXPECT_EQ(dib->colors[200].red, pic.colors[200].red);
    }
}

TEST(Dib, DamagedFilesAreRefusedWithoutReadingPastTheirEnd) {
    const TestPicture pic = TestPicture::Numbered(30, 5);
    struct Case {
        const char* what;
        void (*change)(DibLayout&);
        size_t cut = 0;  // bytes removed from the end
    };
    const Case cases[] = {
        {"too many colours", [](DibLayout& l) { l.colors_used = 257; }},
        {"huge colour count", [](DibLayout& l) { l.colors_used = 0x40000000; }},
        {"zero width", [](DibLayout& l) { l.width = 0; }},
        {"negative width", [](DibLayout& l) { l.width = -30; }},
        {"zero height", [](DibLayout& l) { l.height = 0; }},
        {"rows past the end", [](DibLayout& l) { l.height = 500; }},
        {"huge picture", [](DibLayout& l) { l.width = l.height = 0x7fffffff; }},
        {"offset past the end", [](DibLayout& l) { l.bits_offset = 0x7ffffff0; }},
        {"4-bit", [](DibLayout& l) { l.bit_count = 4; }},
        {"compressed", [](DibLayout& l) { l.compression = 1; }},
        {"unknown header size", [](DibLayout& l) { l.header_size = 20; }},
        {"truncated rows", [](DibLayout&) {}, 1},
        {"truncated colour table", [](DibLayout&) {}, 150 + 900},
        {"only the file header", [](DibLayout&) {}, 150 + 1024 + 40},
    };
    for (const Case& c : cases) {
        DibLayout layout;
        c.change(layout);
        std::vector<uint8_t> bytes = DibBytes(pic, layout);
        bytes.resize(bytes.size() - c.cut);
        // Copy into a block of exactly that size so that the sanitizer sees
        // any read past it.
        std::unique_ptr<uint8_t[]> exact(new uint8_t[bytes.size()]);
        std::copy(bytes.begin(), bytes.end(), exact.get());
        EXPECT_EQ(ParseDib(exact.get(), bytes.size()), nullptr) << c.what;
    }
    EXPECT_EQ(ParseDib(nullptr, 0), nullptr);
    const uint8_t tiny[] = {'B', 'M', 0, 0};
    EXPECT_EQ(ParseDib(tiny, sizeof tiny), nullptr);
}

}  // namespace
