// The title dissolve and the ranking slide as the player sees them, timed from
// the first frame seen to the last, and the title's hold with its dissolve,
// from the dissolve's first frame to the slide's first rows.
#include "bench_phases.h"
#include "bench_title.h"

#include "display/show_effects.h"
#include "screen_images.h"

namespace bench {
namespace {

constexpr DWORD kShowTimeoutMs = 20000;
constexpr double kHoldMs = kScreenHoldMs;
// Captures are taken back to back while a show is due and every 50 ms while
// a screen holds, so that the polling does not crowd the game out of the CPUs.
constexpr DWORD kHoldPollMs = 50;
constexpr double kWakeBeforeMs = 600;

// Polls slowly until shortly before `due`.
void idleUntil(double due) {
    while (driver::nowMs() < due - kWakeBeforeMs) Sleep(kHoldPollMs);
}

}  // namespace

bool measureShows(int cycles, ShowSamples& out) {
    const TitleTiles title;
    if (!title.valid()) {
        printNote("shows: the title picture cannot be read from VARLO.EXE");
        return false;
    }
    driver::Program program;
    program.folder = driver::makeScratchFolder(L"bench-shows");
    if (program.folder.empty() || !driver::start(program) || driver::waitForWindow(program) == nullptr) {
        printNote("shows: VARLO.EXE did not start");
        driver::terminate(program);
        return false;
    }
    const HWND window = program.window;
    bool ok = true;
    for (int cycle = 0; cycle < cycles && ok; ++cycle) {
        // The dissolve: from its first frame (the first launch's dissolve too) to the whole title.
        Shot first, last;
        ok = shootUntil(window, first, [&](const driver::Capture& c) { return title.firstFrameSeen(c); }, kShowTimeoutMs) &&
             shootUntil(window, last, [&](const driver::Capture& c) { return title.whole(c); }, kShowTimeoutMs);
        if (!ok) break;
        // A frame-1 tile already there means the first frame was missed.
        const bool firstFrameSeen = !title.secondFrameSeen(first.pixels);
        const double dissolveStart = first.at;
        if (firstFrameSeen) out.dissolve.add(last.at - first.at);

        // The ranking slides up twelve seconds later: from its first rows to its whole screen.
        idleUntil(last.at + kHoldMs);
        ok = shootUntil(window, first, [](const driver::Capture& c) { return images::firstHatchedRow(c) < c.height; },
                        kShowTimeoutMs) &&
             shootUntil(window, last, [](const driver::Capture& c) { return images::firstHatchedRow(c) == 0; },
                        kShowTimeoutMs);
        if (!ok) break;
        // The frame first seen, from the row its top stood at.
        const int top = images::firstHatchedRow(first.pixels);
        int frame = 0;
        while (frame < kSlideFrames - 1 && slideOffset(frame) > top) ++frame;
        const int pauses = kSlideFrames - 1 - frame;
        if (pauses > 0) out.slide.add((last.at - first.at) * kSlidePauses / pauses);
        // Slide frames seen late are taken off at their nominal 20 ms each.
        if (firstFrameSeen && frame > 0) out.titleHold.add(first.at - dissolveStart - (frame - 1) * kShowFramePauseMs);
        idleUntil(last.at + kHoldMs);
    }
    if (!ok) printNote("shows: a show did not come within 20 s");
    driver::terminate(program);
    return ok;
}

}  // namespace bench
