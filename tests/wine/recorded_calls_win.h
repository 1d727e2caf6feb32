// What the canvas test program's stand-ins for the rest of the program record:
// the error boxes shown and the pauses made, shared by its test files.
#ifndef VARLO_TESTS_WINE_RECORDED_CALLS_WIN_H
#define VARLO_TESTS_WINE_RECORDED_CALLS_WIN_H

#include <windows.h>

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

struct ShownError {
    HWND owner;
    std::wstring text;
};
extern std::vector<ShownError> errors;
extern std::vector<int> pauses;
extern size_t quitAfterPauses;         // sleepMs stores GameState 13 at this pause; 0: never
extern std::function<void()> onPause;  // called at each pause, once it is recorded

// Forgets what was recorded and what was asked of the stand-ins.
void clearRecordedCalls();

#endif
