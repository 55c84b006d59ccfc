#include "view/draw_list.h"

#include <algorithm>

void DrawList::Add(DrawItem item, int32_t view_width, int32_t view_height) {
    const int32_t spare = (item.right - item.left) % 4;
    if (spare != 0) item.right += spare;
    item.sort_key = item.top * view_width + item.left;
    if (item.on_top == 1) item.sort_key += view_height * view_width;
    const auto at = std::find_if(items_.begin(), items_.end(), [&](const DrawItem& other) {
        return other.sort_key >= item.sort_key;
    });
    items_.insert(at, item);
}
