// The clock of the doubles' logs: QueryPerformanceCounter time in milliseconds.
// It is one clock for every process of the same Wine, so the times a driver
// takes with it and the logs' stamps compare directly.
#ifndef VARLO_TESTS_DOUBLES_LOG_CLOCK_H
#define VARLO_TESTS_DOUBLES_LOG_CLOCK_H

#include <windows.h>

inline double nowMs() {
    LARGE_INTEGER count, frequency;
    QueryPerformanceCounter(&count);
    QueryPerformanceFrequency(&frequency);
    return double(count.QuadPart) * 1000.0 / double(frequency.QuadPart);
}

#endif
