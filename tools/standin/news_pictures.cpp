#include "news_pictures.h"

#include <string>

#include "economy_screens.h"
#include "font_render.h"
#include "palette.h"
#include "screens.h"
#include "screens/flow/news_layout.h"
#include "world_files.h"

namespace np = news_popups;

namespace standin {
namespace {

void Card(Canvas& c, const std::string& kind, const std::string& title) {
    c.FillRect(0, 0, c.width, c.height, pal::Shade(pal::kSlate, 2));
    c.FillRect(0, 0, c.width, 30, pal::Shade(pal::kSlate, 1));
    c.FrameRect(0, 0, c.width, c.height, pal::Shade(pal::kSlate, 6));
    DrawTextCentred(c, c.width / 2, 6, kind, 14, FontStyle::Bold, pal::Shade(pal::kGold, 5),
                    pal::Shade(pal::kGrey, 0));
    if (!title.empty()) {
        DrawTextCentred(c, c.width / 2, 40, title, 14, FontStyle::Bold, pal::kText, 0);
    }
}

void CloseRecess(Canvas& c, int y) {
    c.FillRect(np::kCloseX - 2, y - 2, 112, 44, pal::Shade(pal::kSlate, 0));
}

Canvas CloseSheet() {
    Canvas c(np::kSheetWidth, np::kSheetHeight);
    DrawButtonFace(c, 0, 0, 108, 40, "OK", false);
    DrawButtonFace(c, 0, 40, 108, 40, "OK", true);
    return c;
}

Canvas MakeBuildingNews(int n) {
    Canvas c(np::kWidth, np::kBuildingHeight);
    Card(c, "New building", n == 9 ? "A larger depot" : "A larger store");
    // A plain block house as the building's sketch.
    c.FillRect(60, 80, 116, 90, pal::Shade(pal::kBrick, 3));
    c.FillRect(60, 70, 116, 10, pal::Shade(pal::kBrick, 1));
    for (int x = 72; x < 170; x += 24) c.FillRect(x, 100, 14, 18, pal::Shade(pal::kSky, 4));
    CloseRecess(c, np::kBuildingCloseY);
    return c;
}

Canvas MakeBusinessNews(int n) {
    Canvas c(np::kWidth, np::kBusinessHeight);
    Card(c, "Business news", "Market report " + std::to_string(n + 1));
    DrawText(c, 16, 80, "Prices of a group of goods", 12, FontStyle::Regular, pal::kText);
    DrawText(c, 16, 98, "change for some months.", 12, FontStyle::Regular, pal::kText);
    DrawText(c, 16, 200, "Until:", 12, FontStyle::Regular, pal::kText);
    c.FillRect(12, np::kDateY - 2, 212, 20, pal::Shade(pal::kSlate, 1));
    CloseRecess(c, np::kBusinessCloseY);
    return c;
}

}  // namespace

Canvas MakeProductNews(int good) {
    Canvas c(np::kWidth, np::kProductHeight);
    Card(c, "New product", GoodsPictureName(good));
    c.FillEllipse(np::kWidth / 2.0f, 170.0f, 70.0f, 70.0f, pal::Shade(pal::kTeal, 3));
    DrawTextCentred(c, c.width / 2, 162, "goods " + std::to_string(good), 12, FontStyle::Regular,
                    pal::kText, 0);
    DrawText(c, 16, 270, "Your factories can now", 12, FontStyle::Regular, pal::kText);
    DrawText(c, 16, 288, "make this product.", 12, FontStyle::Regular, pal::kText);
    CloseRecess(c, np::kProductCloseY);
    return c;
}

Canvas MakeVehicleNews(int model) {
    Canvas c(np::kWidth, np::kVehicleHeight);
    c.FillRect(0, 0, c.width, c.height, pal::Shade(pal::kSlate, 2));
    c.FrameRect(0, 0, c.width, c.height, pal::Shade(pal::kSlate, 6));
    // The model's sketch at the right; the text column at the left is plain.
    const bool truck = model < 10;
    c.FillRect(150, 120, 70, truck ? 26 : 20, pal::Shade(truck ? pal::kPlayerRed : pal::kSky, 4));
    c.FillEllipse(165.0f, 150.0f, 7.0f, 7.0f, pal::Shade(pal::kGrey, 1));
    c.FillEllipse(205.0f, 150.0f, 7.0f, 7.0f, pal::Shade(pal::kGrey, 1));
    DrawText(c, 150, 96, "Model " + std::to_string(model), 12, FontStyle::Regular, pal::kText);
    CloseRecess(c, np::kVehicleCloseY);
    return c;
}

void AddNewsPictureFiles(std::vector<FileRecipe>& files) {
    for (int n = np::kFirstProductPicture; n <= np::kLastProductPicture; ++n) {
        files.push_back(PictureRecipe("newp_" + std::to_string(n) + ".jgd",
                                      [n] { return MakeProductNews(n - 1); }));
    }
    for (int n : np::kBuildingPictures) {
        files.push_back(PictureRecipe("newg_" + std::to_string(n) + ".jgd",
                                      [n] { return MakeBuildingNews(n); }));
    }
    for (int n : np::kVehiclePictures) {
        files.push_back(PictureRecipe("newf_" + std::to_string(n) + ".jgd",
                                      [n] { return MakeVehicleNews(n); }));
    }
    for (int n = 0; n < np::kBusinessPictures; ++n) {
        files.push_back(PictureRecipe("wisz_" + std::to_string(n) + ".jgd",
                                      [n] { return MakeBusinessNews(n); }));
    }
    for (const char* sheet : {"scb_newp.jgd", "scb_newg.jgd", "scb_newf.jgd", "scb_wisz.jgd"}) {
        files.push_back(PictureRecipe(sheet, CloseSheet));
    }
}

}  // namespace standin
