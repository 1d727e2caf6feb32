// The game thread's life under Windows: stopping it must never deadlock with
// the message it sends the window to place the caret when name entry begins.
#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>

#include "display/canvas.h"
#include "display/screens.h"
#include "game/game_state.h"
#include "game/game_thread_win.h"
#include "game/message_text.h"
#include "game/stage_steps.h"
#include "display/name_field.h"
#include "game/results.h"

// The steps the state machine calls: nothing to draw here. The results step
// sends the window a message and waits for it, as name entry does for its caret.
namespace {
std::atomic<int> focusMessagesHandled{0};
std::atomic<bool> sendingFocus{false};
std::atomic<bool> holdingRankingScreen{false};
}  // namespace

char pendingName[16];
void prepareCanvas(Window) {}
void presentCanvas(Window, int, int) {}
void clearHintLine() {}
void setMessageText(Window, const std::wstring&) {}
bool typeText(Window, const wchar_t*) { return true; }
bool showTitleScreen(Window) { return true; }
void showRankingScreen(Window) {
    while (holdingRankingScreen) Sleep(1);
}
void playCelebration(Window, uint32_t&) {}
void presentQuestion(Window) {}
void judgeAnswer(Window, int32_t) {}
void clearStage(Window, int32_t) {}
void commitEntry() {}
void removeNameCaret() {}
unsigned sendMidiMessage(uint32_t) { return 0; }
unsigned reopenMidiOutput() { return 0; }
void reportMidiFailure(unsigned) {}
void showResults(Window window) {
    gameState = kStateNameEntry;
    sendingFocus = true;
    SendMessageW(window, WM_SETFOCUS, 0, 0);
}

namespace {

// Sent while the window's thread waits in stopGameThread, as the session's end
// may come during the close: its handler stops the game thread too.
constexpr UINT kStopAgainMessage = WM_APP + 40;
ULONGLONG innerStopMs = 0;

LRESULT CALLBACK countingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_SETFOCUS) ++focusMessagesHandled;
    if (message == kStopAgainMessage) {
        const ULONGLONG begin = GetTickCount64();
        holdingRankingScreen = false;
        stopGameThread();
        innerStopMs = GetTickCount64() - begin;
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

HWND makeWindow() {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = countingProc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"GameThreadTestWindow";
    RegisterClassW(&windowClass);
    return CreateWindowW(L"GameThreadTestWindow", L"", WS_OVERLAPPED, 0, 0, 100, 100, nullptr, nullptr,
                         windowClass.hInstance, nullptr);
}

TEST(GameThread, StoppingWhileItSendsTheFocusMessageDoesNotDeadlock) {
    const HWND window = makeWindow();
    ASSERT_NE(window, nullptr);
    gameState = kStateResults;  // the thread finds the results due
    ASSERT_TRUE(startGameThread(window));
    // Let the game thread block in SendMessage: this thread handles no messages yet.
    const ULONGLONG deadline = GetTickCount64() + 20000;
    while (!sendingFocus && GetTickCount64() < deadline) Sleep(1);
    ASSERT_TRUE(sendingFocus.load());

    const ULONGLONG begin = GetTickCount64();
    stopGameThread();  // hangs for ever if it ignores sent messages
    const ULONGLONG took = GetTickCount64() - begin;
    EXPECT_EQ(focusMessagesHandled.load(), 1);
    EXPECT_EQ(gameState.load(), kStateQuit);
    // The results step's wait ends within a slice of the 13 stored after it.
    EXPECT_LT(took, 5000u);
    DestroyWindow(window);
}

// The window's own thread: makes the window, starts the game thread and stops it.
DWORD WINAPI stopFromAnotherThread(LPVOID made) {
    const HWND window = makeWindow();
    static_cast<std::atomic<HWND>*>(made)->store(window);
    if (window != nullptr && startGameThread(window)) stopGameThread();
    return 0;
}

TEST(GameThread, AStopCalledFromAMessageHandledDuringTheStopEndsBoth) {
    holdingRankingScreen = true;  // the game thread stays in its step until the nested stop
    gameState = kStateRanking;
    std::atomic<HWND> window{nullptr};
    const HANDLE closer = CreateThread(nullptr, 0, stopFromAnotherThread, &window, 0, nullptr);
    ASSERT_NE(closer, nullptr);
    const ULONGLONG deadline = GetTickCount64() + 20000;
    while (window.load() == nullptr && GetTickCount64() < deadline) Sleep(1);
    ASSERT_NE(window.load(), nullptr);
    // Handled only inside the outer stop's wait: the window's thread waits nowhere else.
    DWORD_PTR result = 0;
    ASSERT_NE(SendMessageTimeoutW(window, kStopAgainMessage, 0, 0, SMTO_NORMAL, 20000, &result), 0);
    EXPECT_LT(innerStopMs, 1000u);
    // The outer stop returns too, instead of waiting on the handle the inner one closed.
    EXPECT_EQ(WaitForSingleObject(closer, 1000), WAIT_OBJECT_0);
    EXPECT_EQ(gameState.load(), kStateQuit);
    CloseHandle(closer);
}

TEST(GameThread, StoppingWithoutAThreadReturnsAtOnce) {
    stopGameThread();
    stopGameThread();
    SUCCEED();
}

}  // namespace
