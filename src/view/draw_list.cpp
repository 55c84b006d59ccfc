#include "view/draw_list.h"

#include <algorithm>
#include <numeric>

void DrawList::Add(DrawItem item, int32_t view_width, int32_t view_height) {
    const int32_t spare = (item.right - item.left) % 4;
    if (spare != 0) item.right += spare;
    item.sort_key = item.top * view_width + item.left;
    if (item.on_top == 1) item.sort_key += view_height * view_width;
    sorted_ = sorted_ && (items_.empty() || items_.back().sort_key < item.sort_key);
    items_.push_back(item);
    arrival_.push_back(added_++);
}

const std::vector<DrawItem>& DrawList::Items() const {
    if (sorted_) return items_;
    // Ascending keys; among equal keys the newest first.
    std::vector<uint32_t> order(items_.size());
    std::iota(order.begin(), order.end(), 0u);
    std::sort(order.begin(), order.end(), [&](uint32_t a, uint32_t b) {
        if (items_[a].sort_key != items_[b].sort_key)
            return items_[a].sort_key < items_[b].sort_key;
        return arrival_[a] > arrival_[b];
    });
    std::vector<DrawItem> items;
    std::vector<uint32_t> arrival;
    items.reserve(order.size());
    arrival.reserve(order.size());
    for (const uint32_t i : order) {
        items.push_back(items_[i]);
        arrival.push_back(arrival_[i]);
    }
    items_.swap(items);
    arrival_.swap(arrival);
    sorted_ = true;
    return items_;
}
