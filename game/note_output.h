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

// Sends one packed channel message to the open MIDI output; the result is
// ignored. The program links midi_out_win.cpp; the unit tests record the messages.
void sendMidiMessage(uint32_t message);

// How long each caller holds the question's notes.
constexpr int kQuestionSoundMs = 2000;
constexpr int kReplaySoundMs = 2000;
constexpr int kJudgeSoundMs = 1000;

// Sounds the current question for `durationMs` and returns after the notes are
// released; with no question set it returns at once. Called from both threads,
// never at the same time.
void playQuestion(int durationMs);

#endif
