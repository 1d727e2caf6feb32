// The end-to-end driver. Paths handed in through the environment are Linux
// paths; under Wine the Z: drive is the Linux root, so "/a/b" is "Z:\a\b".
#include "driver.h"

#include "display/keyboard_layout.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace driver {
namespace {

constexpr wchar_t kWindowClass[] = L"VarloEarGame";
constexpr wchar_t kDialogClass[] = L"#32770";
constexpr wchar_t kExeName[] = L"VARLO.EXE";
constexpr wchar_t kMidiLog[] = L"midi.log";
constexpr wchar_t kHelpLog[] = L"help.log";
// Copied from beside VARLO.EXE when present; the program looks for it there.
constexpr wchar_t kHelpFile[] = L"VARLO.CHM";
const wchar_t* const kDoubles[] = {L"winmm.dll", L"hhctrl.ocx"};
// Not in the public headers: the message that becomes WM_HELP in DefWindowProc.
constexpr UINT kKeyF1Message = 0x004D;
// A busy program answers WM_GETTEXT late; a hung one never does.
constexpr UINT kTextTimeoutMs = 5000;

std::wstring environmentValue(const wchar_t* name) {
    const DWORD size = GetEnvironmentVariableW(name, nullptr, 0);
    if (size == 0) return {};
    std::wstring value(size, L'\0');
    const DWORD length = GetEnvironmentVariableW(name, &value[0], size);
    value.resize(length < size ? length : 0);
    return value;
}

// "/a/b/" -> "Z:\a\b"; a path that is already a Windows one keeps its drive.
std::wstring windowsPath(std::wstring path) {
    std::replace(path.begin(), path.end(), L'/', L'\\');
    if (!path.empty() && path[0] == L'\\' && (path.size() < 2 || path[1] != L'\\')) path = L"Z:" + path;
    while (path.size() > 3 && path.back() == L'\\') path.pop_back();
    return path;
}

std::wstring join(const std::wstring& folder, const std::wstring& name) {
    return folder.empty() || folder.back() == L'\\' ? folder + name : folder + L"\\" + name;
}

std::wstring parentOf(const std::wstring& path) {
    const size_t slash = path.find_last_of(L'\\');
    return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash);
}

