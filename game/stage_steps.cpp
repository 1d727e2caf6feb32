// The steps of a running game: presenting a question, judging the answer and
// clearing a stage, with the status boxes of the question screen.
#include "game/stage_steps.h"

#include <string>
#include <vector>

#include "base/note_names.h"

#include "base/platform.h"
#include "base/sleep.h"
#include "display/canvas.h"
#include "display/keyboard.h"
#include "display/keyboard_layout.h"
#include "display/palette.h"
#include "game/computer_keys.h"
#include "game/game_state.h"
#include "game/message_text.h"
#include "game/history_record.h"
#include "game/note_output.h"
#include "game/questions.h"
#include "game/stage_rules.h"
#include "game/typewriter.h"

namespace {

constexpr int kMissesAllowed = 3;  // per stage; the next one ends the game

void drawStatusBox(uint32_t colour, const std::wstring& text, const CanvasRect& box) {
    setTextColour(colour);
    drawBoxedText(text.c_str(), box);
}

// The number right-aligned in `width` places, as "%5d" gives it.
std::wstring padded(int value, size_t width) {
    std::wstring digits = std::to_wstring(value);
    if (digits.size() < width) digits.insert(0, width - digits.size(), L' ');
    return digits;
}

// `next` in place of the successor the game thread stored, unless a request took its place.
void replaceSuccessor(int32_t successor, int32_t next) {
    if (successor != kNoSuccessor) replaceGameState(successor, next);
}

}  // namespace

const wchar_t kCorrectVerdict[] = L"正解！";
const wchar_t kMissVerdict[] = L"ミス！";

std::wstring spokenVerdict(bool correct, const std::vector<int>& notes) {
    const std::string names = noteNames(notes);
    return std::wstring(correct ? kCorrectVerdict : kMissVerdict) + (correct ? L" " : L" 正解は ") +
           std::wstring(names.begin(), names.end());
}

void drawStageBox() { drawStatusBox(kStageBoxColour, L"ステージ" + std::to_wstring(session.stageIndex + 1), kStageBox); }
void drawOrderBox() { drawStatusBox(kOrderBoxColour, L"指令" + std::to_wstring(session.orderIndex + 1), kOrderBox); }
void drawMissesBox() {
    drawStatusBox(kMissesBoxColour, L"ミス残り" + std::to_wstring(kMissesAllowed - session.stageMisses) + L"回", kMissesBox);
}
void drawScoreBox() { drawStatusBox(kScoreBoxColour, L"得点" + padded(session.score, 5), kScoreBox); }

void presentQuestion(Window window) {
    const int32_t stage = session.stageIndex;
    if (stage < 0 || stage >= kStageCount) return;
    int32_t low, high;
    questionRange(stage, low, high);
    session.lowNote = low;
    session.highNote = high;
    for (auto& key : session.selectedKeys) key = 0;

    fillBackground(window);
    drawStageBox();
    drawOrderBox();
    drawMissesBox();
    drawScoreBox();
    drawPanel(kMessageArea);
    setMessageText(window, rulesOf(stage).instruction);
    if (!typeText(window, rulesOf(stage).instruction)) return;  // quitting
    // A keyboard that cannot be drawn leaves kStateNextQuestion: the step comes again.
    if (!drawKeyboard(window, rulesOf(stage).keyboard)) return;
    placeComputerKeys(session.orderIndex == 0);
    presentCanvas(window, 0, 0);
    generateQuestion();
    // From here on the player may mark keys and confirm.
    replaceGameState(kStateNextQuestion, kStateHintDue);
    sleepMs(kQuestionLeadInMs);
    playQuestion(kQuestionSoundMs);
    noteQuestionSounded();
}

void judgeAnswer(Window window, int32_t successor) {
    const int stage = session.stageIndex;
    const int noteCount = session.noteCount;
    const int shown = noteCount < 0 ? 0 : noteCount > kMaxQuestionNotes ? kMaxQuestionNotes : noteCount;
    bool correct = true;
    std::vector<int> notes;

    // Every note of the question turns green, marked or not.
    const Brush answerBrush = createSolidBrush(kAnswerKeyColour);
    for (int i = 0; i < shown; ++i) {
        const int note = session.questionNotes[i];
        if (note < 0 || note >= kMidiNoteCount) {
            correct = false;
            continue;
        }
        notes.push_back(note);
        const Key key = noteKey(note);
        fillKey(key, rulesOf(stage).keyboard, answerBrush);
        if (session.selectedKeys[note] == 0) correct = false;
    }
    int marked = 0;
    for (const auto& key : session.selectedKeys) marked += key != 0 ? 1 : 0;
    if (marked != noteCount) correct = false;
    deleteBrush(answerBrush);
    presentCanvas(window, 0, 0);

    playQuestion(kJudgeSoundMs);
    drawVerdict(correct ? kCorrectVerdict : kMissVerdict);
    setMessageText(window, spokenVerdict(correct, notes));

    const int points = correct ? (stage + 1) * (stage + 1) : 0;
    bool gameOver = false;
    if (correct) {
        session.score += points;
        drawScoreBox();
    } else {
        ++session.missTotal;
        gameOver = ++session.stageMisses > kMissesAllowed;
        if (gameOver) {
            // Game over; the misses box keeps showing none left.
            replaceSuccessor(successor, kStateResults);
        } else {
            drawMissesBox();
        }
    }
    const bool lastOrder = stage == kStageCount - 1 && session.orderIndex >= kOrdersPerStage;
    requestHistoryLine(window, judgedOrder(notes, correct, points, gameOver || lastOrder));
    presentCanvas(window, 0, 0);
}

void clearStage(Window window, int32_t successor) {
    std::wstring message = L"ステージ" + std::to_wstring(session.stageIndex + 1) + L"を" +
                           (session.stageMisses == 0 ? L"パーフェクトで" : L"") + L"クリアした。";
    if (++session.stageIndex >= kStageCount) {
        replaceSuccessor(successor, kStateCelebration);
    } else {
        message += L"\nでは，次のステージに進む。";
        session.orderIndex = 0;
        session.stageMisses = 0;
    }
    // Over the message area of the last question's screen; the rest stays.
    drawPanel(kMessageArea);
    setMessageText(window, message);
    typeText(window, message.c_str());
}
