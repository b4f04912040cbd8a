// The program's exceptions: each carries a message and the code address it was raised at,
// which the last-resort report shows relative to its module.
//   throw EFOpenError(L"ファイル " + path + L" は開けません");
#pragma once
#include <string>

namespace toolkit {

// The address of the instruction after the call to this function, in the caller.
const void* CurrentCodeAddress();

class Exception {
 public:
  explicit Exception(std::wstring message, const void* address = CurrentCodeAddress())
      : message_(std::move(message)), address_(address) {}
  virtual ~Exception() = default;
  virtual const wchar_t* ClassName() const { return L"Exception"; }
  const std::wstring& Message() const { return message_; }
  const void* Address() const { return address_; }

 private:
  std::wstring message_;
  const void* address_;
};

// A silent abort: handlers drop it without a word.
class EAbort : public Exception {
 public:
  using Exception::Exception;
  const wchar_t* ClassName() const override { return L"EAbort"; }
};

// A file could not be opened.
class EFOpenError : public Exception {
 public:
  explicit EFOpenError(std::wstring message, const void* address = CurrentCodeAddress())
      : Exception(std::move(message), address) {}
  const wchar_t* ClassName() const override { return L"EFOpenError"; }
};

// A file opened but could not be read whole.
class EReadError : public Exception {
 public:
  explicit EReadError(std::wstring message, const void* address = CurrentCodeAddress())
      : Exception(std::move(message), address) {}
  const wchar_t* ClassName() const override { return L"EReadError"; }
};

}  // namespace toolkit
