// The steps of a running game. The status boxes, the keyboard, the judging and
// the stage messages arrive with the keyboard view; until then the steps keep
// the game's counters and states moving as a game would, and every question
// is real.
#include "game/orders.h"

#include "display/canvas.h"
#include "game/game_state.h"
#include "game/note_output.h"
#include "game/platform.h"
#include "game/questions.h"

// Pause between the question screen and the question's notes.
constexpr int kQuestionLeadInMs = 1000;

const wchar_t* const instructionTexts[kStageCount] = {
    L"次の１音を聞き，該当する鍵盤をクリックせよ。", L"次の１音を聞き，該当する鍵盤をクリックせよ。",
    L"次の２音を聞き，該当する鍵盤をクリックせよ。", L"次の３音を聞き，該当する鍵盤をクリックせよ。",
    L"次の２音を聞き，該当する鍵盤をクリックせよ。", L"次の３音を聞き，該当する鍵盤をクリックせよ。",
    L"次の音を聞き，該当する鍵盤をクリックせよ。",   L"次の音を聞き，該当する鍵盤をクリックせよ。",
};

void presentQuestion(Window window) {
    const int32_t stage = session.stageIndex;
    if (stage < 0 || stage >= kStageCount) return;
    int32_t low, high;
    questionRange(stage, low, high);
    session.lowNote = low;
    session.highNote = high;
    for (auto& key : session.selectedKeys) key = 0;

    fillBackground(window);
    drawPanel(kMessageLeft, kMessageTop, kMessageRight, kMessageBottom);
    if (typeText(window, instructionTexts[stage]) == 0) return;  // quitting
    presentCanvas(window, 0, 0);
    generateQuestion();
    // From here on the player may mark keys and confirm.
    replaceGameState(kStateNextQuestion, kStateHintDue);
    sleepMs(kQuestionLeadInMs);
    playQuestion(kQuestionSoundMs);
}

void judgeAnswer(Window) {}

void clearStage(Window) {
    if (++session.stageIndex >= kStageCount) {
        gameState = kStateCelebration;
        return;
    }
    session.orderIndex = 0;
    session.stageMisses = 0;
}
