// Notes by their scientific pitch names, as the player reads them: MIDI note 60
// is "C4", 61 is "C#4", 21 is "A0", 0 is "C-1". Sharps only, no flats.
#ifndef VARLO_BASE_NOTE_NAMES_H
#define VARLO_BASE_NOTE_NAMES_H

#include <string>
#include <string_view>
#include <vector>

// The name of a MIDI note number (0..127); an empty string outside that range.
std::string noteName(int note);
// The names of the notes, lowest first, separated by single spaces.
std::string noteNames(std::vector<int> notes);
// The MIDI note number a name such as "C#4" stands for; false for anything
// else (a flat, a missing octave, a note outside 0..127, text around it).
bool parseNoteName(std::string_view name, int& note);

#endif
