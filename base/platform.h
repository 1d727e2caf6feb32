// The main window as the portable code sees it. The Win32 files pass their
// HWND; the unit tests pass null or a made-up value.
#ifndef VARLO_BASE_PLATFORM_H
#define VARLO_BASE_PLATFORM_H

// An opaque handle of the same type as HWND.
struct HWND__;
typedef HWND__* Window;

#endif
