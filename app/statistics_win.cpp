// The statistics window: its panels are child windows, each drawn double-buffered
// from one summary of the history file, which is read when the window opens and
// again when a game has ended. Each panel carries its figures in sentences as its
// window text, which screen readers read and which Tab moves between.
#include "app/statistics_win.h"

#include <shellapi.h>

#include <string>

#include "app/app_win.h"
#include "app/history_win.h"
#include "app/paths.h"
#include "app/statistics_charts_win.h"
#include "app/statistics_layout.h"
#include "app/statistics_texts.h"
#include "display/canvas_win.h"
#include "display/palette.h"
#include "records/history_file.h"
#include "records/local_date.h"
#include "resources/resource.h"

namespace {

const wchar_t kWindowClass[] = L"VarloStatistics";
const wchar_t kChartClass[] = L"VarloStatisticsChart";
const wchar_t kCannotReadHistory[] = L"履歴ファイルを読み込めません。";
const wchar_t kCannotOpenFolder[] = L"フォルダーを開けません。";
const wchar_t kCannotShow[] = L"統計を表示できません。";
constexpr DWORD kWindowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
constexpr UINT kRefreshMessage = WM_APP;  // the window's own
constexpr int kFileLineId = 10, kFolderButtonId = 11;

struct Panel {
    Chart chart;
    CanvasRect place;
};
constexpr Panel kPanels[] = {{Chart::accuracy, kAccuracyPanel},
                             {Chart::answerTime, kAnswerTimePanel},
                             {Chart::keyboard, kKeyboardPanel},
                             {Chart::confusions, kConfusionPanel},
                             {Chart::games, kGamesPanel}};

HWND statisticsWindow = nullptr;
HWND lastFocus = nullptr;  // the part that had the focus when the window was left
HistorySummary summary;
int64_t today = 0;

std::wstring sentencesOf(Chart chart) {
    switch (chart) {
    case Chart::accuracy: return accuracySentences(summary);
    case Chart::answerTime: return answerTimeSentences(summary);
    case Chart::keyboard: return keyboardSentences(summary);
    case Chart::confusions: return confusionSentences(summary);
    case Chart::games: break;
    }
    return gamesSentences(summary, today);
}

// Reads the whole file; one that is missing shows no record, one that cannot be read says so.
void refresh(HWND window) {
    std::string text;
    const bool read = readHistoryFile(historyFilePath, text, SIZE_MAX);
    const RankingDate now = localDate();
    today = dayNumber(now.year, now.month, now.day);
    summary = summariseHistory(parseHistory(text), today);
    for (const Panel& panel : kPanels) {
        const HWND child = GetDlgItem(window, int(panel.chart));
        SetWindowTextW(child, sentencesOf(panel.chart).c_str());
        InvalidateRect(child, nullptr, FALSE);
    }
    SetDlgItemTextW(window, kFileLineId, read ? fileLineText(summary.orders, historyFilePath).c_str() : kCannotReadHistory);
}

// Explorer on the folder. The shell may hand the folder to extensions that
// need COM, which wWinMain has started on this thread.
void openFolder(HWND window) {
    const std::wstring folder = directoryPart(historyFilePath);
    const auto result = reinterpret_cast<INT_PTR>(
        ShellExecuteW(window, L"open", folder.empty() ? L"." : folder.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
    if (result <= 32) showError(window, kCannotOpenFolder);
}

HWND child(HWND window, const wchar_t* windowClass, const wchar_t* text, DWORD style, const CanvasRect& place, int id) {
    const HWND made = CreateWindowExW(0, windowClass, text, WS_CHILD | WS_VISIBLE | style, place.left, place.top,
                                      place.right - place.left, place.bottom - place.top, window,
                                      reinterpret_cast<HMENU>(INT_PTR(id)), instance, nullptr);
    SendMessageW(made, WM_SETFONT, reinterpret_cast<WPARAM>(uiFont), FALSE);
    return made;
}

void onCreate(HWND window) {
    statisticsWindow = window;
    for (const Panel& panel : kPanels) child(window, kChartClass, L"", WS_TABSTOP, panel.place, int(panel.chart));
    child(window, L"Static", L"", SS_LEFT | SS_NOPREFIX | SS_CENTERIMAGE | SS_PATHELLIPSIS, kFileLine, kFileLineId);
    child(window, L"Button", kFolderButtonText, BS_PUSHBUTTON | WS_TABSTOP, kFolderButton, kFolderButtonId);
    refresh(window);
}

LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:
        onCreate(window);
        return 0;
    case WM_DESTROY:
        statisticsWindow = lastFocus = nullptr;
        return 0;
    case WM_ACTIVATE:
        if (LOWORD(wParam) == WA_INACTIVE && IsChild(window, GetFocus())) lastFocus = GetFocus();
        break;
    case WM_SETFOCUS:  // back where it was, or the first panel, whose sentences a screen reader reads first
        SetFocus(IsChild(window, lastFocus) ? lastFocus : GetDlgItem(window, int(Chart::accuracy)));
        return 0;
    case kRefreshMessage:
        refresh(window);
        return 0;
    case WM_HELP:  // F1, from any of its parts
        showHelpContext(window, HELP_CONTEXT_STATISTICS);
        return TRUE;
    case WM_CTLCOLORSTATIC: {
        const HDC dc = reinterpret_cast<HDC>(wParam);
        SetTextColor(dc, kStatisticsTextColour);
        SetBkMode(dc, TRANSPARENT);  // over the window's own black
        return reinterpret_cast<LRESULT>(GetStockObject(BLACK_BRUSH));
    }
    case WM_COMMAND:
        if (LOWORD(wParam) == kFolderButtonId) openFolder(window);
        if (LOWORD(wParam) == IDCANCEL) DestroyWindow(window);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

// A panel: drawn off-screen, then copied whole, so that a refresh never flickers.
void paintChart(HWND chart) {
    PAINTSTRUCT paint;
    const HDC dc = BeginPaint(chart, &paint);
    RECT client{};
    GetClientRect(chart, &client);
    const HDC memory = CreateCompatibleDC(dc);
    const HBITMAP bitmap = CreateCompatibleBitmap(dc, client.right, client.bottom);
    if (memory != nullptr && bitmap != nullptr) {
        {
            const SelectedObject selectedBitmap(memory, bitmap);
            const SelectedObject selectedFont(memory, uiFont);
            drawChart(memory, Chart(GetDlgCtrlID(chart)), client.right, client.bottom, summary, today);
            if (GetFocus() == chart) {
                RECT focus = client;
                InflateRect(&focus, -2, -2);
                DrawFocusRect(memory, &focus);
            }
            BitBlt(dc, 0, 0, client.right, client.bottom, memory, 0, 0, SRCCOPY);
        }
    }
    if (bitmap != nullptr) DeleteObject(bitmap);
    if (memory != nullptr) DeleteDC(memory);
    EndPaint(chart, &paint);
}

LRESULT CALLBACK chartProc(HWND chart, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PAINT:
        paintChart(chart);
        return 0;
    case WM_ERASEBKGND:
        return 1;  // the paint covers everything
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        InvalidateRect(chart, nullptr, FALSE);
        return 0;
    case WM_LBUTTONDOWN:
        SetFocus(chart);
        return 0;
    }
    return DefWindowProcW(chart, message, wParam, lParam);
}

bool registerClasses() {
    static bool registered = false;
    if (registered) return true;
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = windowProc;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(IDI_VARLO));
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    windowClass.lpszClassName = kWindowClass;
    WNDCLASSW chartClass{};
    chartClass.lpfnWndProc = chartProc;
    chartClass.hInstance = instance;
    chartClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    chartClass.lpszClassName = kChartClass;
    registered = RegisterClassW(&windowClass) != 0 && RegisterClassW(&chartClass) != 0;
    return registered;
}

}  // namespace

