// The statistics window: a window of its own, owned by the main window, over
// the practice history. One at a time; it may stay open while a game runs.
#ifndef VARLO_APP_STATISTICS_WIN_H
#define VARLO_APP_STATISTICS_WIN_H

#include <windows.h>

// Opens the window beside `owner`, or brings it to the front when it is open.
void openStatisticsWindow(HWND owner);
// Has the window, if it is open, read the history again once the messages
// before have been handled.
void refreshStatisticsWindow();
// The window's keys (Tab between its parts, Esc to close); true when
// `message` was one of them and has been handled.
bool statisticsTakesMessage(MSG* message);

#endif
