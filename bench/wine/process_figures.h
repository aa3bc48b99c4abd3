// What the whole-process benchmarks measure of a running program: CPU time
// (from the kernel's accounting under Wine, whose GetProcessTimes reports
// nothing for other processes), working set and private bytes.
#pragma once

#include <windows.h>
#include <psapi.h>

#include <cstdio>
#include <cstring>
#include <string>

namespace process_figures {

inline double Seconds(const FILETIME& t) {
  ULARGE_INTEGER v;
  v.LowPart = t.dwLowDateTime;
  v.HighPart = t.dwHighDateTime;
  return static_cast<double>(v.QuadPart) / 1e7;
}

inline double CpuSeconds(HANDLE process) {
  FILETIME created, exited, kernel, user;
  if (!GetProcessTimes(process, &created, &exited, &kernel, &user)) return -1;
  return Seconds(kernel) + Seconds(user);
}

// utime + stime of the Unix process whose command line names `exe`; -1 when
// there is no such process (not under Wine).
inline double KernelCpuSeconds(const char* exe, const char* argument) {
  WIN32_FIND_DATAA found;
  HANDLE find = FindFirstFileA("Z:\\proc\\*", &found);
  if (find == INVALID_HANDLE_VALUE) return -1;
  double result = -1;
  do {
    if (found.cFileName[0] < '0' || found.cFileName[0] > '9') continue;
    const std::string dir = std::string("Z:\\proc\\") + found.cFileName;
    std::string cmdline;
    if (std::FILE* f = std::fopen((dir + "\\cmdline").c_str(), "rb")) {
      char buffer[1024];
      const size_t n = std::fread(buffer, 1, sizeof buffer, f);
      std::fclose(f);
      cmdline.assign(buffer, n);
    }
    if (cmdline.find(exe) == std::string::npos) continue;
    if (argument && cmdline.find(argument) == std::string::npos) continue;
    if (std::FILE* f = std::fopen((dir + "\\stat").c_str(), "rb")) {
      char buffer[1024] = {};
      std::fread(buffer, 1, sizeof buffer - 1, f);
      std::fclose(f);
      const char* p = std::strrchr(buffer, ')');  // the name may hold blanks
      unsigned long long utime = 0, stime = 0;
      if (p && std::sscanf(p + 2, "%*c %*d %*d %*d %*d %*d %*u %*u %*u %*u %*u %llu %llu", &utime, &stime) == 2)
        result = static_cast<double>(utime + stime) / 100.0;  // USER_HZ
    }
    break;
  } while (FindNextFileA(find, &found));
  FindClose(find);
  return result;
}

inline double Cpu(HANDLE process, const char* exe, const char* argument) {
  const double kernel = KernelCpuSeconds(exe, argument);
  return kernel >= 0 ? kernel : CpuSeconds(process);
}

struct Figures {
  double wall = 0, cpu = 0;
  PROCESS_MEMORY_COUNTERS memory{};
};

inline Figures Measure(HANDLE process, const char* exe, const char* argument, int seconds) {
  Figures f;
  const double cpu0 = Cpu(process, exe, argument);
  const DWORD t0 = GetTickCount();
  Sleep(static_cast<DWORD>(seconds) * 1000);
  f.cpu = Cpu(process, exe, argument) - cpu0;
  f.wall = (GetTickCount() - t0) / 1000.0;
  f.memory.cb = sizeof f.memory;
  GetProcessMemoryInfo(process, &f.memory, sizeof f.memory);
  return f;
}

inline void Print(const char* what, const Figures& f) {
  std::printf("%s at rest for %.1f s: CPU %.3f s (%.4f %% of one core), working set %.2f MB (peak %.2f MB), "
              "private %.2f MB\n",
              what, f.wall, f.cpu, 100.0 * f.cpu / f.wall, f.memory.WorkingSetSize / 1048576.0,
              f.memory.PeakWorkingSetSize / 1048576.0, f.memory.PagefileUsage / 1048576.0);
}

}  // namespace process_figures
