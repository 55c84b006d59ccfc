#pragma once
// The news popups of a running game: a new product, a new building, a new
// vehicle model and a business report of the market. Each is a picture with
// one close button, opened by the control panel (hidden while another screen
// is shown) and answering it with its pair's result message. The vehicle
// popup writes the model's figures into its picture; the business popup the
// month and year of the report. All but the business popup close on Enter.

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "panel/popup_protocol.h"
#include "screens/flow/flow_popup.h"

class CGameState;

// One line of the vehicle popup at its height.
struct NewsLine {
    int32_t y = 0;
    const char* text = "";
};

class NewsPopup : public FlowPopup {
  public:
    int32_t news_index = 0;

  protected:
    NewsPopup(uint32_t result_message, bool closes_on_enter)
        : FlowPopup(result_message), closes_on_enter_(closes_on_enter) {}
    // Loads "<picture>" and "<sheet>", makes the window over the request's
    // rectangle with its close button and hands the music back unless a
    // screen is in front while a game track runs.
    bool OpenNews(HAUPTDIALOG& panel, const PopupRequest& request, const std::string& picture,
                  const char* sheet_name, std::span<const ButtonLayout> close);
    plat::LResult OnMessage(uint32_t message, plat::WParam wParam, plat::LParam lParam) override;
    // Writes the popup's own texts into the picture before it is shown.
    virtual void DrawTexts() {}
    virtual bool ResumesMusic() const;

  private:
    bool closes_on_enter_;
};

class FS_NEWS_PRODUCT : public NewsPopup {
  public:
    FS_NEWS_PRODUCT();
    bool Open(HAUPTDIALOG& panel, const PopupRequest& request);
};

class FS_NEWS_BUILDING : public NewsPopup {
  public:
    FS_NEWS_BUILDING();
    bool Open(HAUPTDIALOG& panel, const PopupRequest& request);
};

class FS_NEWS_VEHICLE : public NewsPopup {
  public:
    FS_NEWS_VEHICLE();
    bool Open(HAUPTDIALOG& panel, const PopupRequest& request);

  protected:
    void DrawTexts() override;
};

class FS_NEWS_BUSINESS : public NewsPopup {
  public:
    FS_NEWS_BUSINESS();
    bool Open(HAUPTDIALOG& panel, const PopupRequest& request);

  protected:
    void DrawTexts() override;
    bool ResumesMusic() const override;
};

// The picture of a product's news: goods index i shows "newp_<i + 1>.jgd".
std::string ProductNewsPicture(int32_t goods);
// The lines of a vehicle model's news, "NOW AVAILABLE" first; a model
// without figures has only that.
std::vector<NewsLine> VehicleNewsLines(int32_t model);
// "<Month> <year>" of the business report: the current month moved on by
// the running market event's month counter (none while no event runs).
std::string BusinessReportDate(const CGameState& gs);
