// The lines of a text file, read once and kept as one text with CR LF after every line.
//   TStringList lines; lines.LoadFromFile(path); MessageBoxW(owner, lines.Text().c_str(), ...);
#pragma once
#include <string>

namespace toolkit {

class TStringList {
 public:
  // Reads the whole file, allowing others only to read it meanwhile; decodes it (see
  // DecodeText) and splits it into lines. Throws EFOpenError when the file cannot be opened.
  void LoadFromFile(const std::wstring& path);
  // Every line followed by CR LF; empty for an empty list.
  const std::wstring& Text() const { return text_; }

 private:
  std::wstring text_;
};

}  // namespace toolkit
