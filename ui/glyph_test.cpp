// The buttons' pictures: their size, and what a pixel outside a picture or
// in a transparent place reads.
#include "ui/glyph.h"

#include <gtest/gtest.h>

namespace qxqy {
namespace {

TEST(GlyphTest, AnEmptyPictureHasNoSizeAndNoPixel) {
  const Glyph empty;
  EXPECT_TRUE(empty.Empty());
  EXPECT_EQ(empty.Width(), 0);
  EXPECT_EQ(empty.Height(), 0);
  EXPECT_EQ(empty.PixelAt(0, 0), std::nullopt);
}

TEST(GlyphTest, APictureIsAsWideAsItsWidestRowAndTransparentOutsideItsPalette) {
  const Glyph glyph{{"ab", "a.c"}, {{'a', Rgb(1, 2, 3)}, {'c', Rgb(4, 5, 6)}}};
  EXPECT_EQ(glyph.Width(), 3);
  EXPECT_EQ(glyph.Height(), 2);
  EXPECT_EQ(glyph.PixelAt(0, 1), Rgb(1, 2, 3));
  EXPECT_EQ(glyph.PixelAt(2, 1), Rgb(4, 5, 6));
  EXPECT_EQ(glyph.PixelAt(1, 0), std::nullopt);  // 'b' is not in the palette
  EXPECT_EQ(glyph.PixelAt(1, 1), std::nullopt);  // '.' by convention
  for (const auto& [x, y] :
       {std::pair{2, 0}, std::pair{-1, 0}, std::pair{0, 2}, std::pair{0, -1}}) {
    EXPECT_EQ(glyph.PixelAt(x, y), std::nullopt) << x << "," << y;
  }
}

}  // namespace
}  // namespace qxqy
