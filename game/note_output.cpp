// Sounding the current question.
#include "game/note_output.h"

#include "base/sleep.h"
#include "game/game_state.h"

void playQuestion(int durationMs) {
    const int count = session.noteCount.load();
    if (count <= 0 || count > kMaxQuestionNotes) return;
    // Back to back, so that a chord sounds as one.
    for (int i = 0; i < count; ++i) sendMidiMessage(noteOnMessage(session.questionNotes[i].load()));
    sleepMs(durationMs);
    for (int i = 0; i < count; ++i) sendMidiMessage(noteOffMessage(session.questionNotes[i].load()));
}
