// Initialises the component-object services for this thread (single-threaded apartment)
// and uninitialises them once at the end, only when the initialisation worked.
#pragma once
#include <objbase.h>

namespace toolkit {

class ComInitialization {
 public:
  ComInitialization() : result_(CoInitialize(nullptr)) {}
  ~ComInitialization() {
    if (Succeeded()) CoUninitialize();
  }
  ComInitialization(const ComInitialization&) = delete;
  ComInitialization& operator=(const ComInitialization&) = delete;
  // S_OK and S_FALSE (already initialised on this thread) both count as success.
  bool Succeeded() const { return SUCCEEDED(result_); }

 private:
  HRESULT result_;
};

}  // namespace toolkit
