#pragma once
// Writes an 8-bit surface as an indexed-colour PNG file.

#include <string>

#include "platform/palette.h"
#include "platform/surface.h"

namespace plat {

// False when the file cannot be created or written, or the surface is empty.
bool WritePng(const std::string& hostPath, const Surface& surface, const RgbTable& colours);

}  // namespace plat
