#pragma once
// The draw list of the world view: the screen rectangles that change in one
// frame, in depth order. Vehicles, wagons and field animations add items; the
// passes then repair only those rectangles of the composite buffer.

#include <cstdint>
#include <vector>

struct DrawItem {
    int32_t left = 0;
    int32_t right = 0;
    int32_t top = 0;
    int32_t bottom = 0;
    int32_t dest_x = 0;
    int32_t dest_y = 0;
    int32_t src_x = 0;
    int32_t src_y = 0;
    int32_t width = 0;
    int32_t height = 0;
    int32_t group = 0;
    int32_t sort_key = 0;
    int32_t has_sprite = 0;
    int32_t on_top = 0;
    uint8_t kind = 0;  // 0..9 vehicle sheet selector; 10, 11 field animation
};

class DrawList {
  public:
    // Widens the item to a multiple of 4 the way the renderer needs it, keys
    // it (top * view_width + left; bridge level after all ground items) and
    // inserts it before the first item whose key is not smaller, so that
    // among equal keys the newest comes first.
    // Items are kept in the order they came and put in depth order once,
    // when they are read (a frame adds hundreds).
    void Add(DrawItem item, int32_t view_width, int32_t view_height) {
        const int32_t spare = (item.right - item.left) % 4;
        if (spare != 0) item.right += spare;
        item.sort_key = item.top * view_width + item.left;
        if (item.on_top == 1) item.sort_key += view_height * view_width;
        sorted_ = sorted_ && (items_.empty() || items_.back().sort_key < item.sort_key);
        items_.push_back(item);
        arrival_.push_back(added_++);
    }

    // The arrival count starts again with an empty list: it only orders the
    // items of one list, and so never wraps.
    void Clear() {
        items_.clear();
        arrival_.clear();
        added_ = 0;
        sorted_ = true;
    }
    bool Empty() const { return items_.empty(); }
    const std::vector<DrawItem>& Items() const;

  private:
    mutable std::vector<DrawItem> items_;
    mutable std::vector<uint32_t> arrival_;  // per item, the count of items added before it
    // The sort's order and second item list, kept between frames.
    struct Place {
        uint64_t order;
        uint32_t index;
    };
    // Sorts order_ by a counting sort where the items allow it.
    bool SortByRadix() const;
    mutable std::vector<Place> order_;
    mutable std::vector<Place> radix_spare_;
    mutable std::vector<uint32_t> radix_counts_;
    mutable std::vector<DrawItem> spare_;
    mutable std::vector<uint32_t> spare_arrival_;
    uint32_t added_ = 0;
    mutable bool sorted_ = true;
};