void openStatisticsWindow(HWND owner) {
    if (statisticsWindow != nullptr) {
        if (IsIconic(statisticsWindow)) ShowWindow(statisticsWindow, SW_RESTORE);
        SetForegroundWindow(statisticsWindow);
        return;
    }
    RECT frame{0, 0, kStatisticsWidth, kStatisticsHeight};
    AdjustWindowRect(&frame, kWindowStyle, FALSE);
    const int width = frame.right - frame.left, height = frame.bottom - frame.top;
    RECT ownerRect{};
    GetWindowRect(owner, &ownerRect);
    const ScreenRect work = monitorAreas(MonitorFromWindow(owner, MONITOR_DEFAULTTONEAREST)).work;
    int left = 0, top = 0;
    placeBesideOwner(ScreenRect{ownerRect.left, ownerRect.top, ownerRect.right, ownerRect.bottom}, work, width, height,
                     left, top);
    const HWND window = registerClasses() ? CreateWindowExW(0, kWindowClass, kStatisticsCaption, kWindowStyle, left,
                                                            top, width, height, owner, nullptr, instance, nullptr)
                                          : nullptr;
    if (window == nullptr) {
        showError(owner, kCannotShow);
        return;
    }
    ShowWindow(window, SW_SHOW);
}

void refreshStatisticsWindow() {
    if (statisticsWindow != nullptr) PostMessageW(statisticsWindow, kRefreshMessage, 0, 0);
}

bool statisticsTakesMessage(MSG* message) {
    return statisticsWindow != nullptr && IsDialogMessageW(statisticsWindow, message);
}
