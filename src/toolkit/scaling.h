// Layout arithmetic for screen resolutions other than the one a form was designed at.
//   const Scale s = ScaleForTextHeight(measured, 12);  Bounds b = s.Apply({8, 40, 177, 20});
// Platform-free: the form builder measures, this decides the numbers.
#pragma once

namespace toolkit {

// a * b / c rounded to the nearest integer, halves away from zero (as the system's MulDiv).
// c must not be 0.
int MulDiv(int a, int b, int c);

// A rectangle as a form description stores it: position and size in pixels.
struct Bounds {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  friend bool operator==(const Bounds&, const Bounds&) = default;
};

struct Size {
  int width = 0;
  int height = 0;
  friend bool operator==(const Size&, const Size&) = default;
};

// The design font height (negative: character height) at the screen's pixels per inch.
int FontHeightForDpi(int designFontHeight, int pixelsPerInch, int designPixelsPerInch = 96);

// The factor M/D by which a form's layout grows.
class Scale {
 public:
  Scale() = default;
  Scale(int multiplier, int divisor) : m_(multiplier), d_(divisor) {}
  bool IsIdentity() const { return m_ == d_; }
  // Left and top scale; width and height follow the scaled right and bottom edges, so
  // controls that touch at design size still touch.
  Bounds Apply(const Bounds& b) const;
  Size Apply(const Size& s) const;

 private:
  int m_ = 1;
  int d_ = 1;
};

// No scaling when the measured text height equals the design one, else measured/design.
Scale ScaleForTextHeight(int measuredTextHeight, int designTextHeight);

}  // namespace toolkit
