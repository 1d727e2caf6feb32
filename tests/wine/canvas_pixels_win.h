// A window for the canvas, reading a device context back as pixels, and
// filling the canvas with one colour: what the Wine tests of the canvas's
// drawers draw into and compare with.
#ifndef VARLO_TESTS_WINE_CANVAS_PIXELS_WIN_H
#define VARLO_TESTS_WINE_CANVAS_PIXELS_WIN_H

#include <windows.h>

#include <cstdint>
#include <vector>

#include "display/canvas_win.h"

// A 630 x 250 picture of a device context, read through a DIB section.
struct Pixels {
    std::vector<COLORREF> at;  // row by row from the top
    COLORREF operator()(int x, int y) const { return at[size_t(y) * kCanvasWidth + x]; }
};

inline Pixels readPixels(HDC source) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = kCanvasWidth;
    info.bmiHeader.biHeight = -kCanvasHeight;  // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    const HBITMAP section = CreateDIBSection(source, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    const HDC dc = CreateCompatibleDC(source);
    const HGDIOBJ previous = SelectObject(dc, section);
    BitBlt(dc, 0, 0, kCanvasWidth, kCanvasHeight, source, 0, 0, SRCCOPY);
    Pixels pixels;
    const auto* quads = static_cast<const uint32_t*>(bits);
    for (int i = 0; i < kCanvasWidth * kCanvasHeight; ++i) {
        const uint32_t q = quads[i];  // 0x00RRGGBB
        pixels.at.push_back(RGB(q >> 16 & 0xFF, q >> 8 & 0xFF, q & 0xFF));
    }
    SelectObject(dc, previous);
    DeleteDC(dc);
    DeleteObject(section);
    return pixels;
}

inline void fillCanvas(COLORREF colour, int top = 0, int bottom = kCanvasHeight) {
    const HBRUSH brush = CreateSolidBrush(colour);
    const RECT band{0, top, kCanvasWidth, bottom};
    FillRect(canvasDc, &band, brush);
    DeleteObject(brush);
}

inline LRESULT CALLBACK plainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_ERASEBKGND) return 1;  // the test owns every pixel
    return DefWindowProcW(window, message, wParam, lParam);
}

// A visible popup window whose client area is the canvas's size, of a class
// registered under `className`; null when it cannot be made.
inline HWND openCanvasWindow(HINSTANCE instance, const wchar_t* className) {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = plainWindowProc;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = className;
    RegisterClassW(&windowClass);
    RECT frame{0, 0, kCanvasWidth, kCanvasHeight};
    AdjustWindowRect(&frame, WS_POPUP, FALSE);
    return CreateWindowW(className, L"", WS_POPUP | WS_VISIBLE, 0, 0, frame.right - frame.left,
                         frame.bottom - frame.top, nullptr, nullptr, instance, nullptr);
}

// The objects a drawer must leave selected in the canvas as it found them.
struct Selected {
    HGDIOBJ font, brush, pen, bitmap;
    static Selected in(HDC dc) {
        return Selected{GetCurrentObject(dc, OBJ_FONT), GetCurrentObject(dc, OBJ_BRUSH), GetCurrentObject(dc, OBJ_PEN),
                        GetCurrentObject(dc, OBJ_BITMAP)};
    }
    bool operator==(const Selected& o) const {
        return font == o.font && brush == o.brush && pen == o.pen && bitmap == o.bitmap;
    }
};

// A test suite's canvas: its window (null when it cannot be made), the canvas
// and the small font; and their end.
inline HWND openTestCanvas(HINSTANCE instance, const wchar_t* className) {
    const HWND window = openCanvasWindow(instance, className);
    if (window == nullptr || !createCanvas(window)) return nullptr;
    uiFont = createGameFont(kUiFontHeight);
    return window;
}

inline void closeTestCanvas(HWND window) {
    DeleteObject(uiFont);
    uiFont = nullptr;
    destroyCanvas();
    DestroyWindow(window);
}

#endif
