#pragma once

#include <functional>

namespace zobl {

// One blit of part of the picture: `width` x `height` pixels to (x, y) of the client
// area, from the picture's column `sourceX` and, counted from its bottom row as the
// stored rows are, row `sourceRowFromBottom`.
struct TilePiece {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
  int sourceX = 0;
  int sourceRowFromBottom = 0;
  friend bool operator==(const TilePiece&, const TilePiece&) = default;
};

// The pieces that cover a client area of `clientWidth` x `clientHeight` whose top-left
// corner lies at (`originX`, `originY`) on the screen with a picture of `pictureWidth` x
// `pictureHeight`, anchored to the screen: screen pixel (X, Y) shows picture pixel
// (X mod width, Y mod height). An origin left of or above the screen starts the pattern
// at the client's edge instead. Rows first, top to bottom; in each, left to right.
void ForEachTilePiece(int clientWidth,
                      int clientHeight,
                      int pictureWidth,
                      int pictureHeight,
                      int originX,
                      int originY,
                      const std::function<void(const TilePiece&)>& blit);

}  // namespace zobl
