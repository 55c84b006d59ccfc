#pragma once
// The tool-preview marker of the world view: the `cursor` and `cursorricht`
// marks that the view draws over the fields. The terrain object creates it.

#include <cstdint>

class CTileMarker {
  public:
    // Clears the preview marks of all 65,536 fields.
    void ClearAll();

    int32_t words[2] = {};
};

inline CTileMarker* g_pTileMarker = nullptr;
