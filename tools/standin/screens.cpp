#include "screens.h"

#include "buildings.h"
#include "cell_mark.h"
#include "font_render.h"
#include "iso.h"
#include "palette.h"
#include "terrain_tiles.h"
#include "trees.h"
#include "ways.h"

namespace standin {
namespace {

void VerticalGradient(Canvas& c, int x, int y, int w, int h, Ramp ramp, int fromLevel,
                      int toLevel) {
    for (int row = 0; row < h; ++row) {
        const int level = fromLevel + (toLevel - fromLevel) * row / (h > 1 ? h - 1 : 1);
        c.FillRect(x, y + row, w, 1, pal::Shade(ramp, level));
    }
}

void Bevel(Canvas& c, int x, int y, int w, int h, uint8_t light, uint8_t dark) {
    c.FillRect(x, y, w, 1, light);
    c.FillRect(x, y, 1, h, light);
    c.FillRect(x, y + h - 1, w, 1, dark);
    c.FillRect(x + w - 1, y, 1, h, dark);
}

// A small flat landscape for the title picture, drawn from the same tiles,
// ways, buildings and trees as the world view.
void DrawTitleScene(Canvas& screen) {
    const Canvas tiles = MakeGroundTiles(2, false);
    const Canvas streets = MakeStreetSheet();
    const Canvas trees = MakeTreeSheet(2);
    constexpr int kSize = 10;
    const int ox = 208, oy = 150;
    auto fieldX = [&](int i, int j) { return ox + 32 * (i - j); };
    auto fieldY = [&](int i, int j) { return oy + 16 * (i + j); };
    for (int s = 0; s < 2 * kSize - 1; ++s) {
        for (int i = 0; i < kSize; ++i) {
            const int j = s - i;
            if (j < 0 || j >= kSize) continue;
            int kind = 1 + static_cast<int>(Noise(i, j, 5) % 3);
            if (j == 7) kind = 0;  // a river
            screen.Blit(tiles, 0, kind * kTileHeight, kTileWidth, kTileHeight, fieldX(i, j),
                        fieldY(i, j), true);
            if (i == 3 && j != 7) {  // a road north-south... along y
                screen.Blit(streets, 0, 2 * kTileHeight, kTileWidth, kTileHeight, fieldX(i, j),
                            fieldY(i, j), true);
            }
            if (j == 2 && i != 3) {  // a railway along x
                screen.Blit(streets, kTileWidth, 3 * kTileHeight, kTileWidth, kTileHeight,
                            fieldX(i, j), fieldY(i, j), true);
            }
        }
    }
    // A few buildings and trees (painter's order is good enough here).
    const Canvas factory = MakeBuildingPicture(17, 0, 0);
    screen.Blit(factory, 0, 0, factory.width, factory.height, fieldX(5, 3) - 32 * 3,
                fieldY(5, 3) + 32 * 4 - factory.height, true);
    const Canvas store = MakeBuildingPicture(21, 0, 1);
    screen.Blit(store, 0, 0, store.width, store.height, fieldX(0, 4) - 32 * 1,
                fieldY(0, 4) + 32 * 2 - store.height, true);
    for (int k = 0; k < 9; ++k) {
        const int i = 6 + k % 3, j = 8 + k / 3 - 1;
        if (j >= kSize || j == 7) continue;
        const int col = (k * 7) % 33;
        screen.Blit(trees, col * kTreeWidth, 5 * kTreeHeight, kTreeWidth, kTreeHeight,
                    fieldX(i, j) + 10, fieldY(i, j) + 20 - kTreeHeight, true);
    }
    // The sheets' cell marks are for tests of the world view, not for this
    // picture: paint them over with the pixel below.
    for (int y = screen.height - 2; y >= 0; --y) {
        for (int x = 0; x < screen.width; ++x) {
            if (IsMarkDigit(screen.Get(x, y))) screen.Set(x, y, screen.Get(x, y + 1));
        }
    }
}

}  // namespace

std::string TitleButtonLabel(int column) {
    switch (column / 160) {
        case 0:
            return "New scenario";
        case 1:
            return "New mission";
        case 2:
            return "New career";
        case 3:
            return "New game";
        case 4:
            return "Continue";
        case 5:
            return "Load game";
        case 6:
            return "Editor";
        case 7:
            return "High scores";
        case 8:
            return "Quit";
        default:
            return "Tutorial";
    }
}

void DrawButtonFace(Canvas& c, int x, int y, int w, int h, const std::string& label, bool pressed) {
    VerticalGradient(c, x, y, w, h, pal::kSlate, pressed ? 1 : 4, pressed ? 2 : 2);
    c.FrameRect(x, y, w, h, pal::Shade(pal::kGrey, 0));
    if (pressed) {
        Bevel(c, x + 1, y + 1, w - 2, h - 2, pal::Shade(pal::kSlate, 0),
              pal::Shade(pal::kSlate, 4));
    } else {
        Bevel(c, x + 1, y + 1, w - 2, h - 2, pal::Shade(pal::kSlate, 6),
              pal::Shade(pal::kSlate, 0));
    }
    // The label inside the bevel, a smaller size where 14 pixels are too wide.
    const int shift = pressed ? 1 : 0;
    DrawTextInRoom(c, {x + 3 + shift, y + 1 + shift, w - 6, h - 2}, label, 14, FontStyle::Bold,
                   pressed ? pal::Shade(pal::kGold, 5) : pal::kText, pal::Shade(pal::kGrey, 0));
}

Canvas MakeLogo(int index) {
    if (index == 0) {
        Canvas c(350, 141);
        VerticalGradient(c, 0, 0, 350, 141, pal::kSky, 0, 2);
        DrawTextCentred(c, 175, 22, "FERROVANE", 48, FontStyle::Bold, pal::Shade(pal::kGold, 5),
                        pal::Shade(pal::kGold, 0));
        // Rails under the name.
        c.FillRect(30, 98, 290, 2, pal::Shade(pal::kGrey, 10));
        c.FillRect(30, 106, 290, 2, pal::Shade(pal::kGrey, 10));
        for (int x = 32; x < 320; x += 9) c.FillRect(x, 96, 4, 14, pal::Shade(pal::kBark, 2));
        c.FillRect(30, 98, 290, 2, pal::Shade(pal::kGrey, 11));
        c.FillRect(30, 106, 290, 2, pal::Shade(pal::kGrey, 11));
        DrawTextCentred(c, 175, 116, "transport and trade", 14, FontStyle::Regular, pal::kText, 0);
        c.FrameRect(0, 0, 350, 141, pal::Shade(pal::kGold, 3));
        return c;
    }
    Canvas c(320, 98);
    VerticalGradient(c, 0, 0, 320, 98, pal::kSlate, 1, 3);
    DrawTextCentred(c, 160, 18, "Stand-in pictures", 22, FontStyle::Bold, pal::kText,
                    pal::Shade(pal::kGrey, 0));
    DrawTextCentred(c, 160, 56, "generated for Ferrovane", 14, FontStyle::Regular,
                    pal::Shade(pal::kGold, 5), 0);
    c.FrameRect(0, 0, 320, 98, pal::Shade(pal::kSlate, 5));
    return c;
}

Canvas MakeTitleScreen() {
    Canvas c(640, 480);
    VerticalGradient(c, 0, 0, 480, 480, pal::kSky, 1, 5);
    DrawTitleScene(c);
    // Title lettering over the sky.
    DrawTextCentred(c, 240, 34, "FERROVANE", 44, FontStyle::Bold, pal::Shade(pal::kGold, 5),
                    pal::Shade(pal::kGold, 0));
    DrawTextCentred(c, 240, 92, "transport and trade", 16, FontStyle::Regular, pal::kText,
                    pal::Shade(pal::kGrey, 0));
    // The button column: a panel with a recess behind each of the ten buttons.
    c.FillRect(470, 0, 170, 480, pal::Shade(pal::kSlate, 1));
    Bevel(c, 470, 0, 170, 480, pal::Shade(pal::kSlate, 4), pal::Shade(pal::kSlate, 0));
    static constexpr int kColumnOnScreen[10] = {640, 800, 480, 0, 160, 320, 960, 1120, 1440, 1280};
    for (int i = 0; i < 10; ++i) {
        const int y = 23 + 45 * i;
        c.FrameRect(478, y - 2, 164, 36, pal::Shade(pal::kSlate, 0));
        c.FillRect(480, y, 160, 32, pal::Shade(pal::kSlate, 2));
        DrawTextCentred(c, 560, y + 8, TitleButtonLabel(kColumnOnScreen[i]), 14, FontStyle::Bold,
                        pal::Shade(pal::kSlate, 4), 0);
    }
    return c;
}

Canvas MakeTitleButtons() {
    Canvas c(1600, 64);
    for (int col = 0; col < 10; ++col) {
        const std::string label = TitleButtonLabel(col * 160);
        DrawButtonFace(c, col * 160, 0, 160, 32, label, false);
        DrawButtonFace(c, col * 160, 32, 160, 32, label, true);
    }
    return c;
}

Canvas MakeProgressScreen() {
    Canvas c(320, 200);
    VerticalGradient(c, 0, 0, 320, 200, pal::kSlate, 2, 1);
    Bevel(c, 0, 0, 320, 200, pal::Shade(pal::kSlate, 5), pal::Shade(pal::kSlate, 0));
    DrawTextCentred(c, 160, 12, "Making a new world", 18, FontStyle::Bold,
                    pal::Shade(pal::kGold, 5), pal::Shade(pal::kGrey, 0));
    // The caption line and the bar's groove.
    c.FillRect(48, 50, 224, 20, pal::Shade(pal::kSlate, 0));
    c.FillRect(50, 75, 204, 21, pal::Shade(pal::kGrey, 0));
    Bevel(c, 50, 75, 204, 21, pal::Shade(pal::kSlate, 0), pal::Shade(pal::kSlate, 5));
    // Lamp sockets with their stage names.
    const struct {
        int x, y;
        const char* label;
    } kLamps[4] = {
        {44, 111, "Land"}, {44, 135, "Cities"}, {164, 111, "Woods"}, {164, 135, "Industries"}};
    for (const auto& lamp : kLamps) {
        c.FillEllipse(lamp.x + 8.0f, lamp.y + 8.0f, 9.5f, 9.5f, pal::Shade(pal::kGrey, 1));
        DrawText(c, lamp.x + 22, lamp.y - 1, lamp.label, 14, FontStyle::Bold, pal::kText);
    }
    return c;
}

Canvas MakeProgressLamps() {
    Canvas c(32, 16);
    c.FillEllipse(8, 8, 7.5f, 7.5f, pal::Shade(pal::kPlayerGreen, 3));
    c.FillEllipse(8, 8, 5.5f, 5.5f, pal::Shade(pal::kPlayerGreen, 5));
    c.FillEllipse(6.5f, 6.5f, 2.0f, 2.0f, pal::Shade(pal::kPlayerGreen, 7));
    c.FillEllipse(24, 8, 7.5f, 7.5f, pal::Shade(pal::kGrey, 3));
    c.FillEllipse(24, 8, 5.5f, 5.5f, pal::Shade(pal::kGrey, 2));
    return c;
}

}  // namespace standin
