#pragma once
// The clicks of a player on the headless back end: the control panel's
// headings and rows, a full screen's page and buttons, a field of the world
// view (a click, or a drag of the chosen tool from one field to another),
// the schedule's network map and a picker's pictures. A test fixture derives
// from it and names the back end its clicks go to.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/backend.h"
#include "platform/geometry.h"
#include "platform/headless/headless_backend.h"

class BUTTONS;
class FullScreen;
class FS_FAHRPLAN_NEU;
class FS_GEBAUDE_KAUF;
class FS_POPUP_LIST;

namespace fvtest {

class PlayerClicks {
  public:
    virtual ~PlayerClicks() = default;

    // A click on a point of the screen, never taken for a double click.
    void ClickAt(plat::Point screen, plat::MouseButton button = plat::MouseButton::Left);
    // The mouse moved to a point of the screen, late enough for the view to
    // pick the field under it.
    void MoveTo(plat::Point screen);

    // The control panel: a rectangle of it, a heading, the row of the open
    // list that runs `command` or is labelled `label`.
    void ClickPanel(const plat::Rect& r);
    void Heading(int32_t heading);
    void PanelRow(int32_t command);
    void PanelRow(const std::string& label);

    // A point of a full screen's 640 x 480 page, and one of its buttons.
    void ClickPage(const FullScreen& s, int32_t x, int32_t y);
    void Press(const FullScreen& s, uint16_t command);
    void Press(const std::vector<std::unique_ptr<BUTTONS>>& buttons, uint16_t command);

    // A row of a list of the building purchase screen, and a type chosen
    // there: its category row, then the row of the type.
    void PurchaseRow(const FS_GEBAUDE_KAUF& s, const plat::Rect& list, int32_t row);
    void ChooseBuilding(const FS_GEBAUDE_KAUF& s, int32_t category, int32_t type);

    // The world view. The camera over a field, as a bookmark recalls it.
    void LookAt(int32_t x, int32_t y);
    // The view's client point that picks the field, if one shows it.
    std::optional<plat::Point> PointOf(int32_t x, int32_t y);
    // The screen point over the field; the camera is moved over it first
    // when the view does not show it.
    std::optional<plat::Point> ScreenPointOf(int32_t x, int32_t y);
    // A click on a field with the current tool.
    void ClickField(int32_t x, int32_t y, plat::MouseButton button = plat::MouseButton::Left);
    void MoveToField(int32_t x, int32_t y);
    // The current tool dragged from one field to another: the button goes
    // down over the first, the mouse moves to the second, the button goes up.
    void DragStart(int32_t x, int32_t y);
    void DragTo(int32_t x, int32_t y);
    void DragEnd();
    void Drag(int32_t x1, int32_t y1, int32_t x2, int32_t y2);

    // A click on the schedule's network map over field (x, y), its map paged
    // there first.
    void ClickMapField(FS_FAHRPLAN_NEU& s, int32_t x, int32_t y);
    // Chooses an id in a picker: its group on the left, then its picture.
    void PickInPopup(FS_POPUP_LIST& popup, int32_t id,
                     plat::MouseButton button = plat::MouseButton::Left);

  protected:
    // The back end the clicks go to.
    virtual plat::HeadlessBackend& Host() = 0;
};

}  // namespace fvtest
