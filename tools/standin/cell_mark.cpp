#include "cell_mark.h"

#include "canvas.h"

namespace standin {

void PutMark(Canvas& canvas, int x, int y, int index) {
    if (index < 0 || index > kMarkMaxIndex) return;
    const auto [left, right] = EncodeMark(index);
    canvas.Set(x, y, left);
    canvas.Set(x + 1, y, right);
}

}  // namespace standin
