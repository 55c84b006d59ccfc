// Pictures from files (layouts, damaged files, the retry/cancel box), the
// image records, the keyed copies between pixel blocks and the image button;
// and the engine on the stand-in data folder: every picture the loaders read,
// and a golden scene drawn with every drawing call.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <vector>

#include "app/interface_hooks.h"
#include "cell_mark.h"
#include "gfx/blit.h"
#include "gfx/blit_dc.h"
#include "gfx/buttons.h"
#include "gfx/dib.h"
#include "gfx/font_tables.h"
#include "gfx/palette.h"
#include "gfx/palette_image.h"
#include "gfx/picture_load.h"
#include "gfx/pixel_surface.h"
#include "gfx/raw_image.h"
#include "gfx/wing_bitmap.h"
#include "gfx_host.h"
#include "gfx_test_files.h"
#include "platform/compositor.h"
#include "platform/input.h"
#include "platform/message_queue.h"
#include "platform/palette.h"
#include "platform/random.h"
#include "platform/temp_folder.h"
#include "platform/test_window.h"
#include "platform/wing.h"
#include "standin.h"
#include "state/data_tables.h"
#include "state/game_state.h"
#include "state/world_images.h"
#include "support/fnv_hash.h"
#include "support/game_scope.h"
#include "terrain_tiles.h"
#include "test_canvas.h"
#include "ways.h"

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
        EXPECT_EQ(
            std::tuple(dib->Width(), dib->Rows(), dib->header.image_size, dib->colors[200].red),
            std::tuple(c.w, c.h, uint32_t(PaddedStride(c.w) * c.h), pic.colors[200].red));
        for (int32_t y = 0; y < c.h; ++y)
            for (int32_t x = 0; x < c.w; ++x) ASSERT_EQ(dib->TopRow(y)[x], pic.At(x, y));
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
        {"24-bit", {.bit_count = 24}},
        {"4-bit runs", {.compression = 2}},
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
    const uint8_t tiny[] = {'B', 'M', 0, 0};
    EXPECT_EQ(std::tuple(ParseDib(nullptr, 0), ParseDib(tiny, sizeof tiny)),
              std::tuple(nullptr, nullptr));
}

// A file of the given layout whose bits are `bits` as given (runs or nibbles).
std::vector<uint8_t> FileWithBits(int32_t w, int32_t h, const DibLayout& layout,
                                  const std::vector<uint8_t>& bits) {
    std::vector<uint8_t> bytes = DibBytes(TestPicture::Numbered(w, h), layout);
    bytes.resize(bytes.size() - size_t(PaddedStride(w) * h));
    bytes.insert(bytes.end(), bits.begin(), bits.end());
    return bytes;
}

// Runs of one value, a literal run, a move and the end mark (5 x 3).
const std::vector<uint8_t> kRuns = {2, 7, 0, 3, 9, 8, 6, 0, 0, 0, 0, 2, 1, 1, 1, 5, 0, 1};
const DibLayout kRunLayout{.image_size = 0, .compression = 1};

