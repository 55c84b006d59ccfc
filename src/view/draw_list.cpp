#include "view/draw_list.h"

#include <algorithm>
#include <bit>

const std::vector<DrawItem>& DrawList::Items() const {
    if (sorted_) return items_;
    const size_t n = items_.size();
    order_.resize(n);
    if (!SortByRadix()) {
        // Ascending keys; among equal keys the newest first: one 64-bit word
        // per item (the key with its sign bit flipped above the inverted
        // arrival count) sorts in that order.
        for (size_t i = 0; i < n; ++i) {
            const uint64_t key = static_cast<uint32_t>(items_[i].sort_key) ^ 0x80000000u;
            order_[i] = {key << 32 | (0xFFFFFFFFu - arrival_[i]), static_cast<uint32_t>(i)};
        }
        std::sort(order_.begin(), order_.end(),
                  [](const Place& a, const Place& b) { return a.order < b.order; });
    }
    spare_.resize(n);
    std::vector<uint32_t>& arrival = spare_arrival_;
    arrival.resize(n);
    for (size_t i = 0; i < n; ++i) {
        spare_[i] = items_[order_[i].index];
        arrival[i] = arrival_[order_[i].index];
    }
    items_.swap(spare_);
    arrival_.swap(arrival);
    sorted_ = true;
    return items_;
}

bool DrawList::SortByRadix() const {
    // A frame's items come in arrival order and their keys span a few
    // million at most: two stable counting passes over the key's offset
    // from the smallest, the items taken newest first, give the order.
    const size_t n = items_.size();
    constexpr int32_t kMostBits = 11;
    int64_t low = items_[0].sort_key;
    int64_t high = low;
    for (size_t i = 0; i < n; ++i) {
        if (i > 0 && arrival_[i] <= arrival_[i - 1]) return false;
        low = std::min<int64_t>(low, items_[i].sort_key);
        high = std::max<int64_t>(high, items_[i].sort_key);
    }
    if (high - low >= int64_t{1} << (2 * kMostBits)) return false;
    // Half the bits of the offsets' span in each pass: no more buckets to
    // clear and add up than the keys need.
    const int32_t bits = (std::bit_width(static_cast<uint64_t>(high - low)) + 1) / 2;
    const uint32_t buckets = 1u << bits;
    radix_counts_.assign(2 * buckets + 2, 0);
    uint32_t* counts[2] = {radix_counts_.data(), radix_counts_.data() + buckets + 1};
    auto offset = [&](size_t i) { return static_cast<uint32_t>(items_[i].sort_key - low); };
    for (size_t i = 0; i < n; ++i) {
        ++counts[0][(offset(i) & (buckets - 1)) + 1];
        ++counts[1][(offset(i) >> bits) + 1];
    }
    for (uint32_t b = 0; b < buckets; ++b) {
        counts[0][b + 1] += counts[0][b];
        counts[1][b + 1] += counts[1][b];
    }
    radix_spare_.resize(n);
    for (size_t k = n; k-- > 0;) {
        radix_spare_[counts[0][offset(k) & (buckets - 1)]++] = {offset(k),
                                                                static_cast<uint32_t>(k)};
    }
    for (const Place& p : radix_spare_) order_[counts[1][p.order >> bits]++] = p;
    return true;
}
