#pragma once
// The tutorial's 73 pictures: where each lies on the 638 x 478 page, whether
// the viewer stops on it, and what stepping back from it redraws. The viewer
// and the stand-in data generator (which draws each picture at its size)
// share it. Header only.

#include <cstdint>

struct TutorialPage {
    int32_t x, y;            // top-left corner on the page
    int32_t width, height;   // the part of the picture used
    int32_t waits;           // 1: a panel the viewer stops on
    int32_t back_layers[4];  // redrawn in order when stepping back from it, -1 none
    int32_t back_page;       // shown after stepping back from it
};

inline constexpr int32_t kTutorialPageCount = 73;

namespace tutorial_table {

constexpr int32_t kFullWidth = 638;
constexpr int32_t kFullHeight = 478;

// Shorthands for the table: a full page or layer, and a waiting panel.
constexpr TutorialPage Layer(int32_t x, int32_t y, int32_t w, int32_t h) {
    return {x, y, w, h, 0, {-1, -1, -1, -1}, -1};
}
constexpr TutorialPage Full() {
    return Layer(0, 0, kFullWidth, kFullHeight);
}
constexpr TutorialPage Panel(int32_t x, int32_t y, int32_t w, int32_t h, int32_t back_page,
                             int32_t l0, int32_t l1 = -1, int32_t l2 = -1, int32_t l3 = -1) {
    return {x, y, w, h, 1, {l0, l1, l2, l3}, back_page};
}

}  // namespace tutorial_table

// The page table, index = picture number - 1.
inline constexpr TutorialPage kTutorialPages[kTutorialPageCount] = {
    tutorial_table::Full(),  // 0
    tutorial_table::Panel(267, 150, 260, 122, 0, 0),
    tutorial_table::Panel(15, 59, 288, 145, 1, 0),
    tutorial_table::Panel(47, 59, 220, 145, 2, 0),
    tutorial_table::Panel(79, 59, 220, 145, 3, 0),
    tutorial_table::Panel(111, 59, 220, 145, 4, 0),
    tutorial_table::Panel(143, 59, 220, 145, 5, 0),
    tutorial_table::Panel(15, 91, 220, 145, 6, 0),
    tutorial_table::Panel(47, 91, 220, 145, 7, 0),
    tutorial_table::Panel(79, 91, 220, 145, 8, 0),
    tutorial_table::Panel(111, 91, 220, 145, 9, 0),  // 10
    tutorial_table::Panel(143, 91, 220, 145, 10, 0),
    tutorial_table::Panel(15, 123, 220, 145, 11, 0),
    tutorial_table::Panel(47, 123, 220, 145, 12, 0),
    tutorial_table::Panel(79, 123, 220, 145, 13, 0),
    tutorial_table::Panel(111, 123, 220, 145, 14, 0),
    tutorial_table::Panel(143, 123, 288, 225, 15, 0),
    tutorial_table::Full(),
    tutorial_table::Panel(323, 225, 316, 208, 16, 0),
    tutorial_table::Layer(0, 103, 160, 139),
    tutorial_table::Panel(78, 210, 308, 263, 18, 17),  // 20
    tutorial_table::Layer(162, 0, 476, 478),
    tutorial_table::Panel(258, 47, 300, 185, 20, 17, 19),
    tutorial_table::Layer(0, 103, 160, 200),
    tutorial_table::Panel(68, 151, 284, 179, 22, 17, 19, 21, 23),
    tutorial_table::Panel(0, 0, tutorial_table::kFullWidth, tutorial_table::kFullHeight, 24, 17, 19,
                          21, 23),
    tutorial_table::Full(),
    tutorial_table::Panel(280, 48, 348, 125, 25, 17),
    tutorial_table::Panel(272, 231, 256, 139, 27, 26),
    tutorial_table::Panel(80, 189, 240, 124, 28, 26),
    tutorial_table::Panel(92, 249, 304, 155, 29, 26),  // 30
    tutorial_table::Panel(140, 285, 260, 124, 30, 26),
    tutorial_table::Panel(296, 222, 236, 101, 31, 26),
    tutorial_table::Full(),
    tutorial_table::Panel(356, 178, 248, 101, 32, 26),
    tutorial_table::Layer(162, 0, 440, 400),
    tutorial_table::Panel(196, 177, 208, 101, 34, 33, 35),
    tutorial_table::Full(),
    tutorial_table::Panel(204, 206, 292, 124, 36, 33, 35),
    tutorial_table::Full(),
    tutorial_table::Panel(144, 123, 264, 124, 38, 37),  // 40
    tutorial_table::Panel(204, 19, 280, 256, 40, 39),
    tutorial_table::Full(),
    tutorial_table::Panel(168, 103, 300, 91, 41, 39),
    tutorial_table::Panel(167, 64, 304, 350, 43, 42),
    tutorial_table::Panel(16, 40, 528, 394, 44, 42),
    tutorial_table::Full(),
    tutorial_table::Panel(228, 195, 344, 102, 45, 42),
    tutorial_table::Full(),
    tutorial_table::Panel(148, 184, 380, 174, 47, 46),
    tutorial_table::Full(),  // 50
    tutorial_table::Panel(88, 180, 348, 141, 49, 48),
    tutorial_table::Full(),
    tutorial_table::Panel(228, 243, 300, 108, 51, 50),
    tutorial_table::Full(),
    tutorial_table::Panel(228, 240, 320, 127, 53, 52),
    tutorial_table::Panel(0, 0, tutorial_table::kFullWidth, tutorial_table::kFullHeight, 55, 54),
    tutorial_table::Full(),
    tutorial_table::Panel(188, 170, 308, 88, 56, 54),
    tutorial_table::Layer(376, 69, 260, 83),
    tutorial_table::Panel(160, 143, 332, 111, 58, 57),  // 60
    tutorial_table::Panel(88, 120, 352, 173, 60, 57, 59),
    tutorial_table::Layer(72, 135, 560, 83),
    tutorial_table::Panel(156, 206, 328, 119, 61, 57, 59),
    tutorial_table::Full(),
    tutorial_table::Panel(40, 112, 324, 123, 63, 57, 59, 62),
    tutorial_table::Panel(108, 105, 324, 94, 65, 64),
    tutorial_table::Panel(216, 215, 324, 203, 66, 64),
    tutorial_table::Full(),
    tutorial_table::Panel(200, 248, 300, 222, 67, 64),
    tutorial_table::Full(),  // 70
    tutorial_table::Panel(140, 274, 340, 152, 69, 68),
    tutorial_table::Panel(0, 0, tutorial_table::kFullWidth, tutorial_table::kFullHeight, 71, 70),
};
