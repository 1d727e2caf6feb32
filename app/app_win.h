// The application shell's globals and services on the UI thread.
#ifndef VARLO_APP_APP_WIN_H
#define VARLO_APP_APP_WIN_H

#include <windows.h>

#include <cstdint>

#include "app/placement.h"
#include "base/error_box.h"
#include "base/module_win.h"

extern HWND mainWindow;
extern wchar_t saveFilePath[MAX_PATH];
extern wchar_t helpFilePath[MAX_PATH];

extern const wchar_t kWindowClassName[];

// Gives back the system's timer resolution of 1 ms, which wWinMain asks for at
// start-up so that the game's pauses end within a millisecond of their time
// instead of on the default clock tick of about 15.6 ms. Called once on the way
// out, whichever way the program ends; a second call does nothing, so a path
// that may end the process without returning from the message loop can call it early.
void releaseTimerResolution();

// The main window: class registration, creation and its procedure.
bool registerMainWindowClass();
HWND createMainWindow(int left, int top, int showCommand);
LRESULT CALLBACK mainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// VARLO.DAT at saveFilePath. Left and top of the main window as loaded, for
// its creation; CW_USEDEFAULT lets the system choose.
extern int32_t windowLeft;
extern int32_t windowTop;
// Start-up, before the main window exists: defaults, then the file's contents
// when it is valid, its window position kept on the work area. Never fails.
void loadRecords();
// After a name is entered, at the session's end and at the window's
// destruction: the window's position into the shared block, and the block into
// the file, where the rows entered since the file was last read join what it
// holds then (another copy of the game may have written it). A failed write is
// reported once, until a later save succeeds.
void saveRecords(HWND window);

// The whole rectangle and the work area of `monitor` (from MonitorFromRect or
// MonitorFromWindow); the primary screen when the system cannot describe it.
MonitorAreas monitorAreas(HMONITOR monitor);

// The About box (dialog 604), centred over its owner on the owner's monitor.
INT_PTR CALLBACK aboutDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
void centerOnParent(HWND dialog);

// HTML Help, VARLO.CHM beside the executable.
void initHelp();
bool helpTakesMessage(MSG* message);
void showHelpContext(HWND owner, DWORD context);
void showHelpContents(HWND owner);
void shutDownHelp();

#endif
