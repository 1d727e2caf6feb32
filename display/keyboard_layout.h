// The piano keyboard's geometry: the notes each of the three keyboards shows,
// which key a click hits, where each key's inside lies, and where the keyboard
// pictures are copied. Notes are MIDI note numbers; a key is addressed by
// octave, white index and black flag.
#ifndef VARLO_DISPLAY_KEYBOARD_LAYOUT_H
#define VARLO_DISPLAY_KEYBOARD_LAYOUT_H

#include <cstdint>

#include "resources/resource.h"

// By semitone (0 = C): 1 for the black keys.
extern const uint8_t isBlackKey[12];
// By semitone: the white key, or for a black key the white key to its left.
extern const uint8_t whiteKeyIndex[12];
// By white index (C D E F G A B): the white key's semitone.
extern const uint8_t whiteKeySemitone[7];

// The keyboards a stage may show: one or three octaves of wide keys, or six
// octaves of narrow keys.
enum class Keyboard { oneOctave, threeOctaves, sixOctaves };

// The lowest and highest notes a keyboard shows: 60..71, 48..83 and 24..95.
int lowestNote(Keyboard keyboard);
int highestNote(Keyboard keyboard);

// The keyboard band of the canvas, and the row where the black keys end.
constexpr int kKeyboardTop = 70;
constexpr int kKeyboardHeight = 76;
constexpr int kBlackKeyBottom = 120;  // exclusive

// Where a keyboard's pictures go: the middle-C picture, then copies of one
// octave's picture from left to right, all at the top of the keyboard band.
constexpr int kMostOctaves = 6;  // the narrow keys' keyboard
struct KeyboardPlan {
    int octavePicture;  // resource id of the octave picture
    int copyWidth;      // columns copied from it; its right border is left out
    int copyCount;
    int copyX[kMostOctaves];
    int middleCX;       // the 60 x 60 middle-C picture goes to (middleCX, 0)
};
constexpr int kMiddleCPicture = IDP_MIDDLE_C;
KeyboardPlan keyboardPlan(Keyboard keyboard);

constexpr int kMiddleCSize = 60;

struct Key {
    int octave;
    int white;  // 0..6
    int black;  // 1 for the black key right of the white key
};

// The key under client point (x, y) in the keyboard's layout; false when the
// point misses the keyboard band.
bool hitKey(Keyboard keyboard, unsigned x, unsigned y, Key& key);

// The key's MIDI note.
int keyNote(const Key& key);
// The key that sounds `note`.
Key noteKey(int note);

struct KeyRect {
    int left, top, right, bottom;  // right and bottom exclusive
};

// A key's inside: a rectangle less up to two rectangles cut away, the right
// one first. For a white key that is exactly its white pixels; for a black key
// its inside without the one-pixel outline.
struct KeyRegion {
    KeyRect area;
    int cutCount;
    KeyRect cuts[2];
};
KeyRegion keyRegion(Keyboard keyboard, int octave, int white, int black);

// The mark of the keys from note `first` to note `last` that the computer
// keyboard reaches: a thin line a pixel below the keyboard band, from the left
// of the first key's inside to the right of the last one's.
constexpr int kReachTop = kKeyboardTop + kKeyboardHeight + 1;
constexpr int kReachHeight = 2;
KeyRect keyReach(Keyboard keyboard, int first, int last);

#endif
