#include "state/tree_images.h"

#include <gtest/gtest.h>

#include <cstdio>

#include "gfx/gfx_test_files.h"
#include "platform/headless/headless_backend.h"
#include "state/game_state.h"
#include "state/lookup_tables.h"
#include "state/world_images.h"
#include "support/game_scope.h"

namespace {

int g_resumes = 0;

class TreeImagesTest : public ::testing::Test {
  protected:
    void SetUp() override {
        std::snprintf(gs.data_paths[kPathWorld * 3 + gs.install_index], kDataPathLength, "%s",
                      folder.Path().c_str());
        // Each file has its own width, so the loaded one can be told apart.
        folder.WritePicture("summer/baum.jgd", gfxtest::TestPicture::Numbered(20, 4));
        folder.WritePicture("summer/trees6.jgd", gfxtest::TestPicture::Numbered(24, 4));
        folder.WritePicture("summer/stumpf.jgd", gfxtest::TestPicture::Numbered(28, 4));
        folder.WritePicture("autumn/stumpf.jgd", gfxtest::TestPicture::Numbered(32, 4));
        gs.season = 2;
        GetWorldImageHooks().resume_music = [] { ++g_resumes; };
        g_resumes = 0;
    }

    plat::HeadlessBackend host;
    gfxtest::TempDataFolder folder;
    fvtest::GameScope scope;
    CGameState& gs = scope.state();
    CLookupTables tables;
    fvtest::RecordingSound& sound = scope.UseSound();
};

TEST_F(TreeImagesTest, TheOptionsAndTheSeasonPickThePicture) {
    struct Case {
        int32_t show_trees, seasons, season, width, redraw;
    };
    for (const Case c :
         {Case{1, 1, 2, 20, 1}, {1, 0, 2, 24, 1}, {0, 1, 2, 28, 0}, {0, 1, 3, 32, 0}}) {
        gs.show_trees = c.show_trees;
        gs.opt_seasons = c.seasons;
        gs.season = c.season;
        gs.redraw_objects = 0;
        LoadTreeImages();
        EXPECT_EQ(gs.images.tree_image.width, c.width) << c.width;
        EXPECT_EQ(gs.redraw_objects, c.redraw) << c.width;
    }
    EXPECT_EQ(g_resumes, 2);  // only the tree loads hand the music back
    EXPECT_TRUE(host.MessageBoxes().empty());
}

TEST_F(TreeImagesTest, MusicIsLeftAloneWhileAGameTrackPlaysOrCitiesGrow) {
    gs.screen_open = 1;
    sound.current_track = 5;
    LoadTreeImages();
    EXPECT_EQ(g_resumes, 0);
    sound.current_track = 4;
    LoadTreeImages();
    EXPECT_EQ(g_resumes, 1);
    gs.screen_open = 0;
    gs.city_growth_running = 1;
    LoadTreeImages();
    EXPECT_EQ(g_resumes, 1);
}

TEST_F(TreeImagesTest, MissingPictureAsksAndLeavesTheHolderEmpty) {
    gs.season = 1;  // no spring folder
    host.QueueMessageBoxAnswer(IDCANCEL);
    LoadTreeImages();
    ASSERT_EQ(host.MessageBoxes().size(), 1u);
    EXPECT_NE(host.MessageBoxes()[0].text.find("baum.jgd"), std::string::npos);
    EXPECT_FALSE(gs.images.tree_image.Loaded());
}

}  // namespace