// 4-bit rows and runs unpack to the pixels they describe, bottom row first;
// mapped to a palette, every pixel they give is translated, a 4-bit one
// past 15 too.
TEST(Dib, FourBitAndRunLengthPicturesUnpackToTheirPixelsAndMap) {
    const std::vector<uint8_t> nibbles = {0x12, 0x30, 0, 0, 0xAB, 0xCF, 0, 0};
    const auto four = FileWithBits(3, 2, {.colors_used = 16, .bit_count = 4}, nibbles);
    const auto runs = FileWithBits(5, 3, kRunLayout, kRuns);
    std::vector<plat::PaletteEntry> entries(256);
    const TestPicture pic = TestPicture::Numbered(1, 1);
    for (int k = 1; k < 256; ++k) {
        const RgbQuad& c = pic.colors[k - 1];
        entries[k] = {c.red, c.green, c.blue, 0};
    }
    const plat::PaletteHandle shifted = plat::CreatePalette(entries);  // colour i -> index i + 1
    using Rows = std::vector<std::vector<uint8_t>>;
    const std::tuple<const std::vector<uint8_t>*, Rows, bool> cases[] = {
        {&four, {{10, 11, 12}, {1, 2, 3}}, false},
        {&four, {{11, 12, 13}, {2, 3, 4}}, true},
        {&runs, {{0, 5, 0, 0, 0}, {0, 0, 0, 0, 0}, {7, 7, 9, 8, 6}}, false},
        {&runs, {{0, 6, 0, 0, 0}, {0, 0, 0, 0, 0}, {8, 8, 10, 9, 7}}, true},
    };
    for (const auto& [bytes, rows, mapped] : cases) {
        auto dib = ParseDib(bytes->data(), bytes->size());
        ASSERT_NE(dib, nullptr);
        if (mapped) DibMapToPalette(dib.get(), shifted);
        UnpackDib(dib.get());
        for (size_t y = 0; y < rows.size(); ++y) {
            EXPECT_EQ(
                std::vector(dib->TopRow(int32_t(y)), dib->TopRow(int32_t(y)) + rows[y].size()),
                rows[y])
                << y << mapped;
        }
    }
    // Loaded for the screen, the 4-bit pixels 0..15 show the file's colours.
    gfxtest::TempDataFolder folder;
    GfxHost host;
    const auto sixteen = FileWithBits(16, 1, {.colors_used = 16, .bit_count = 4},
                                      {0x01, 0x23, 0x45, 0x67, 0x89, 0xAB, 0xCD, 0xEF});
    PaletteImage image;
    ASSERT_TRUE(image.Load(folder.Write("four.jgd", std::string(sixteen.begin(), sixteen.end())),
                           nullptr, 1));
    plat::DcHandle screen = plat::GetScreenDC();
    plat::SelectPalette(*screen, image.palette, false);
    plat::RealizePalette(*screen);
    for (int32_t x = 0; x < 16; ++x) {
        const auto& shown = plat::SystemPaletteRgb()[image.pixels[x]];
        const RgbQuad& file = pic.colors[x];
        EXPECT_EQ(std::tuple(shown[0], shown[1], shown[2]),
                  std::tuple(file.red, file.green, file.blue))
            << x;
    }
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
    EXPECT_EQ(std::tuple(rgb[249][0], image.pixels[3 * image.Stride() + 5]),
              std::tuple(255, pic.At(5, 3)));
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
    EXPECT_EQ(std::vector(bitmap.pixels, bitmap.pixels + bitmap.Stride() * 7),
              std::vector<uint8_t>(32 * 7, 0));
    plat::RgbQuad table[256];
    ASSERT_EQ(plat::GetDibColourTable(*bitmap.dc, 0, 256, table), 256);
    EXPECT_EQ(table[77].red, source.info.colors[77].red);
    const TestPicture pic = TestPicture::Numbered(13, 5);
    ASSERT_TRUE(bitmap.LoadJgd(folder.WritePicture("odd.jgd", pic)));
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 13; ++x)
            ASSERT_EQ(bitmap.pixels[y * bitmap.Stride() + x], pic.At(x, y));
    ASSERT_TRUE(bitmap.ReloadJgd(folder.WritePicture("odd2.jgd", TestPicture::Filled(4, 4, 3))));
    EXPECT_EQ(std::tuple(bitmap.width, bitmap.pixels[0]), std::tuple(4, 3));
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
    BlitDC(*dst.dc, 100, 45, 50, 50, *src.dc, 0, 0);
    BlitDC(*dst.dc, 200, 0, 50, 50, *src.dc, 0, 0);
    BlitDC(*dst.dc, 0, 20, 50, 50, *src.dc, 100, 0);
    // The first copy: 30 columns from source x + 30.
    EXPECT_EQ(std::tuple(at(0, 0), at(29, 0), at(30, 0), at(119, 49), at(0, 20)),
              std::tuple(30, 59, 255, 23, 255));
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
        EXPECT_EQ(std::tuple(image.pixels, plat::GetClipCursor(nullptr)),
                  std::tuple(nullptr, false));
        ASSERT_EQ(host.host.MessageBoxes().size(), 1u);
        const auto& box = host.host.MessageBoxes()[0];
        EXPECT_EQ(std::tuple(box.caption, box.flags), std::tuple("Ferrovane", 0x1015u));
        EXPECT_EQ(box.text, "The following graphics information couldn\xb4t be located:\n " + path +
                                " \n Check to make sure the information is available: For "
                                "instance, is the CD inserted in the player.");
        // The program is ending now: a further load asks nothing.
        EXPECT_FALSE(image.LoadJgd(path));
        EXPECT_EQ(std::tuple(host.host.MessageBoxes().size(), host.frame->aborts),
                  std::tuple(1u, 1));
    }
    GfxHost host;
    host.host.QueueMessageBoxAnswer(IDCANCEL);
    RawImage image;
    EXPECT_FALSE(image.LoadJgd(
        folder.WritePicture("bad.jgd", TestPicture::Numbered(8, 8), {.colors_used = 300})));
    EXPECT_EQ(std::tuple(host.host.MessageBoxes().size(), host.frame->aborts), std::tuple(1u, 1));
}

