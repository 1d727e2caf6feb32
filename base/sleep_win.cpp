// The sleep and the clock, from the system.
#include "base/sleep.h"

#include <windows.h>

void sleepMs(int ms) {
    Sleep(static_cast<DWORD>(ms));
}

int64_t monotonicMs() {
    LARGE_INTEGER count, frequency;
    QueryPerformanceCounter(&count);
    QueryPerformanceFrequency(&frequency);
    // Whole seconds and the rest apart, so that the product cannot overflow.
    return count.QuadPart / frequency.QuadPart * 1000 + count.QuadPart % frequency.QuadPart * 1000 / frequency.QuadPart;
}
