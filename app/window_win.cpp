// The main window: its class, its creation and its procedure. Each message is
// handed to a small handler; input goes through the game's input rules.
#include "app/app_win.h"

#include <dbt.h>
#include <imm.h>
#include <mmsystem.h>
#include <windowsx.h>

#include "app/history_win.h"
#include "app/statistics_win.h"
#include "base/window_messages.h"
#include "display/canvas_win.h"
#include "display/name_field.h"
#include "game/computer_keys.h"
#include "game/game_state.h"
#include "game/game_thread_win.h"
#include "game/input_rules.h"
#include "game/key_picking.h"
#include "game/message_text_win.h"
#include "game/midi_in_win.h"
#include "game/midi_input.h"
#include "game/midi_out_win.h"
#include "game/name_entry.h"
#include "game/results.h"
#include "game/save_request.h"
#include "resources/resource.h"

const wchar_t kWindowClassName[] = L"VarloEarGame";

namespace {

constexpr DWORD kWindowStyle = WS_CAPTION | WS_SYSMENU;  // fixed frame, close box only

// The caret moves by being made again; outside name entry there is none.
void remakeNameCaret(HWND window) {
    destroyNameCaret(window);
    if (inNameEntry()) placeNameCaret(window);
}

LRESULT onCreate(HWND window) {
    mainWindow = window;
    attachNameField(window);
    // A name is plain ASCII and nothing else is typed, so the window takes no
    // input method: with a Japanese IME switched on, letters and Enter still come
    // as plain characters instead of going into a composition.
    ImmAssociateContextEx(window, nullptr, 0);
    if (!createCanvas(window)) return -1;
    createMessageLabel(window);
    gameState = kStateStarting;
    if (!startGameThread(window)) {
        showError(window, L"スレッドを作成できません。");
        return -1;
    }
    return 0;
}

void onDestroy(HWND window) {
    // The table is saved once the game thread has ended, so it holds a name
    // entered just before the window closed; the orders it judged last are
    // still waiting for the history and are written first.
    stopGameThread();
    takePostedOrders(window);
    saveRecords(window);
    destroyCanvas();
    releaseMessageLabel();
    PostQuitMessage(0);
}

// Windows ends the process once this returns, without WM_DESTROY: the game
// thread is stopped and the file written here, as at a normal close.
void onSessionEnd(HWND window) {
    stopGameThread();
    takePostedOrders(window);
    saveRecords(window);
    releaseTimerResolution();
}

void onPaint(HWND window) {
    PAINTSTRUCT paint;
    const HDC dc = BeginPaint(window, &paint);
    if (canvasDc != nullptr) {
        // The game thread may be drawing into the canvas; the copy waits for
        // the end of that run of drawing, never for a pause.
        CanvasLock lock;
        BitBlt(dc, 0, 0, kCanvasWidth, kCanvasHeight, canvasDc, 0, 0, SRCCOPY);
    }
    EndPaint(window, &paint);
}

// A keyboard that was not there, or not usable, when the input was last opened
// may be now; one that is open stays as it is.
void onStart(HWND window, int stage) {
    openMidiInput(window);
    startGame(stage);
}

// Windows sends this to every top-level window when a device has come or gone:
// a keyboard plugged in, unplugged, or back after sleep. Input device 0 may be
// another one now, or none, so the input is closed and opened anew.
void onDevicesChanged(HWND window) {
    closeMidiInput();
    openMidiInput(window);
}

static_assert(IDM_STAGE_8 - IDM_STAGE_1 + 1 == kStageCount, "a digest-play menu item for each stage");

// Returns false for ids that get default processing.
bool onCommand(HWND window, int id) {
    if (id == IDM_START) {
        onStart(window, 0);
    } else if (id >= IDM_STAGE_1 && id < IDM_STAGE_1 + kStageCount) {
        onStart(window, id - IDM_STAGE_1);
    } else if (id == IDM_STATISTICS) {
        openStatisticsWindow(window);
    } else if (id == IDM_EXIT) {
        SendMessageW(window, WM_CLOSE, 0, 0);
    } else if (id == IDM_HELP_CONTENTS) {
        showHelpContents(window);
    } else if (id == IDM_ABOUT) {
        DialogBoxW(instance, MAKEINTRESOURCEW(IDD_ABOUT), window, aboutDialogProc);
    } else {
        return false;
    }
    return true;
}

}  // namespace

