// The canvas and its primitives.
#include "display/canvas_win.h"
#include "display/palette.h"

#include <algorithm>

#include "base/error_box.h"
#include "base/module_win.h"
#include "picture/picture_win.h"

HDC canvasDc = nullptr;
HBITMAP canvasBitmap = nullptr;
HFONT uiFont = nullptr;

namespace {

// A critical section may be entered again by the thread that holds it. Made
// on first use, before any drawing.
CRITICAL_SECTION& canvasSection() {
    struct Section {
        CRITICAL_SECTION section;
        Section() { InitializeCriticalSection(&section); }
        ~Section() { DeleteCriticalSection(&section); }
    };
    static Section made;
    return made.section;
}

}  // namespace

CanvasLock::CanvasLock() { EnterCriticalSection(&canvasSection()); }
CanvasLock::~CanvasLock() { LeaveCriticalSection(&canvasSection()); }

HFONT createGameFont(int height) {
    return CreateFontW(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET,
                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, PROOF_QUALITY,
                       FF_MODERN | DEFAULT_PITCH, L"ＭＳ Ｐゴシック");
}

bool createCanvas(HWND window) {
    {
        CanvasLock lock;
        const HDC windowDc = GetDC(window);
        canvasDc = CreateCompatibleDC(windowDc);
        if (canvasDc != nullptr) canvasBitmap = CreateCompatibleBitmap(windowDc, kCanvasWidth, kCanvasHeight);
        ReleaseDC(window, windowDc);
        // Its first contents are undefined; the game thread paints it black first.
        if (canvasDc != nullptr && canvasBitmap != nullptr) SelectObject(canvasDc, canvasBitmap);
    }
    if (canvasDc == nullptr || canvasBitmap == nullptr) {
        showError(window, L"実行できません。");
        return false;
    }
    return true;
}

void destroyCanvas() {
    CanvasLock lock;
    if (canvasDc != nullptr) DeleteDC(canvasDc);
    if (canvasBitmap != nullptr) DeleteObject(canvasBitmap);
    canvasDc = nullptr;
    canvasBitmap = nullptr;
}

void prepareCanvas(Window window) {
    CanvasLock lock;
    SetBkMode(canvasDc, TRANSPARENT);  // every text is drawn without a background box
    const RECT whole{0, 0, kCanvasWidth, kCanvasHeight};
    FillRect(canvasDc, &whole, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    presentCanvas(window, 0, 0);
}

void presentCanvas(Window window, int x, int y) {
    const HDC windowDc = GetDC(window);
    {
        CanvasLock lock;
        BitBlt(windowDc, x, y, kCanvasWidth - x, kCanvasHeight - y, canvasDc, 0, 0, SRCCOPY);
    }
    ReleaseDC(window, windowDc);
    // Under Wine, what another thread draws into a window reaches the screen
    // only when the window's own thread next handles a message: an empty one
    // wakes it. Windows ignores the message.
    if (GetWindowThreadProcessId(window, nullptr) != GetCurrentThreadId()) PostMessageW(window, WM_NULL, 0, 0);
}

void setTextColour(uint32_t colour) {
    CanvasLock lock;
    SetTextColor(canvasDc, colour);
}

void clearHintLine() {
    CanvasLock lock;
    const RECT hintLine{kMessageArea.left, kHintLineTop, kMessageArea.right, kMessageArea.bottom};
    FillRect(canvasDc, &hintLine, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
}

HBITMAP loadPicture(HWND window, WORD id) {
    const HRSRC resource = FindResourceW(instance, MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(10));  // RT_RCDATA
    const HGLOBAL loaded = resource != nullptr ? LoadResource(instance, resource) : nullptr;
    const void* data = loaded != nullptr ? LockResource(loaded) : nullptr;
    if (data == nullptr) {
        showError(window, L"リソースを読み込めません。");
        return nullptr;
    }
    // The decoder never reads past the resource's own size. The bitmap is made
    // compatible with the canvas, a call on its device context.
    CanvasLock lock;
    return decodePicture(canvasDc, static_cast<const uint8_t*>(data), SizeofResource(instance, resource));
}

bool fillBackgroundArea(const RECT& area) {
    const HBRUSH hatch = CreateHatchBrush(HS_CROSS, kHatchLineColour);
    if (hatch == nullptr) return false;
    // The gaps between the hatch lines take the background colour. The pattern
    // keeps to the canvas's origin, so a part filled again matches the whole.
    CanvasLock lock;
    SetBkColor(canvasDc, kHatchGapColour);
    SetBkMode(canvasDc, OPAQUE);
    FillRect(canvasDc, &area, hatch);
    DeleteObject(hatch);
    SetBkMode(canvasDc, TRANSPARENT);
    return true;
}

bool fillBackground(Window window) {
    if (fillBackgroundArea(RECT{0, 0, kCanvasWidth, kCanvasHeight})) return true;
    showError(window, L"ブラシを作成できません。");
    return false;
}

void drawPanel(const CanvasRect& content) {
    CanvasLock lock;
    const SelectedObject brush(canvasDc, GetStockObject(BLACK_BRUSH));
    RoundRect(canvasDc, content.left - 8, content.top - 8, content.right + 8, content.bottom + 8, 8, 8);
}

void drawBoxedText(const wchar_t* text, const CanvasRect& box) {
    CanvasLock lock;
    drawPanel(box);
    const SelectedObject font(canvasDc, uiFont);
    RECT inside = rectOf(box);
    DrawTextW(canvasDc, text, -1, &inside, DT_NOPREFIX | DT_SINGLELINE | DT_VCENTER | DT_CENTER);
}

namespace {

// The rows of the message area that the typed text's lines take, from its
// first line with a character to the line being typed; the lines before the
// first character (a hint's empty first line) are left alone.
RECT typedRows(const wchar_t* text, int length, int lineHeight) {
    int line = 0, firstWritten = -1;
    for (int i = 0; i < length; ++i) {
        if (text[i] == L'\n') {
            ++line;
        } else if (firstWritten < 0) {
            firstWritten = line;
        }
    }
    RECT rows = rectOf(kMessageArea);
    if (firstWritten < 0) return RECT{rows.left, rows.top, rows.right, rows.top};
    rows.top += firstWritten * lineHeight;
    rows.bottom = std::min<LONG>(rows.bottom, rows.top + (line - firstWritten + 1) * lineHeight);
    return rows;
}

}  // namespace

void drawTypedText(Window window, const wchar_t* text, int length) {
    // The whole prefix is drawn again each time, over the black of its rows
    // cleared first, so that each step is one drawing of the text: drawing a
    // smoothed face over itself would darken the edges of the characters
    // already there. The canvas is the other thread's too during the
    // typewriter's pauses, so each character selects the font and colour anew
    // and gives the font back before the lock is left.
    CanvasLock lock;
    {
        const SelectedObject font(canvasDc, uiFont);
        TEXTMETRICW metrics{};
        GetTextMetricsW(canvasDc, &metrics);
        const RECT rows = typedRows(text, length, metrics.tmHeight);
        FillRect(canvasDc, &rows, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
        SetTextColor(canvasDc, kTypedTextColour);
        RECT area = rectOf(kMessageArea);
        DrawTextW(canvasDc, text, length, &area, DT_NOPREFIX);
    }
    presentCanvas(window, 0, 0);
}
