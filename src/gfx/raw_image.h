#pragma once
// RawImage: the bare 8-bit pixels of a picture file, without device context
// or palette. Sprite sheets and the small font are RawImages; they are only
// read by the blit loops.

#include <cstdint>
#include <memory>
#include <string>

#include "gfx/pixel_surface.h"

struct RawImage {
    int32_t width = 0;
    int32_t height = 0;  // minus the picture's height (rows top-down)
    std::unique_ptr<uint8_t[]> memory;
    uint8_t* pixels = nullptr;  // width x -height bytes, top row first, stride = width

    RawImage() = default;
    RawImage(RawImage&&) = default;
    RawImage& operator=(RawImage&&) = default;

    void Clear() { Free(); }
    // Reads the named .jgd picture. A missing or damaged file raises the
    // retry/cancel box; after Cancel the record stays empty. Answers whether
    // pixels were loaded. Loading frees what the record held before.
    bool LoadJgd(const std::string& name);
    void Free();

    bool Loaded() const { return pixels != nullptr; }
    int32_t Rows() const { return -height; }
    ConstPixelSurface Surface() const { return {pixels, width, -height, width}; }
    PixelSurface MutableSurface() { return {pixels, width, -height, width}; }
};