// A picture file that is there but cut short, or whose runs leave the
// picture, gets the same box as a missing one, with the path as the host
// writes it.
TEST(MissingPicture, ATruncatedPictureIsReportedAsDamaged) {
    gfxtest::TempDataFolder folder;
    const std::string whole =
        folder.WritePicture("cut.jgd", TestPicture::Numbered(16, 16), {.file_header = true});
    std::filesystem::resize_file(whole, std::filesystem::file_size(whole) - 40);
    GfxHost host;
    host.host.QueueMessageBoxAnswer(IDCANCEL);
    RawImage image;
    const std::string windowsPath = folder.Path() + "\\cut.jgd";
    EXPECT_FALSE(image.LoadJgd(windowsPath));
    ASSERT_EQ(host.host.MessageBoxes().size(), 1u);
    EXPECT_EQ(host.host.MessageBoxes()[0].text, MissingPictureText(windowsPath));
    EXPECT_EQ(host.host.MessageBoxes()[0].text,
              "The following graphics information couldn\xb4t be located:\n " + folder.Path() +
                  "/cut.jgd \n Check to make sure the information is available: For instance, "
                  "is the CD inserted in the player.");
}

// Runs past a row's end, a literal past the data's end, a move below the
// picture, a stream cut after a count or after an escape's 0: refused, with
// the box.
TEST(MissingPicture, RunsLeavingThePictureAreRefusedWithTheBox) {
    const std::vector<uint8_t> damaged[] = {
        {6, 7, 0, 1}, {0, 5, 1, 2}, {0, 2, 0, 9, 1, 1}, {2, 7, 3}, {2, 7, 0}};
    for (const std::vector<uint8_t>& runs : damaged) {
        const auto bytes = FileWithBits(5, 3, kRunLayout, runs);
        EXPECT_EQ(ParseDib(bytes.data(), bytes.size()), nullptr);
    }
    gfxtest::TempDataFolder folder;
    const auto bytes = FileWithBits(5, 3, kRunLayout, damaged[0]);
    const std::string path = folder.Write("runs.jgd", std::string(bytes.begin(), bytes.end()));
    GfxHost host;
    host.host.QueueMessageBoxAnswer(IDCANCEL);
    RawImage image;
    EXPECT_FALSE(image.LoadJgd(path));
    ASSERT_EQ(host.host.MessageBoxes().size(), 1u);
    EXPECT_EQ(host.host.MessageBoxes()[0].text, MissingPictureText(path));
}

