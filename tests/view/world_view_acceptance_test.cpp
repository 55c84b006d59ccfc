// A free game started on a fixed seed shows its world in every rotation at
// zooms 1, 2, 4 and 16. The pictures go to the folder named by FV_VIEW_PNG
// (else a temporary one that is removed again) as view-r<r>-z<z>.png.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "platform/png_writer.h"
#include "platform/temp_folder.h"
#include "state/game_state.h"
#include "view/view_host.h"

namespace {

// Share of the picture's rows whose middle pixel is not black, so that a
// torn picture (a band left black at the scan's edges) shows.
double CoveredRows(const plat::Surface& s, int32_t x) {
    int32_t covered = 0;
    for (int32_t y = 0; y < s.height; ++y) covered += s.Row(y)[x] != 0 ? 1 : 0;
    return static_cast<double>(covered) / s.height;
}

TEST(WorldViewAcceptance, FreeGameShowsTheWorldInEveryRotationAndZoom) {
    const char* keep = std::getenv("FV_VIEW_PNG");
    const fvtest::TempFolder temp;
    const std::filesystem::path folder = keep != nullptr ? keep : temp.Path();
    std::filesystem::create_directories(folder);
    viewtest::ViewHost host;
    ASSERT_TRUE(g_pSpielFeld != nullptr && host.view().zoom == 1);
    // The composed view StartGame leaves, on the stand-in data, with the
    // city plates.
    EXPECT_EQ(host.PictureHash(), 0x171d16cf4c7904a0ull);
    for (int32_t r = 0; r < 4; ++r) {
        for (int32_t z : {1, 2, 4, 16}) {
            host.Show(r, z);
            const plat::Surface picture = host.Picture();
            const std::string name = "view-r" + std::to_string(r) + "-z" + std::to_string(z);
            EXPECT_TRUE(
                plat::WritePng((folder / (name + ".png")).string(), picture, host.Colours()));
            // The map covers the whole view, left, middle and right; the overview its middle.
            for (int32_t x : {picture.width / 2, 40, picture.width - 40}) {
                if (z == 16 && x != picture.width / 2) continue;
                EXPECT_GT(CoveredRows(picture, x), z < 16 ? 0.97 : 0.3) << name << " column " << x;
            }
        }
    }
}

}  // namespace
