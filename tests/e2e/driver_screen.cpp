// What the window shows: its client pixels, read through the screen, and the
// caret of its thread.
#include "driver.h"

#include <algorithm>

namespace driver {

bool caretOf(HWND window, RECT& rect) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    if (!GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info) || info.hwndCaret != window) return false;
    rect = info.rcCaret;
    return true;
}

bool capture(HWND window, Capture& out) {
    RECT client{};
    if (!IsWindow(window) || !GetClientRect(window, &client)) return false;
    const int width = client.right - client.left, height = client.bottom - client.top;
    if (width <= 0 || height <= 0) return false;

    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;

    HDC screen = GetDC(window);
    if (screen == nullptr) return false;
    bool copied = false;
    void* bits = nullptr;
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (memory != nullptr && bitmap != nullptr && bits != nullptr) {
        HGDIOBJ old = SelectObject(memory, bitmap);
        copied = BitBlt(memory, 0, 0, width, height, screen, 0, 0, SRCCOPY) != 0;
        GdiFlush();
        SelectObject(memory, old);
        if (copied) {
            const uint32_t* pixels = static_cast<const uint32_t*>(bits);
            out.width = width;
            out.height = height;
            out.pixels.resize(size_t(width) * height);
            std::transform(pixels, pixels + out.pixels.size(), out.pixels.begin(),
                           [](uint32_t p) { return p & 0x00FFFFFFu; });
        }
    }
    if (bitmap != nullptr) DeleteObject(bitmap);
    if (memory != nullptr) DeleteDC(memory);
    ReleaseDC(window, screen);
    return copied;
}

}  // namespace driver