// Retry after the file has appeared loads it; raw images keep odd-width
// rows unpadded, whatever the file's layout.
TEST_F(Images, RetryAfterTheMissingPictureAppearsLoadsIt) {
    const TestPicture pic = TestPicture::Numbered(30, 5);  // rows padded to 32 in the file
    int boxes = 0;
    host.host.on_box = [&] {  // the file is put in place before the second Retry
        if (++boxes == 2)
            folder.WritePicture("later.jgd", pic, {.file_header = false, .core_header = true});
    };
    host.host.QueueMessageBoxAnswer(IDRETRY);
    host.host.QueueMessageBoxAnswer(IDRETRY);
    RawImage image;
    EXPECT_TRUE(image.LoadJgd(folder.Path() + "/later.jgd"));
    EXPECT_EQ(std::tuple(boxes, host.frame->aborts, image.height), std::tuple(2, 0, -5));
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
    EXPECT_EQ(std::tuple(during_box, plat::GetCursor(), g_pauses > 0),
              std::tuple(IDC_WAIT, IDC_ARROW, true));
    g_pauses = 0;
    hooks.cd_drive = 'Q';
    RawImage raw;
    EXPECT_EQ((std::tuple{raw.LoadJgd(path), g_pauses}), std::tuple(true, 0));
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
    // Each step: 'm' moves to client point (x, y) of the button, 'p'/'r'
    // presses/releases, 'w' waits a second (no double click), 's'/'u' holds
    // Shift down/up.
    struct Step {
        char what;
        int32_t x = 0, y = 0;
    };
    void Play(std::initializer_list<Step> steps) {
        for (const Step& s : steps) {
            if (s.what == 'm') host.host.InjectMouseMove({110 + s.x, 120 + s.y});
            if (s.what == 'p' || s.what == 'r')
                host.host.InjectMouseButton(plat::MouseButton::Left, s.what == 'p');
            if (s.what == 'w') host.host.AdvanceClock(1000);
            if (s.what == 's' || s.what == 'u') host.host.InjectKey(VK_SHIFT, s.what == 's');
            host.host.RunUntilIdle();
        }
    }
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
    Play({{'m', 50, 20}, {'p'}});
    EXPECT_EQ(std::tuple(Shown(), plat::GetCapture()), std::tuple(kPressedInk, button));
    Play({{'m', 150, 20}});  // outside, still captured
    EXPECT_EQ(Shown(), kNormalInk);
    Play({{'r'}});
    EXPECT_EQ(std::tuple(Commands(), plat::GetCapture()), std::tuple(0u, nullptr));
    Play({{'w'}, {'m', 50, 20}, {'p'}, {'m', 108, 40}});  // one past the last pixel: inside
    EXPECT_EQ(Shown(), kPressedInk);
    Play({{'r'}});
    EXPECT_EQ(std::tuple(Commands(), parent.Last(WM_COMMAND)->wParam, Shown()),
              std::tuple(1u, kCommand, kNormalInk));
    Play({{'p'}, {'r'}});  // arrives as a double click: ignored
    EXPECT_EQ(Commands(), 1u);
    Play({{'w'}, {'m', 50, 20}, {'p'}, {'s'}, {'m', 150, 20}});  // outside, with Shift
    EXPECT_EQ(Shown(), kPressedInk);
    Play({{'u'}, {'m', 50, 20}, {'r'}});
    EXPECT_EQ(host.host.Recorder().Count(plat::MessageTrace::Kind::Posted, &parent, WM_COMMAND),
              2u);
}

// Mode 1 fires at the press, or when dragged onto with the button down.
TEST_F(ButtonTest, ModeOneFiresAtThePressAndTheOwnerShowsItPressed) {
    button->mode = 1;
    Play({{'m', 50, 20}, {'p'}});
    EXPECT_EQ(std::tuple(Commands(), button->state), std::tuple(1u, 1));
    Play({{'m', 60, 25}, {'r'}});
    EXPECT_EQ(std::tuple(Commands(), button->state), std::tuple(1u, 0));
    Play({{'w'}, {'m', 200, 100}, {'p'}, {'m', 50, 20}, {'m', 55, 20}});  // from beside it
    EXPECT_EQ(Commands(), 2u);
    Play({{'r'}});
    // The owner can show it pressed without firing; a press clears state 2.
    button->mode = 0;
    button->state = 1;
    button->Redraw();
    EXPECT_EQ(std::tuple(Shown(), Commands()), std::tuple(kPressedInk, 2u));
    button->state = 2;
    Play({{'w'}, {'p'}});
    EXPECT_EQ(button->state, 0);
    Play({{'r'}});
    EXPECT_EQ(Commands(), 3u);
}

using gfxtest::Canvas;

// Source picture whose pixel (x, y) is a recognisable non-zero value.
Canvas Numbered(int32_t w, int32_t h) {
    Canvas c(w, h);
    for (int32_t y = 0; y < h; ++y)
        for (int32_t x = 0; x < w; ++x) c.At(x, y) = uint8_t(1 + (x + 7 * y) % 250);
    return c;
}

// The meaning of every copy without its loop structure: destination pixel
// (x + i, y + j) gets source pixel (sx + i d, sy + j d) when both lie inside
// their pictures (and the clip), the source pixel is not the key.
void Reference(Canvas& dst, const Canvas& src, BlitRect r, uint8_t key, int32_t d, ClipRect clip,
               int mask_colour = -1) {
    const int32_t cl = std::max(clip.left, 0), ct = std::max(clip.top, 0);
    const int32_t cr = std::min(clip.right, dst.surface.width);
    const int32_t cb = std::min(clip.bottom, dst.surface.height);
    for (int32_t j = 0; j < r.height / d; ++j) {
        for (int32_t i = 0; i < r.width / d; ++i) {
            const int32_t X = r.x + i, Y = r.y + j;
            const int32_t SX = r.src_x + i * d, SY = r.src_y + j * d;
            if (X < cl || X >= cr || Y < ct || Y >= cb) continue;
            if (SX < 0 || SY < 0 || SX >= src.surface.width || SY >= src.surface.height) continue;
            const uint8_t s = src.Get(SX, SY);
            if (s != key) dst.At(X, Y) = mask_colour < 0 ? s : uint8_t(mask_colour);
        }
    }
}

