#include "texture/texture_tiling.h"

namespace zobl {

void ForEachTilePiece(int clientWidth,
                      int clientHeight,
                      int pictureWidth,
                      int pictureHeight,
                      int originX,
                      int originY,
                      const std::function<void(const TilePiece&)>& blit) {
  if (clientWidth <= 0 || clientHeight <= 0 || pictureWidth <= 0 || pictureHeight <= 0) return;
  // The remainder keeps the origin's sign; an origin off the screen's top or left starts
  // the picture at the client's edge.
  int phaseX = originX % pictureWidth;
  int phaseY = originY % pictureHeight;
  if (phaseX < 0) phaseX = 0;
  if (phaseY < 0) phaseY = 0;

  // Sizes are compared against what is left rather than summed, so that a client near
  // INT_MAX cannot overflow.
  for (int y = 0, fromTop = phaseY; y < clientHeight; fromTop = 0) {
    int height = pictureHeight - fromTop;
    if (height <= 0) return;
    if (height > clientHeight - y) height = clientHeight - y;
    for (int x = 0, sourceX = phaseX; x < clientWidth; sourceX = 0) {
      int width = pictureWidth - sourceX;
      if (width > clientWidth - x) width = clientWidth - x;
      blit({x, y, width, height, sourceX, pictureHeight - fromTop - height});
      x += width;
    }
    y += height;
  }
}

}  // namespace zobl