LRESULT CALLBACK mainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:
        return onCreate(window);
    case WM_DESTROY:
        onDestroy(window);
        return 0;
    case WM_PAINT:
        onPaint(window);
        return 0;
    case WM_CLOSE:
        DestroyWindow(window);
        return 0;
    case WM_ENDSESSION:
        if (wParam) onSessionEnd(window);
        return 0;
    case kSaveMessage:
        saveRecords(window);
        return 0;
    case kHistoryMessage:  // posted by the game thread, see requestHistoryLine
        if (takeJudgedOrder(window, lParam)) refreshStatisticsWindow();
        return 0;
    case WM_HELP: {
        const auto* info = reinterpret_cast<const HELPINFO*>(lParam);
        const bool fromMenu = info != nullptr && info->iContextType == HELPINFO_MENUITEM;
        showHelpContext(window, fromMenu ? HELP_CONTEXT_MENUS : HELP_CONTEXT_HOW_TO_PLAY);
        return 0;
    }
    case WM_COMMAND:
        if (onCommand(window, LOWORD(wParam))) return 0;
        break;
    case WM_LBUTTONDOWN:
        if (!acceptsKeyClicks()) break;
        // The position's words are unsigned: a click can never be left of the window.
        pickKey(window, LOWORD(lParam), HIWORD(lParam));
        return 0;
    case WM_RBUTTONDOWN:
        if (answerOrReplay()) return 0;
        break;
    case WM_KEYDOWN:  // the keyboard as a piano; Alt with a key comes as WM_SYSKEYDOWN
        if (takeComputerKey(window, static_cast<uint32_t>(lParam))) return 0;
        break;
    case MM_MIM_DATA:  // from the MIDI keyboard, see openMidiInput
        takeMidiInput(window, static_cast<uint32_t>(lParam));
        return 0;
    case WM_DEVICECHANGE:
        if (wParam != DBT_DEVNODES_CHANGED) break;
        onDevicesChanged(window);
        return TRUE;
    case kMessageTextMessage:  // posted by setMessageText
        showMessageText();
        return 0;
    case kMidiFailureMessage:  // posted by a failing output, see reportMidiFailure
        showMidiError(window, static_cast<UINT>(wParam));
        return 0;
    case WM_CHAR:
        if (!inNameEntry()) break;
        handleNameChar(window, static_cast<unsigned>(wParam));
        return 0;
    case WM_SETFOCUS:
        if (!inNameEntry()) break;
        placeNameCaret(window);
        return 0;
    case WM_KILLFOCUS:
        destroyNameCaret(window);
        break;
    case kRemoveCaretMessage:
        destroyNameCaret(window);
        return 0;
    case kPlaceCaretMessage:
        remakeNameCaret(window);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

bool registerMainWindowClass() {
    WNDCLASSW windowClass{};
    windowClass.style = CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = mainWindowProc;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(IDI_VARLO));
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    windowClass.lpszMenuName = MAKEINTRESOURCEW(IDR_MAINMENU);
    windowClass.lpszClassName = kWindowClassName;
    return RegisterClassW(&windowClass) != 0;
}

HWND createMainWindow(int left, int top, int showCommand) {
    // The frame grows around a client area of exactly the canvas's size.
    RECT frame{0, 0, kCanvasWidth, kCanvasHeight};
    AdjustWindowRect(&frame, kWindowStyle, TRUE);
    const HWND window = CreateWindowExW(0, kWindowClassName, kProductName, kWindowStyle, left, top,
                                        frame.right - frame.left, frame.bottom - frame.top,
                                        nullptr, nullptr, instance, nullptr);
    if (window == nullptr) return nullptr;
    ShowWindow(window, showCommand);
    UpdateWindow(window);
    return window;
}