bool isFile(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool makeFolders(const std::wstring& path) {
    if (CreateDirectoryW(path.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS) return true;
    const std::wstring parent = parentOf(path);
    if (parent.empty() || parent == path || !makeFolders(parent)) return false;
    return CreateDirectoryW(path.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS;
}

bool removeTree(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return true;
    if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        return DeleteFileW(path.c_str()) != 0;
    }
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW(join(path, L"*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            if (std::wcscmp(found.cFileName, L".") != 0 && std::wcscmp(found.cFileName, L"..") != 0)
                removeTree(join(path, found.cFileName));
        } while (FindNextFileW(search, &found));
        FindClose(search);
    }
    return RemoveDirectoryW(path.c_str()) != 0;
}

// Test names may hold characters a file name cannot ("Suite/Name.Case/0").
std::wstring safeFileName(std::wstring name) {
    for (wchar_t& c : name)
        if (c < 32 || std::wcschr(L"\\/:*?\"<>|", c) != nullptr) c = L'_';
    return name;
}

std::wstring className(HWND window) {
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    return name;
}

DWORD processOf(HWND window) {
    DWORD id = 0;
    GetWindowThreadProcessId(window, &id);
    return id;
}

struct WindowSearch {
    DWORD processId;
    const wchar_t* className;
    HWND found;
};

// The first visible top-level window of the class that belongs to the process.
HWND findWindow(DWORD processId, const wchar_t* name) {
    WindowSearch search{processId, name, nullptr};
    EnumWindows(
        [](HWND window, LPARAM data) -> BOOL {
            auto& s = *reinterpret_cast<WindowSearch*>(data);
            if (processOf(window) != s.processId || !IsWindowVisible(window) || className(window) != s.className)
                return TRUE;
            s.found = window;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

bool processEnded(const Program& program) {
    return program.process.hProcess == nullptr || WaitForSingleObject(program.process.hProcess, 0) == WAIT_OBJECT_0;
}

std::wstring variableName(const std::wstring& entry) {
    // Entries such as "=C:=C:\dir" start with '=' and belong to the name.
    const size_t equals = entry.find(L'=', 1);
    return entry.substr(0, equals);
}

// Settings of the doubles: the child gets exactly the ones start() gives it.
bool isDoubleSetting(const std::wstring& name) {
    for (const wchar_t* prefix : {L"VARLO_MIDI_", L"VARLO_HELP_"}) {
        const int length = int(std::wcslen(prefix));
        if (int(name.size()) >= length &&
            CompareStringOrdinal(name.c_str(), length, prefix, length, TRUE) == CSTR_EQUAL)
            return true;
    }
    return false;
}

// The current environment without the doubles' settings, plus the given ones,
// sorted by name as CreateProcessW expects it.
std::vector<wchar_t> environmentWith(const std::vector<std::wstring>& settings) {
    std::vector<std::wstring> entries;
    if (wchar_t* block = GetEnvironmentStringsW()) {
        for (const wchar_t* entry = block; *entry != L'\0'; entry += std::wcslen(entry) + 1)
            if (!isDoubleSetting(variableName(entry))) entries.emplace_back(entry);
        FreeEnvironmentStringsW(block);
    }
    entries.insert(entries.end(), settings.begin(), settings.end());
    std::stable_sort(entries.begin(), entries.end(), [](const std::wstring& a, const std::wstring& b) {
        const std::wstring x = variableName(a), y = variableName(b);
        return CompareStringOrdinal(x.c_str(), int(x.size()), y.c_str(), int(y.size()), TRUE) == CSTR_LESS_THAN;
    });
    std::vector<wchar_t> block;
    for (const std::wstring& entry : entries) {
        block.insert(block.end(), entry.begin(), entry.end());
        block.push_back(L'\0');
    }
    block.push_back(L'\0');
    return block;
}

std::wstring fromUtf8(const std::string& text) {
    if (text.empty()) return {};
    const int size = MultiByteToWideChar(CP_UTF8, 0, text.data(), int(text.size()), nullptr, 0);
    std::wstring out(size_t(size > 0 ? size : 0), L'\0');
    if (size > 0) MultiByteToWideChar(CP_UTF8, 0, text.data(), int(text.size()), &out[0], size);
    return out;
}

// The complete lines of a log; a line still being written has no newline yet.
std::vector<std::string> logLines(const std::wstring& path) {
    std::vector<uint8_t> bytes;
    std::vector<std::string> lines;
    if (!readFile(path, bytes)) return lines;
    size_t begin = 0;
    for (size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] != '\n') continue;
        size_t end = i;
        if (end > begin && bytes[end - 1] == '\r') --end;
        lines.emplace_back(reinterpret_cast<const char*>(bytes.data()) + begin, end - begin);
        begin = i + 1;
    }
    return lines;
}

// Splits "<ms> <function> <rest>" and returns false when the line has another shape.
bool splitLine(const std::string& line, double& ms, std::string& function, std::string& rest) {
    const size_t first = line.find(' ');
    if (first == std::string::npos) return false;
    const size_t second = line.find(' ', first + 1);
    char* end = nullptr;
    const std::string stamp = line.substr(0, first);
    ms = std::strtod(stamp.c_str(), &end);
    if (end == stamp.c_str() || *end != '\0') return false;
    function = line.substr(first + 1, second == std::string::npos ? std::string::npos : second - first - 1);
    rest = second == std::string::npos ? std::string() : line.substr(second + 1);
    return !function.empty();
}

// The value after "key=" up to the next " word=" (a file name may hold spaces).
std::string field(const std::string& rest, const std::string& key, const std::string& nextKey) {
    const std::string start = key + "=";
    const size_t begin = rest.find(start);
    if (begin == std::string::npos) return {};
    const size_t valueBegin = begin + start.size();
    const size_t end = nextKey.empty() ? std::string::npos : rest.find(" " + nextKey + "=", valueBegin);
    return rest.substr(valueBegin, end == std::string::npos ? std::string::npos : end - valueBegin);
}

uint32_t number(const std::string& text) {
    return uint32_t(std::strtoll(text.c_str(), nullptr, 0));
}

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

double nowMs() {
    LARGE_INTEGER count, frequency;
    QueryPerformanceCounter(&count);
    QueryPerformanceFrequency(&frequency);
    return double(count.QuadPart) * 1000.0 / double(frequency.QuadPart);
}

std::wstring varloExePath() {
    return windowsPath(environmentValue(L"VARLO_EXE"));
}

std::wstring makeScratchFolder(const std::wstring& testName) {
    const std::wstring root = windowsPath(environmentValue(L"VARLO_SCRATCH"));
    const std::wstring exe = varloExePath();
    const std::wstring doubles = windowsPath(environmentValue(L"VARLO_DOUBLES"));
    if (root.empty() || exe.empty() || doubles.empty() || testName.empty()) return {};
    const std::wstring folder = join(root, safeFileName(testName));
    if (!removeTree(folder) || !makeFolders(folder)) return {};
    if (!CopyFileW(exe.c_str(), join(folder, kExeName).c_str(), FALSE)) return {};
    for (const wchar_t* name : kDoubles)
        if (!CopyFileW(join(doubles, name).c_str(), join(folder, name).c_str(), FALSE)) return {};
    const std::wstring helpFile = join(parentOf(exe), kHelpFile);
    if (isFile(helpFile) && !CopyFileW(helpFile.c_str(), join(folder, kHelpFile).c_str(), FALSE)) return {};
    return folder;
}

bool start(Program& program, const MidiSettings& midi) {
    if (program.folder.empty()) return false;
    terminate(program);  // a restart replaces the earlier process
    // Each start begins with empty logs, so a restarted program's calls stand alone.
    const std::wstring midiLog = join(program.folder, kMidiLog), helpLog = join(program.folder, kHelpLog);
    DeleteFileW(midiLog.c_str());
    DeleteFileW(helpLog.c_str());
    std::vector<std::wstring> settings = {
        L"VARLO_MIDI_LOG=" + midiLog,
        L"VARLO_MIDI_DEVICES=" + std::to_wstring(midi.deviceCount),
        L"VARLO_MIDI_OPEN_ERROR=" + std::to_wstring(midi.openError),
        L"VARLO_HELP_LOG=" + helpLog,
    };
    if (!midi.errorText.empty()) settings.push_back(L"VARLO_MIDI_ERROR_TEXT=" + midi.errorText);
    std::vector<wchar_t> environment = environmentWith(settings);

    const std::wstring exe = join(program.folder, kExeName);
    std::wstring commandLine = L"\"" + exe + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(exe.c_str(), &commandLine[0], nullptr, nullptr, FALSE, CREATE_UNICODE_ENVIRONMENT,
                        environment.data(), program.folder.c_str(), &startup, &process))
        return false;
    program.process = process;
    return true;
}

HWND waitForWindow(Program& program, DWORD timeoutMs) {
    HWND window = nullptr;
    waitFor(
        [&] {
            if (program.process.hProcess == nullptr) return true;
            window = findWindow(program.process.dwProcessId, kWindowClass);
            return window != nullptr || processEnded(program);
        },
        timeoutMs);
    program.window = window;
    return window;
}

long waitForExit(Program& program, DWORD timeoutMs) {
    if (program.process.hProcess == nullptr) return -1;
    if (WaitForSingleObject(program.process.hProcess, timeoutMs) != WAIT_OBJECT_0) return -1;
    DWORD code = 0;
    if (!GetExitCodeProcess(program.process.hProcess, &code)) return -1;
    return long(code);
}

void terminate(Program& program) {
    if (program.process.hProcess != nullptr) {
        if (!processEnded(program)) {
            TerminateProcess(program.process.hProcess, 1);
            WaitForSingleObject(program.process.hProcess, kDefaultTimeoutMs);
        }
        CloseHandle(program.process.hProcess);
    }
    if (program.process.hThread != nullptr) CloseHandle(program.process.hThread);
    program.process = PROCESS_INFORMATION{};
    program.window = nullptr;
}

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

void close(HWND window) {
    PostMessageW(window, WM_CLOSE, 0, 0);
}

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

std::vector<MidiCall> readWinmmLog(const Program& program) {
    std::vector<MidiCall> calls;
    for (const std::string& line : logLines(pathIn(program, kMidiLog))) {
        MidiCall call;
        std::string rest;
        if (!splitLine(line, call.ms, call.function, rest)) continue;
        // rest is "<args> -> <result>", or "-> <result>" when there are no arguments.
        const size_t arrow = rest.rfind("-> ");
        if (arrow == std::string::npos) continue;
        call.args = rest;
        call.value = number(rest.substr(0, arrow));
        call.result = number(rest.substr(arrow + 3));
        calls.push_back(call);
    }
    return calls;
}

std::vector<MidiCall> readMidiLog(const Program& program) {
    std::vector<MidiCall> calls = readWinmmLog(program);
    calls.erase(std::remove_if(calls.begin(), calls.end(),
                               [](const MidiCall& c) { return c.function.compare(0, 7, "midiOut") != 0; }),
                calls.end());
    return calls;
}

std::vector<Sounding> soundings(const std::vector<MidiCall>& calls) {
    std::vector<Sounding> found;
    for (size_t i = 0; i < calls.size(); ++i) {
        const MidiCall& call = calls[i];
        if (call.function != "midiOutShortMsg") continue;
        const uint32_t status = call.value & 0xF0;
        const int note = int(call.value >> 8 & 0x7F);
        if (status == 0x90) {
            // A note-on after a note-off begins the next sounding.
            if (found.empty() || found.back().offCount > 0) {
                found.emplace_back();
                found.back().firstOn = i;
                found.back().onMs = call.ms;
            }
            found.back().notes.push_back(note);
            found.back().lastOnMs = call.ms;
        } else if (status == 0x80 && !found.empty()) {
            Sounding& s = found.back();
            if (s.offCount++ == 0) {
                s.firstOff = i;
                s.offMs = call.ms;
            }
            s.lastOffMs = call.ms;
        }
    }
    return found;
}

std::vector<Sounding> soundingsOf(const Program& program) { return soundings(readMidiLog(program)); }

bool waitForSoundingEnd(const Program& program, size_t index, DWORD timeoutMs) {
    return waitFor([&] {
        const auto found = soundingsOf(program);
        return found.size() > index && found[index].ended();
    }, timeoutMs);
}

bool rightClickUntilSounding(const Program& program, size_t index, DWORD timeoutMs) {
    constexpr DWORD kRetryMs = 500;
    return waitFor([&] {
        rightClick(program.window, 600, 240);
        return waitFor([&] { return soundingsOf(program).size() > index; }, kRetryMs);
    }, timeoutMs);
}

POINT keyPoint(int stageIndex, int note) {
    const Key key = noteKey(note);
    const KeyRect area = keyRegion(stageIndex, key.octave, key.white, key.black).area;
    return POINT{(area.left + area.right) / 2, key.black == 1 ? (area.top + area.bottom) / 2 : 132};
}

bool answerQuestion(const Program& program, size_t question, int stageIndex, bool right, DWORD timeoutMs) {
    if (!waitForSoundingEnd(program, question, timeoutMs)) return false;
    const std::vector<int> notes = soundingsOf(program)[question].notes;
    if (notes.empty()) return false;
    const int beside = notes[0] % 12 == 11 ? notes[0] - 1 : notes[0] + 1;
    for (int note : right ? notes : std::vector<int>{beside}) {
        const POINT at = keyPoint(stageIndex, note);
        leftClick(program.window, at.x, at.y);
    }
    return rightClickUntilSounding(program, question + 1, timeoutMs);
}

std::vector<HelpCall> readHelpLog(const Program& program) {
    std::vector<HelpCall> calls;
    for (const std::string& line : logLines(pathIn(program, kHelpLog))) {
        HelpCall call;
        std::string rest;
        if (!splitLine(line, call.ms, call.function, rest)) continue;
        call.hasWindow = field(rest, "window", "file") == "1";
        const std::string file = field(rest, "file", "command");
        call.file = file == "-" ? std::wstring() : fromUtf8(file);
        call.command = number(field(rest, "command", "data"));
        call.data = uintptr_t(std::strtoull(field(rest, "data", "imc").c_str(), nullptr, 10));
        call.callerHasImeContext = field(rest, "imc", "") == "1";
        calls.push_back(call);
    }
    return calls;
}

HWND waitForMessageBox(const Program& program, DWORD timeoutMs) {
    HWND box = nullptr;
    waitFor(
        [&] {
            box = findWindow(program.process.dwProcessId, kDialogClass);
            return box != nullptr || processEnded(program);
        },
        timeoutMs);
    return box;
}

std::wstring windowText(HWND window) {
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, kTextTimeoutMs, &length)) return {};
    std::wstring text(size_t(length) + 1, L'\0');
    DWORD_PTR copied = 0;
    if (!SendMessageTimeoutW(window, WM_GETTEXT, WPARAM(text.size()), reinterpret_cast<LPARAM>(&text[0]),
                             SMTO_ABORTIFHUNG, kTextTimeoutMs, &copied))
        return {};
    text.resize(std::min<size_t>(size_t(copied), size_t(length)));
    return text;
}

