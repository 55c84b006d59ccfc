#pragma once
// Emptying a picture holder that keeps an 8-bit bitmap selected into a memory
// device context (PaletteImage, WinGBitmap): the context gets its first
// bitmap back, every handle is dropped and the size becomes 0 x 0.

template <class Holder>
void ReleaseSelectedBitmap(Holder& holder) {
    if (holder.pixels != nullptr && holder.dc && holder.old_bitmap) {
        holder.dc->SelectBitmap(holder.old_bitmap);
    }
    holder.dc.reset();
    holder.bitmap = nullptr;
    holder.old_bitmap = nullptr;
    holder.pixels = nullptr;
    holder.width = 0;
    holder.height = 0;
}
