// The state shared by the UI thread and the game thread: GameState and the
// running game's variables. Both threads touch these without locks, so every
// field is atomic; the game thread polls GameState and the UI thread only
// stores requests into it and records input.
#ifndef VARLO_GAME_GAME_STATE_H
#define VARLO_GAME_GAME_STATE_H

#include <atomic>
#include <cstdint>

// Values of GameState.
enum : int32_t {
    kStateTitle = 0,           // title screen due
    kStateRanking = 1,         // ranking screen due
    kStateStarting = 2,        // window made, game thread not yet running
    kStateStageCleared = 3,    // tenth order of a stage judged
    kStateNextQuestion = 4,    // next question due
    kStateWaitingAnswer = 5,   // waiting for the player's answer
    kStateHintDue = 7,         // answer or question changed: retype the hint line
    kStateJudge = 8,           // answer submitted
    kStateCelebration = 9,     // all eight stages cleared
    kStateResults = 10,        // game over: results screen
    kStateNameEntry = 11,      // typing a name for the ranking
    kStateNameEntered = 12,    // name typed: store the row
    kStateQuit = 13,           // the game thread ends
};

constexpr int kStageCount = 8;
constexpr int kOrdersPerStage = 10;
constexpr int kMaxReplays = 3;
constexpr int kMaxQuestionNotes = 8;
constexpr int kMidiNoteCount = 128;

extern std::atomic<int32_t> gameState;

// The stage a start request from the window asked for, or kNoStartRequest.
// The UI thread stores it just before kStateNextQuestion; the game thread takes it at
// its next question step and begins the new game there.
constexpr int32_t kNoStartRequest = -1;
extern std::atomic<int32_t> requestedStage;

// Stores `next` only if GameState still holds `expected`: a request the UI
// thread stores in between survives.
inline bool replaceGameState(int32_t expected, int32_t next) {
    return gameState.compare_exchange_strong(expected, next);
}

struct GameSession {
    std::atomic<int32_t> stageIndex;     // 0..7, shown as 1..8; 8 once the last stage is cleared
    std::atomic<int32_t> orderIndex;     // orders judged in this stage, 0..10
    std::atomic<int32_t> lowNote;        // lowest note of the stage's keyboard
    std::atomic<int32_t> highNote;       // highest note of the stage's keyboard
    std::atomic<int32_t> score;
    std::atomic<int32_t> replayCount;    // replays asked for this question, 0..3
    std::atomic<int32_t> stageMisses;    // wrong answers in this stage
    std::atomic<int32_t> missTotal;      // wrong answers in the game
    std::atomic<int32_t> questionCount;  // questions asked in the game
    std::atomic<int32_t> noteCount;      // notes in the question; 0 while one is prepared
    std::atomic<int32_t> questionNotes[kMaxQuestionNotes];
    std::atomic<uint8_t> selectedKeys[kMidiNoteCount];  // 1 = marked by the player
    uint32_t randomSeed = 1234;          // generator state; game thread only after start-up
};

extern GameSession session;

// Lowest marked note, or -1 when no key is marked.
int firstMarkedKey();

#endif
