// What the Wine benchmarks share: samples and their statistics, timed
// captures of VARLO.EXE's window, the helper programs they start beside it
// (the minimal window, the bare sleep loop) and the rows of the report.
#ifndef VARLO_TESTS_BENCH_WINE_BENCH_SUPPORT_H
#define VARLO_TESTS_BENCH_WINE_BENCH_SUPPORT_H

#include <windows.h>

#include <string>
#include <vector>

#include "driver.h"

namespace bench {

// Figures of one measure, in milliseconds unless said otherwise.
class Samples {
public:
    void add(double value) { values_.push_back(value); }
    size_t size() const { return values_.size(); }
    bool empty() const { return values_.empty(); }
    double median() const;
    // Nearest rank: the smallest value with at least p percent at or below it.
    double percentile(double p) const;
    double min() const;
    double max() const;

private:
    std::vector<double> values_;
};

// A capture of the whole client area and when it was taken: the middle of the
// capture, which began before and ended after the pixels it holds were read.
struct Shot {
    driver::Capture pixels;
    double at = 0;
};
bool shoot(HWND window, Shot& shot);
// Polls with `pauseMs` between captures until pred(shot) holds; the shot that
// showed it stays in `shot`. False on timeout or when the window is gone.
template <class Pred> bool shootUntil(HWND window, Shot& shot, Pred pred, DWORD timeoutMs, DWORD pauseMs = 0) {
    const ULONGLONG end = GetTickCount64() + timeoutMs;
    for (;;) {
        if (shoot(window, shot) && pred(shot.pixels)) return true;
        if (!IsWindow(window) || GetTickCount64() >= end) return false;
        if (pauseMs > 0) Sleep(pauseMs);
    }
}
// The colour of one client pixel and when it was read; false when it cannot be read.
bool pixelAt(HWND window, int x, int y, uint32_t& colour, double& at);

// Whether two captures differ inside the rectangle.
bool differsIn(const driver::Capture& a, const driver::Capture& b, RECT area);
// Whether every pixel of the rectangle is black.
bool blackIn(const driver::Capture& c, RECT area);

// A program started beside the game, ended by finish().
struct Helper {
    PROCESS_INFORMATION process{};
    HANDLE output = INVALID_HANDLE_VALUE;  // the file its standard output goes to, if any
    std::wstring outputPath;
};
// Starts bin\<name> (a program of this build, found beside this one) with the
// arguments; its standard output goes to `outputPath` when that is not empty.
bool startHelper(Helper& helper, const std::wstring& name, const std::wstring& arguments,
                 const std::wstring& outputPath = {});
// Waits for it to end (ending it after the timeout) and returns its output.
std::string finish(Helper& helper, DWORD timeoutMs);
// The first visible top-level window of the process with the class; nullptr after the timeout.
HWND waitForWindowOf(DWORD processId, const wchar_t* className, DWORD timeoutMs);

// A row of the report, printed as one tab-separated line that tools/bench.sh
// turns into Markdown: "row", key, section, measure, measured, reference,
// ratio, target, verdict ("met", "missed" or "-" when there is no target).
struct Row {
    std::string key, section, measure, measured, reference, ratio, target, verdict;
};
void printRow(const Row& row);
// A line of explanation under the tables ("note" lines).
void printNote(const std::string& text);
std::string format(const char* pattern, ...);

}  // namespace bench

#endif
