// Idle cost of VARLO.EXE and of the minimal window, from Win32 and from /proc.
#include "bench_idle.h"

#include <psapi.h>

#include <cstdlib>
#include <cstring>
#include <vector>

namespace bench {
namespace {

constexpr double kLinuxTicksPerSecond = 100;  // USER_HZ of /proc/PID/stat
constexpr double kMb = 1024.0 * 1024.0;

std::string readText(const std::wstring& path) {
    std::vector<uint8_t> bytes;
    driver::readFile(path, bytes);
    return std::string(bytes.begin(), bytes.end());
}

std::wstring procPath(int pid, const wchar_t* name) {
    return L"Z:\\proc\\" + std::to_wstring(pid) + L"\\" + name;
}

// The value in kB after "Name:" in /proc/PID/status.
double statusKb(const std::string& status, const char* name) {
    const size_t at = status.find(name);
    return at == std::string::npos ? 0 : std::atof(status.c_str() + at + std::strlen(name));
}

std::string lower(std::string text) {
    for (char& c : text) c = char(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    return text;
}

}  // namespace

ProcessCost win32Cost(HANDLE process) {
    ProcessCost cost;
    FILETIME created, exited, kernel, user;
    if (GetProcessTimes(process, &created, &exited, &kernel, &user)) {
        const auto ticks = [](const FILETIME& t) { return double(uint64_t(t.dwHighDateTime) << 32 | t.dwLowDateTime); };
        cost.cpuMs = (ticks(kernel) + ticks(user)) / 10000.0;
    }
    PROCESS_MEMORY_COUNTERS memory{};
    memory.cb = sizeof memory;
    if (K32GetProcessMemoryInfo(process, &memory, sizeof memory)) {
        cost.workingSetMb = double(memory.WorkingSetSize) / kMb;
        cost.peakMb = double(memory.PeakWorkingSetSize) / kMb;
    }
    return cost;
}

bool linuxCost(int unixPid, ProcessCost& cost) {
    if (unixPid <= 0) return false;
    const std::string stat = readText(procPath(unixPid, L"stat"));
    const std::string status = readText(procPath(unixPid, L"status"));
    // The fields after the command name, which is in parentheses: state is
    // field 3, utime and stime fields 14 and 15.
    const size_t close = stat.rfind(')');
    if (close == std::string::npos || status.empty()) return false;
    const char* p = stat.c_str() + close + 2;
    double fields[16] = {};
    for (int field = 3; field <= 15; ++field) {
        fields[field] = std::atof(p);
        p = std::strchr(p, ' ');
        if (p == nullptr) return false;
        ++p;
    }
    cost.cpuMs = (fields[14] + fields[15]) * 1000.0 / kLinuxTicksPerSecond;
    cost.workingSetMb = statusKb(status, "VmRSS:") / 1024.0;
    cost.peakMb = statusKb(status, "VmHWM:") / 1024.0;
    return true;
}

int findUnixPid(const std::wstring& mark) {
    const std::string wanted = lower(std::string(mark.begin(), mark.end()));
    WIN32_FIND_DATAW found;
    const HANDLE search = FindFirstFileW(L"Z:\\proc\\*", &found);
    if (search == INVALID_HANDLE_VALUE) return 0;
    int pid = 0;
    do {
        const int candidate = _wtoi(found.cFileName);
        if (candidate <= 0) continue;
        std::string commandLine = readText(procPath(candidate, L"cmdline"));
        for (char& c : commandLine)
            if (c == '\0') c = ' ';
        if (lower(commandLine).find(wanted) != std::string::npos) pid = candidate;
    } while (pid == 0 && FindNextFileW(search, &found));
    FindClose(search);
    return pid;
}

IdleMeter::IdleMeter(const PROCESS_INFORMATION& varlo, const PROCESS_INFORMATION& minimal,
                     const std::wstring& varloMark, const std::wstring& minimalMark) {
    varlo_.process = varlo.hProcess;
    minimal_.process = minimal.hProcess;
    varlo_.unixPid = findUnixPid(varloMark);
    minimal_.unixPid = findUnixPid(minimalMark);
    startMs_ = driver::nowMs();
    for (Watched* w : {&varlo_, &minimal_}) {
        w->win32Start = win32Cost(w->process);
        linuxCost(w->unixPid, w->linuxStart);
    }
}

double IdleMeter::seconds() const { return (driver::nowMs() - startMs_) / 1000.0; }

IdleFigures IdleMeter::figures() {
    IdleFigures out;
    out.seconds = seconds();
    const double wallMs = out.seconds * 1000.0;
    const ProcessCost varloWin = win32Cost(varlo_.process), minimalWin = win32Cost(minimal_.process);
    ProcessCost varloLinux, minimalLinux;
    const bool linux = linuxCost(varlo_.unixPid, varloLinux) && linuxCost(minimal_.unixPid, minimalLinux);

    printNote(format("idle, Win32: VARLO.EXE %.0f ms CPU, working set %.1f MB (peak %.1f); minimal %.0f ms, %.1f MB (peak %.1f)",
                     varloWin.cpuMs - varlo_.win32Start.cpuMs, varloWin.workingSetMb, varloWin.peakMb,
                     minimalWin.cpuMs - minimal_.win32Start.cpuMs, minimalWin.workingSetMb, minimalWin.peakMb));
    if (linux)
        printNote(format("idle, /proc: VARLO.EXE %.0f ms CPU, VmRSS %.1f MB (VmHWM %.1f); minimal %.0f ms, %.1f MB (%.1f)",
                         varloLinux.cpuMs - varlo_.linuxStart.cpuMs, varloLinux.workingSetMb, varloLinux.peakMb,
                         minimalLinux.cpuMs - minimal_.linuxStart.cpuMs, minimalLinux.workingSetMb,
                         minimalLinux.peakMb));
    else
        printNote("idle: the Wine processes were not found in /proc");

    // Under Wine 8 GetProcessTimes of another process does not give that
    // process's times (both processes show the same figure): CPU comes from
    // /proc whenever the Wine processes were found there. The working set
    // from K32GetProcessMemoryInfo is VmRSS of the Wine process.
    const bool cpuFromProc = linux;
    const bool memoryFromWin32 = varloWin.workingSetMb > 0 && minimalWin.workingSetMb > 0;
    const ProcessCost& v = cpuFromProc ? varloLinux : varloWin;
    const ProcessCost& m = cpuFromProc ? minimalLinux : minimalWin;
    const double varloStart = cpuFromProc ? varlo_.linuxStart.cpuMs : varlo_.win32Start.cpuMs;
    const double minimalStart = cpuFromProc ? minimal_.linuxStart.cpuMs : minimal_.win32Start.cpuMs;
    out.varloCpuPercent = (v.cpuMs - varloStart) * 100.0 / wallMs;
    out.minimalCpuPercent = (m.cpuMs - minimalStart) * 100.0 / wallMs;
    const ProcessCost& vm = memoryFromWin32 || !linux ? varloWin : varloLinux;
    const ProcessCost& mm = memoryFromWin32 || !linux ? minimalWin : minimalLinux;
    out.varloWorkingSetMb = vm.workingSetMb;
    out.minimalWorkingSetMb = mm.workingSetMb;
    out.varloPeakMb = vm.peakMb;
    out.minimalPeakMb = mm.peakMb;
    out.source = std::string("CPU from ") + (cpuFromProc ? "/proc/PID/stat (utime + stime)" : "GetProcessTimes") +
                 ", working set from " +
                 (memoryFromWin32 || !linux ? "K32GetProcessMemoryInfo (WorkingSetSize)" : "/proc/PID/status (VmRSS)");
    return out;
}

}  // namespace bench
