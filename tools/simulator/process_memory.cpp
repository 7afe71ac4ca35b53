#include "tools/simulator/process_memory.h"

#ifdef _WIN32
#include <windows.h>
// After windows.h, which it needs.
#include <psapi.h>
#else
#include <fstream>
#include <string>
#endif

ProcessMemory MemoryNow() {
  ProcessMemory memory;
#ifdef _WIN32
  // The working set and the peak of it.
  PROCESS_MEMORY_COUNTERS counters{};
  counters.cb = sizeof counters;
  if (K32GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters) != 0) {
    memory.nResidentKB = static_cast<long>(counters.WorkingSetSize / 1024);
    memory.nPeakKB = static_cast<long>(counters.PeakWorkingSetSize / 1024);
  }
#else
  std::ifstream status("/proc/self/status");
  for (std::string line; std::getline(status, line);) {
    if (line.rfind("VmRSS:", 0) == 0) memory.nResidentKB = std::stol(line.substr(6));
    if (line.rfind("VmHWM:", 0) == 0) memory.nPeakKB = std::stol(line.substr(6));
  }
#endif
  return memory;
}