ClipRect NoClip() {
    return {-1000000, 1000000, -1000000, 1000000};
}

TEST(BlitKeyed, MatchesThePerPixelMeaningAtEveryEdgeAndDivisor) {
    plat::Srand(1234);
    const int32_t divisors[] = {1, 2, 4, 16};
    for (int round = 0; round < 3000; ++round) {
        const int32_t sw = 1 + plat::Rand() % 90, sh = 1 + plat::Rand() % 50;
        Canvas src(sw, sh);
        for (auto& b : src.bytes) b = (plat::Rand() % 3 == 0) ? uint8_t(plat::Rand() % 256) : 0;
        const int32_t dw = 1 + plat::Rand() % 70, dh = 1 + plat::Rand() % 40;
        const int32_t d = divisors[plat::Rand() % 4];
        BlitRect r;
        r.x = plat::Rand() % (dw + 60) - 40;
        r.y = plat::Rand() % (dh + 60) - 40;
        r.width = plat::Rand() % 120;
        r.height = plat::Rand() % 120;
        r.src_y = plat::Rand() % (sh + 10) - 5;
        const int mode = round % 3;  // keyed, clipped, mask
        ClipRect clip = NoClip();
        if (mode == 1) {  // edges below 0 mean the image edge
            clip.left = plat::Rand() % (dw + 10) - 5;
            clip.top = plat::Rand() % (dh + 10) - 5;
            clip.right = clip.left + plat::Rand() % (dw + 10);
            clip.bottom = clip.top + plat::Rand() % (dh + 10);
        }
        // Keep clear of the right-edge wrap rule, which has its own test.
        const int32_t first_column = std::max({r.x, 0, mode == 1 ? clip.left : 0});
        const int32_t shift = (first_column - r.x) * d;
        r.src_x = plat::Rand() % (sw + 10) - 5;
        if (r.src_x + shift > sw) r.src_x = sw - shift;
        Canvas expected(dw, dh, 99), actual(dw, dh, 99);
        Reference(expected, src, r, 0, d, clip, mode == 2 ? 7 : -1);
        if (mode == 0) BlitKeyed(actual.surface, src.surface, r, 0, d);
        if (mode == 1) BlitKeyedClipped(actual.surface, src.surface, r, 0, d, clip);
        if (mode == 2) BlitMask(actual.surface, src.surface, r, 0, d, 7);
        ASSERT_EQ(expected.bytes, actual.bytes)
            << "round " << round << " mode " << mode << " d " << d << " at " << r.x << "," << r.y
            << " src " << r.src_x << "," << r.src_y << " size " << r.width << "x" << r.height;
    }
}

// The one-pass compose gives the pixels of a copy of the base followed by
// key-0 copies of the middle and front layers, at every edge and width.
TEST(ComposeLayers, MatchesCopyThenTwoKeyedCopies) {
    plat::Srand(4321);
    for (int round = 0; round < 400; ++round) {
        const int32_t w = 1 + plat::Rand() % 70, h = 1 + plat::Rand() % 20;
        Canvas base(w, h), middle(w, h), front(w, h);
        for (Canvas* c : {&base, &middle, &front}) {
            for (auto& b : c->bytes) b = plat::Rand() % 2 == 0 ? uint8_t(plat::Rand() % 256) : 0;
        }
        const int32_t x = plat::Rand() % (w + 20) - 10, y = plat::Rand() % (h + 10) - 5;
        const int32_t cw = plat::Rand() % (w + 20), ch = plat::Rand() % (h + 10);
        Canvas expected(w, h, 99), actual(w, h, 99);
        CopyPixels(expected.surface, x, y, base.surface, x, y, cw, ch);
        BlitKeyed(expected.surface, middle.surface, {x, y, x, y, cw, ch}, 0, 1);
        BlitKeyed(expected.surface, front.surface, {x, y, x, y, cw, ch}, 0, 1);
        ASSERT_TRUE(ComposeLayers(actual.surface, {base.surface, middle.surface, front.surface}, x,
                                  y, cw, ch));
        ASSERT_EQ(expected.bytes, actual.bytes) << "round " << round;
    }
    // Layers of differing sizes or a layer that is the target: not composed.
    Canvas a(8, 8, 1), b(9, 8, 2), target(8, 8, 3);
    EXPECT_FALSE(ComposeLayers(target.surface, {a.surface, b.surface, a.surface}, 0, 0, 8, 8));
    EXPECT_FALSE(ComposeLayers(a.surface, {a.surface, a.surface, a.surface}, 0, 0, 8, 8));
    EXPECT_EQ(target.bytes, std::vector<uint8_t>(target.bytes.size(), 3));
}

