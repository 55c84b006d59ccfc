// Loading pictures from files: the four layouts, the padded rows, and the
// retry/cancel box for missing and damaged files.

#include <gtest/gtest.h>

#include "app/interface_hooks.h"
#include "gfx/palette_image.h"
#include "gfx/picture_load.h"
#include "gfx/raw_image.h"
#include "gfx/wing_bitmap.h"
#include "gfx_host.h"
#include "gfx_test_files.h"
#include "platform/input.h"
#include "support/game_scope.h"

namespace {

using gfxtest::DibLayout;
using gfxtest::GfxHost;
using gfxtest::TempDataFolder;
using gfxtest::TestPicture;

// Cancel in the box of a missing file leaves the image empty, frees the
// cursor and asks the frame once to abort the load; a damaged file asks
// like a missing one.
TEST(MissingPicture, CancelLeavesTheImageEmptyFreesTheCursorAndAbortsOnce) {
    TempDataFolder folder;
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
        EXPECT_EQ(host.frame->aborts, 1);
        // The program is ending now: a further load asks nothing.
        EXPECT_FALSE(image.LoadJgd(path));
        EXPECT_EQ(host.host.MessageBoxes().size(), 1u);
        EXPECT_EQ(host.frame->aborts, 1);
    }
    // A damaged file asks like a missing one.
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
TEST(MissingPicture, RetryAfterTheFileAppearsLoadsIt) {
    GfxHost host;
    TempDataFolder folder;
    const TestPicture pic = TestPicture::Numbered(30, 5);  // rows padded to 32 in the file
    DibLayout core;
    core.file_header = false;
    core.core_header = true;
    int boxes = 0;
    host.host.on_box = [&] {
        // The first box is answered Retry without the file; the second
        // after the file has been put in place.
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

TEST(PictureLoadScope, WaitCursorWhileTheViewExistsAndCdPauseByDriveLetter) {
    GfxHost host;
    TempDataFolder folder;
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

}  // namespace
