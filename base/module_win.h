// The program's module handle, which its resources (pictures, menus, dialogs,
// icons) are loaded from. Set first thing by wWinMain; test programs define
// their own.
#ifndef VARLO_BASE_MODULE_WIN_H
#define VARLO_BASE_MODULE_WIN_H

#include <windows.h>

extern HINSTANCE instance;

#endif
