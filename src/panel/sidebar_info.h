#pragma once
// The control panel's sidebar below the heading grid as data: what the
// information area shows of the selected object (a vehicle, a building, a
// way piece, a city building, street or attraction) and what the building
// tool's placement panels show of the pointed site. A describer reads the
// game and returns the texts, goods icons and load marks with their panel
// positions; the painters (sidebar_info.cpp, sidebar_placement.cpp) draw
// them in the panel font, colour 10 unless a text says otherwise.
//
// The information area follows one protocol: when the selected kind differs
// from the kind last drawn, a full draw restores the whole area, draws the
// labels and the values and shows it; otherwise a refresh restores, redraws
// and shows only the boxes of the values, so the frequent refresh requests
// of the simulation repaint little. A value's box is 152 x 16 at x 8 for a
// line that begins at x 8, else from its x to the right edge.

#include <cstdint>
#include <string>
#include <vector>

class CBuilding;
class CVehicle;
class HAUPTDIALOG;

inline constexpr uint8_t kSidebarTextColour = 10;
inline constexpr int32_t kSidebarInfoTop = 136;       // the information area
inline constexpr int32_t kSidebarPlacementTop = 162;  // the placement panels
inline constexpr int32_t kGoodsIconSize = 32;

struct SidebarText {
    int32_t x = 0;
    int32_t y = 0;
    std::string text;
    uint8_t colour = kSidebarTextColour;
};

// A goods icon of the panel's strip: 0 no goods, i + 1 goods i.
struct SidebarIcon {
    int32_t x = 0;
    int32_t y = 0;
    int32_t icon = 0;
};

// A 12 x 12 load frame of the vehicle panel, filled for a loaded unit.
struct SidebarMark {
    int32_t x = 0;
    int32_t y = 0;
    bool filled = false;
};

struct SidebarBox {
    int32_t x = 0;
    int32_t y = 0;
    int32_t w = 0;
    int32_t h = 0;
};

struct SidebarContent {
    bool shown = false;  // false: nothing to draw, the area keeps its picture
    // A full draw outlines the building at (mark_x, mark_y) on the map;
    // otherwise it clears the map's previews.
    bool outline_structure = false;
    int32_t mark_x = 0;
    int32_t mark_y = 0;
    // The one entry of the drop-down list (the rename command) with this
    // label of the current heading; -1: no entry.
    int32_t rename_label = -1;
    std::vector<SidebarText> labels;  // drawn by a full draw only
    std::vector<SidebarText> values;  // drawn by both, each in its box
    std::vector<SidebarIcon> icons;   // as values
    std::vector<SidebarMark> marks;   // as values
    // Restored by a refresh besides the boxes of the values (a column whose
    // rows the next object of the kind may not fill).
    std::vector<SidebarBox> extra_boxes;

    // The texts joined by '|', for reading.
    std::string Labels() const;
    std::string Values() const;
};

// The box a refresh restores for a value.
SidebarBox ValueBox(const SidebarText& value);

// What the panel has selected.
struct SidebarSelection {
    CBuilding* structure = nullptr;
    CVehicle* vehicle = nullptr;
    int32_t field_x = -1;
    int32_t field_y = -1;
};

// The information area for a selected object kind (`selected_object_type`);
// not shown for a kind without a panel or a missing object.
SidebarContent DescribeSelection(int32_t kind, const SidebarSelection& selection);

// The describers of each family (sidebar_buildings.cpp, sidebar_vehicle.cpp,
// sidebar_city_way.cpp): kinds 1..6 raw-material sites, 7..12 factories,
// 16..19 terminals, 24..29 stores; 20 vehicles; 23 way pieces; 15, 21, 22
// attractions, city buildings and city streets.
SidebarContent DescribeRawMaterialSite(int32_t kind, CBuilding& site);
SidebarContent DescribeFactory(CBuilding& factory);
SidebarContent DescribeTerminal(CBuilding& terminal);
SidebarContent DescribeStore(CBuilding& store);
SidebarContent DescribeVehicle(const CVehicle& vehicle);
SidebarContent DescribeWay(int32_t x, int32_t y);
SidebarContent DescribeCityObject(int32_t kind, int32_t x, int32_t y);

// The placement panels for the selected building type on the site with its
// north-west field on (x, y): the general panel and the store panel.
SidebarContent DescribePricePanel(int32_t x, int32_t y);
SidebarContent DescribeProductPricePanel(int32_t x, int32_t y);

// The information area by the protocol above (the panel's
// WM_REFRESH_INFO_PANEL); kind 0 clears the area.
void DrawInfoPanel(HAUPTDIALOG& panel);

// The date line "<month> <year>" (the panel's month names) and the capital
// line (player 0's cash); the panel draws neither in the editor.
std::string SidebarDateText(const HAUPTDIALOG& panel);
std::string SidebarCapitalText();

// Texts of the sidebar shared by the describers.
inline constexpr const char* kNotPossible = "Not poss.";
// The company name of a player 0..3; empty for anyone else.
std::string CompanyName(int32_t player);
// The goods numbers sold by stores of `store_type` that are on the market
// (introduced before this year, or this year from March on), in order.
std::vector<int32_t> GoodsOnSaleAt(int32_t store_type);