// Covering with two layers in one pass gives the pixels of key-0 copies of
// the middle and then the front layer over what the target held.
TEST(CoverWithLayers, MatchesTwoKeyedCopies) {
    plat::Srand(8642);
    for (int round = 0; round < 400; ++round) {
        const int32_t w = 1 + plat::Rand() % 70, h = 1 + plat::Rand() % 20;
        Canvas middle(w, h), front(w, h), expected(w, h);
        for (Canvas* c : {&middle, &front, &expected}) {
            for (auto& b : c->bytes) b = plat::Rand() % 2 == 0 ? uint8_t(plat::Rand() % 256) : 0;
        }
        Canvas actual = expected;
        const int32_t x = plat::Rand() % (w + 20) - 10, y = plat::Rand() % (h + 10) - 5;
        const int32_t cw = plat::Rand() % (w + 20), ch = plat::Rand() % (h + 10);
        BlitKeyed(expected.surface, middle.surface, {x, y, x, y, cw, ch}, 0, 1);
        BlitKeyed(expected.surface, front.surface, {x, y, x, y, cw, ch}, 0, 1);
        ASSERT_TRUE(CoverWithLayers(actual.surface, middle.surface, front.surface, x, y, cw, ch));
        ASSERT_EQ(expected.bytes, actual.bytes) << "round " << round;
    }
    // A layer that is the target: nothing drawn.
    Canvas a(8, 8, 1), b(8, 8, 2);
    EXPECT_FALSE(CoverWithLayers(a.surface, b.surface, a.surface, 0, 0, 8, 8));
    EXPECT_EQ(a.bytes, std::vector<uint8_t>(a.bytes.size(), 1));
}

// A source x past the sheet's width reads its last 64-pixel cell; a sheet
// narrower than 64 reads from a negative column, which counts as transparent.
// Groups of four zero source bytes are skipped whatever the key, so zeros
// inside a group with ink are drawn when the key is another colour.
TEST(BlitKeyed, LastCellPastTheWidthAndZeroGroupsWhateverTheKey) {
    const Canvas sheet = Numbered(128, 8);
    Canvas a(64, 8), b(64, 8);
    BlitKeyed(a.surface, sheet.surface, {0, 0, 500, 0, 64, 8}, 0, 1);
    BlitKeyed(b.surface, sheet.surface, {0, 0, 64, 0, 64, 8}, 0, 1);
    EXPECT_EQ(a.bytes, b.bytes);
    const Canvas narrow = Numbered(40, 4);
    Canvas c(64, 4, 200);
    BlitKeyed(c.surface, narrow.surface, {0, 0, 41, 0, 64, 4}, 0, 1);
    EXPECT_EQ(std::tuple(c.Get(23, 0), c.Get(24, 0), c.Get(63, 3)),
              std::tuple(200, narrow.Get(0, 0), narrow.Get(39, 3)));
    Canvas src(9, 1), dst(9, 1, 77);
    src.bytes = {0, 0, 0, 0, 5, 0, 16, 0, 0, 0, 0, 0};
    BlitKeyed(dst.surface, src.surface, {0, 0, 0, 0, 9, 1}, 16, 1);
    EXPECT_EQ(dst.bytes, (std::vector<uint8_t>{77, 77, 77, 77, 5, 0, 77, 0, 0, 77, 77, 77}));
    // d = 2 tests eight source bytes per group, even those it does not sample.
    Canvas src2(16, 2);
    src2.At(9, 0) = 3;
    Canvas dst2(8, 1, 77);
    BlitKeyed(dst2.surface, src2.surface, {0, 0, 0, 0, 16, 2}, 16, 2);
    EXPECT_EQ(dst2.bytes, (std::vector<uint8_t>{77, 77, 77, 77, 0, 0, 0, 0}));
}

