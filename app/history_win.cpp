// The history's writer, on the UI thread: file I/O never delays the game thread.
#include "app/history_win.h"

#include <algorithm>
#include <deque>
#include <memory>
#include <string>

#include "base/error_box.h"
#include "base/window_messages.h"
#include "game/history_record.h"
#include "records/history_file.h"

wchar_t historyFilePath[MAX_PATH] = L"VARLO-HISTORY.csv";

namespace {

const wchar_t kCannotWriteHistory[] = L"履歴ファイルに書き込めません。";
// Enough of the file's end to hold its last game's lines.
constexpr size_t kTailBytes = 64 * 1024;

// The game of this run whose lines are being written, and its number in the file.
int32_t runGame = 0;
int32_t fileGame = 0;
// Lines not yet written, oldest first: the file may be held by another program for a while.
std::deque<std::string> unwritten;
bool failureShown = false;

// A new game takes one more than the highest number in the file as it is now
// (another copy of the game may have written games meanwhile), and more than
// this run's last. A line torn at the file's end gets its line end first.
std::string startOfGame(int32_t game) {
    std::string tail;
    readHistoryFile(historyFilePath, tail, kTailBytes);
    const HistoryEnd end = historyEnd(tail);
    runGame = game;
    fileGame = std::max(end.highestGame, fileGame) + 1;
    return end.torn ? kHistoryLineEnd : "";
}

void append(HWND window, JudgedOrder& order) {
    std::string text = order.line.game != runGame ? startOfGame(order.line.game) : "";
    order.line.game = fileGame;
    unwritten.push_back(text + formatHistoryLine(order.line));
    while (!unwritten.empty() && appendToHistory(historyFilePath, unwritten.front())) unwritten.pop_front();
    if (!unwritten.empty() && !failureShown) {
        failureShown = true;  // first: the box's message loop may bring the next order
        showError(window, kCannotWriteHistory);
    }
}

}  // namespace

bool takeJudgedOrder(HWND window, LPARAM order) {
    const std::unique_ptr<JudgedOrder> taken(reinterpret_cast<JudgedOrder*>(order));
    if (taken == nullptr) return false;
    append(window, *taken);
    return taken->endsGame;
}

void takePostedOrders(HWND window) {
    MSG message;
    while (PeekMessageW(&message, window, kHistoryMessage, kHistoryMessage, PM_REMOVE))
        takeJudgedOrder(window, message.lParam);
}
