// The game thread: creation, its entry point, stopping it, and its requests
// for a save and for a history line.
#include "game/game_thread_win.h"

#include <new>

#include "base/window_messages.h"
#include "game/game_state.h"
#include "game/history_record.h"
#include "game/save_request.h"
#include "game/state_machine.h"

namespace {

HANDLE gameThread = nullptr;

DWORD WINAPI gameThreadMain(LPVOID window) {
    runGameLoop(static_cast<HWND>(window));
    return 0;
}

}  // namespace

bool startGameThread(HWND window) {
    gameThread = CreateThread(nullptr, 0, gameThreadMain, window, 0, nullptr);
    return gameThread != nullptr;
}

void stopGameThread() {
    const HANDLE thread = gameThread;
    if (thread == nullptr) return;
    for (;;) {
        requestQuit();
        // The game thread sends the window a message to place the caret when
        // name entry begins and waits for it; handling sent messages here
        // keeps that from deadlocking.
        const DWORD woke = MsgWaitForMultipleObjects(1, &thread, FALSE, 100, QS_SENDMESSAGE);
        if (woke == WAIT_OBJECT_0 + 1) {
            MSG message;
            PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
            // A message handled there (the session's end during the close, or
            // the close during the session's end) may have stopped the thread
            // and closed its handle itself.
            if (gameThread != thread) return;
        } else if (woke != WAIT_TIMEOUT) {
            break;  // ended; a failed wait is never waited on again
        }
    }
    gameThread = nullptr;
    CloseHandle(thread);
}

// The save runs on the UI thread; it takes no canvas lock, and the table's
// lock only for a copy, never while the file is written.
void requestSave(HWND window) {
    PostMessageW(window, kSaveMessage, 0, 0);
}

// A copy on the heap, which the window procedure frees; freed here when it cannot be posted.
void requestHistoryLine(HWND window, const JudgedOrder& order) {
    auto* copy = new (std::nothrow) JudgedOrder(order);
    if (copy != nullptr && !PostMessageW(window, kHistoryMessage, 0, reinterpret_cast<LPARAM>(copy))) delete copy;
}