TEST(BlitKeyed, NothingForBadDivisorsEmptyImagesOrEmptyFills) {
    const Canvas src = Numbered(32, 32);
    Canvas dst(32, 32, 9);
    const std::vector<uint8_t> before = dst.bytes;
    PixelSurface empty;
    for (int32_t d : {0, 3, 8, -1, 32}) {
        BlitKeyed(dst.surface, src.surface, {0, 0, 0, 0, 32, 32}, 0, d);
        BlitMask(dst.surface, src.surface, {0, 0, 0, 0, 32, 32}, 0, d, 1);
        BlitKeyedClipped(dst.surface, src.surface, {0, 0, 0, 0, 32, 32}, 0, d, NoClip());
    }
    BlitKeyed(dst.surface, empty, {0, 0, 0, 0, 32, 32}, 0, 1);
    BlitKeyed(empty, src.surface, {0, 0, 0, 0, 32, 32}, 0, 1);
    FillSurface(empty, 0, 0, 5, 5, 1);
    FillSurface(dst.surface, 2, 2, 0, 5, 4);
    FillSurface(dst.surface, 40, 0, 5, 5, 4);
    EXPECT_EQ(dst.bytes, before);
    // Fills are cut at the edges.
    FillSurface(dst.surface, -5, 30, 10, 10, 4);
    EXPECT_EQ(std::tuple(dst.Get(4, 31), dst.Get(5, 31), dst.Get(4, 29)), std::tuple(4, 9, 9));
}

// One stand-in folder for all tests of this file, removed at exit.
const std::string& StandInPath() {
    static const fvtest::TempFolder folder;
    static const bool written = [] {
        std::string error;
        EXPECT_TRUE(standin::WriteDataFolder(folder.Path(), &error)) << error;
        return true;
    }();
    (void)written;
    return folder.Path();
}

class StandInTest : public ::testing::Test {
  protected:
    void SetUp() override {
        InitBuildingTypes();
        CGameState& gs = *g_pGameState;
        for (auto& path : gs.data_paths) {
            std::snprintf(path, sizeof path, "%s", StandInPath().c_str());
        }
        const char* folders[] = {"\\spring", "\\summer", "\\autumn"};
        for (int i = 0; i < 3; ++i) std::snprintf(gs.season_folders[i], 250, "%s", folders[i]);
        gs.install_index = 0;
        gs.season = 2;
        gs.screen_height = 768;
    }
    size_t Boxes() { return host.host.MessageBoxes().size(); }
    GfxHost host;
    fvtest::GameScope scope;
};

// The game's loaders find every picture (no retry box).
TEST_F(StandInTest, EveryWorldPictureLoadsForEverySeasonRotationAndColour) {
    LoadStartupImages();
    const GameImages& im = g_pGameState->images;
    EXPECT_EQ(im.main_font.Rows(), 3680);
    for (int season = 1; season <= 3; ++season) {
        g_pGameState->season = season;
        LoadWorldImages();
        for (int rotation = 0; rotation < 4; ++rotation) {
            for (int colour = 0; colour < 4; ++colour) {
                g_pGameState->rotation = rotation;
                g_pGameState->player_colors[0] = uint8_t(colour);
                LoadObjectImages();
                ASSERT_EQ(Boxes(), 0u) << season << " " << rotation << " " << colour;
                for (int n = 0; n <= 86; ++n) {
                    ASSERT_EQ(im.building_pictures[n].Loaded(), n < 32 || n >= 34) << n;
                }
            }
        }
    }
}

// Reads the cell mark at (x, y) of a surface.
int MarkAt(const PixelSurface& s, int32_t x, int32_t y) {
    const uint8_t* row = s.pixels + size_t(y) * size_t(s.stride);
    return standin::DecodeMark(row[x], row[x + 1]);
}

