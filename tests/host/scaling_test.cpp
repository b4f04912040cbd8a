#include "toolkit/scaling.h"

#include <gtest/gtest.h>

namespace {

using toolkit::Bounds;
using toolkit::Scale;

TEST(MulDiv, RoundsHalvesAwayFromZero) {
  const struct {
    int a, b, c, expected;
  } cases[] = {
      {-12, 144, 96, -18}, {-12, 120, 96, -15}, {-12, 96, 96, -12}, {217, 18, 12, 326},
      {185, 3, 2, 278},    {-5, 1, 2, -3},      {5, 1, 2, 3},       {4, 1, 3, 1},
      {5, 1, 3, 2},        {7, 1, -2, -4},      {0, 7, 3, 0},       {-7, 1, 2, -4},
  };
  for (const auto& c : cases)
    EXPECT_EQ(toolkit::MulDiv(c.a, c.b, c.c), c.expected) << c.a << "*" << c.b << "/" << c.c;
}

TEST(FontHeightForDpi, ScalesTheDesignHeightByDpiOver96) {
  EXPECT_EQ(toolkit::FontHeightForDpi(-12, 96), -12);
  EXPECT_EQ(toolkit::FontHeightForDpi(-12, 120), -15);
  EXPECT_EQ(toolkit::FontHeightForDpi(-12, 144), -18);
  EXPECT_EQ(toolkit::FontHeightForDpi(-12, 192), -24);
  EXPECT_EQ(toolkit::FontHeightForDpi(-12, 72), -9);
}

TEST(ScaleForTextHeight, ScalesOnlyWhenTheMeasuredHeightDiffers) {
  EXPECT_TRUE(toolkit::ScaleForTextHeight(12, 12).IsIdentity());
  EXPECT_TRUE(toolkit::ScaleForTextHeight(0, 12).IsIdentity());
  EXPECT_FALSE(toolkit::ScaleForTextHeight(18, 12).IsIdentity());
  EXPECT_FALSE(toolkit::ScaleForTextHeight(13, 12).IsIdentity());
}

// The setup window's design rectangles at text height 18 (144 dpi) and 15 (120 dpi).
TEST(Scale, MovesEdgesSoNeighboursStayAligned) {
  const struct {
    int textHeight;
    Bounds design, expected;
  } cases[] = {
      {12, {8, 40, 177, 20}, {8, 40, 177, 20}},
      {18, {8, 40, 177, 20}, {12, 60, 266, 30}},
      {18, {192, 40, 20, 20}, {288, 60, 30, 30}},
      {18, {8, 80, 201, 25}, {12, 120, 302, 38}},
      {18, {120, 144, 89, 25}, {180, 216, 134, 38}},
      {15, {8, 40, 177, 20}, {10, 50, 221, 25}},
      {15, {192, 40, 20, 20}, {240, 50, 25, 25}},
      {15, {8, 80, 201, 25}, {10, 100, 251, 31}},
  };
  for (const auto& c : cases) {
    const Scale scale = toolkit::ScaleForTextHeight(c.textHeight, 12);
    EXPECT_EQ(scale.Apply(c.design), c.expected) << "text height " << c.textHeight << ", left " << c.design.left;
  }
  // Controls whose right edges line up at design size still line up when scaled.
  for (const int textHeight : {13, 15, 18, 24}) {
    const Scale s = toolkit::ScaleForTextHeight(textHeight, 12);
    const Bounds wide = s.Apply({8, 80, 201, 25}), narrow = s.Apply({120, 144, 89, 25});
    EXPECT_EQ(wide.left + wide.width, narrow.left + narrow.width) << "text height " << textHeight;
  }
}

TEST(Scale, ScalesTheClientSize) {
  EXPECT_EQ(Scale(18, 12).Apply(toolkit::Size{217, 176}), (toolkit::Size{326, 264}));
  EXPECT_EQ(Scale(15, 12).Apply(toolkit::Size{217, 176}), (toolkit::Size{271, 220}));
  EXPECT_EQ(Scale().Apply(toolkit::Size{217, 176}), (toolkit::Size{217, 176}));
}

}  // namespace
