// The game thread: creation, its entry point, and stopping it; the sleep and
// the clock its pauses are made with.
#include "game/game_thread_win.h"

#include "game/game_state.h"
#include "game/state_machine.h"

namespace {

HANDLE gameThread = nullptr;

DWORD WINAPI gameThreadMain(LPVOID window) {
    runGameLoop(static_cast<HWND>(window));
    return 0;
}

}  // namespace

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

bool startGameThread(HWND window) {
    gameThread = CreateThread(nullptr, 0, gameThreadMain, window, 0, nullptr);
    return gameThread != nullptr;
}

void stopGameThread() {
    if (gameThread == nullptr) return;
    for (;;) {
        requestQuit();
        // The game thread sends the window a message to place the caret when
        // name entry begins and waits for it; handling sent messages here
        // keeps that from deadlocking.
        const DWORD woke = MsgWaitForMultipleObjects(1, &gameThread, FALSE, 100, QS_SENDMESSAGE);
        if (woke == WAIT_OBJECT_0) break;
        if (woke == WAIT_OBJECT_0 + 1) {
            MSG message;
            PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
        }
    }
    CloseHandle(gameThread);
    gameThread = nullptr;
}
