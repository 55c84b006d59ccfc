// A free game started on a fixed seed shows its world in every rotation at
// zooms 1, 2, 4 and 16. The pictures go to the folder named by FV_VIEW_PNG
// (else a temporary one that is removed again) as view-r<r>-z<z>.png.

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include "platform/png_writer.h"
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
    const std::filesystem::path folder =
        keep != nullptr ? std::filesystem::path(keep)
                        : std::filesystem::temp_directory_path() /
                              ("ferrovane-view-png-" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder);
    viewtest::ViewHost host;
    ASSERT_NE(g_pSpielFeld, nullptr);
    EXPECT_EQ(host.view().zoom, 1);
    // The composed view StartGame leaves, on the stand-in data.
    EXPECT_EQ(host.PictureHash(), 0x94d38f37a28196beull);
    for (int32_t r = 0; r < 4; ++r) {
        for (int32_t z : {1, 2, 4, 16}) {
            host.Show(r, z);
            const plat::Surface picture = host.Picture();
            const std::string name = "view-r" + std::to_string(r) + "-z" + std::to_string(z);
            EXPECT_TRUE(
                plat::WritePng((folder / (name + ".png")).string(), picture, host.Colours()));
            if (z < 16) {
                // The map covers the whole view, left, middle and right.
                for (int32_t x : {40, picture.width / 2, picture.width - 40}) {
                    EXPECT_GT(CoveredRows(picture, x), 0.97) << name << " column " << x;
                }
            } else {
                EXPECT_GT(CoveredRows(picture, picture.width / 2), 0.3) << name;
            }
        }
    }
    if (keep == nullptr) std::filesystem::remove_all(folder);
}

}  // namespace
