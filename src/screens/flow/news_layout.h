#pragma once
// Layout of the news popups: picture names, sizes and the close button's
// place. The popups and the stand-in data generator share these numbers.
// Header only.

#include <cstdint>

namespace news_popups {

constexpr int32_t kWidth = 236;
constexpr int32_t kProductHeight = 391;   // "newp_<goods + 1>.jgd"
constexpr int32_t kBuildingHeight = 260;  // "newg_<n>.jgd"
constexpr int32_t kVehicleHeight = 260;   // "newf_<model>.jgd"
constexpr int32_t kBusinessHeight = 311;  // "wisz_<n>.jgd"
constexpr int32_t kCloseX = 128;
constexpr int32_t kProductCloseY = 351;
constexpr int32_t kBuildingCloseY = 220;
constexpr int32_t kVehicleCloseY = 220;
constexpr int32_t kBusinessCloseY = 271;
constexpr int32_t kSheetWidth = 108;
constexpr int32_t kSheetHeight = 80;

// The vehicle popup's text column and the business popup's date.
constexpr int32_t kTextX = 16;
constexpr int32_t kHeadlineY = 38;
constexpr int32_t kDateY = 225;

// The numbers the stand-in data has pictures for.
constexpr int32_t kFirstProductPicture = 9;
constexpr int32_t kLastProductPicture = 44;
constexpr int32_t kBuildingPictures[] = {9, 11};
constexpr int32_t kVehiclePictures[] = {3, 6, 9, 11, 12, 13, 14, 15, 16, 17, 18};
constexpr int32_t kBusinessPictures = 40;

}  // namespace news_popups
