// Sounding the current question.
#include "game/note_output.h"

#include <atomic>

#include "base/sleep.h"
#include "game/game_state.h"

namespace {

std::atomic<bool> reopenAllowed{false};    // once per sounding
std::atomic<bool> failureReported{false};  // once per run

void send(uint32_t message) {
    if (sendMidiMessage(message) == 0 || !reopenAllowed.exchange(false)) return;
    unsigned result = reopenMidiOutput();
    if (result == 0) result = sendMidiMessage(message);
    if (result != 0 && !failureReported.exchange(true)) reportMidiFailure(result);
}

}  // namespace

void playQuestion(int durationMs) {
    const int count = session.noteCount.load();
    if (count <= 0 || count > kMaxQuestionNotes) return;
    reopenAllowed = true;
    // Back to back, so that a chord sounds as one.
    for (int i = 0; i < count; ++i) send(noteOnMessage(session.questionNotes[i].load()));
    sleepMs(durationMs);
    for (int i = 0; i < count; ++i) send(noteOffMessage(session.questionNotes[i].load()));
}
