#pragma once
// FS_GEBAUDE_KAUF: the screen on which the player chooses the kind of
// building to place next. Four categories (terminals, production, sales,
// city buildings), the types of the chosen one that are on the market
// (greyed while the player cannot afford them), a picture and the key
// figures of the highlighted type. Buy only sets `selected_building_type`;
// the world view's building tool then places buildings of that type and the
// building table charges each. The frame opens it on WM_USER+0x15; it
// answers WM_USER+0x16 with lParam 0 after Buy, 1 after cancel.

#include <cstdint>

#include "screens/economy/economy_screen.h"
#include "screens/screen_entry.h"

class LISTBOX;

class FS_GEBAUDE_KAUF : public EconomyScreen {
  public:
    FS_GEBAUDE_KAUF();
    ~FS_GEBAUDE_KAUF() override;

    bool Open(plat::Window* parent);
    // Re-greys the rows whose affordability changed (the frame calls it
    // when the cash changes).
    void UpdateAvailability();

    // The type of the highlighted row; -1 when the list is empty.
    int32_t HighlightedType() const;

    int32_t m_typeIndex = 0;
    int32_t m_category = 0;
    int32_t m_rowTypes[7] = {};
    int32_t m_rowCount = 0;
    uint8_t m_rowColours[7] = {};
    int32_t m_previousType = -1;
    LISTBOX* m_typeList = nullptr;
    LISTBOX* m_infoList = nullptr;
    LISTBOX* m_categoryList = nullptr;
    WinGBitmap m_picture;

  protected:
    void OnPaint(plat::DeviceContext& dc) override;
    bool OnCommand(uint16_t command) override;
    void OnEnter() override;
    bool OnScreenMessage(uint32_t message, plat::WParam wParam, plat::LParam lParam) override;

  private:
    void FillTypeList(bool reset);
    void ShowBuildingInfo();
    void FillCategoryList();
    void LoadTypePicture();
    void OnTypeSelected();
    void OnCategorySelected();
    void RedrawLists();
    void OnBuy();
    void OnCancel();
};

// A building type is on the market from July of its year of introduction.
bool BuildingTypeOffered(int32_t type);
// The player can pay the type's price.
bool BuildingTypeAffordable(int32_t type);

extern const ScreenEntry kBuildingPurchaseScreenEntry;
