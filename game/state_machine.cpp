// The game thread's loop. Each step stores its successor before its work, so
// that a request the UI thread stores while the work runs survives it; the
// successor is only stored while GameState still holds the value the loop read.
#include "game/state_machine.h"

#include "display/canvas.h"
#include "display/name_field.h"
#include "display/pacer.h"
#include "display/screens.h"
#include "game/game_state.h"
#include "game/input_rules.h"
#include "game/message_text.h"
#include "game/stage_steps.h"
#include "game/results.h"
#include "game/save_request.h"
#include "game/typewriter.h"

const wchar_t kHintConfirm[] = L"\n右クリックで確定";
const wchar_t kHintReplay[] = L"\n右クリックでもう一度再生";

namespace {

// The hold after a screen, unless a request arrived while it was drawn.
int holdIfStill(int32_t successor, int holdMs, int otherwiseMs) {
    return gameState.load() == successor ? holdMs : otherwiseMs;
}

// Stores a step's successor over the state the loop read: the successor, or
// kNoSuccessor when a request was stored first.
int32_t storeSuccessor(int32_t read, int32_t successor) {
    return replaceGameState(read, successor) ? successor : kNoSuccessor;
}

int titleStep(Window window) {
    replaceGameState(kStateTitle, kStateRanking);
    setMessageText(window, L"");  // the last game's messages are gone from the screen
    showTitleScreen(window);
    return holdIfStill(kStateRanking, kScreenHoldMs, 0);
}

int rankingStep(Window window) {
    replaceGameState(kStateRanking, kStateTitle);
    showRankingScreen(window);
    return holdIfStill(kStateTitle, kScreenHoldMs, 0);
}

int stageClearedStep(Window window) {
    clearStage(window, storeSuccessor(kStateStageCleared, kStateNextQuestion));
    return kVerdictHoldMs;
}

int nextQuestionStep(Window window) {
    beginRequestedGame();
    session.replayCount = 0;
    session.noteCount = 0;
    ++session.questionCount;
    presentQuestion(window);
    return kShortWaitMs;
}

int hintStep(Window window) {
    replaceGameState(kStateHintDue, kStateWaitingAnswer);
    const bool confirm = firstMarkedKey() >= 0 || session.replayCount.load() >= kMaxReplays;
    const wchar_t* hint = confirm ? kHintConfirm : kHintReplay;
    clearHintLine();
    setMessageText(window, hint + 1);  // without the newline that puts it on the second line
    typeText(window, hint);
    return kShortWaitMs;
}

int judgeStep(Window window) {
    const int judged = ++session.orderIndex;
    const int32_t successor = judged >= kOrdersPerStage ? kStateStageCleared : kStateNextQuestion;
    judgeAnswer(window, storeSuccessor(kStateJudge, successor));
    return kVerdictHoldMs;
}

int celebrationStep(Window window) {
    playCelebration(window, session.randomSeed);
    // A new game asked for meanwhile abandons this one, as during any other
    // step of a game; a quit stays for the closing window.
    replaceGameState(kStateCelebration, kStateResults);
    return kCelebrationWaitMs;
}

int resultsStep(Window window) {
    replaceGameState(kStateResults, kStateTitle);
    showResults(window);
    return holdIfStill(kStateTitle, kResultsHoldMs, kShortWaitMs);
}

int nameEnteredStep(Window window) {
    removeNameCaret();
    replaceGameState(kStateNameEntered, kStateTitle);
    commitEntry();
    requestSave(window);
    return kShortWaitMs;
}

}  // namespace

int runStep(Window window, int32_t state) {
    switch (state) {
    case kStateTitle: return titleStep(window);
    case kStateRanking: return rankingStep(window);
    case kStateStageCleared: return stageClearedStep(window);
    case kStateNextQuestion: return nextQuestionStep(window);
    case kStateHintDue: return hintStep(window);
    case kStateJudge: return judgeStep(window);
    case kStateCelebration: return celebrationStep(window);
    case kStateResults: return resultsStep(window);
    case kStateNameEntered: return nameEnteredStep(window);
    default: return kShortWaitMs;  // starting, waiting, name entry, anything unknown: no transition
    }
}

void slicedWait(int ms) {
    const int32_t reference = gameState.load();
    Pacer pacer;
    while (ms > 0) {
        pacer.pause(kWaitSliceMs);
        ms -= kWaitSliceMs;
        if (gameState.load() != reference) return;
    }
}

void requestQuit() {
    int32_t state = gameState.load();
    // A step finishing meanwhile may store its successor; the next call stores kStateQuit over it.
    if (state != kStateQuit && state != kStateNameEntered) gameState.compare_exchange_strong(state, kStateQuit);
}

void runGameLoop(Window window) {
    replaceGameState(kStateStarting, kStateTitle);
    prepareCanvas(window);
    for (;;) {
        const int32_t state = gameState.load();
        if (state == kStateQuit) return;
        slicedWait(runStep(window, state));
    }
}
