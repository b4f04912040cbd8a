// Measures programs from outside, as the user meets them: from process creation until the
// program's first window is visible, then until the program is idle (its window painted),
// reads the process's memory counters while the window is up, closes the window and waits
// for the exit. The programs of one group run in turns (A B A B ...).
//   bench_driver.exe PLAN        PLAN: a UTF-8 file of lines
//     group NAME RUNS WARMUP TIMEOUT_SECONDS
//     program LABEL COMMAND LINE (the rest of the line, exactly as CreateProcess gets it)
// Output (tab-separated, one record a line; ws and pagefile as GetProcessMemoryInfo reads
// them while the window is up):
//   run     group label round visible_ms idle_ms exit_ms ws peak_ws pagefile peak_pagefile
//           exit_code
//   summary group label n visible_med visible_min visible_max idle_med exit_med ws_med
//           peak_ws_med peak_ws_min peak_ws_max peak_pagefile_med failures
// Memory in bytes; a failed run (no window, timeout, exit code not 0) is reported and left
// out of the summary.
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct Program {
  std::string label;
  std::wstring commandLine;
};

struct Group {
  std::string name;
  int runs = 15;
  int warmup = 1;
  DWORD timeoutMs = 60000;
  std::vector<Program> programs;
};

struct Sample {
  bool ok = false;
  double visibleMs = 0, idleMs = 0, exitMs = 0;
  PROCESS_MEMORY_COUNTERS_EX memory{};
  DWORD exitCode = 0;
  std::string failure;
};

std::wstring Wide(const std::string& utf8) {
  if (utf8.empty()) return {};
  const int n = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
  std::wstring out(n, L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), out.data(), n);
  return out;
}

double Now() {
  static const double ticksPerMs = [] {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return static_cast<double>(f.QuadPart) / 1000.0;
  }();
  LARGE_INTEGER t;
  QueryPerformanceCounter(&t);
  return static_cast<double>(t.QuadPart) / ticksPerMs;
}

bool IsShown(HWND window) { return IsWindowVisible(window) && !IsIconic(window); }

// A visible top-level window of the process, or nullptr.
struct Search {
  DWORD processId;
  HWND found;
};

BOOL CALLBACK MatchThreadWindow(HWND window, LPARAM context) {
  auto* search = reinterpret_cast<Search*>(context);
  if (GetParent(window) == nullptr && IsShown(window)) {
    search->found = window;
    return FALSE;
  }
  return TRUE;
}

BOOL CALLBACK MatchProcessWindow(HWND window, LPARAM context) {
  auto* search = reinterpret_cast<Search*>(context);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner == search->processId && IsShown(window)) {
    search->found = window;
    return FALSE;
  }
  return TRUE;
}

// The window search polls every millisecond, and asks only about the main thread's windows
// (one server round trip) so as not to slow the measured program; every 32nd poll it looks
// at all top-level windows of the process, for a program that shows its window elsewhere.
HWND FindVisibleWindow(const PROCESS_INFORMATION& process, unsigned poll) {
  Search search{process.dwProcessId, nullptr};
  EnumThreadWindows(process.dwThreadId, MatchThreadWindow, reinterpret_cast<LPARAM>(&search));
  if (search.found == nullptr && poll % 32 == 31)
    EnumWindows(MatchProcessWindow, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

Sample Measure(const Program& program, DWORD timeoutMs) {
  Sample sample;
  std::wstring commandLine = program.commandLine;  // CreateProcessW may write into it
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION process{};
  const double start = Now();
  if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &process)) {
    sample.failure = "CreateProcess failed: " + std::to_string(GetLastError());
    return sample;
  }

  HWND window = nullptr;
  for (unsigned poll = 0; window == nullptr; ++poll) {
    window = FindVisibleWindow(process, poll);
    if (window != nullptr) break;
    if (WaitForSingleObject(process.hProcess, 1) == WAIT_OBJECT_0) {
      sample.failure = "ended without a window";
      break;
    }
    if (Now() - start > timeoutMs) {
      sample.failure = "no window before the timeout";
      break;
    }
  }
  if (window != nullptr) {
    sample.visibleMs = Now() - start;
    // Idle: the program waits for input with nothing left to paint.
    const DWORD idle = WaitForInputIdle(process.hProcess, timeoutMs);
    sample.idleMs = Now() - start;
    if (idle != 0) sample.failure = "not idle before the timeout";
    sample.memory.cb = sizeof(sample.memory);
    GetProcessMemoryInfo(process.hProcess, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&sample.memory),
                         sizeof(sample.memory));
    const double closing = Now();
    PostMessageW(window, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(process.hProcess, timeoutMs) == WAIT_OBJECT_0) {
      sample.exitMs = Now() - closing;
      GetExitCodeProcess(process.hProcess, &sample.exitCode);
      if (sample.exitCode != 0 && sample.failure.empty())
        sample.failure = "exit code " + std::to_string(sample.exitCode);
    } else if (sample.failure.empty()) {
      sample.failure = "did not end after its window was closed";
    }
  }
  if (WaitForSingleObject(process.hProcess, 0) != WAIT_OBJECT_0) {
    TerminateProcess(process.hProcess, 99);
    WaitForSingleObject(process.hProcess, 5000);
  }
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  sample.ok = sample.failure.empty();
  return sample;
}

