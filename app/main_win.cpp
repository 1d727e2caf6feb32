// Entry point: start-up, the message loop and the release of everything at the end.
#include "app/app_win.h"

#include <mmsystem.h>
#include <objbase.h>

#include <string>

#include "app/history_win.h"
#include "app/paths.h"
#include "app/statistics_win.h"
#include "display/canvas_win.h"
#include "game/game_state.h"
#include "game/midi_in_win.h"
#include "game/midi_out_win.h"
#include "records/history_file.h"
#include "resources/resource.h"

HINSTANCE instance = nullptr;  // the module handle of base/module_win.h
HWND mainWindow = nullptr;
wchar_t saveFilePath[MAX_PATH] = L"VARLO.DAT";
wchar_t helpFilePath[MAX_PATH] = L"VARLO.CHM";

namespace {

bool timerResolutionHeld = false;  // touched by the UI thread only

// Completes `path` (a bare file name) with `directory`; keeps the bare name if
// the whole path would not fit.
void placeBeside(const std::wstring& directory, wchar_t (&path)[MAX_PATH]) {
    const std::wstring full = directory + path;
    if (full.size() >= MAX_PATH) return;
    full.copy(path, full.size());
    path[full.size()] = L'\0';
}

void buildFilePaths() {
    wchar_t module[MAX_PATH];
    const DWORD length = GetModuleFileNameW(nullptr, module, MAX_PATH);
    std::wstring directory;
    if (length == 0 || length >= MAX_PATH) {  // failed, or truncated
        showError(nullptr, L"実行ファイルのパスを取得できません。");
    } else {
        directory = directoryPart(std::wstring(module, length));
    }
    placeBeside(directory, saveFilePath);
    placeBeside(directory, helpFilePath);
    placeBeside(directory, historyFilePath);
}

// Returns false when the program must end (the MIDI output cannot be opened).
bool initApplication() {
    initHelp();
    buildFilePaths();
    const UINT midiResult = openMidiOutput();
    if (midiResult != 0) {
        showMidiError(nullptr, midiResult);
        return false;
    }
    session.randomSeed = GetTickCount();
    uiFont = createGameFont(kUiFontHeight);
    loadRecords();
    return true;
}

void cleanupApplication() {
    closeMidiInput();
    closeMidiOutput();
    closeHistory();
    DeleteObject(uiFont);
    uiFont = nullptr;
    shutDownHelp();
}

int runMessageLoop() {
    const HACCEL accelerators = LoadAcceleratorsW(instance, MAKEINTRESOURCEW(IDR_ACCELERATORS));
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (helpTakesMessage(&message)) continue;
        if (TranslateAcceleratorW(mainWindow, accelerators, &message)) continue;
        if (statisticsTakesMessage(&message)) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return static_cast<int>(message.wParam);
}

int runApplication(HINSTANCE previousInstance, int showCommand) {
    if (!initApplication()) return 0;
    if (previousInstance == nullptr && !registerMainWindowClass()) {
        showError(nullptr, L"実行できません。");
        return 0;
    }
    const HWND window = createMainWindow(windowLeft, windowTop, showCommand);
    if (window == nullptr) {
        showError(nullptr, L"実行できません。");
        return 0;
    }
    openMidiInput(window);  // its messages need the window
    reportMidiFailuresTo(window);
    const int exitCode = runMessageLoop();
    cleanupApplication();
    return exitCode;
}

}  // namespace

void releaseTimerResolution() {
    if (timerResolutionHeld) timeEndPeriod(1);
    timerResolutionHeld = false;
}

int WINAPI wWinMain(HINSTANCE thisInstance, HINSTANCE previousInstance, PWSTR, int showCommand) {
    instance = thisInstance;
    timerResolutionHeld = timeBeginPeriod(1) == TIMERR_NOERROR;
    // The UI thread's apartment, for the screen readers' annotation of the
    // message label and the shell's opening of the history's folder; it
    // outlives the help system, which may use it too.
    const bool comStarted = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE));
    const int exitCode = runApplication(previousInstance, showCommand);
    releaseTimerResolution();
    if (comStarted) CoUninitialize();
    return exitCode;
}
