#pragma once
// VehiclePurchaseScreen: what the truck and the rail purchase screens share.
// The page with a picture of the chosen model, a list of the models on sale
// (rows the player cannot afford greyed), the model's description lines, and
// Buy and Cancel. Opened on a free terminal of the player, the screen holds
// the terminal for the vehicle about to be bought and gives up exactly what
// it took when it closes; opened from the schedule screen it replaces the
// model of the vehicle edited there. Both answer the frame in wParam: 0
// bought, 1 cancelled.

#include <cstdint>
#include <string>

#include "screens/economy/economy_screen.h"
#include "screens/screen_entry.h"
#include "transport/train_holdings.h"

class LISTBOX;
class CVehicle;

class VehiclePurchaseScreen : public EconomyScreen {
  public:
    // The derived screen's destructor gives the terminal back first.
    ~VehiclePurchaseScreen() override;

    // Re-greys the rows whose affordability changed (the frame calls it
    // when the cash changes).
    void CheckAvailability();

    // The model of a list row; -1 outside the list.
    int32_t ModelOfRow(int32_t row) const;
    // The model the list shows highlighted.
    int32_t ChosenModel() const { return ModelOfRow(row); }

    int32_t kind = 0;  // trucks: the variant 0..2; rail: the class 2..4
    int32_t row = 0;   // the highlighted row
    int32_t row_models[8] = {};
    uint8_t row_colours[8] = {};
    int32_t row_count = 0;
    LISTBOX* model_list = nullptr;
    LISTBOX* info_list = nullptr;
    WinGBitmap picture;
    // The terminal field held for the new vehicle (-1: none held).
    int32_t held_x = -1;
    int32_t held_y = -1;
    uint8_t held_lane = 0;     // trucks: the lane bit taken on the depot field
    TrainHoldings held_links;  // rail: the row's end links reserved
    // The vehicle just bought (null before, or once it is deleted).
    CVehicle* bought = nullptr;

  protected:
    VehiclePurchaseScreen(uint32_t done_message, uint32_t list_notify);

    // Loads the page, takes the terminal (when no schedule is edited),
    // creates the window with its lists and fills them.
    bool OpenPage(plat::Window* parent, const char* page, const char* sheet_name,
                  const plat::Rect& list_rect, uint32_t list_id);
    // The models offered, in list order (fills row_models and row_count).
    virtual void CollectRows() = 0;
    // The description lines of the chosen model.
    virtual void FillInfo() = 0;
    // The number of the picture "fks_<model><colour>.jgd" to show.
    virtual int32_t PictureModel() const { return ChosenModel(); }
    // Takes / gives back the terminal on the selected field.
    virtual void HoldTerminal() = 0;
    virtual void ReleaseTerminal() = 0;
    virtual void OnBuy() = 0;
    // Enter: what a press of Buy remembers first.
    virtual void BeforeEnter() {}

    void FillModelList();
    void LoadModelPicture();
    void RedrawLists();
    void AddInfo(const std::string& line);
    // Cancel: the terminal given back, the frame told.
    void OnCancel();
    // Reports to the frame with wParam `result` (0 bought, 1 cancelled).
    void Report(plat::WParam result);

    void OnPaint(plat::DeviceContext& dc) override;
    bool OnCommand(uint16_t command) override;
    void OnEnter() override;
    bool OnScreenMessage(uint32_t message, plat::WParam wParam, plat::LParam lParam) override;

  private:
    void OnModelChosen();
    uint32_t report_message_;
    uint32_t list_notify_;
};

// Whether the player's cash covers the model's price.
bool ModelAffordable(int32_t model);
// "Price: 1,250" etc.: the price line of the info list.
std::string PriceLine(int32_t price);
// The vehicle being edited on the open schedule screen, null when none.
CVehicle* EditedVehicle();
// The way type a purchase screen opens with: the edited vehicle's while a
// schedule screen is open, else that of the world view's selected field.
int32_t PurchaseWayType();

// The parts of the purchase screens' ScreenEntry.
// `open`: a new Screen opened with PurchaseWayType().
template <typename Screen>
plat::Window* OpenPurchaseScreen(plat::Window& frame, plat::WParam, plat::LParam) {
    auto* screen = new Screen;
    if (screen->Open(&frame, PurchaseWayType())) return screen;
    delete screen;
    return nullptr;
}
// `before_open`: an open schedule screen is hidden while a purchase screen is up.
void HideScheduleForPurchase(plat::Window& frame, plat::WParam wParam, plat::LParam lParam);
// `before_delete`: the vehicle bought is remembered for the schedule screen.
void RememberPurchase(plat::Window& frame, plat::Window* screen, plat::WParam wParam,
                      plat::LParam lParam);
// `notify`: a change of cash re-greys the rows.
void NotifyPurchaseScreen(plat::Window* screen, FrameNotice notice);
