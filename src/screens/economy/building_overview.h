#pragma once
// BuildingOverview: what the overviews of the player's factories and stores
// share. Three of the records are shown at a time in a panel of the page,
// paged back and on; each place's two buttons open the screen of its
// building (the overview waits hidden meanwhile) or jump the world view to
// the building, closing with 1 so that the frame centres the view there. A
// place without a record is empty, and its buttons do nothing. OK and the jump
// keep the player's sort or filter in the game state. Below the records the
// state strip shows the game date.
//
//   bool FS_X::OnCommand(uint16_t command) {
//       return OnOverviewCommand(command, first_row, row_count);
//   }

#include <cstdint>
#include <span>

#include "platform/geometry.h"
#include "screens/economy/economy_layout.h"
#include "screens/economy/economy_screen.h"

// Sorts `order` by key ascending with a selection sort: at each position the
// first smallest key from there on is swapped forward (equal keys keep the
// order this procedure gives).
void SelectionSortByKey(std::span<int32_t> order, std::span<const int64_t> keys);

// A button of an overview's table: its faces at `face_x` of the sheet.
constexpr ButtonLayout OverviewButton(plat::Point at, uint16_t command, int32_t face_x,
                                      int32_t width, int32_t height) {
    return {.x = at.x,
            .y = at.y,
            .command = command,
            .width = width,
            .height = height,
            .normal = {face_x, 0},
            .pressed = {face_x, economy_screens::kPressedY}};
}

class BuildingOverview : public EconomyScreen {
  public:
    static constexpr int32_t kMaxRows = 1024;
    static constexpr int32_t kShown = 3;  // records on the page at a time

    // Forgets the overview's building.
    ~BuildingOverview() override;

    // The panel's records and the state strip drawn again and shown.
    void Draw();

    int32_t opened_row = -1;  // the record whose building's screen was opened
    int32_t opened_building = 0;
    int32_t row_count = 0;  // the player's buildings of the overview's kind

  protected:
    // `open_message` asks the frame for the screen of one building; `panel`
    // is where the records are drawn.
    BuildingOverview(uint32_t done_message, uint32_t open_message, const plat::Rect& panel)
        : EconomyScreen(done_message), open_message_(open_message), panel_(panel) {}

    // The record shown at place `position` (0..2), -1 where none is.
    virtual int32_t RecordAt(int32_t position) const = 0;
    // The building number of a record.
    virtual int32_t BuildingOf(int32_t record) const = 0;
    // The player's sort or filter into the game state.
    virtual void KeepChoice() = 0;
    // The shown records into the canvas (the panel is restored already).
    virtual void DrawRecords(const plat::Rect& panel) = 0;

    // OK, back and on (`first` the first shown of `count` positions), open
    // and go to; false for any other command.
    bool OnOverviewCommand(uint16_t command, int32_t& first, int32_t count);
    // The goods icon of `good` (-1: the empty cell) at (x, y) of the canvas;
    // nothing without the panel's icons.
    void GoodsIcon(int32_t good, int32_t x, int32_t y);

  private:
    uint32_t open_message_;
    plat::Rect panel_;
};
