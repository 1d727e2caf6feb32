// What two idle processes cost over a stretch of time: CPU time and working
// set, from Win32 (GetProcessTimes, K32GetProcessMemoryInfo) and from Linux
// (/proc/PID/stat and status of the Wine process, read through drive Z:).
#ifndef VARLO_TESTS_BENCH_WINE_BENCH_IDLE_H
#define VARLO_TESTS_BENCH_WINE_BENCH_IDLE_H

#include <windows.h>

#include <string>

#include "bench_phases.h"

namespace bench {

struct ProcessCost {
    double cpuMs = 0;             // user and kernel time
    double workingSetMb = 0, peakMb = 0;
};

// One process as Win32 and Linux see it.
struct Watched {
    HANDLE process = nullptr;
    int unixPid = 0;              // 0 when no Linux process was found for it
    ProcessCost win32Start, linuxStart;
};

class IdleMeter {
public:
    // Starts the stretch for both processes; the Linux processes are those
    // whose command line holds the given fragment (the scratch folder, the program name).
    IdleMeter(const PROCESS_INFORMATION& varlo, const PROCESS_INFORMATION& minimal, const std::wstring& varloMark,
              const std::wstring& minimalMark);
    double seconds() const;
    IdleFigures figures();

private:
    Watched varlo_, minimal_;
    double startMs_;
};

// Exposed for the figures' source note.
ProcessCost win32Cost(HANDLE process);
bool linuxCost(int unixPid, ProcessCost& cost);
int findUnixPid(const std::wstring& mark);

}  // namespace bench

#endif
