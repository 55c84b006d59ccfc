// The landscape template files: the stand-in files read back exactly as they
// were made, and every damaged file is refused without touching the result.

#include "world/landscape_templates.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>

#include "landscape_templates.h"
#include "platform/temp_folder.h"
#include "state/game_state.h"
#include "support/game_scope.h"

namespace {

std::vector<uint8_t> StandInFile(int season) {
    return standin::EncodeLandscapeFile(standin::MakeLandscapeStamps(season));
}

void Put32(std::vector<uint8_t>& bytes, size_t at, int32_t v) {
    for (int i = 0; i < 4; ++i) bytes[at + i] = uint8_t(uint32_t(v) >> (8 * i));
}

// A small valid file: two entries (kind 1, 2 x 3; kind 5, 1 x 2) and their
// eight height bytes.
std::vector<uint8_t> SmallFile() {
    std::vector<uint8_t> b(4 + 32 + 8, 0);
    Put32(b, 0, 2);
    b[4] = 1;
    Put32(b, 8, 2);
    Put32(b, 12, 3);
    Put32(b, 16, 0);
    b[20] = 5;
    Put32(b, 24, 1);
    Put32(b, 28, 2);
    Put32(b, 32, 6);
    for (int i = 0; i < 8; ++i) b[36 + i] = uint8_t(i + 1);
    return b;
}

TEST(LandscapeTemplateFile, StandInFilesReadBackAsMade) {
    for (int season = 1; season <= 3; ++season) {
        const auto stamps = standin::MakeLandscapeStamps(season);
        LandscapeTemplateSet set;
        ASSERT_TRUE(ParseLandscapeTemplates(StandInFile(season), &set)) << season;
        ASSERT_EQ(set.entries.size(), stamps.size());
        for (size_t n = 0; n < stamps.size(); ++n) {
            const LandscapeTemplate& t = set.entries[n];
            ASSERT_EQ(t.kind, stamps[n].kind);
            ASSERT_EQ(t.size_x, stamps[n].sizeX);
            ASSERT_EQ(t.size_y, stamps[n].sizeY);
            for (int32_t i = 0; i < t.size_x; ++i) {
                for (int32_t k = 0; k < t.size_y; ++k) {
                    ASSERT_EQ(set.Height(t, i, k), stamps[n].heights[size_t(i) * t.size_y + k]);
                }
            }
        }
        // Every kind of the seven categories the land passes use is there.
        for (int kind : {1, 2, 3, 5, 8, 11, 14}) {
            EXPECT_TRUE(std::any_of(set.entries.begin(), set.entries.end(),
                                    [&](const LandscapeTemplate& t) { return t.kind == kind; }))
                << season << " kind " << kind;
        }
    }
}

TEST(LandscapeTemplateFile, ReadsTheSmallFileAndIgnoresTrailingBytes) {
    std::vector<uint8_t> bytes = SmallFile();
    bytes.push_back(0xEE);
    LandscapeTemplateSet set;
    ASSERT_TRUE(ParseLandscapeTemplates(bytes, &set));
    ASSERT_EQ(set.entries.size(), 2u);
    EXPECT_EQ(set.heights.size(), 8u);
    EXPECT_EQ(set.Height(set.entries[0], 1, 2), 6);
    EXPECT_EQ(set.Height(set.entries[1], 0, 1), 8);
}

TEST(LandscapeTemplateFile, RefusesEveryDamagedFile) {
    struct Damage {
        const char* what;
        void (*apply)(std::vector<uint8_t>&);
    };
    const Damage damages[] = {
        {"empty", [](std::vector<uint8_t>& b) { b.clear(); }},
        {"count cut short", [](std::vector<uint8_t>& b) { b.resize(3); }},
        {"no entries", [](std::vector<uint8_t>& b) { Put32(b, 0, 0); }},
        {"negative count", [](std::vector<uint8_t>& b) { Put32(b, 0, -1); }},
        {"1001 entries", [](std::vector<uint8_t>& b) { Put32(b, 0, 1001); }},
        {"table cut short", [](std::vector<uint8_t>& b) { b.resize(30); }},
        {"more entries than the table holds", [](std::vector<uint8_t>& b) { Put32(b, 0, 3); }},
        {"kind 0", [](std::vector<uint8_t>& b) { b[4] = 0; }},
        {"kind 15", [](std::vector<uint8_t>& b) { b[20] = 15; }},
        {"negative size_x", [](std::vector<uint8_t>& b) { Put32(b, 8, -2); }},
        {"negative size_y", [](std::vector<uint8_t>& b) { Put32(b, 28, -1); }},
        {"negative offset", [](std::vector<uint8_t>& b) { Put32(b, 16, -1); }},
        {"last entry's data cut short", [](std::vector<uint8_t>& b) { b.pop_back(); }},
        {"entry beyond the last one's data", [](std::vector<uint8_t>& b) { Put32(b, 16, 3); }},
        {"huge sizes",
         [](std::vector<uint8_t>& b) {
             Put32(b, 24, 0x10000);
             Put32(b, 28, 0x10000);
         }},
    };
    for (const Damage& d : damages) {
        std::vector<uint8_t> bytes = SmallFile();
        d.apply(bytes);
        LandscapeTemplateSet set;
        set.heights = {42};
        EXPECT_FALSE(ParseLandscapeTemplates(bytes, &set)) << d.what;
        EXPECT_TRUE(set.entries.empty()) << d.what;
        EXPECT_EQ(set.heights, std::vector<uint8_t>{42}) << d.what;
    }
    // The limits themselves are fine: 1,000 entries without cells.
    std::vector<uint8_t> many(4 + 16 * 1000, 0);
    Put32(many, 0, 1000);
    for (int n = 0; n < 1000; ++n) many[4 + 16 * n] = 14;
    LandscapeTemplateSet set;
    EXPECT_TRUE(ParseLandscapeTemplates(many, &set));
    EXPECT_EQ(set.entries.size(), 1000u);
}

TEST(LandscapeTemplateFile, PathFollowsTheSeasonFolderAndReadsFromDisk) {
    fvtest::GameScope scope;
    CGameState& gs = scope.state();
    const fvtest::TempFolder folder;
    std::snprintf(gs.data_paths[0], kDataPathLength, "%s", folder.Path().c_str());
    std::snprintf(gs.season_folders[1], kDataPathLength, "%s", "\\summer");
    gs.install_index = 0;
    gs.season = 4;
    EXPECT_EQ(LandscapeTemplatePath(gs), "");
    gs.season = 2;
    EXPECT_EQ(LandscapeTemplatePath(gs), folder.Path() + "\\summer\\2berge");
    LandscapeTemplateSet set;
    EXPECT_FALSE(ReadLandscapeTemplates(LandscapeTemplatePath(gs), &set));  // missing
    const std::vector<uint8_t> bytes = StandInFile(2);
    folder.Write("summer/2berge", std::string(bytes.begin(), bytes.end()));
    EXPECT_TRUE(ReadLandscapeTemplates(LandscapeTemplatePath(gs), &set));
    EXPECT_EQ(set.entries.size(), standin::MakeLandscapeStamps(2).size());
}

}  // namespace
