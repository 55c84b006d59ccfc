// Pictures from files: the DIB layouts and damaged files, the three image
// records, the copies to device contexts, the retry/cancel box for missing
// and damaged files; and the image button's press, drag and release rules.

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "app/interface_hooks.h"
#include "gfx/blit_dc.h"
#include "gfx/buttons.h"
#include "gfx/dib.h"
#include "gfx/palette.h"
#include "gfx/palette_image.h"
#include "gfx/picture_load.h"
#include "gfx/pixel_surface.h"
#include "gfx/raw_image.h"
#include "gfx/wing_bitmap.h"
#include "gfx_host.h"
#include "gfx_test_files.h"
#include "platform/input.h"
#include "platform/message_queue.h"
#include "platform/palette.h"
#include "platform/test_window.h"
#include "platform/wing.h"
#include "support/game_scope.h"

namespace {

using gfxtest::DibBytes;
using gfxtest::DibLayout;
using gfxtest::GfxHost;
using gfxtest::TestPicture;

TEST(Dib, EveryLayoutGivesTheSamePicture) {
    struct Case {
        const char* what;
        int32_t w, h;
        DibLayout layout;
    };
    const Case cases[] = {
        {"plain", 30, 5, {}},
        {"no file header", 30, 5, {.file_header = false}},
        {"core header", 30, 5, {.core_header = true}},
        {"core, no file header", 30, 5, {.file_header = false, .core_header = true}},
        {"image size 0 (30 x 2 -> 64)", 30, 2, {.image_size = 0}},
        {"gap before the bits", 8, 3, {.gap_before_bits = 10}},
        {"top-down rows", 5, 4, {.top_down = true}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const TestPicture pic = TestPicture::Numbered(c.w, c.h);
        const auto bytes = DibBytes(pic, c.layout);
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
    struct Case {
        const char* what;
        DibLayout layout;
        size_t cut = 0;  // bytes removed from the end
    };
    const Case cases[] = {
        {"too many colours", {.colors_used = 257}},
        {"huge colour count", {.colors_used = 0x40000000}},
        {"zero width", {.width = 0}},
        {"negative width", {.width = -30}},
        {"zero height", {.height = 0}},
        {"rows past the end", {.height = 500}},
        {"huge picture", {.width = 0x7fffffff, .height = 0x7fffffff}},
        {"offset past the end", {.bits_offset = 0x7ffffff0}},
        {"4-bit", {.bit_count = 4}},
        {"compressed", {.compression = 1}},
        {"unknown header size", {.header_size = 20}},
        {"truncated rows", {}, 1},
        {"truncated colour table", {}, 150 + 900},
        {"only the file header", {}, 150 + 1024 + 40},
    };
    for (const Case& c : cases) {
        std::vector<uint8_t> bytes = DibBytes(TestPicture::Numbered(30, 5), c.layout);
        bytes.resize(bytes.size() - c.cut);
        // A block of exactly that size, so that the sanitizer sees any read past it.
        std::unique_ptr<uint8_t[]> exact(new uint8_t[bytes.size()]);
        std::copy(bytes.begin(), bytes.end(), exact.get());
        EXPECT_EQ(ParseDib(exact.get(), bytes.size()), nullptr) << c.what;
    }
    EXPECT_EQ(ParseDib(nullptr, 0), nullptr);
    const uint8_t tiny[] = {'B', 'M', 0, 0};
    EXPECT_EQ(ParseDib(tiny, sizeof tiny), nullptr);
}

class Images : public ::testing::Test {
  protected:
    GfxHost host;
    gfxtest::TempDataFolder folder;
};

// A loaded picture realized on the screen shows its own colours at its own
// indices (the static colours stay), and its pixels are the file's indices;
// and a colour source gives another picture's palette its colours.
TEST_F(Images, PaletteImagesShowTheirColoursAtTheirOwnIndices) {
    const TestPicture pic = TestPicture::Numbered(12, 6);
    PaletteImage image;
    ASSERT_TRUE(image.Load(folder.WritePicture("tilesg.jgd", pic), nullptr, 1));
    EXPECT_EQ(image.palette->Entry(10).flags, plat::kPcReserved);
    plat::DcHandle screen = plat::GetScreenDC();
    plat::SelectPalette(*screen, image.palette, false);
    plat::RealizePalette(*screen);
    const plat::RgbTable& rgb = plat::SystemPaletteRgb();
    for (int i = 10; i < 246; ++i) {
        ASSERT_EQ(rgb[i][0], pic.colors[i].red) << i;
        ASSERT_EQ(rgb[i][2], pic.colors[i].blue) << i;
    }
    EXPECT_EQ(rgb[249][0], 255);
    EXPECT_EQ(image.pixels[3 * image.Stride() + 5], pic.At(5, 3));

    TestPicture other = TestPicture::Filled(12, 6, 9);
    for (auto& c : other.colors) c = RgbQuad{1, 2, 3, 0};
    PaletteImage shown;
    ASSERT_TRUE(shown.Load(folder.WritePicture("b.jgd", other), &image, 1));
    EXPECT_EQ(shown.palette->Entry(100).blue, pic.colors[100].blue);
}

TEST_F(Images, WinGBitmapsCreatedZeroedOrLoadedWithOddWidthRowsApart) {
    PaletteImage source;
    ASSERT_TRUE(source.Load(folder.WritePicture("s.jgd", TestPicture::Numbered(4, 4)), nullptr, 1));
    WinGBitmap bitmap;
    ASSERT_TRUE(bitmap.Create(source, 30, 7));
    EXPECT_EQ(bitmap.Stride(), 32);
    for (int i = 0; i < 32 * 7; ++i) ASSERT_EQ(bitmap.pixels[i], 0);
    plat::RgbQuad table[256];
    ASSERT_EQ(plat::GetDibColourTable(*bitmap.dc, 0, 256, table), 256);
    EXPECT_EQ(table[77].red, source.info.colors[77].red);

    const TestPicture pic = TestPicture::Numbered(13, 5);
    ASSERT_TRUE(bitmap.LoadJgd(folder.WritePicture("odd.jgd", pic)));
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 13; ++x)
            ASSERT_EQ(bitmap.pixels[y * bitmap.Stride() + x], pic.At(x, y));
    ASSERT_TRUE(bitmap.ReloadJgd(folder.WritePicture("odd2.jgd", TestPicture::Filled(4, 4, 3))));
    EXPECT_EQ(bitmap.width, 4);
    EXPECT_EQ(bitmap.pixels[0], 3);
}

TEST_F(Images, BlitDCCutsAtEveryEdge) {
    RgbQuad colours[256] = {};
    WinGBitmap src, dst;
    src.Create(colours, 100, 100);
    dst.Create(colours, 120, 50);
    for (int y = 0; y < 100; ++y)
        for (int x = 0; x < 100; ++x) src.pixels[y * src.Stride() + x] = uint8_t(x + y);
    dst.FillRect(0, 0, 120, 50, 255);
    auto at = [&](int32_t x, int32_t y) { return dst.pixels[y * dst.Stride() + x]; };
    EXPECT_EQ(BlitDC(*dst.dc, -30, 0, 60, 10, *src.dc, 0, 0), 1);
    EXPECT_EQ(at(0, 0), 30);   // from source x + 30
    EXPECT_EQ(at(29, 0), 59);  // 30 columns
    EXPECT_EQ(at(30, 0), 255);
    BlitDC(*dst.dc, 100, 45, 50, 50, *src.dc, 0, 0);
    EXPECT_EQ(at(119, 49), 23);
    BlitDC(*dst.dc, 200, 0, 50, 50, *src.dc, 0, 0);
    BlitDC(*dst.dc, 0, 20, 50, 50, *src.dc, 100, 0);
    EXPECT_EQ(at(0, 20), 255);
}

// Cancel in the box of a missing file leaves the image empty, frees the
// cursor and asks the frame once to abort the load; a damaged file asks
// like a missing one.
TEST(MissingPicture, CancelLeavesTheImageEmptyFreesTheCursorAndAbortsOnce) {
    gfxtest::TempDataFolder folder;
    {
        GfxHost host;
        plat::Rect confined{10, 10, 200, 200};
        plat::ClipCursor(&confined);
        const std::string path = folder.Path() + "/nothing.jgd";
        host.host.QueueMessageBoxAnswer(IDCANCEL);
        RawImage image;
        EXPECT_FALSE(image.LoadJgd(path));
        EXPECT_EQ(image.pixels, nullptr);
        EXPECT_FALSE(plat::GetClipCursor(nullptr));
        ASSERT_EQ(host.host.MessageBoxes().size(), 1u);
        const auto& box = host.host.MessageBoxes()[0];
        EXPECT_EQ(box.caption, "Ferrovane");
        EXPECT_EQ(box.flags, 0x1015u);
        EXPECT_EQ(box.text, "The following graphics information couldn\xb4t be located:\n " + path +
                                " \n Check to make sure the information is available: For "
                                "instance, is the CD inserted in the player.");
        // The program is ending now: a further load asks nothing.
        EXPECT_FALSE(image.LoadJgd(path));
        EXPECT_EQ(host.host.MessageBoxes().size(), 1u);
        EXPECT_EQ(host.frame->aborts, 1);
    }
    GfxHost host;
    DibLayout bad;
    bad.colors_used = 300;
    host.host.QueueMessageBoxAnswer(IDCANCEL);
    RawImage image;
    EXPECT_FALSE(image.LoadJgd(folder.WritePicture("bad.jgd", TestPicture::Numbered(8, 8), bad)));
    EXPECT_EQ(host.host.MessageBoxes().size(), 1u);
    EXPECT_EQ(host.frame->aborts, 1);
}

// Retry after the file has appeared loads it; raw images keep odd-width
// rows unpadded, whatever the file's layout.
TEST_F(Images, RetryAfterTheMissingPictureAppearsLoadsIt) {
    const TestPicture pic = TestPicture::Numbered(30, 5);  // rows padded to 32 in the file
    DibLayout core;
    core.file_header = false;
    core.core_header = true;
    int boxes = 0;
    host.host.on_box = [&] {  // the file is put in place before the second Retry
        if (++boxes == 2) folder.WritePicture("later.jgd", pic, core);
    };
    host.host.QueueMessageBoxAnswer(IDRETRY);
    host.host.QueueMessageBoxAnswer(IDRETRY);
    RawImage image;
    EXPECT_TRUE(image.LoadJgd(folder.Path() + "/later.jgd"));
    EXPECT_EQ(boxes, 2);
    EXPECT_EQ(host.frame->aborts, 0);
    EXPECT_EQ(image.height, -5);
    for (int32_t y = 0; y < 5; ++y)
        for (int32_t x = 0; x < 30; ++x) ASSERT_EQ(image.pixels[y * 30 + x], pic.At(x, y));
}

int g_pauses = 0;

TEST_F(Images, WaitCursorWhileTheViewExistsAndCdPauseByDriveLetter) {
    const std::string path = folder.WritePicture("a.jgd", TestPicture::Numbered(8, 8));
    fvtest::GameScope scope;
    scope.UseView();  // the wait cursor shows while a world view exists
    PictureLoadHooks& hooks = GetPictureLoadHooks();
    g_pauses = 0;
    hooks.pause_cd_music = [] { ++g_pauses; };
    hooks.cd_drive = path[0];  // the folder's first character stands for the CD drive
    // While the box of a missing file is up, the wait cursor shows.
    plat::CursorId during_box = 0;
    host.host.on_box = [&] { during_box = plat::GetCursor(); };
    host.host.QueueMessageBoxAnswer(IDCANCEL);
    WinGBitmap missing;
    EXPECT_FALSE(missing.LoadJgd(folder.Path() + "/missing.jgd"));
    EXPECT_EQ(during_box, IDC_WAIT);
    EXPECT_EQ(plat::GetCursor(), IDC_ARROW);
    EXPECT_GE(g_pauses, 1);

    g_pauses = 0;
    hooks.cd_drive = 'Q';
    RawImage raw;
    EXPECT_TRUE(raw.LoadJgd(path));
    EXPECT_EQ(g_pauses, 0);
    // Without a view the cursor is left alone.
    SetWorldView(nullptr);
    plat::SetCursor(200);
    EXPECT_TRUE(raw.LoadJgd(path));
    EXPECT_EQ(plat::GetCursor(), 200);
}

constexpr uint32_t kCommand = 40186;
constexpr uint8_t kNormalInk = 1;
constexpr uint8_t kPressedInk = 2;

class ButtonTest : public ::testing::Test {
  protected:
    void SetUp() override {
        RgbQuad colours[256] = {};
        sheet.Create(colours, 108, 80);
        sheet.FillRect(0, 0, 108, 40, kNormalInk);
        sheet.FillRect(0, 40, 108, 40, kPressedInk);
        parent.Create(nullptr, {100, 100, 500, 400}, WS_POPUP | WS_VISIBLE);
        ASSERT_TRUE(button->Create(
            {.x = 10, .y = 20, .command = kCommand, .width = 108, .height = 40, .pressed = {0, 40}},
            &parent, sheet, plat::StockDefaultPalette()));
        host.host.RunUntilIdle();
    }
    void TearDown() override { delete button; }

    // Moves to client point (x, y) of the button.
    void Move(int32_t x, int32_t y) {
        host.host.InjectMouseMove({110 + x, 120 + y});
        host.host.RunUntilIdle();
    }
    void Press(bool down = true) {
        host.host.InjectMouseButton(plat::MouseButton::Left, down);
        host.host.RunUntilIdle();
    }
    void Release() { Press(false); }
    size_t Commands() { return parent.Count(WM_COMMAND); }
    uint8_t Shown() { return button->GetSurface().Row(5)[5]; }

    gfxtest::GfxHost host;
    WinGBitmap sheet;
    plat_test::TestWindow parent;
    BUTTONS* button = new BUTTONS;
};

// A command is posted once, at a release inside (the right and bottom edges
// count as inside); pressed, moved out and released: nothing. A double
// click fires once; moves with Shift held are ignored.
TEST_F(ButtonTest, FiresOnceAtAReleaseInside) {
    Move(50, 20);
    Press();
    EXPECT_EQ(Shown(), kPressedInk);
    EXPECT_EQ(plat::GetCapture(), button);
    Move(150, 20);  // outside, still captured
    EXPECT_EQ(Shown(), kNormalInk);
    Release();
    EXPECT_EQ(Commands(), 0u);
    EXPECT_EQ(plat::GetCapture(), nullptr);

    host.host.AdvanceClock(1000);
    Move(50, 20);
    Press();
    Move(108, 40);  // one past the last pixel: still inside
    EXPECT_EQ(Shown(), kPressedInk);
    Release();
    EXPECT_EQ(Commands(), 1u);
    EXPECT_EQ(parent.Last(WM_COMMAND)->wParam, kCommand);
    EXPECT_EQ(Shown(), kNormalInk);
    Press();  // arrives as a double click: ignored
    Release();
    EXPECT_EQ(Commands(), 1u);

    host.host.AdvanceClock(1000);
    Move(50, 20);
    Press();
    host.host.InjectKey(VK_SHIFT, true);
    Move(150, 20);  // outside, but with Shift: nothing changes
    EXPECT_EQ(Shown(), kPressedInk);
    host.host.InjectKey(VK_SHIFT, false);
    Move(50, 20);
    Release();
    EXPECT_EQ(host.host.Recorder().Count(plat::MessageTrace::Kind::Posted, &parent, WM_COMMAND),
              2u);
}

// Mode 1 fires at the press, or when dragged onto with the button down.
TEST_F(ButtonTest, ModeOneFiresAtThePressAndTheOwnerShowsItPressed) {
    button->mode = 1;
    Move(50, 20);
    Press();
    EXPECT_EQ(Commands(), 1u);
    EXPECT_EQ(button->state, 1);
    Move(60, 25);
    Release();
    EXPECT_EQ(Commands(), 1u);
    EXPECT_EQ(button->state, 0);

    host.host.AdvanceClock(1000);  // no double click
    Move(200, 100);                // on the parent, beside the button
    Press();
    Move(50, 20);
    Move(55, 20);
    EXPECT_EQ(Commands(), 2u);
    Release();

    // The owner can show it pressed without firing; a press clears state 2.
    button->mode = 0;
    button->state = 1;
    button->Redraw();
    EXPECT_EQ(Shown(), kPressedInk);
    EXPECT_EQ(Commands(), 2u);
    button->state = 2;
    host.host.AdvanceClock(1000);
    Press();
    EXPECT_EQ(button->state, 0);
    Release();
    EXPECT_EQ(Commands(), 3u);
}

}  // namespace
