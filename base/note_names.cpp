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
    // The longest pitch class that begins the name: "C#" before "C".
    int pitchClass = -1;
    size_t length = 0;
    for (int i = 0; i < 12; ++i) {
        const std::string_view candidate = kPitchClasses[i];
        if (candidate.size() > length && name.substr(0, candidate.size()) == candidate) {
            pitchClass = i;
            length = candidate.size();
        }
    }
    if (pitchClass < 0) return false;
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
