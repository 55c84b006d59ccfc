#pragma once
// What the sound code needs of the world view: whether it exists, its zoom,
// whether a field is on screen and the stereo pan of a field. The one place
// through which the sound code reaches the view.

#include <cstdint>

namespace sound_view {

bool Exists();
// The view's zoom (1, 2, 4 or 16), or 0 while there is no world view.
int32_t Zoom();
// False while there is no world view.
bool IsTileInView(int32_t x, int32_t y);
// The pan of a field (-10000 left .. 10000 right), 0 without a world view.
int32_t Pan(int32_t x, int32_t y);

}  // namespace sound_view
