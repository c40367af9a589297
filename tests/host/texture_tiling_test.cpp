#include "texture/texture_tiling.h"

#include <gtest/gtest.h>

#include <climits>
#include <vector>

namespace zobl::testing {
namespace {

TEST(TextureTilingTest, CoversTheClientWithPiecesAnchoredToTheScreen) {
  const struct {
    const char* what;
    int clientWidth, clientHeight, pictureWidth, pictureHeight, originX, originY;
    std::vector<TilePiece> pieces;
  } cases[] = {
      // clang-format off
      {"500 x 300 at (100, 50)", 500, 300, 192, 192, 100, 50,
       {{0, 0, 92, 142, 100, 0}, {92, 0, 192, 142, 0, 0}, {284, 0, 192, 142, 0, 0}, {476, 0, 24, 142, 0, 0},
        {0, 142, 92, 158, 100, 34}, {92, 142, 192, 158, 0, 34}, {284, 142, 192, 158, 0, 34},
        {476, 142, 24, 158, 0, 34}}},
      {"left of and above the screen", 300, 200, 192, 192, -5, INT_MIN,
       {{0, 0, 192, 192, 0, 0}, {192, 0, 108, 192, 0, 0}, {0, 192, 192, 8, 0, 184}, {192, 192, 108, 8, 0, 184}}},
      {"origin a multiple of the picture", 192, 192, 192, 192, 384, 192, {{0, 0, 192, 192, 0, 0}}},
      {"smaller than the picture", 50, 40, 192, 192, 10, 20, {{0, 0, 50, 40, 10, 132}}},
      {"no width", 0, 300, 192, 192, 0, 0, {}},
      {"no height", 300, -1, 192, 192, 0, 0, {}},
      {"empty picture", 300, 300, 0, 192, 0, 0, {}},
      // clang-format on
  };
  for (const auto& c : cases) {
    std::vector<TilePiece> pieces;
    ForEachTilePiece(c.clientWidth, c.clientHeight, c.pictureWidth, c.pictureHeight, c.originX, c.originY,
                     [&](const TilePiece& piece) { pieces.push_back(piece); });
    EXPECT_EQ(pieces, c.pieces) << c.what;
  }
}

}  // namespace
}  // namespace zobl::testing
