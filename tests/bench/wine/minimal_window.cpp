// The reference for start-up and idle cost: the least a Win32 program of
// VARLO.EXE's kind does. It opens a window with the same frame, menu bar and
// 630 x 250 client area, paints it black and waits in its message loop.
#include <windows.h>

namespace {

constexpr wchar_t kClassName[] = L"VarloBenchMinimal";
constexpr int kClientWidth = 630, kClientHeight = 250;
constexpr DWORD kStyle = WS_CAPTION | WS_SYSMENU;

LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PAINT: {
        PAINTSTRUCT paint;
        const HDC dc = BeginPaint(window, &paint);
        const RECT whole{0, 0, kClientWidth, kClientHeight};
        FillRect(dc, &whole, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
        EndPaint(window, &paint);
        return 0;
    }
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
    WNDCLASSW windowClass{};
    windowClass.style = CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = windowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    windowClass.lpszClassName = kClassName;
    if (RegisterClassW(&windowClass) == 0) return 1;

    const HMENU menu = CreateMenu();
    AppendMenuW(menu, MF_STRING, 1, L"ゲーム(&G)");
    RECT frame{0, 0, kClientWidth, kClientHeight};
    AdjustWindowRect(&frame, kStyle, TRUE);
    const HWND window = CreateWindowExW(0, kClassName, L"minimal", kStyle, CW_USEDEFAULT, CW_USEDEFAULT,
                                        frame.right - frame.left, frame.bottom - frame.top, nullptr, menu, instance,
                                        nullptr);
    if (window == nullptr) return 1;
    ShowWindow(window, showCommand);
    UpdateWindow(window);

    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}
