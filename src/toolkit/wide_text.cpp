#include "toolkit/wide_text.h"

#include <windows.h>

#include <array>

namespace toolkit {
namespace {

// Which bytes start a double-byte character in the system code page.
std::array<bool, 256> LeadBytes() {
  std::array<bool, 256> lead{};
  CPINFO info{};
  if (GetCPInfo(CP_ACP, &info))
    for (int i = 0; i + 1 < MAX_LEADBYTES && info.LeadByte[i] != 0; i += 2)
      for (int b = info.LeadByte[i]; b <= info.LeadByte[i + 1]; ++b) lead[b] = true;
  return lead;
}

void AppendDecoded(std::wstring& text, std::string_view bytes) {
  if (bytes.empty()) return;
  const int size = static_cast<int>(bytes.size());
  const int length = MultiByteToWideChar(CP_ACP, 0, bytes.data(), size, nullptr, 0);
  const size_t start = text.size();
  text.resize(start + length);
  MultiByteToWideChar(CP_ACP, 0, bytes.data(), size, text.data() + start, length);
}

bool IsLineBreak(char c) { return c == '\r' || c == '\n'; }

}  // namespace

std::wstring WideFromSystemCodePage(std::string_view bytes) {
  static const std::array<bool, 256> lead = LeadBytes();
  // A lead byte right before CR or LF is a broken character at a line end. The system's
  // decoder may take the break for its second byte and join two lines, so such a byte is
  // decoded on its own. CR and LF are never second bytes, so no whole character is split.
  std::wstring text;
  size_t pieceStart = 0;
  for (size_t i = 0; i + 1 < bytes.size(); ++i) {
    if (!lead[static_cast<unsigned char>(bytes[i])]) continue;
    if (IsLineBreak(bytes[i + 1])) {
      AppendDecoded(text, bytes.substr(pieceStart, i + 1 - pieceStart));
      pieceStart = i + 1;
    } else {
      ++i;  // the second byte of this character
    }
  }
  AppendDecoded(text, bytes.substr(pieceStart));
  return text;
}

}  // namespace toolkit
