#include "base/note_names.h"

#include <algorithm>

namespace {

constexpr std::string_view kPitchClasses[12] = {"C",  "C#", "D",  "D#", "E",  "F",
                                                "F#", "G",  "G#", "A",  "A#", "B"};
constexpr int kHighestNote = 127;

}  // namespace

std::string noteName(int note) {
    if (note < 0 || note > kHighestNote) return {};
    return std::string(kPitchClasses[note % 12]) + std::to_string(note / 12 - 1);
}

std::string noteNames(std::vector<int> notes) {
    std::sort(notes.begin(), notes.end());
    std::string names;
    for (const int note : notes) {
        if (!names.empty()) names += ' ';
        names += noteName(note);
    }
    return names;
}

bool parseNoteName(std::string_view name, int& note) {
    // The pitch class: a letter, and a sharp after the letters that have one
    // ("C#" but no "E#"). A long history reads millions of names.
    constexpr int kLetterClasses[7] = {9, 11, 0, 2, 4, 5, 7};  // A to G
    if (name.empty() || name[0] < 'A' || name[0] > 'G') return false;
    int pitchClass = kLetterClasses[name[0] - 'A'];
    size_t length = 1;
    if (name.size() > 1 && name[1] == '#' && kPitchClasses[(pitchClass + 1) % 12].size() == 2) {
        ++pitchClass;
        ++length;
    }
    std::string_view octave = name.substr(length);
    const bool negative = !octave.empty() && octave.front() == '-';
    if (negative) octave.remove_prefix(1);
    if (octave.size() != 1 || octave.front() < '0' || octave.front() > '9') return false;
    const int octaveNumber = negative ? -(octave.front() - '0') : octave.front() - '0';
    const int value = (octaveNumber + 1) * 12 + pitchClass;
    if (value < 0 || value > kHighestNote) return false;
    note = value;
    return true;
}
