#include "toolkit/scaling.h"

#include <cstdint>

namespace toolkit {

int MulDiv(int a, int b, int c) {
  std::int64_t product = static_cast<std::int64_t>(a) * b;
  std::int64_t divisor = c;
  if (divisor < 0) {
    product = -product;
    divisor = -divisor;
  }
  const std::int64_t half = divisor / 2;
  const std::int64_t rounded = product >= 0 ? (product + half) / divisor : (product - half) / divisor;
  return static_cast<int>(rounded);
}

int FontHeightForDpi(int designFontHeight, int pixelsPerInch, int designPixelsPerInch) {
  return MulDiv(designFontHeight, pixelsPerInch, designPixelsPerInch);
}

Bounds Scale::Apply(const Bounds& b) const {
  if (IsIdentity()) return b;
  const int left = MulDiv(b.left, m_, d_);
  const int top = MulDiv(b.top, m_, d_);
  return {left, top, MulDiv(b.left + b.width, m_, d_) - left, MulDiv(b.top + b.height, m_, d_) - top};
}

Size Scale::Apply(const Size& s) const {
  if (IsIdentity()) return s;
  return {MulDiv(s.width, m_, d_), MulDiv(s.height, m_, d_)};
}

Scale ScaleForTextHeight(int measuredTextHeight, int designTextHeight) {
  if (measuredTextHeight == designTextHeight || measuredTextHeight <= 0 || designTextHeight <= 0)
    return {};
  return {measuredTextHeight, designTextHeight};
}

}  // namespace toolkit
