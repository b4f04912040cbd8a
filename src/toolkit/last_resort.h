// The report for an error that escaped the main routine.
//   catch (...) { return ShowLastResortError(); }
#pragma once

namespace toolkit {

// Call inside a catch block: shows "アプリケーション エラー" (no owner, MB_OK, stop icon,
// task-modal) naming the error's class, module, module-relative address and message,
// and returns the exit code 1. Never throws.
int ShowLastResortError() noexcept;

}  // namespace toolkit
