#include "toolkit/exceptions.h"

namespace toolkit {

#if defined(_MSC_VER)
#include <intrin.h>
__declspec(noinline) const void* CurrentCodeAddress() { return _ReturnAddress(); }
#else
__attribute__((noinline)) const void* CurrentCodeAddress() { return __builtin_return_address(0); }
#endif

}  // namespace toolkit
