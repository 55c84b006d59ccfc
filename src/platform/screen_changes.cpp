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
    return ChangedRects(before, after, {0, 0, after.width, after.height});
}

std::vector<Rect> ChangedRects(const Surface& before, const Surface& after, const Rect& area) {
    std::vector<Rect> rects;
    std::vector<size_t> open;  // rectangles that reach the row above
    std::vector<size_t> still_open;
    std::vector<Run> runs;
    const Rect cut = Intersect(
        area, {0, 0, std::min(before.width, after.width), std::min(before.height, after.height)});
    for (int32_t y = cut.top; y < cut.bottom; ++y) {
        RowRuns(before.Row(y) + cut.left, after.Row(y) + cut.left, cut.Width(), runs);
        for (Run& run : runs) {
            run.left += cut.left;
            run.right += cut.left;
        }
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

std::vector<Rect> JoinOverlapping(std::vector<Rect> rects) {
    std::erase_if(rects, [](const Rect& r) { return r.IsEmpty(); });
    for (size_t i = 0; i < rects.size();) {
        // A rectangle grown by a join may now overlap one checked before.
        bool joined = false;
        for (size_t j = 0; j < rects.size(); ++j) {
            if (j == i || Intersect(rects[i], rects[j]).IsEmpty()) continue;
            rects[std::min(i, j)] = Union(rects[i], rects[j]);
            rects.erase(rects.begin() + static_cast<ptrdiff_t>(std::max(i, j)));
            i = 0;
            joined = true;
            break;
        }
        if (!joined) ++i;
    }
    return rects;
}

}  // namespace plat