bool ReadPlan(const wchar_t* path, std::vector<Group>& groups) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    std::istringstream fields(line);
    std::string kind;
    fields >> kind;
    if (kind == "group") {
      Group group;
      double timeoutSeconds = 60;
      fields >> group.name >> group.runs >> group.warmup >> timeoutSeconds;
      group.timeoutMs = static_cast<DWORD>(timeoutSeconds * 1000);
      groups.push_back(group);
    } else if (kind == "program" && !groups.empty()) {
      Program program;
      fields >> program.label >> std::ws;
      std::string rest(std::istreambuf_iterator<char>(fields), {});
      program.commandLine = Wide(rest);
      groups.back().programs.push_back(program);
    }
  }
  return true;
}

// One column of the successful samples.
template <typename F>
std::vector<double> Column(const std::vector<Sample>& samples, F field) {
  std::vector<double> out;
  for (const Sample& s : samples)
    if (s.ok) out.push_back(static_cast<double>(field(s)));
  return out;
}

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  const size_t n = v.size();
  return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}
double Min(const std::vector<double>& v) { return *std::min_element(v.begin(), v.end()); }
double Max(const std::vector<double>& v) { return *std::max_element(v.begin(), v.end()); }

void Summarise(const Group& group, const Program& program, const std::vector<Sample>& samples) {
  const auto visible = Column(samples, [](const Sample& s) { return s.visibleMs; });
  const size_t failures = samples.size() - visible.size();
  std::printf("summary\t%s\t%s\t%zu", group.name.c_str(), program.label.c_str(), visible.size());
  if (!visible.empty()) {
    const auto idle = Column(samples, [](const Sample& s) { return s.idleMs; });
    const auto exit = Column(samples, [](const Sample& s) { return s.exitMs; });
    const auto ws = Column(samples, [](const Sample& s) { return s.memory.WorkingSetSize; });
    const auto peak = Column(samples, [](const Sample& s) { return s.memory.PeakWorkingSetSize; });
    const auto pagefile = Column(samples, [](const Sample& s) { return s.memory.PeakPagefileUsage; });
    std::printf("\t%.1f\t%.1f\t%.1f\t%.1f\t%.1f\t%.0f\t%.0f\t%.0f\t%.0f\t%.0f",
                Median(visible), Min(visible), Max(visible), Median(idle), Median(exit), Median(ws), Median(peak), Min(peak), Max(peak), Median(pagefile));
  } else {
    std::printf("%s", std::string(10, '\t').c_str());
  }
  std::printf("\t%zu\n", failures);
}

void RunGroup(const Group& group) {
  std::vector<std::vector<Sample>> samples(group.programs.size());
  for (int round = -group.warmup; round < group.runs; ++round) {
    for (size_t p = 0; p < group.programs.size(); ++p) {
      const Sample s = Measure(group.programs[p], group.timeoutMs);
      const auto& m = s.memory;
      std::printf("run\t%s\t%s\t%d\t%.1f\t%.1f\t%.1f\t%zu\t%zu\t%zu\t%zu\t%lu%s%s\n",
                  group.name.c_str(), group.programs[p].label.c_str(), round, s.visibleMs, s.idleMs,
                  s.exitMs,
                  m.WorkingSetSize, m.PeakWorkingSetSize, m.PagefileUsage, m.PeakPagefileUsage,
                  s.exitCode, s.ok ? "" : "\tFAILED: ", s.failure.c_str());
      std::fflush(stdout);
      if (round >= 0) samples[p].push_back(s);
      Sleep(50);  // let the previous process's windows and server state go
    }
  }
  for (size_t p = 0; p < group.programs.size(); ++p) Summarise(group, group.programs[p], samples[p]);
  std::fflush(stdout);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  std::vector<Group> groups;
  if (argc != 2 || !ReadPlan(argv[1], groups)) {
    std::fprintf(stderr, "usage: bench_driver PLAN\n");
    return 2;
  }
  for (const Group& group : groups) RunGroup(group);
  return 0;
}
