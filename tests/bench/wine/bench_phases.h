// The parts of a benchmark run. Each drives VARLO.EXE (and its references)
// and gathers samples; bench_main.cpp turns them into the report.
#ifndef VARLO_TESTS_BENCH_WINE_BENCH_PHASES_H
#define VARLO_TESTS_BENCH_WINE_BENCH_PHASES_H

#include "bench_support.h"
#include "display/show_effects.h"
#include "game/state_machine.h"

namespace bench {

// Pauses between the first and the last frame seen of each measured span.
constexpr int kDissolvePauses = 62;     // the dissolve's 63 frames each follow a pause
constexpr int kSlidePauses = 29;        // frame 0 of the slide shows no row yet
constexpr int kCelebrationPauses = 79;  // 80 frames
constexpr int kTypedLinePauses = 20;    // the last stage's instruction has 21 characters
// The dissolve's first frame to the slide's first rows (its frame 1): the
// dissolve's pauses, the title's hold and the slide's first pause.
constexpr int kTitleHoldScheduleMs = kDissolvePauses * kShowFramePauseMs + kScreenHoldMs + kShowFramePauseMs;

// The pacing seen on the screen: each sample is the span from the first to
// the last frame, scaled to the pauses above when a frame was missed.
struct ShowSamples {
    Samples dissolve, slide;
    Samples titleHold;  // from the dissolve's first frame to the slide's frame 1
};
// Watches the title and the ranking alternate after a launch, for `cycles`
// of each (about 26 s a cycle).
bool measureShows(int cycles, ShowSamples& out);

struct GameSamples {
    Samples typedLine;     // first to last character of the instruction, scaled to kTypedLinePauses
    Samples leadIn;        // keyboard seen to the question's first note-on
    Samples questionNotes; // last note-on to first note-off of the question
    Samples judgingNotes;  // the same for the judging sound
    Samples celebration;   // first to last frame
    Samples clickToPink;   // left click posted to the key seen pink
    Samples replayToNote;  // right click posted to the replay's first note-on
    Samples soundEndToVerdict;  // the judging sound's last note-off to the verdict seen
    int unseenMarks = 0;   // clicked keys that did not turn pink within a second
};
// Plays `games` games of the last stage (ten orders each, about 100 s), one
// replay an order, every key of the question marked with a click of its own.
bool measureGames(int games, GameSamples& out);

struct StartSamples {
    Samples firstFrame, firstTile;  // CreateProcess to the first black frame, to the title's first tile
    Samples minimalFirstFrame;      // the same for the minimal window
    Samples startToQuestion;        // the start command during the title's hold to the question screen
};
struct IdleFigures {
    double seconds = 0;
    double varloCpuPercent = 0, minimalCpuPercent = 0;       // of one core
    double varloWorkingSetMb = 0, minimalWorkingSetMb = 0;   // at the end
    double varloPeakMb = 0, minimalPeakMb = 0;
    std::string source;  // where the figures came from
};
// Launches VARLO.EXE and the minimal window `launches` times each, while a
// VARLO.EXE and a minimal window started first sit idle for `idleSeconds`.
bool measureStartAndIdle(int launches, int idleSeconds, StartSamples& start, IdleFigures& idle);

}  // namespace bench

#endif