TEST_F(StandInTest, GoldenSceneOfGroundWaysTextAndSprites) {
    LoadStartupImages();
    LoadWorldImages();
    ASSERT_EQ(Boxes(), 0u);
    GameImages& im = g_pGameState->images;
    WinGBitmap buffer;
    ASSERT_TRUE(buffer.Create(im.tile_sheet, 640, 480));
    BlitDCInBlocks(*buffer.dc, 0, 0, 640, 480, *im.tile.dc);
    // Ground tiles: kind k, shape s lies at (64 s, 40 k) of the tile sheet.
    struct Cell {
        int kind, shape, x, y;
    };
    const Cell cells[] = {{0, 0, 0, 0}, {3, 7, 100, 50}, {11, 14, 576, 440}, {5, 2, 300, 200}};
    for (const Cell& c : cells) {
        buffer.BlitImageKeyedClip(im.tile_sheet, c.x, c.y, 64 * c.shape, 40 * c.kind, 64, 40, 0, 1,
                                  0, 640, 0, 480);
    }
    for (const Cell& c : cells) {
        EXPECT_EQ(MarkAt(buffer.Surface(), c.x + standin::kTileMarkX, c.y + standin::kTileMarkY),
                  c.kind * 15 + c.shape)
            << c.kind << "/" << c.shape;
    }
    // A way piece on top: way type 2 (row 1), column 5.
    buffer.BlitRawKeyedClip(im.street_tiles, 300, 200, 64 * 5, 40 * 1, 64, 40, 0, 1, 0, 640, 0,
                            480);
    const standin::CellPoint way = standin::StreetMarkPoint(5);
    EXPECT_EQ(MarkAt(buffer.Surface(), 300 + way.x, 200 + way.y), 1 * 21 + 5);
    // The rest of the drawing calls: a fill, text in colours, cut at the
    // edges and in the small font, icons, a vehicle sheet at every divisor,
    // clipped, cut and as a glyph; then the scene shown through the palette.
    buffer.FillRect(20, 300, 280, 80, 12);
    buffer.DrawText("Ferrovane 1960", kFont1Advances, 30, 310, im.main_font);
    buffer.DrawText("cash \xe4 1,000", kFont1Advances, 30, 330, im.main_font, 16, 16, 243);
    buffer.DrawText("MW", kFont1Advances, -8, 470, im.main_font);  // cut at two edges
    buffer.DrawTextRaw("SMALL FONT az", kFont2Advances, 30, 360, im.small_font, 8, 8, 10);
    const char icons[] = {char(123), char(200), char(255), 0};
    buffer.DrawIcons(icons, kFont1Advances, 400, 310, im.main_font);
    const RawImage& sheet = im.vehicle_sheets[0];
    int32_t x = 170;
    for (int32_t d : {1, 2, 4, 16}) buffer.BlitRawKeyed(sheet, x += 70, 100, 0, 0, 64, 40, 0, d);
    buffer.BlitRawKeyedClip(sheet, 470, 100, 0, 0, 64, 40, 0, 1, 480, 520, 110, 130);
    buffer.BlitRawKeyed(sheet, -20, 440, 0, 0, 64, 40, 0, 1);
    buffer.BlitGlyphRaw(sheet, 500, 300, 0, 0, 64, 40, 0, 2, 100);
    class Screen : public plat::Window {};
    Screen screen;
    screen.Create(nullptr, {0, 0, 640, 480}, WS_POPUP | WS_VISIBLE, WS_EX_TOPMOST);
    {
        plat::DcHandle dc = plat::GetWindowDC(screen);
        SelectPictureOutputPalette(*dc, buffer.dc.get(), im.palette_a);
        BlitDC(*dc, 0, 0, 640, 480, *buffer.dc, 0, 0);
        RestoreDefaultPalette(*dc);
    }
    EXPECT_EQ(plat::ScreenPixel(300 + way.x, 200 + way.y),
              buffer.pixels[(200 + way.y) * buffer.Stride() + 300 + way.x]);
    if (const char* folder = std::getenv("FV_GOLDEN_PNG")) {
        plat::SaveScreenPng(std::string(folder) + "/scene_standin.png");
    }
    // The scene's pixels, stored for the stand-in pictures they were drawn
    // from. When those change on purpose, look at the scene (set
    // FV_GOLDEN_PNG to a folder to get a PNG) and store both new values.
    uint64_t inputs = fvtest::kHashStart, scene = inputs;
    for (const char* file : {"/summer/tilesg.jgd", "/streets.jgd", "/font_1.jgd", "/font_2.jgd",
                             "/tile.jgd", "/lk0.jgd"}) {
        std::ifstream in(StandInPath() + file, std::ios::binary);
        const std::string bytes(std::istreambuf_iterator<char>(in), {});
        inputs = fvtest::Fnv1a(bytes.data(), bytes.size(), inputs);
    }
    for (int32_t y = 0; y < 480; ++y)
        scene = fvtest::Fnv1a(&buffer.pixels[y * buffer.Stride()], 640, scene);
    constexpr uint64_t kInputs = 0x2024961129be464bull;
    constexpr uint64_t kScene = 0xb16acfcaec4d26a2ull;
    // A change of the pictures fails here rather than passing unchecked.
    ASSERT_EQ(inputs, kInputs) << "the stand-in pictures changed: inputs 0x" << std::hex << inputs
                               << ", scene 0x" << scene;
    EXPECT_EQ(scene, kScene) << std::hex << scene;
}

}  // namespace
