// The practice history on the UI thread: the judged orders the game thread
// posts (kHistoryMessage) are given their game's number and appended to the
// history file.
#ifndef VARLO_APP_HISTORY_WIN_H
#define VARLO_APP_HISTORY_WIN_H

#include <windows.h>

// VARLO-HISTORY.csv beside VARLO.DAT; the bare name until start-up completes it.
extern wchar_t historyFilePath[MAX_PATH];

// The order a kHistoryMessage carries: appended, then freed; true when it was
// its game's last. A line that cannot be written is kept and tried again
// before the next one; the first failure of the run is shown, owned by
// `window`, and no later one.
bool takeJudgedOrder(HWND window, LPARAM order);
// Every order still posted to `window`, whose game thread has ended.
void takePostedOrders(HWND window);

#endif
