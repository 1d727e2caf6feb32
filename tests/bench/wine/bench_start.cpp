// Start-up, the start command and the cost of waiting: VARLO.EXE launched
// again and again beside the minimal window, while one of each sits idle.
#include "bench_phases.h"
#include "bench_title.h"
#include "bench_idle.h"

#include <cstdlib>

#include "resources/resource.h"
#include "screen_images.h"

namespace bench {
namespace {

constexpr wchar_t kVarloClass[] = L"VarloEarGame";
constexpr wchar_t kMinimalClass[] = L"VarloBenchMinimal";
constexpr wchar_t kMinimalProgram[] = L"varlo_minimal_window.exe";
constexpr DWORD kStartTimeoutMs = 20000;

bool allBlack(const driver::Capture& c) {
    return c.width == kCanvasWidth && c.height == kCanvasHeight && blackIn(c, RECT{0, 0, c.width, c.height});
}

// The window of a process just started, looked for without pause.
HWND windowOf(DWORD processId, const wchar_t* className) {
    return waitForWindowOf(processId, className, kStartTimeoutMs);
}

// Out of the way of the windows launched meanwhile, which open near the top left.
void moveAside(HWND window, int top) {
    SetWindowPos(window, nullptr, 640, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

struct Launcher {
    explicit Launcher(StartSamples& samples) : out(samples) {}
    StartSamples& out;
    const TitleTiles title;
    std::wstring folder = driver::makeScratchFolder(L"bench-start");

    bool varlo() {
        driver::Program program;
        program.folder = folder;
        const double begin = driver::nowMs();
        if (!driver::start(program)) return false;
        program.window = windowOf(program.process.dwProcessId, kVarloClass);
        Shot frame, tile, whole, question;
        bool ok = program.window != nullptr && shootUntil(program.window, frame, allBlack, kStartTimeoutMs) &&
                  shootUntil(program.window, tile, [&](const driver::Capture& c) { return title.firstFrameSeen(c); },
                             kStartTimeoutMs) &&
                  shootUntil(program.window, whole, [&](const driver::Capture& c) { return title.whole(c); },
                             kStartTimeoutMs, 5);
        if (ok) {
            out.firstFrame.add(frame.at - begin);
            out.firstTile.add(tile.at - begin);
            // The title holds: the start is taken within a slice of the hold's
            // wait. It comes at a random point of a slice, not right as the hold begins.
            Sleep(DWORD(std::rand() % 1000));
            const double chosen = driver::nowMs();
            driver::command(program.window, IDM_START);
            ok = shootUntil(program.window, question, [](const driver::Capture& c) {
                return images::hatchedAt(c, 2, 245) && images::hatchedAt(c, 2, 100);
            }, kStartTimeoutMs);
            if (ok) out.startToQuestion.add(question.at - chosen);
        }
        driver::terminate(program);
        return ok;
    }

    bool minimal() {
        Helper helper;
        const double begin = driver::nowMs();
        if (!startHelper(helper, kMinimalProgram, L"")) return false;
        const HWND window = windowOf(helper.process.dwProcessId, kMinimalClass);
        Shot frame;
        const bool ok = window != nullptr && shootUntil(window, frame, allBlack, kStartTimeoutMs);
        if (ok) out.minimalFirstFrame.add(frame.at - begin);
        finish(helper, 0);
        return ok;
    }
};

}  // namespace

bool measureStartAndIdle(int launches, int idleSeconds, StartSamples& start, IdleFigures& idle) {
    // The idle pair first, out of the way of the launches.
    driver::Program idleVarlo;
    idleVarlo.folder = driver::makeScratchFolder(L"bench-idle");
    Helper idleMinimal;
    if (idleVarlo.folder.empty() || !driver::start(idleVarlo) || driver::waitForWindow(idleVarlo) == nullptr ||
        !startHelper(idleMinimal, kMinimalProgram, L"")) {
        printNote("idle: the programs did not start");
        driver::terminate(idleVarlo);
        finish(idleMinimal, 0);
        return false;
    }
    const HWND minimalWindow = windowOf(idleMinimal.process.dwProcessId, kMinimalClass);
    moveAside(idleVarlo.window, 680);
    if (minimalWindow != nullptr) moveAside(minimalWindow, 340);
    IdleMeter meter(idleVarlo.process, idleMinimal.process, L"bench-idle", L"varlo_minimal_window");

    std::srand(unsigned(GetTickCount()));
    Launcher launcher(start);
    bool ok = launcher.title.valid() && !launcher.folder.empty();
    for (int i = 0; i < launches && ok; ++i) ok = launcher.varlo() && launcher.minimal();
    if (!ok) printNote("start-up: a launch did not show what was expected");

    while (meter.seconds() < idleSeconds) Sleep(100);
    idle = meter.figures();
    driver::terminate(idleVarlo);
    finish(idleMinimal, 0);
    return ok;
}

}  // namespace bench
