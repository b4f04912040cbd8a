// Times, inside one process, what reminder mode does to a file before the message box:
// the product's DecodeText and TextOfLines against the floor's one MultiByteToWideChar.
// It explains the large-file ratios without process start or window noise.
//   text_pipeline.exe FILE [REPEATS]       (Windows, under Wine)
//   text_pipeline FILE [REPEATS]           (host build, for callgrind: no floor column)
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "toolkit/text_decoding.h"
#include "toolkit/text_lines.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace {

using Clock = std::chrono::steady_clock;

double Ms(Clock::time_point since) {
  return std::chrono::duration<double, std::milli>(Clock::now() - since).count();
}

std::wstring NoCodePage(std::string_view) { return {}; }

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: text_pipeline FILE [REPEATS]\n");
    return 2;
  }
  const int repeats = argc > 2 ? std::atoi(argv[2]) : 5;
  std::ifstream in(argv[1], std::ios::binary);
  const std::string bytes((std::istreambuf_iterator<char>(in)), {});

  std::vector<double> check, decode, lines, floor;
  size_t units = 0;
  for (int r = 0; r < repeats; ++r) {
    auto t = Clock::now();
    const bool utf8 = toolkit::IsNonAsciiUtf8(bytes);
    check.push_back(Ms(t));
    t = Clock::now();
    const std::wstring text = toolkit::DecodeText(bytes, NoCodePage);  // checks again, then decodes
    decode.push_back(Ms(t));
    t = Clock::now();
    const std::wstring shown = toolkit::TextOfLines(text);
    lines.push_back(Ms(t));
    units = shown.size();
    if (!utf8) std::fprintf(stderr, "not UTF-8: the product would use the code page\n");
#ifdef _WIN32
    std::wstring wide(bytes.size(), L'\0');  // allocated and touched outside the timing
    t = Clock::now();
    const int n = MultiByteToWideChar(CP_UTF8, 0, bytes.data(), static_cast<int>(bytes.size()),
                                      wide.data(), static_cast<int>(wide.size()));
    floor.push_back(Ms(t));
    if (n <= 0) return 1;
#endif
  }
  const auto median = [](std::vector<double> v) {
    if (v.empty()) return 0.0;
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
  };
  std::printf("bytes %zu units %zu  IsNonAsciiUtf8 %.1f ms  DecodeText %.1f ms  TextOfLines %.1f ms"
              "  MultiByteToWideChar %.1f ms  (medians of %d)\n",
              bytes.size(), units, median(check), median(decode), median(lines), median(floor), repeats);
  return 0;
}
