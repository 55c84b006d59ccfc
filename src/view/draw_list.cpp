#include "view/draw_list.h"

#include <algorithm>

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
    // Ascending keys; among equal keys the newest first: one 64-bit word per
    // item (the key with its sign bit flipped above the inverted arrival
    // count) sorts in that order.
    const size_t n = items_.size();
    order_.resize(n);
    for (size_t i = 0; i < n; ++i) {
        const uint64_t key = static_cast<uint32_t>(items_[i].sort_key) ^ 0x80000000u;
        order_[i] = {key << 32 | (0xFFFFFFFFu - arrival_[i]), static_cast<uint32_t>(i)};
    }
    std::sort(order_.begin(), order_.end(),
              [](const Place& a, const Place& b) { return a.order < b.order; });
    spare_.resize(n);
    for (size_t i = 0; i < n; ++i) {
        spare_[i] = items_[order_[i].index];
        arrival_[i] = 0xFFFFFFFFu - static_cast<uint32_t>(order_[i].order);
    }
    items_.swap(spare_);
    sorted_ = true;
    return items_;
}