std::vector<std::wstring> childTexts(HWND dialog, const wchar_t* childClass) {
    struct Search {
        const wchar_t* childClass;
        std::vector<std::wstring> texts;
    } search{childClass, {}};
    EnumChildWindows(
        dialog,
        [](HWND child, LPARAM data) -> BOOL {
            auto& s = *reinterpret_cast<Search*>(data);
            if (CompareStringOrdinal(className(child).c_str(), -1, s.childClass, -1, TRUE) == CSTR_EQUAL) {
                std::wstring text = windowText(child);
                if (!text.empty()) s.texts.push_back(std::move(text));
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.texts;
}

void answer(HWND dialog, int buttonId) {
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(buttonId, BN_CLICKED), 0);
}

void dismiss(HWND dialog) {
    answer(dialog, IDOK);
}

std::wstring pathIn(const Program& program, const std::wstring& name) {
    return join(program.folder, name);
}

bool readFile(const std::wstring& path, std::vector<uint8_t>& bytes) {
    bytes.clear();
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    bool ok = true;
    uint8_t buffer[65536];
    for (;;) {
        DWORD got = 0;
        if (!ReadFile(file, buffer, sizeof buffer, &got, nullptr)) {
            ok = false;
            break;
        }
        if (got == 0) break;
        bytes.insert(bytes.end(), buffer, buffer + got);
    }
    CloseHandle(file);
    return ok;
}

bool writeFile(const std::wstring& path, const std::vector<uint8_t>& bytes) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    const bool ok = bytes.empty() || (WriteFile(file, bytes.data(), DWORD(bytes.size()), &written, nullptr) &&
                                      written == bytes.size());
    return CloseHandle(file) && ok;
}

}  // namespace driver
