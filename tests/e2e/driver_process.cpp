// The program's process and its scratch folder: the folder made from the built
// files, the environment the doubles read, start, the main window, the end.
// Paths handed in through the environment are Linux paths; under Wine the Z:
// drive is the Linux root, so "/a/b" is "Z:\a\b".
#include "driver_internal.h"

#include <algorithm>
#include <cstring>

namespace driver {
namespace {

constexpr wchar_t kWindowClass[] = L"VarloEarGame";
constexpr wchar_t kExeName[] = L"VARLO.EXE";
// Copied from beside VARLO.EXE when present; the program looks for it there.
constexpr wchar_t kHelpFile[] = L"VARLO.CHM";
const wchar_t* const kDoubles[] = {L"winmm.dll", L"hhctrl.ocx"};

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

}  // namespace

std::wstring join(const std::wstring& folder, const std::wstring& name) {
    return folder.empty() || folder.back() == L'\\' ? folder + name : folder + L"\\" + name;
}

std::wstring className(HWND window) {
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    return name;
}

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
    const std::wstring midiInput = join(program.folder, kMidiInput);
    const std::wstring keyboards = join(program.folder, kMidiKeyboards);
    DeleteFileW(midiInput.c_str());
    DeleteFileW(keyboards.c_str());
    std::vector<std::wstring> settings = {
        L"VARLO_MIDI_LOG=" + midiLog,
        L"VARLO_MIDI_DEVICES=" + std::to_wstring(midi.deviceCount),
        L"VARLO_MIDI_OPEN_ERROR=" + std::to_wstring(midi.openError),
        L"VARLO_MIDI_IN_DEVICES=" + std::to_wstring(midi.inputCount),
        L"VARLO_MIDI_IN_OPEN_ERROR=" + std::to_wstring(midi.inputOpenError),
        L"VARLO_MIDI_INPUT=" + midiInput,
        L"VARLO_MIDI_IN_DEVICES_FILE=" + keyboards,
        L"VARLO_MIDI_SENDS_FAIL_FROM=" + std::to_wstring(midi.sendsFailFrom),
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

}  // namespace driver
