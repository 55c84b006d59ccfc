#include "platform/screen_changes.h"

#include <algorithm>
#include <cstring>

namespace plat {

namespace {

struct Run {
    int32_t left;
    int32_t right;  // one past the last differing pixel
};

// The runs of differing pixels of one row, compared eight pixels at a time.
void RowRuns(const uint8_t* a, const uint8_t* b, int32_t width, std::vector<Run>& runs) {
    runs.clear();
    int32_t x = 0;
    while (x < width) {
        if (x + 8 <= width) {
            uint64_t wa, wb;
            std::memcpy(&wa, a + x, 8);
            std::memcpy(&wb, b + x, 8);
            if (wa == wb) {
                x += 8;
                continue;
            }
        }
        const int32_t end = std::min(width, x + 8);
        for (; x < end; ++x) {
            if (a[x] == b[x]) continue;
            if (!runs.empty() && x - runs.back().right < kChangeGap) {
                runs.back().right = x + 1;
            } else {
                runs.push_back({x, x + 1});
            }
        }
    }
}

}  // namespace

std::vector<Rect> ChangedRects(const Surface& before, const Surface& after) {
    std::vector<Rect> rects;
    std::vector<size_t> open;  // rectangles that reach the row above
    std::vector<size_t> still_open;
    std::vector<Run> runs;
    const int32_t width = std::min(before.width, after.width);
    const int32_t height = std::min(before.height, after.height);
    for (int32_t y = 0; y < height; ++y) {
        RowRuns(before.Row(y), after.Row(y), width, runs);
        still_open.clear();
        for (const Run& run : runs) {
            // Joins the first open rectangle it overlaps (gap included).
            size_t joined = rects.size();
            for (size_t i : open) {
                const Rect& r = rects[i];
                if (run.left < r.right + kChangeGap && r.left < run.right + kChangeGap) {
                    joined = i;
                    break;
                }
            }
            if (joined == rects.size()) {
                rects.push_back({run.left, y, run.right, y + 1});  // a new rectangle
            } else {
                Rect& r = rects[joined];
                r.left = std::min(r.left, run.left);
                r.right = std::max(r.right, run.right);
                r.bottom = y + 1;
            }
            if (std::find(still_open.begin(), still_open.end(), joined) == still_open.end()) {
                still_open.push_back(joined);
            }
        }
        open.swap(still_open);
    }
    return rects;
}

}  // namespace plat
