// The rules that turn the random generator into questions.
// Everything here runs on the game thread.
#ifndef VARLO_GAME_QUESTIONS_H
#define VARLO_GAME_QUESTIONS_H

#include <cstdint>

// Two distances in semitones above a chord's lowest note: the middle note in
// the low byte, the top note in the high byte.
constexpr int kChordShapeCount = 27;
extern const uint16_t chordShapes[kChordShapeCount];

// The inclusive note range of a stage: the notes its keyboard shows.
void questionRange(int32_t stageIndex, int32_t& lowNote, int32_t& highNote);

// A new question for session.stageIndex, by its rules, within
// session.lowNote..highNote: writes session.noteCount and session.questionNotes.
void generateQuestion();

// Moves each of the first `count` question notes to a random octave of the
// range, keeping its pitch class and keeping the notes distinct.
void spreadOctaves(int32_t count);

#endif
