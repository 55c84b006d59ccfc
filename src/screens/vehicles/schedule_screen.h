#pragma once
// FS_FAHRPLAN_NEU: the schedule screen of one of the player's vehicles. On
// the left a map of the world with the way network the vehicle can use, its
// reachable terminals marked for picking and the stops numbered; on the
// right the vehicle's picture and figures and its first six stops, each with
// the goods every wagon loads there and a wait-until-loaded box. Edits are
// made on copies; OK writes them into the vehicle, cancel drops them. While
// the screen is open the vehicle stands. It also scraps the vehicle or asks
// for a new body (the purchase screen then replaces the model).
//
// The frame opens it on WM_USER+0x1B and closes it on WM_USER+0x1C; while it
// is open g_pScheduleEditor (and, for the popup, g_pScheduleScreen) point to
// it.

#include <cstdint>
#include <string>

#include "screens/economy/economy_screen.h"
#include "screens/panel/popup_list.h"
#include "screens/screen_entry.h"
#include "state/schedule_stop.h"

class CVehicle;
class CBuilding;

// A pickable terminal on the map: its square in buffer pixels (bounds
// included) and its building number.
struct PickRect {
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;
    int32_t building = 0;
};

inline constexpr int32_t kScheduleKindTruck = 19;
inline constexpr int32_t kScheduleKindTrain = 20;
inline constexpr int32_t kNoGoodsRow = 10;  // selected stop while a goods cell is edited
inline constexpr int32_t kMaxPicks = 1024;

class FS_FAHRPLAN_NEU : public EconomyScreen, public PopupChooser {
  public:
    FS_FAHRPLAN_NEU();
    ~FS_FAHRPLAN_NEU() override;

    // False for a vehicle of no schedule kind or a missing picture.
    bool Open(plat::Window* parent, CVehicle* edited);

    // --- What the purchase screen uses while it replaces the model ---------
    // Column 0 of every stop's goods back to none, the panel, the selection
    // frame and the goods list refreshed (a truck of another variant).
    void ForgetTruckCargo();
    void BuildPanel();
    void MoveCargoSelection();
    void FillGoodsList();

    // --- Network map (schedule_map.cpp) ------------------------------------
    void MarkReachableFields(int32_t x, int32_t y, int32_t way_type);
    void DrawNetworkMap();
    void RefreshTerminalMarks();
    void ShowMapView();
    void HoverMap(int32_t lx, int32_t ly);
    void PickStopAt(int32_t lx, int32_t ly);
    int32_t FindPickRect(int32_t lx, int32_t ly) const;
    int32_t IsStationReachable(int32_t building) const;
    void ShowTerminalLabel(int32_t k);
    // The label box's part of the map buffer copied back over it.
    void HideTerminalLabel();

    // --- Screen state -------------------------------------------------------
    CVehicle* vehicle = nullptr;  // registered: null once it is deleted
    FS_POPUP_LIST* popup = nullptr;
    int32_t screen_kind = kScheduleKindTruck;
    int32_t last_goods_column = 0;
    int32_t stop_count = 0;
    int32_t pick_count = -1;  // index of the last pick entry
    PickRect picks[kMaxPicks] = {};
    int32_t selected_stop = 0;
    int32_t goods_row = 0;
    int32_t goods_column = 0;
    int32_t edited_row = -1;
    int32_t edited_column = -1;
    int32_t previous_row = -1;
    int32_t previous_column = -1;
    int8_t page_y = 0;
    int8_t page_x = 0;
    int32_t saved_running = 0;
    int32_t label_box[4] = {};  // left (-1: removed), top, right, bottom
    int8_t stop_goods[10][6] = {};
    int32_t wait_flags[10] = {};
    int32_t halt_flags[10] = {};
    int32_t track_way = 0;  // trains: the way type of their track

    WinGBitmap panel;     // 296 x 452
    WinGBitmap map;       // 512 x 512
    WinGBitmap label;     // 120 x 10
    WinGBitmap pictures;  // "uefsN.jgd"

  protected:
    void OnPaint(plat::DeviceContext& dc) override;
    bool OnCommand(uint16_t command) override;
    bool OnScreenMessage(uint32_t message, plat::WParam wParam, plat::LParam lParam) override;

  private:
    void OnClick(int32_t x, int32_t y);
    void OnGoodsChosen();
    void OnDeleteStop();
    void OnOk();
    void OnCancel();
    void OnNewVehicle();
    void OnScrap();
    void ScrollMap(int32_t dx, int32_t dy);
    void ShowPanel();
    void ShowPopup();
    void RecountStops();
    void MarkFromVehicle();
    void PlotTruckNetwork();
    void PlotTrainNetwork();
    void DrawDepotSquares(bool pick_only);
    void DrawStationSquares(bool pick_only);
    void DrawStopMarkers();
    void Finish();
    bool VehicleListed() const;
};

// The open schedule screen (null while there is none); set by the frame.
inline FS_FAHRPLAN_NEU* g_pScheduleEditor = nullptr;

// The eight field bytes a picked terminal writes into a stop (the spare
// bytes untouched): a depot all four fields at its anchor, a station the
// first field of each platform row. False for a building of no terminal type.
bool WriteStopFields(const CBuilding& terminal, ScheduleStop& stop);

// "Travel costs: 999", from 1,000 on with the thousands comma ("1,250").
std::string TravelCostsText(int32_t cost);

// The vehicle a purchase screen bought: the next schedule screen opens for
// it (a registered reference, forgotten when the vehicle is deleted).
void RememberBoughtVehicle(CVehicle* vehicle);

extern const ScreenEntry kScheduleScreenEntry;
