// The layout arithmetic over arbitrary numbers: MulDiv rounds to nearest with halves away
// from zero wherever the result fits an int; a scaled layout keeps each edge within half a
// pixel of the exact value, keeps touching controls touching, and shrinks back exactly.
#include "fuzz_support.h"
#include "toolkit/scaling.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <climits>
#include <cstdlib>

namespace {

using toolkit::Bounds;
using toolkit::Scale;

// a * b / c by quotient and remainder, rounded to nearest, halves away from zero.
std::int64_t RoundedQuotient(std::int64_t a, std::int64_t b, std::int64_t c) {
  const std::int64_t product = a * b;
  std::int64_t quotient = product / c;
  const std::int64_t remainder = product % c;
  if (2 * std::llabs(remainder) >= std::llabs(c)) quotient += (product < 0) == (c < 0) ? 1 : -1;
  return quotient;
}

// True when scaled is value * m / d to within half a unit (m, d > 0).
bool WithinHalf(std::int64_t scaled, std::int64_t value, int m, int d) {
  return std::llabs(2 * (scaled * d - value * m)) <= d;
}

void CheckMulDiv(FuzzedDataProvider& in) {
  const int a = in.ConsumeIntegral<int>(), b = in.ConsumeIntegral<int>(), c = in.ConsumeIntegral<int>();
  if (c == 0) return;
  const std::int64_t expected = RoundedQuotient(a, b, c);
  if (expected >= INT_MIN && expected <= INT_MAX) FUZZ_CHECK(toolkit::MulDiv(a, b, c) == expected);
}

void CheckScale(FuzzedDataProvider& in) {
  // Screen coordinates and text heights of any real screen, with room to spare.
  constexpr int kFar = 1 << 16;
  const int m = in.ConsumeIntegralInRange(1, 10000), d = in.ConsumeIntegralInRange(1, 10000);
  const Bounds b{in.ConsumeIntegralInRange(-kFar, kFar), in.ConsumeIntegralInRange(-kFar, kFar),
                 in.ConsumeIntegralInRange(0, kFar), in.ConsumeIntegralInRange(0, kFar)};
  const Scale scale(m, d);
  const Bounds s = scale.Apply(b);

  FUZZ_CHECK(WithinHalf(s.left, b.left, m, d));
  FUZZ_CHECK(WithinHalf(s.top, b.top, m, d));
  FUZZ_CHECK(WithinHalf(std::int64_t{s.left} + s.width, std::int64_t{b.left} + b.width, m, d));
  FUZZ_CHECK(WithinHalf(std::int64_t{s.top} + s.height, std::int64_t{b.top} + b.height, m, d));
  FUZZ_CHECK(s.width >= 0 && s.height >= 0);
  if (m == d) FUZZ_CHECK(s == b);

  // A neighbour that touches the right or bottom edge at design size still touches it.
  const Bounds right = scale.Apply({b.left + b.width, b.top, b.height, b.width});
  FUZZ_CHECK(right.left == s.left + s.width);
  const Bounds below = scale.Apply({b.left, b.top + b.height, b.width, b.width});
  FUZZ_CHECK(below.top == s.top + s.height);

  // Growing and shrinking back restores the design layout.
  if (m > d) FUZZ_CHECK(Scale(d, m).Apply(s) == b);

  const toolkit::Size size{b.width, b.height};
  const toolkit::Size scaledSize = scale.Apply(size);
  FUZZ_CHECK(WithinHalf(scaledSize.width, size.width, m, d));
  FUZZ_CHECK(WithinHalf(scaledSize.height, size.height, m, d));
}

void CheckTextHeight(FuzzedDataProvider& in) {
  const int measured = in.ConsumeIntegral<int>(), design = in.ConsumeIntegral<int>();
  const Scale scale = toolkit::ScaleForTextHeight(measured, design);
  if (measured == design || measured <= 0 || design <= 0) {
    FUZZ_CHECK(scale.IsIdentity());
  } else {
    FUZZ_CHECK(!scale.IsIdentity());
    // The design text height becomes exactly the measured one.
    FUZZ_CHECK(scale.Apply(toolkit::Size{design, design}) == (toolkit::Size{measured, measured}));
  }
}

void CheckFontHeight(FuzzedDataProvider& in) {
  const int height = in.ConsumeIntegralInRange(-1000, 1000);
  const int dpi = in.ConsumeIntegralInRange(1, 10000), designDpi = in.ConsumeIntegralInRange(1, 10000);
  const int scaled = toolkit::FontHeightForDpi(height, dpi, designDpi);
  FUZZ_CHECK(WithinHalf(scaled, height, dpi, designDpi));
  FUZZ_CHECK(toolkit::FontHeightForDpi(height, designDpi, designDpi) == height);
  FUZZ_CHECK(toolkit::FontHeightForDpi(height, 2 * dpi, dpi) == 2 * height);
  if (height != 0 && dpi >= designDpi) FUZZ_CHECK((scaled < 0) == (height < 0));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider in(data, size);
  CheckMulDiv(in);
  CheckScale(in);
  CheckTextHeight(in);
  CheckFontHeight(in);
  return 0;
}
