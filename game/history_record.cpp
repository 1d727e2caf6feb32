// The running game's part of each history line.
#include "game/history_record.h"

#include <algorithm>
#include <atomic>

#include "base/sleep.h"
#include "game/game_state.h"
#include "records/local_date.h"

static_assert(kHistoryStages == kStageCount && kHistoryOrders == kOrdersPerStage && kHistoryReplays == kMaxReplays &&
                  kHistoryNotes == kMidiNoteCount,
              "the history's columns hold the game's stages, orders, replays and notes");

namespace {

// The game thread's own: the game's number in this run and its first stage (1..8).
int32_t runGame = 0;
int32_t firstStage = 1;
int64_t soundedAtMs = 0;
// Stored by the UI thread just before it asks for the judgement.
std::atomic<int64_t> confirmedAtMs{0};

}  // namespace

void beginHistoryGame(int stage) {
    ++runGame;
    firstStage = stage + 1;
}

void noteQuestionSounded() { soundedAtMs = monotonicMs(); }

void noteConfirm() { confirmedAtMs = monotonicMs(); }

JudgedOrder judgedOrder(const std::vector<int>& asked, bool correct, int points, bool endsGame) {
    JudgedOrder order{};
    HistoryLine& line = order.line;
    line.time = localDate();
    line.game = runGame;
    line.firstStage = firstStage;
    line.stage = session.stageIndex + 1;
    line.order = session.orderIndex;
    for (const int note : asked) line.asked.set(size_t(note));
    for (int note = 0; note < kMidiNoteCount; ++note)
        if (session.selectedKeys[note].load() != 0) line.marked.set(size_t(note));
    line.replays = session.replayCount;
    // A confirm while the notes still sounded took no time after them.
    line.answerMs = std::clamp<int64_t>(confirmedAtMs.load() - soundedAtMs, 0, kLongestAnswerMs);
    line.correct = correct;
    line.points = points;
    order.endsGame = endsGame;
    return order;
}
