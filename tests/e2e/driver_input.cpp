// Input, posted to the window as the system would deliver it: menu commands,
// clicks, keys with the scan codes and flags a real press carries, characters.
#include "driver.h"
#include "driver_internal.h"

#include <dbt.h>

#include <algorithm>
#include <cstdio>
#include <string>

namespace driver {
namespace {

// Not in the public headers: the message that becomes WM_HELP in DefWindowProc.
constexpr UINT kKeyF1Message = 0x004D;

LPARAM keyParam(UINT virtualKey, bool up, bool alt) {
    static const UINT kExtendedKeys[] = {VK_INSERT, VK_DELETE, VK_HOME, VK_END, VK_PRIOR, VK_NEXT, VK_LEFT,
                                         VK_RIGHT,  VK_UP,     VK_DOWN, VK_DIVIDE, VK_RCONTROL, VK_RMENU};
    const UINT scan = MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC) & 0xFF;
    LPARAM param = 1 | LPARAM(scan) << 16;
    if (std::find(std::begin(kExtendedKeys), std::end(kExtendedKeys), virtualKey) != std::end(kExtendedKeys))
        param |= LPARAM(1) << 24;
    if (alt) param |= LPARAM(1) << 29;
    if (up) param |= LPARAM(1) << 30 | LPARAM(1) << 31;
    return param;
}

}  // namespace

void command(HWND window, int id) {
    PostMessageW(window, WM_COMMAND, MAKEWPARAM(id, 0), 0);
}

void leftClick(HWND window, int x, int y) {
    PostMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    PostMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
}

void rightClick(HWND window, int x, int y) {
    PostMessageW(window, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(x, y));
    PostMessageW(window, WM_RBUTTONUP, 0, MAKELPARAM(x, y));
}

void key(HWND window, UINT virtualKey) {
    PostMessageW(window, WM_KEYDOWN, virtualKey, keyParam(virtualKey, false, false));
    // The system turns a real F1 press into this message as the key-down leaves
    // the queue, and DefWindowProc makes WM_HELP of it; posted keys get neither.
    if (virtualKey == VK_F1) PostMessageW(window, kKeyF1Message, 0, 0);
    PostMessageW(window, WM_KEYUP, virtualKey, keyParam(virtualKey, true, false));
}

void keyDownUp(HWND window, UINT virtualKey) {
    PostMessageW(window, WM_KEYDOWN, virtualKey, keyParam(virtualKey, false, false));
    PostMessageW(window, WM_KEYUP, virtualKey, keyParam(virtualKey, true, false));
}

void sysKey(HWND window, UINT virtualKey) {
    PostMessageW(window, WM_SYSKEYDOWN, virtualKey, keyParam(virtualKey, false, true));
    PostMessageW(window, WM_SYSKEYUP, virtualKey, keyParam(virtualKey, true, true));
}

void typeChar(HWND window, wchar_t ch) {
    const SHORT keyAndShift = VkKeyScanW(ch);
    const UINT scan = keyAndShift == -1 ? 0 : MapVirtualKeyW(LOBYTE(keyAndShift), MAPVK_VK_TO_VSC) & 0xFF;
    PostMessageW(window, WM_CHAR, WPARAM(ch), 1 | LPARAM(scan) << 16);
}

void pressKey(HWND window, UINT scanCode) {
    const UINT virtualKey = MapVirtualKeyW(scanCode, MAPVK_VSC_TO_VK);
    PostMessageW(window, WM_KEYDOWN, virtualKey, 1 | LPARAM(scanCode) << 16);
    PostMessageW(window, WM_KEYUP, virtualKey, 1 | LPARAM(scanCode) << 16 | LPARAM(3) << 30);
}

void close(HWND window) {
    PostMessageW(window, WM_CLOSE, 0, 0);
}

// The MIDI double reads whole lines, so the messages are appended in one write.
void playMidi(const Program& program, const std::vector<uint32_t>& messages) {
    std::string lines;
    for (uint32_t message : messages) {
        char line[16];
        std::snprintf(line, sizeof line, "%08X\n", unsigned(message));
        lines += line;
    }
    const HANDLE file = CreateFileW(pathIn(program, kMidiInput).c_str(), FILE_APPEND_DATA,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return;
    DWORD written = 0;
    WriteFile(file, lines.data(), DWORD(lines.size()), &written, nullptr);
    CloseHandle(file);
}

void changeMidiKeyboards(const Program& program, int count) {
    const std::string text = std::to_string(count);
    writeFile(pathIn(program, kMidiKeyboards), std::vector<uint8_t>(text.begin(), text.end()));
    PostMessageW(program.window, WM_DEVICECHANGE, DBT_DEVNODES_CHANGED, 0);
}

}  // namespace driver
