#include "vehicle_screens.h"

#include <string>

#include "font_render.h"
#include "palette.h"
#include "screens.h"
#include "screens/vehicles/vehicle_layout.h"
#include "state/data_tables.h"
#include "world_files.h"

namespace vs = vehicle_screens;

namespace standin {
namespace {

constexpr uint8_t kGround = pal::Shade(pal::kSlate, 2);
constexpr int kPageWidth = 640;
constexpr int kPageHeight = 480;

void Recess(Canvas& c, int x, int y, int w, int h) {
    c.FillRect(x, y, w, h, pal::Shade(pal::kSlate, 1));
    c.FrameRect(x - 1, y - 1, w + 2, h + 2, pal::Shade(pal::kSlate, 0));
}
void Caption(Canvas& c, int x, int y, const std::string& text) {
    DrawText(c, x, y, text, 12, FontStyle::Bold, pal::Shade(pal::kGold, 5));
}
// A page with its title centred over the part of the page left of `right`
// (the schedule panel covers the right part of the schedule page).
Canvas Page(const std::string& title, int right = kPageWidth) {
    Canvas c(kPageWidth, kPageHeight, kGround);
    c.FrameRect(0, 0, c.width, c.height, pal::Shade(pal::kSlate, 6));
    DrawTextCentred(c, right / 2, 8, title, 20, FontStyle::Bold, pal::Shade(pal::kGold, 5),
                    pal::Shade(pal::kGrey, 0));
    return c;
}
void Face(Canvas& c, int x, int w, int h, const char* label, int pressed_y) {
    DrawButtonFace(c, x, 0, w, h, label, false);
    DrawButtonFace(c, x, pressed_y, w, h, label, true);
}
// A side view of a vehicle: a body and wheels in the player's colour.
void DrawVehicle(Canvas& c, int x, int y, int w, int h, int model, int colour) {
    const Ramp ramp = pal::PlayerRamp(colour);
    const bool truck = model < 10;
    const int body_h = h * 3 / 5;
    c.FillRect(x, y, w, body_h, pal::Shade(ramp, pal::kPlayerPureLevel));
    c.FrameRect(x, y, w, body_h, pal::Shade(ramp, 0));
    if (truck) {
        c.FillRect(x + w * 3 / 4, y + 2, w / 4 - 2, body_h / 2, pal::Shade(pal::kSky, 5));
    } else {
        for (int k = 0; k < 4; ++k) {
            c.FillRect(x + 4 + k * w / 4, y + 3, w / 6, body_h / 3, pal::Shade(pal::kSky, 5));
        }
    }
    const int wheels = truck ? 3 : 4;
    for (int k = 0; k < wheels; ++k) {
        const int wx = x + w / (2 * wheels) + k * w / wheels - h / 8;
        c.FillRect(wx, y + body_h, h / 4, h / 4, pal::Shade(pal::kGrey, 1));
    }
}

}  // namespace

Canvas MakeSchedulePage(int kind) {
    Canvas c = Page(kind == 19 ? "Truck schedule" : "Train schedule", vs::kSchedulePanel.x);
    Caption(c, vs::kMapView.x, vs::kMapView.y - 18, "Network (click a terminal)");
    Recess(c, vs::kMapView.x, vs::kMapView.y, vs::kMapViewSize, vs::kMapViewSize);
    c.FillRect(vs::kSchedulePanel.x, vs::kSchedulePanel.y, vs::kSchedulePanelSize.width,
               vs::kSchedulePanelSize.height, pal::Shade(pal::kSlate, 3));
    c.FrameRect(vs::kSchedulePanel.x - 1, vs::kSchedulePanel.y - 1,
                vs::kSchedulePanelSize.width + 2, vs::kSchedulePanelSize.height + 2,
                pal::Shade(pal::kSlate, 0));
    const int columns = kind == 19 ? 1 : 6;
    for (int i = 0; i < vs::kStopRows; ++i) {
        const int top = vs::kStopRowStep * i;
        DrawText(c, vs::kSchedulePanel.x + 4, vs::kStopRowTop + top + 2,
                 "Stop " + std::to_string(i + 1), 10, FontStyle::Bold, pal::kText);
        Recess(c, vs::kStopRowLeft, vs::kStopRowTop + top, vs::kStopRowRight - vs::kStopRowLeft,
               18);
        for (int col = 0; col < columns; ++col) {
            Recess(c, vs::kGoodsCellLeft + vs::kGoodsCellStep * col, vs::kGoodsCellTop + top,
                   vs::kGoodsCellSize, vs::kGoodsCellSize);
        }
        DrawText(c, vs::kWaitBoxLeft - 40, vs::kWaitBoxTop + top + 20, "Wait", 10,
                 FontStyle::Regular, pal::kText);
    }
    return c;
}

Canvas MakeScheduleSheet() {
    Canvas c(vs::kScheduleSheetSize.width, vs::kScheduleSheetSize.height,
             pal::Shade(pal::kSlate, 2));
    const char* arrows[4] = {"^", "v", "<", ">"};
    for (int k = 0; k < 4; ++k) {
        Face(c, vs::kArrowFaceWidth * k, vs::kArrowFaceWidth, vs::kArrowFaceWidth, arrows[k],
             vs::kPressedY);
    }
    // The wait box: empty, and ticked 40 below.
    c.FillRect(vs::kWaitFaceX, 0, vs::kWaitBoxSize, vs::kWaitBoxSize, pal::Shade(pal::kGold, 6));
    c.FrameRect(vs::kWaitFaceX, 0, vs::kWaitBoxSize, vs::kWaitBoxSize, pal::Shade(pal::kSlate, 0));
    c.FillRect(vs::kWaitFaceX, vs::kPressedY, vs::kWaitBoxSize, vs::kWaitBoxSize,
               pal::Shade(pal::kGold, 6));
    c.FrameRect(vs::kWaitFaceX, vs::kPressedY, vs::kWaitBoxSize, vs::kWaitBoxSize,
                pal::Shade(pal::kSlate, 0));
    c.FillRect(vs::kWaitFaceX + 4, vs::kPressedY + 4, 8, 8, pal::Shade(pal::kPlayerGreen, 2));
    Face(c, vs::kScrapFaceX, vs::kBigFaceWidth, vs::kBigFaceHeight, "Scrap", vs::kPressedY);
    Face(c, vs::kNewVehicleFaceX, vs::kBigFaceWidth, vs::kBigFaceHeight, "New vehicle",
         vs::kPressedY);
    Face(c, vs::kScheduleCancelFaceX, vs::kBigFaceWidth, vs::kBigFaceHeight, "Cancel",
         vs::kPressedY);
    Face(c, vs::kScheduleOkFaceX, vs::kBigFaceWidth, vs::kBigFaceHeight, "OK", vs::kPressedY);
    Face(c, vs::kDeleteStopFaceX, vs::kDeleteStopWidth, vs::kDeleteStopHeight, "Delete stop",
         vs::kPressedY);
    // The selection frame: a ring on colour 0 (transparent).
    c.FillRect(vs::kSelectionFrameX, 0, vs::kGoodsCellSize, vs::kGoodsCellSize, 0);
    for (int k = 0; k < 2; ++k) {
        c.FrameRect(vs::kSelectionFrameX + k, k, vs::kGoodsCellSize - 2 * k,
                    vs::kGoodsCellSize - 2 * k, pal::Shade(pal::kGold, 7));
    }
    c.FillRect(0, vs::kHighlightY, vs::kSelectionBarWidth, vs::kSelectionBarHeight,
               pal::Shade(pal::kGold, 5));
    return c;
}

Canvas MakeVehicleCells(int colour) {
    Canvas c(vs::kVehicleCellWidth * vs::kVehicleCells, vs::kVehicleCellHeight,
             pal::Shade(pal::kSky, 2));
    for (int cell = 0; cell < vs::kVehicleCells; ++cell) {
        const int x = cell * vs::kVehicleCellWidth;
        const int model = cell < 4 ? cell * 3 : cell + 6;
        DrawVehicle(c, x + 4, 8, vs::kVehicleCellWidth - 8, 28, model, colour);
        std::string label(cell < 4 ? "T" : "");
        label += std::to_string(cell < 4 ? cell : model);
        DrawTextCentred(c, x + vs::kVehicleCellWidth / 2, 36, label, 9, FontStyle::Bold, pal::kText,
                        pal::Shade(pal::kGrey, 0));
        c.FrameRect(x, 0, vs::kVehicleCellWidth, vs::kVehicleCellHeight,
                    pal::Shade(pal::kSlate, 0));
    }
    return c;
}

Canvas MakeVehiclePurchasePage(bool rail) {
    Canvas c = Page(rail ? "New train" : "New truck");
    Recess(c, vs::kModelPicture.x, vs::kModelPicture.y, vs::kModelPictureSize.width,
           vs::kModelPictureSize.height);
    const plat::Rect list = rail ? vs::kRailModelList : vs::kTruckModelList;
    Caption(c, list.left, list.top - 18, "Model");
    Recess(c, list.left, list.top, list.right - list.left, list.bottom - list.top);
    const plat::Rect info = vs::kModelInfoList;
    Caption(c, info.left, info.top - 18, "Information");
    Recess(c, info.left, info.top, info.right - info.left, info.bottom - info.top);
    for (plat::Point p : {vs::kBuyButton, vs::kCancelButton}) {
        c.FillRect(p.x - 2, p.y - 2, vs::kPurchaseButtonWidth + 4, vs::kPurchaseButtonHeight + 4,
                   pal::Shade(pal::kSlate, 0));
    }
    return c;
}

Canvas MakeVehiclePurchaseSheet() {
    Canvas c(vs::kPurchaseSheetSize.width, vs::kPurchaseSheetSize.height,
             pal::Shade(pal::kSlate, 2));
    Face(c, vs::kBuyFaceX, vs::kPurchaseButtonWidth, vs::kPurchaseButtonHeight, "OK",
         vs::kPressedY);
    Face(c, vs::kCancelFaceX, vs::kPurchaseButtonWidth, vs::kPurchaseButtonHeight, "Cancel",
         vs::kPressedY);
    c.FillRect(0, vs::kHighlightY, c.width, c.height - vs::kHighlightY, pal::Shade(pal::kGold, 5));
    return c;
}

Canvas MakeModelPicture(int model, int colour) {
    Canvas c(vs::kModelPictureSize.width, vs::kModelPictureSize.height, pal::Shade(pal::kSky, 1));
    c.FillRect(0, 170, c.width, 70, pal::Shade(pal::kLowAutumn, 3));
    DrawVehicle(c, 40, 70, 240, 110, model, colour);
    // The model's name as the purchase list shows it, and its kind below.
    const VehicleModel& record = StockVehicleModel(model);
    DrawTextInRoom(c, {8, 184, c.width - 16, 26}, record.model_name, 18, FontStyle::Bold,
                   pal::Shade(pal::kGold, 5), pal::Shade(pal::kGrey, 0));
    DrawTextInRoom(c, {8, 212, c.width - 16, 20}, record.model_description, 12, FontStyle::Regular,
                   pal::kText, 0);
    return c;
}

Canvas MakeVehicleOverviewPage() {
    Canvas c = Page("Vehicles");
    Caption(c, vs::kKindList.left, vs::kKindList.top - 18, "Kind");
    Recess(c, vs::kKindList.left, vs::kKindList.top, vs::kKindList.right - vs::kKindList.left,
           vs::kKindList.bottom - vs::kKindList.top);
    Recess(c, vs::kOverviewCanvas.x, vs::kOverviewCanvas.y, vs::kOverviewCanvasSize.width,
           vs::kOverviewCanvasSize.height);
    c.FillRect(vs::kOverviewCanvas.x + vs::kOverviewColumn - 4, vs::kOverviewCanvas.y, 2,
               vs::kOverviewCanvasSize.height, pal::Shade(pal::kSlate, 0));
    return c;
}

Canvas MakeVehicleOverviewSheet() {
    Canvas c(vs::kOverviewSheetSize.width, vs::kOverviewSheetSize.height,
             pal::Shade(pal::kSlate, 2));
    Face(c, 0, 40, 37, "<", vs::kOverviewPressedY);
    Face(c, 40, 40, 37, ">", vs::kOverviewPressedY);
    Face(c, 80, 92, 37, "OK", vs::kOverviewPressedY);
    Face(c, 172, 68, 20, "Schedule", vs::kOverviewPressedY);
    Face(c, 240, 68, 20, "Go to", vs::kOverviewPressedY);
    c.FillRect(0, vs::kHighlightY, c.width, c.height - vs::kHighlightY, pal::Shade(pal::kGold, 5));
    return c;
}

void AddVehicleScreenFiles(std::vector<FileRecipe>& files) {
    for (int kind : {19, 20}) {
        const std::string n = std::to_string(kind);
        files.push_back(
            PictureRecipe("scr_" + n + ".jgd", [kind] { return MakeSchedulePage(kind); }));
        files.push_back(PictureRecipe("scb_" + n + ".jgd", MakeScheduleSheet));
    }
    for (int colour = 0; colour < 4; ++colour) {
        files.push_back(PictureRecipe("uefs" + std::to_string(colour) + ".jgd",
                                      [colour] { return MakeVehicleCells(colour); }));
    }
    files.push_back(
        PictureRecipe(vs::kTruckPicture, [] { return MakeVehiclePurchasePage(false); }));
    files.push_back(PictureRecipe(vs::kRailPicture, [] { return MakeVehiclePurchasePage(true); }));
    files.push_back(PictureRecipe(vs::kTruckSheet, MakeVehiclePurchaseSheet));
    files.push_back(PictureRecipe(vs::kRailSheet, MakeVehiclePurchaseSheet));
    for (int model = 0; model < 19; ++model) {
        for (int colour = 0; colour < 4; ++colour) {
            files.push_back(
                PictureRecipe("fks_" + std::to_string(model) + std::to_string(colour) + ".jgd",
                              [model, colour] { return MakeModelPicture(model, colour); }));
        }
    }
    files.push_back(PictureRecipe(vs::kOverviewPicture, MakeVehicleOverviewPage));
    files.push_back(PictureRecipe(vs::kOverviewSheet, MakeVehicleOverviewSheet));
}

}  // namespace standin
