// The application shell's globals and services on the UI thread.
#ifndef VARLO_APP_APP_WIN_H
#define VARLO_APP_APP_WIN_H

#include <windows.h>

extern HINSTANCE instance;
extern HWND mainWindow;
extern DWORD uiThreadId;
extern wchar_t saveFilePath[MAX_PATH];
extern wchar_t helpFilePath[MAX_PATH];

extern const wchar_t kProductName[];      // caption of the window and of every message box
extern const wchar_t kWindowClassName[];

// Modal error box with `text`, the product name as caption and the error icon.
// Shows nothing for a null text; the owner may be null.
void showError(HWND owner, const wchar_t* text);
// The MIDI system's own text for `code`, shown like showError.
void showMidiError(HWND owner, UINT code);

// The main window: class registration, creation and its procedure.
bool registerMainWindowClass();
HWND createMainWindow(int left, int top, int showCommand);
LRESULT CALLBACK mainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// The About box (dialog 604) and its placement.
INT_PTR CALLBACK aboutDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
void centerOnParent(HWND dialog);

// HTML Help, VARLO.CHM beside the executable.
void initHelp();
bool helpTakesMessage(MSG* message);
void showHelpContext(HWND owner, DWORD context);
void showHelpContents(HWND owner);
void shutDownHelp();

#endif
