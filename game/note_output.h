// Sounding a question: every note struck at once on channel 1, held, released together.
#ifndef VARLO_GAME_NOTE_OUTPUT_H
#define VARLO_GAME_NOTE_OUTPUT_H

#include <cstdint>

// Channel messages packed for the MIDI output: status in bits 0-7, data bytes above.
constexpr uint32_t kProgramChangePiano = 0x000000C0;  // program 0, acoustic grand piano
constexpr uint32_t kFullVolume = 0xFFFFFFFF;          // left and right at 0xFFFF
constexpr int kNoteOnVelocity = 127;
constexpr int kNoteOffVelocity = 63;

constexpr uint32_t noteOnMessage(int note) {
    return 0x90u | (uint32_t(note) & 0xFF) << 8 | uint32_t(kNoteOnVelocity) << 16;
}
constexpr uint32_t noteOffMessage(int note) {
    return 0x80u | (uint32_t(note) & 0xFF) << 8 | uint32_t(kNoteOffVelocity) << 16;
}

// The MIDI output. The program links midi_out_win.cpp; the unit tests record
// the calls and fail them on request.
// Sends one packed channel message to the open MIDI output; returns the MIDI
// system's result code, 0 on success.
unsigned sendMidiMessage(uint32_t message);
// Closes the output and opens it again as at the start; returns the opening's result code.
unsigned reopenMidiOutput();
// Tells the player that the output fails with `code`, without waiting for them.
void reportMidiFailure(unsigned code);

// How long each caller holds the question's notes.
constexpr int kQuestionSoundMs = 2000;
constexpr int kReplaySoundMs = 2000;
constexpr int kJudgeSoundMs = 1000;

// Sounds the current question for `durationMs` and returns after the notes are
// released; with no question set it returns at once. Called from both threads,
// never at the same time. A send that fails (a device unplugged, or taken away
// by sleep) reopens the output and is sent again, at most once per call: a
// device that stays gone costs one opening per sounding, not one per note. If
// that fails too, the player is told once per run and the game goes on silently.
void playQuestion(int durationMs);

#endif
