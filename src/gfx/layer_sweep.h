#pragma once
// One sweep down a picture made of three layers of one size (a base and two
// keyed layers, colour 0 transparent): rectangles composed afresh, then
// pictures drawn beneath the keyed layers, from the top down, each picture
// while its rows are at hand.

#include <cstdint>
#include <vector>

#include "gfx/blit.h"

// A rectangle of pixels, left <= x < right, top <= y < bottom.
struct PixelRect {
    int32_t left = 0, top = 0, right = 0, bottom = 0;
};

class LayerSweep {
  public:
    void Clear() {
        restores_.clear();
        pictures_.clear();
    }
    // A rectangle to compose; it must lie within the picture.
    void AddRestore(const PixelRect& rect) {
        if (rect.left < rect.right && rect.top < rect.bottom) restores_.push_back(rect);
    }
    // The key-0 copy of `r` from `src` into `dst` (placed by
    // PlaceZeroKeyCopy, straight into the list) to draw beneath the keyed
    // layers, after all the rectangles and the pictures before it. False,
    // adding nothing, when PlaceZeroKeyCopy cannot place it.
    bool AddPicture(const PixelSurface& dst, const ConstPixelSurface& src, const BlitRect& r) {
        ZeroKeyCopy& copy = pictures_.emplace_back();
        const bool placed = PlaceZeroKeyCopy(dst, src, r, copy);
        if (!placed || copy.rows <= 0 || copy.columns <= 0) pictures_.pop_back();
        return placed;
    }

    // Composes the layers into `dst` over the rectangles, then draws the
    // pictures in order, each byte only where both keyed layers are 0. This
    // equals ComposeLayers over each rectangle followed, for each picture in
    // order, by its key-0 copy and CoverWithLayers over its rows, provided
    // every picture lies within the rectangles. Returns false, drawing nothing, when `dst` and the
    // layers are not all of one size, a surface is empty or `dst` shares memory with a layer.
    //
    // The sweep keeps the layers' composition, and where the keyed layers
    // cover the base, from one call to the next while `revision` stays the
    // same: a rectangle is then restored by one copy. The caller changes
    // `revision` whenever a pixel of a layer may have changed.
    //
    // With `copy_to`, each rectangle of the finished picture is then copied
    // to the same place there (cut to its size): the bytes copying the
    // rectangles afterwards gives. It must not share memory with `dst` or a
    // layer.
    bool Draw(const PixelSurface& dst, const LayerStack& layers, uint64_t revision,
              const PixelSurface* copy_to = nullptr);

    // After the layers changed only within `rect`, keeps the composition of
    // `revision` up to date there instead of composing them all afresh.
    void LayersChangedIn(const LayerStack& layers, uint64_t revision, const PixelRect& rect);

  private:
    // The rectangles' indices by their top row, stable.
    const std::vector<uint32_t>& TopDownOrder(int32_t height);

    // The composition and cover map (0xFF where a keyed layer is not 0) of
    // the layers as they were at one revision, rows `width` apart.
    struct KeptLayers {
        std::vector<uint8_t> clean;
        std::vector<uint8_t> cover;
        LayerStack layers;
        uint64_t revision = 0;
        bool valid = false;
    };
    // Composes the layers afresh unless they are the ones kept.
    void Keep(const LayerStack& layers, uint64_t revision);
    bool Keeps(const LayerStack& layers, uint64_t revision) const;
    // Whether the kept composition is the layers' own over every rectangle
    // to restore: checked in debug builds, where a writer of the layers that
    // forgot to change the revision shows at once.
    bool KeptMatchesLayers(const LayerStack& layers) const;

    KeptLayers kept_;
    std::vector<PixelRect> restores_;
    std::vector<ZeroKeyCopy> pictures_;
    std::vector<uint32_t> order_;
    std::vector<uint32_t> starts_;
};
