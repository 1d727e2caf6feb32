// The one GameState and GameSession of the run.
#include "game/game_state.h"

std::atomic<int32_t> gameState{kStateTitle};
std::atomic<int32_t> requestedStage{kNoStartRequest};

// Static storage: every counter starts at zero.
GameSession session;

int firstMarkedKey() {
    for (int note = 0; note < kMidiNoteCount; ++note) {
        if (session.selectedKeys[note].load() != 0) return note;
    }
    return -1;
}
