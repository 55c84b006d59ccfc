#include "world_files.h"

#include <cstdio>
#include <string>

#include "animations.h"
#include "building_types.h"
#include "buildings.h"
#include "dib_writer.h"
#include "landscape_templates.h"
#include "panel_pictures.h"
#include "screens.h"
#include "signs.h"
#include "terrain_tiles.h"
#include "trees.h"
#include "vehicles.h"
#include "ways.h"

namespace standin {

FileRecipe PictureRecipe(std::string path, std::function<Canvas()> make) {
    return {std::move(path), [make = std::move(make)] { return EncodeDib(make()); }};
}

namespace {

std::string Format(const char* format, int a, const char* s = "", int b = 0) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, format, a, s, b);
    return buffer;
}

}  // namespace

void AddScreenFiles(std::vector<FileRecipe>& files) {
    files.push_back(PictureRecipe("logo0.jgd", [] { return MakeLogo(0); }));
    files.push_back(PictureRecipe("logo1.jgd", [] { return MakeLogo(1); }));
    files.push_back(PictureRecipe("scr_0.jgd", MakeTitleScreen));
    files.push_back(PictureRecipe("scb_0.jgd", MakeTitleButtons));
    files.push_back(PictureRecipe("scr_42.jgd", MakeProgressScreen));
    files.push_back(PictureRecipe("scb_42.jgd", MakeProgressLamps));
    // The control panel, for the game and (an "e" before the dot) the editor.
    for (const bool editor : {false, true}) {
        const std::string e = editor ? "e" : "";
        const struct {
            const char* name;
            int height;
        } backgrounds[] = {{"butt640", 480}, {"butt800", 600}, {"butt102", 768}};
        for (const auto& b : backgrounds) {
            const int height = b.height;
            files.push_back(PictureRecipe(b.name + e + ".jgd", [height, editor] {
                return MakePanelBackground(height, editor);
            }));
        }
        files.push_back(PictureRecipe("butt000" + e + ".jgd",
                                      [editor] { return MakePanelHeadingsPressed(editor); }));
        for (const char* strip : {"butt001", "butt002"}) {
            files.push_back(
                PictureRecipe(strip + e + ".jgd", [editor] { return MakePanelRowStrip(editor); }));
        }
    }
    files.push_back(PictureRecipe("inf_ps.jgd", MakeGoodsIcons));
}

void AddWorldFiles(std::vector<FileRecipe>& files) {
    // Sheets of the screen-pictures folder.
    files.push_back(PictureRecipe("t_mask.jgd", MakeTerrainMask));
    files.push_back(PictureRecipe("streets.jgd", MakeStreetSheet));
    files.push_back(PictureRecipe("bridge.jgd", MakeBridgeSheet));
    files.push_back(PictureRecipe("hang.jgd", MakeSlopeSheet));
    files.push_back(PictureRecipe("ueber.jgd", MakeOverviewSheet));
    files.push_back(PictureRecipe("signs.jgd", MakeSignSheet));
    files.push_back(PictureRecipe("sf.jgd", MakeSfSheet));
    for (int colour = 0; colour < 4; ++colour) {
        files.push_back(PictureRecipe(Format("prosgn_%d.jgd", colour),
                                      [colour] { return MakeProductionSigns(colour); }));
        files.push_back(PictureRecipe(Format("lk%d.jgd", colour), [colour] {
            return MakeVehicleSheet(VehicleSheet::Truck, colour);
        }));
        files.push_back(PictureRecipe(Format("lo%d.jgd", colour), [colour] {
            return MakeVehicleSheet(VehicleSheet::Engine, colour);
        }));
        files.push_back(PictureRecipe(Format("wa%d.jgd", colour), [colour] {
            return MakeVehicleSheet(VehicleSheet::Wagon, colour);
        }));
    }
    files.push_back(
        PictureRecipe("ck.jgd", [] { return MakeVehicleSheet(VehicleSheet::CityCar, 0); }));
    for (int type = 0; type < kAnimationTypes; ++type) {
        if (AnimationCellSize(type).width == 0) continue;
        files.push_back(PictureRecipe(Format("ani_%d.jgd", type + 1),
                                      [type] { return MakeAnimationSheet(type); }));
    }
    // Per season: ground tiles, trees and every building picture.
    for (int season = 1; season <= 3; ++season) {
        const std::string folder = std::string(SeasonFolder(season)) + "/";
        files.push_back(PictureRecipe(folder + "tiles.jgd",
                                      [season] { return MakeGroundTiles(season, false); }));
        files.push_back(PictureRecipe(folder + "tilesg.jgd",
                                      [season] { return MakeGroundTiles(season, true); }));
        files.push_back(
            PictureRecipe(folder + "baum.jgd", [season] { return MakeTreeSheet(season); }));
        files.push_back(
            PictureRecipe(folder + "trees6.jgd", [season] { return MakeSummerTreeRow(season); }));
        files.push_back(PictureRecipe(folder + "stumpf.jgd", MakeStumpRow));
        files.push_back({folder + std::to_string(season) + "berge",
                         [season] { return EncodeLandscapeFile(MakeLandscapeStamps(season)); }});
        for (int r = 0; r < 4; ++r) {
            for (int type = 0; type < kBuildingTypes; ++type) {
                const BuildingInfo& info = kBuildings[type];
                const bool store = type >= 21 && type <= 26;
                if (info.perPlayer) {
                    for (int colour = 0; colour < 4; ++colour) {
                        const char* format = store ? "%sv%d%s%d.jgd" : "%sg%d%s%d.jgd";
                        char name[64];
                        std::snprintf(name, sizeof name, format, folder.c_str(), r, info.suffix,
                                      colour);
                        files.push_back(PictureRecipe(name, [type, r, colour] {
                            return MakeBuildingPicture(type, r, colour);
                        }));
                    }
                } else {
                    char name[64];
                    std::snprintf(name, sizeof name, "%sg%d%s.jgd", folder.c_str(), r, info.suffix);
                    files.push_back(
                        PictureRecipe(name, [type, r] { return MakeBuildingPicture(type, r, 0); }));
                }
            }
            for (int kind = 1; kind <= kCityBuildingKinds; ++kind) {
                char name[64];
                std::snprintf(name, sizeof name, "%sg%d_%d.jgd", folder.c_str(), r, 33 + kind);
                files.push_back(
                    PictureRecipe(name, [kind, r] { return MakeCityBuilding(kind, r); }));
            }
        }
        for (int type = 0; type < kBuildingTypes; ++type) {
            if (!HasAnimatedVariant(type)) continue;
            char name[64];
            std::snprintf(name, sizeof name, "%sg0%sa.jgd", folder.c_str(),
                          kBuildings[type].suffix);
            files.push_back(
                PictureRecipe(name, [type] { return MakeAnimatedBuildingPicture(type); }));
        }
    }
}

}  // namespace standin
