// The program's own random generator and the rules that turn it into questions.
// Everything here runs on the game thread.
#ifndef VARLO_GAME_QUESTIONS_H
#define VARLO_GAME_QUESTIONS_H

#include <cstdint>

// Two distances in semitones above a chord's lowest note: the middle note in
// the low byte, the top note in the high byte.
constexpr int kChordShapeCount = 27;
extern const uint16_t chordShapes[kChordShapeCount];

// A linear congruential generator (modulus 10^8, multiplier 31415821,
// increment 1) on session.randomSeed. Advances the state once and returns a
// value in 0 .. bound - 1, for bounds 1 .. 429539.
int32_t nextRandom(int32_t bound);

// The inclusive note range of a stage's keyboard: 60..71 for the first stage,
// 48..83 for the next three, 24..95 for the last four.
void questionRange(int32_t stageIndex, int32_t& lowNote, int32_t& highNote);

// A new question for session.stageIndex within session.lowNote..highNote:
// writes session.noteCount and session.questionNotes.
void generateQuestion();

// Moves each of the first `count` question notes to a random octave of the
// range, keeping its pitch class and keeping the notes distinct.
void spreadOctaves(int32_t count);

// The portable part of presenting a question: the stage's range, no key
// marked, and a new question from the generator.
void prepareQuestion();

#endif
