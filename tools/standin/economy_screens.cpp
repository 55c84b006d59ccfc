#include "economy_screens.h"

#include <string>

#include "buildings.h"
#include "font_render.h"
#include "palette.h"
#include "screens.h"
#include "screens/economy/economy_layout.h"
#include "signs.h"
#include "world_files.h"

namespace es = economy_screens;

namespace standin {
namespace {

// The goods as the pictures name them.
constexpr const char* kGoodsNames[44] = {
    "Wood",           "Plastic",        "Aluminum",
    "Copper sheet",   "Steel sheet",    "Gold",
    "Silver",         "Diamonds",       "Wooden train",
    "Tricycle",       "Dolls",          "Plastic cars",
    "Metal cars",     "Race track",     "Robots",
    "Model plane",    "Video player",   "Skis",
    "Bicycles",       "Gym equipment",  "Tennis racquets",
    "Rubber boats",   "Mountain bikes", "Snow boards",
    "Inline skates",  "Toboggans",      "Furniture",
    "Picture frames", "Garden houses",  "Gold jewelry",
    "Silver jewelry", "Diamond rings",  "Cars 1980",
    "Cars 1990",      "Cars 2010",      "Television",
    "Hifi system",    "Satellite dish", "El. components",
    "Computer",       "Mobile phone",   "Multimedia",
    "Picture phone",  "Video picture",
};

// Building names of the types that have a purchase picture.
const char* TypeName(int type) {
    static const char* const kNames[32] = {"Truck depot",
                                           "",
                                           "",
                                           "",
                                           "",
                                           "",
                                           "Train station",
                                           "",
                                           "",
                                           "",
                                           "",
                                           "",
                                           "",
                                           "",
                                           "Motor industry",
                                           "Wood industry",
                                           "Electronics industry",
                                           "Sports industry",
                                           "Toy industry",
                                           "Jewelry industry",
                                           "Depot",
                                           "Toy store",
                                           "Sports store",
                                           "Furniture store",
                                           "Jeweler",
                                           "Electronics outlet",
                                           "Car dealership",
                                           "Cultural center",
                                           "Tennis court",
                                           "Swimming pool",
                                           "Sports stadium",
                                           "Race track"};
    return type >= 0 && type < 32 ? kNames[type] : "";
}

constexpr uint8_t kGround = pal::Shade(pal::kSlate, 2);

void Recess(Canvas& c, int x, int y, int w, int h) {
    c.FillRect(x, y, w, h, pal::Shade(pal::kSlate, 1));
    c.FrameRect(x - 1, y - 1, w + 2, h + 2, pal::Shade(pal::kSlate, 0));
}
void Recess(Canvas& c, const plat::Rect& r) {
    Recess(c, r.left, r.top, r.right - r.left, r.bottom - r.top);
}
// A light field for text in colour 0.
void LightField(Canvas& c, const plat::Rect& r) {
    c.FillRect(r.left - 4, r.top - 1, r.right - r.left + 4, r.bottom - r.top + 2,
               pal::Shade(pal::kGold, 6));
    c.FrameRect(r.left - 5, r.top - 2, r.right - r.left + 6, r.bottom - r.top + 4,
                pal::Shade(pal::kSlate, 0));
}
void Caption(Canvas& c, int x, int y, const std::string& text) {
    DrawText(c, x, y, text, 12, FontStyle::Bold, pal::Shade(pal::kGold, 5));
}

Canvas Page(const std::string& title) {
    Canvas c(es::kPageWidth, es::kPageHeight, kGround);
    c.FillRect(0, 0, c.width, 44, pal::Shade(pal::kSlate, 1));
    c.FillRect(0, 44, c.width, 1, pal::Shade(pal::kSlate, 0));
    c.FrameRect(0, 0, c.width, c.height, pal::Shade(pal::kSlate, 6));
    DrawTextCentred(c, c.width / 2, 8, title, 22, FontStyle::Bold, pal::Shade(pal::kGold, 5),
                    pal::Shade(pal::kGrey, 0));
    return c;
}

void ButtonRecess(Canvas& c, plat::Point p, int w, int h) {
    c.FillRect(p.x - 2, p.y - 2, w + 4, h + 4, pal::Shade(pal::kSlate, 0));
}
void BigRecess(Canvas& c, plat::Point p) {
    ButtonRecess(c, p, es::kBigButtonWidth, es::kBigButtonHeight);
}
void SmallRecess(Canvas& c, plat::Point p) {
    ButtonRecess(c, p, es::kSmallButtonWidth, es::kSmallButtonHeight);
}

// A sheet with faces at the given columns (width by label), the selection bar
// in rows 80..96.
struct Face {
    int x;
    int w;
    int h;
    const char* label;
};
Canvas Sheet(int width, int height, std::initializer_list<Face> faces) {
    Canvas c(width, height, pal::Shade(pal::kSlate, 2));
    for (const Face& f : faces) {
        DrawButtonFace(c, f.x, 0, f.w, f.h, f.label, false);
        DrawButtonFace(c, f.x, es::kPressedY, f.w, f.h, f.label, true);
    }
    if (height > es::kHighlightY) {
        c.FillRect(0, es::kHighlightY, width, height - es::kHighlightY, pal::Shade(pal::kGold, 5));
        c.FillRect(0, es::kHighlightY, 4, height - es::kHighlightY, pal::Shade(pal::kGold, 2));
    }
    return c;
}

// A simple emblem of a good: a coloured box with its short name.
void GoodsEmblem(Canvas& c, int x, int y, int size, int good) {
    const Ramp ramp = good < 8 ? pal::kEarth : pal::kOrange;
    c.FillRect(x + size / 8, y + size / 8, size * 3 / 4, size * 3 / 4,
               pal::Shade(ramp, 2 + good % 4));
    c.FrameRect(x + size / 8, y + size / 8, size * 3 / 4, size * 3 / 4, pal::Shade(ramp, 0));
    DrawTextCentred(c, x + size / 2, y + size / 2 - 7, GoodsShortName(good), size >= 100 ? 16 : 10,
                    FontStyle::Bold, pal::kText, pal::Shade(pal::kGrey, 0));
}

}  // namespace

Canvas MakePurchasePage() {
    Canvas c = Page("New buildings");
    Recess(c, es::kTypePicture.x, es::kTypePicture.y, es::kTypePictureSize.width,
           es::kTypePictureSize.height);
    Caption(c, es::kCategoryList.left, es::kCategoryList.top - 18, "Category");
    Recess(c, es::kCategoryList);
    Caption(c, es::kTypeList.left, es::kTypeList.top - 16, "Building");
    Recess(c, es::kTypeList);
    Caption(c, es::kInfoList.left, es::kInfoList.top - 18, "Information");
    Recess(c, es::kInfoList);
    BigRecess(c, es::kBuyButton);
    BigRecess(c, es::kCancelButton);
    return c;
}

Canvas MakePurchaseSheet() {
    return Sheet(es::kPurchaseSheetSize.width, es::kPurchaseSheetSize.height,
                 {{es::kBuyFaceX, es::kBigButtonWidth, es::kBigButtonHeight, "Buy"},
                  {es::kCancelFaceX, es::kBigButtonWidth, es::kBigButtonHeight, "Cancel"}});
}

Canvas MakeTypePicture(int picture) {
    Canvas c(es::kTypePictureSize.width, es::kTypePictureSize.height, pal::Shade(pal::kSky, 1));
    int type = -1;
    for (int t = 0; t < 32; ++t) {
        if (es::kTypePictures[t] == picture) type = t;
    }
    if (type < 0) return c;
    c.FillRect(0, 170, c.width, 70, pal::Shade(pal::kLowAutumn, 3));
    const Canvas building = MakeBuildingPicture(type, 0, 0);
    const int w = std::min(building.width, c.width);
    const int h = std::min(building.height, 200);
    c.Blit(building, (building.width - w) / 2, building.height - h, w, h, (c.width - w) / 2,
           200 - h, true);
    DrawTextCentred(c, c.width / 2, 206, TypeName(type), 18, FontStyle::Bold,
                    pal::Shade(pal::kGold, 5), pal::Shade(pal::kGrey, 0));
    return c;
}

Canvas MakeSalesPage(int store_type) {
    Canvas c = Page(std::string(TypeName(store_type)) + ": sales");
    Caption(c, 20, 62, "Product (click to choose)");
    LightField(c, es::kSalesProductArea);
    Caption(c, 20, 128, "Price step");
    Recess(c, es::kSalesIcon.x, es::kSalesIcon.y, es::kGoodsPictureSize, es::kGoodsPictureSize);
    DrawText(c, 16, es::kSalesPrice.y + 2, "Price:", 10, FontStyle::Regular, pal::kText);
    DrawText(c, 16, es::kSalesMargin.y + 2, "Margin", 10, FontStyle::Regular, pal::kText);
    DrawText(c, 16, es::kSalesDemand.y + 2, "Demand / Month:", 10, FontStyle::Regular, pal::kText);
    Caption(c, es::kSalesStock.x, es::kSalesStock.y - 20, "Stock");
    Recess(c, es::kSalesStock.x - 4, es::kSalesStock.y - 2, 220, 290);
    Caption(c, es::kAdvertisingList.left, es::kAdvertisingList.top - 18, "Advertising");
    Recess(c, es::kAdvertisingList);
    SmallRecess(c, es::kPriceUpButton);
    SmallRecess(c, es::kPriceDownButton);
    BigRecess(c, es::kSalesOkButton);
    BigRecess(c, es::kSalesCancelButton);
    BigRecess(c, es::kSalesStatisticsButton);
    return c;
}

Canvas MakeSalesSheet() {
    return Sheet(es::kSalesSheetSize.width, es::kSalesSheetSize.height,
                 {{es::kUpFaceX, es::kSmallButtonWidth, es::kSmallButtonHeight, "+"},
                  {es::kDownFaceX, es::kSmallButtonWidth, es::kSmallButtonHeight, "-"},
                  {es::kOkFaceX, es::kBigButtonWidth, es::kBigButtonHeight, "OK"},
                  {es::kCancelFaceX2, es::kBigButtonWidth, es::kBigButtonHeight, "Cancel"},
                  {es::kStatisticsFaceX, es::kBigButtonWidth, es::kBigButtonHeight, "Statistics"}});
}

Canvas MakeProductionPage(int factory_type) {
    Canvas c = Page(std::string(TypeName(factory_type)) + ": production");
    Caption(c, 16, 72, "Product (click to choose)");
    LightField(c, es::kProductionNameArea);
    Recess(c, es::kProductionPicture.x, es::kProductionPicture.y, es::kProductPictureSize,
           es::kProductPictureSize);
    Caption(c, es::kCostList.left, es::kCostList.top - 18, "Costs");
    Recess(c, es::kCostList);
    Caption(c, es::kStockList.left, es::kStockList.top - 18, "Stock");
    Recess(c, es::kStockList);
    SmallRecess(c, es::kStockUpButton);
    SmallRecess(c, es::kStockDownButton);
    BigRecess(c, es::kProductionOkButton);
    BigRecess(c, es::kProductionCancelButton);
    return c;
}

Canvas MakeProductionSheet() {
    return Sheet(es::kProductionSheetSize.width, es::kProductionSheetSize.height,
                 {{es::kUpFaceX, es::kSmallButtonWidth, es::kSmallButtonHeight, "Up"},
                  {es::kDownFaceX, es::kSmallButtonWidth, es::kSmallButtonHeight, "Dn"},
                  {es::kOkFaceX, es::kBigButtonWidth, es::kBigButtonHeight, "OK"},
                  {es::kCancelFaceX2, es::kBigButtonWidth, es::kBigButtonHeight, "Cancel"}});
}

Canvas MakeProductPicture(int good) {
    Canvas c(es::kProductPictureSize, es::kProductPictureSize, pal::Shade(pal::kSky, 2));
    if (good < 0 || good >= 44) return c;
    GoodsEmblem(c, 20, 10, 160, good);
    DrawTextCentred(c, c.width / 2, 176, kGoodsNames[good], 14, FontStyle::Bold,
                    pal::Shade(pal::kGold, 5), pal::Shade(pal::kGrey, 0));
    return c;
}

Canvas MakeProductHelpPage() {
    Canvas c = Page("Products");
    Caption(c, es::kHelpInputX, es::kHelpInputY - 18, "Made from");
    for (int k = 0; k < 3; ++k) {
        Recess(c, es::kHelpInputX, es::kHelpInputY + es::kHelpInputStep * k, es::kGoodsPictureSize,
               es::kGoodsPictureSize);
    }
    Caption(c, es::kHelpProduct.x, es::kHelpProduct.y - 18, "Product");
    Recess(c, es::kHelpProduct.x, es::kHelpProduct.y, es::kGoodsPictureSize, es::kGoodsPictureSize);
    Recess(c, es::kHelpListIconX - 4, es::kHelpListTop - 4,
           es::kHelpListRight - es::kHelpListIconX + 8, 8 * es::kHelpListStep + 4);
    SmallRecess(c, es::kHelpPreviousButton);
    SmallRecess(c, es::kHelpNextButton);
    BigRecess(c, es::kHelpOkButton);
    return c;
}

Canvas MakeProductHelpSheet() {
    return Sheet(es::kHelpSheetSize.width, es::kHelpSheetSize.height,
                 {{es::kUpFaceX, es::kSmallButtonWidth, es::kSmallButtonHeight, "Up"},
                  {es::kDownFaceX, es::kSmallButtonWidth, es::kSmallButtonHeight, "Dn"},
                  {es::kOkFaceX, es::kBigButtonWidth, es::kBigButtonHeight, "OK"}});
}

Canvas MakeDepotPage() {
    Canvas c = Page("Depot: goods in stock");
    Recess(c, es::kDepotContent);
    BigRecess(c, es::kDepotOkButton);
    return c;
}

Canvas MakeDepotSheet() {
    return Sheet(es::kDepotSheetSize.width, es::kDepotSheetSize.height,
                 {{0, es::kBigButtonWidth, es::kBigButtonHeight, "OK"}});
}

Canvas MakePopupPicture(int picture) {
    Canvas c(304, 350, pal::Shade(pal::kSlate, 3));
    c.FrameRect(0, 0, c.width, c.height, pal::Shade(pal::kSlate, 6));
    c.FrameRect(1, 1, c.width - 2, c.height - 2, pal::Shade(pal::kSlate, 0));
    const char* title = picture == 2   ? "Choose the product"
                        : picture == 3 ? "Choose a product"
                                       : "Choose the goods";
    DrawTextCentred(c, c.width / 2, 10, title, 16, FontStyle::Bold, pal::Shade(pal::kGold, 5),
                    pal::Shade(pal::kGrey, 0));
    // The close box (36, 42)-(100, 108).
    c.FillRect(36, 42, 64, 66, pal::Shade(pal::kBrick, 3));
    c.FrameRect(36, 42, 64, 66, pal::Shade(pal::kBrick, 0));
    // The goods and product choosers' box chooses nothing; the sales
    // chooser's only closes the list.
    DrawTextCentred(c, 68, 58, picture == 3 ? "Close" : "None", 12, FontStyle::Bold, pal::kText,
                    pal::Shade(pal::kGrey, 0));
    Caption(c, 8, 114, "Groups");
    c.FillRect(8, 133, 96, 7 * 17, pal::Shade(pal::kSlate, 1));
    // The 3 x 3 grid (108, 42)-(300, 312).
    c.FillRect(108, 42, 192, 270, pal::Shade(pal::kSlate, 1));
    for (int i = 0; i <= 3; ++i) {
        c.FillRect(108 + 64 * i - (i == 3 ? 1 : 0), 42, 1, 270, pal::Shade(pal::kSlate, 0));
        c.FillRect(108, 42 + 90 * i - (i == 3 ? 1 : 0), 192, 1, pal::Shade(pal::kSlate, 0));
    }
    return c;
}

Canvas MakeGoodsPictures() {
    Canvas c(64 * 44, 90, pal::Shade(pal::kSlate, 1));
    for (int good = 0; good < 44; ++good) {
        const int x = good * 64;
        c.FillRect(x, 0, 64, 64, pal::Shade(pal::kSky, 2));
        GoodsEmblem(c, x, 0, 64, good);
        c.FrameRect(x, 0, 64, 90, pal::Shade(pal::kSlate, 0));
        const std::string name = kGoodsNames[good];
        const size_t split = name.find(' ');
        if (split == std::string::npos) {
            DrawTextCentred(c, x + 32, 70, name, 10, FontStyle::Regular, pal::kText, 0);
        } else {
            DrawTextCentred(c, x + 32, 64, name.substr(0, split), 10, FontStyle::Regular,
                            pal::kText, 0);
            DrawTextCentred(c, x + 32, 76, name.substr(split + 1), 10, FontStyle::Regular,
                            pal::kText, 0);
        }
    }
    return c;
}

const char* GoodsPictureName(int good) {
    return good >= 0 && good < 44 ? kGoodsNames[good] : "";
}

void AddEconomyScreenFiles(std::vector<FileRecipe>& files) {
    const auto number = [](const char* prefix, int n) {
        return std::string(prefix) + std::to_string(n) + ".jgd";
    };
    files.push_back(PictureRecipe(es::kPurchasePicture, MakePurchasePage));
    files.push_back(PictureRecipe(es::kPurchaseSheet, MakePurchaseSheet));
    for (int picture : {0, 1, 2, 3, 4, 9, 10, 11, 12, 13, 14, 15, 17, 23, 27, 29, 30, 31, 32, 33}) {
        files.push_back(
            PictureRecipe(number("gks_", picture), [picture] { return MakeTypePicture(picture); }));
    }
    for (int type = 21; type <= 26; ++type) {
        const int n = type + es::kSalesPageOffset;
        files.push_back(PictureRecipe(number("scr_", n), [type] { return MakeSalesPage(type); }));
        files.push_back(PictureRecipe(number("scb_", n), MakeSalesSheet));
    }
    for (int type = 14; type <= 19; ++type) {
        const int n = type - es::kProductionPageOffset;
        files.push_back(
            PictureRecipe(number("scr_", n), [type] { return MakeProductionPage(type); }));
        files.push_back(PictureRecipe(number("scb_", n), MakeProductionSheet));
    }
    for (int good = 8; good < 44; ++good) {
        files.push_back(
            PictureRecipe(number("fps_", good + 1), [good] { return MakeProductPicture(good); }));
    }
    files.push_back(PictureRecipe(es::kHelpPicture, MakeProductHelpPage));
    files.push_back(PictureRecipe(es::kHelpSheet, MakeProductHelpSheet));
    files.push_back(PictureRecipe(es::kDepotPicture, MakeDepotPage));
    files.push_back(PictureRecipe(es::kDepotSheet, MakeDepotSheet));
    for (int picture = 1; picture <= 3; ++picture) {
        files.push_back(PictureRecipe(number("scp_", picture),
                                      [picture] { return MakePopupPicture(picture); }));
    }
    files.push_back(PictureRecipe(es::kGoodsPictures, MakeGoodsPictures));
}

}  // namespace standin
