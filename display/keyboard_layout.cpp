// The keyboard's geometry, measured on the two octave pictures: the wide one
// is 211 columns (white keys 30 apart), the narrow one 106 (15 apart).
#include "display/keyboard_layout.h"

#include "display/layout.h"

const uint8_t isBlackKey[12] = {0, 1, 0, 1, 0, 0, 1, 0, 1, 0, 1, 0};
const uint8_t whiteKeyIndex[12] = {0, 0, 1, 1, 2, 3, 3, 4, 4, 5, 5, 6};
const uint8_t whiteKeySemitone[7] = {0, 2, 4, 5, 7, 9, 11};

namespace {

// Dimensions of one layout. The black key right of white key w covers
// columns blackStart..blackEnd of its octave's picture, counted from the
// octave's left border, with blackStart = keyWidth * w + blackOffset.
struct Layout {
    int octavePicture;  // resource id of one octave's picture
    int octaveWidth;    // columns one octave's copy takes
    int keyWidth;       // distance between two white keys
    int firstOctave;    // octave of the leftmost copy position
    int shift;          // x of the first copy's column 0 in a full layout
    int blackOffset;    // first column of a black key right of its white key
    int zoneWidth;      // columns a click in the black-key zone may fall on
    int middleCX;       // where the middle-C picture goes
};

constexpr Layout kWide{IDP_KEYS_WIDE, 210, 30, 4, 1, 21, 19, 186};
constexpr Layout kNarrow{IDP_KEYS_NARROW, 105, 15, 2, 0, 11, 9, 284};

// The octaves a keyboard shows, copied at their places in its layout.
struct Shown {
    const Layout& layout;
    int firstOctave;
    int octaveCount;
};

constexpr Shown shownBy(Keyboard keyboard) {
    switch (keyboard) {
    case Keyboard::oneOctave:
        return Shown{kWide, 5, 1};
    case Keyboard::threeOctaves:
        return Shown{kWide, 4, 3};
    case Keyboard::sixOctaves:
        break;
    }
    return Shown{kNarrow, 2, 6};
}

static_assert(shownBy(Keyboard::oneOctave).octaveCount <= kMostOctaves &&
                  shownBy(Keyboard::threeOctaves).octaveCount <= kMostOctaves &&
                  shownBy(Keyboard::sixOctaves).octaveCount <= kMostOctaves,
              "a keyboard plan holds at most kMostOctaves copies");

bool isWide(Keyboard keyboard) { return &shownBy(keyboard).layout == &kWide; }

// C D F G A have a black key on their right; E and B do not.
bool hasBlackKeyRight(int white) { return white >= 0 && white < 6 && white != 2; }

}  // namespace

int lowestNote(Keyboard keyboard) { return 12 * shownBy(keyboard).firstOctave; }
int highestNote(Keyboard keyboard) {
    const Shown shown = shownBy(keyboard);
    return 12 * (shown.firstOctave + shown.octaveCount) - 1;
}

KeyboardPlan keyboardPlan(Keyboard keyboard) {
    const Shown shown = shownBy(keyboard);
    const Layout& layout = shown.layout;
    KeyboardPlan plan{layout.octavePicture, layout.octaveWidth, shown.octaveCount, {}, layout.middleCX};
    for (int i = 0; i < shown.octaveCount; ++i) {
        plan.copyX[i] = layout.shift + layout.octaveWidth * (shown.firstOctave + i - layout.firstOctave);
    }
    return plan;
}

bool hitKey(Keyboard keyboard, unsigned x, unsigned y, Key& key) {
    const Layout& layout = shownBy(keyboard).layout;
    // Unsigned: a point left of the first copy wraps round and misses too.
    const unsigned column = x - unsigned(layout.shift);
    if (column > unsigned(kCanvasWidth) || y < unsigned(kKeyboardTop) || y > unsigned(kKeyboardTop + kKeyboardHeight)) {
        return false;
    }
    const int e = int(column) % layout.octaveWidth;
    key.octave = int(column) / layout.octaveWidth + layout.firstOctave;
    key.white = e / layout.keyWidth;
    key.black = 0;
    if (y < unsigned(kBlackKeyBottom)) {
        // The zone of the black key right of white key w starts at its first
        // column; in the wide layout it reaches one column past the key.
        for (int w = 0; w < 6; ++w) {
            const int start = layout.keyWidth * w + layout.blackOffset;
            if (hasBlackKeyRight(w) && e >= start && e < start + layout.zoneWidth) {
                key.white = w;
                key.black = 1;
            }
        }
    }
    return true;
}

int keyNote(const Key& key) { return 12 * key.octave + whiteKeySemitone[key.white] + (key.black == 1 ? 1 : 0); }

Key noteKey(int note) {
    const int semitone = ((note % 12) + 12) % 12;
    return Key{(note - semitone) / 12, whiteKeyIndex[semitone], isBlackKey[semitone]};
}

KeyRegion keyRegion(Keyboard keyboard, int octave, int white, int black) {
    const bool wide = isWide(keyboard);
    // Left edge of white key `white`'s inside on the canvas.
    const int a = wide ? 210 * octave + 30 * white - 838 : 105 * octave + 15 * white - 209;
    KeyRegion region{};
    if (black == 1) {
        region.area = wide ? KeyRect{a + 21, 71, a + 37, 119} : KeyRect{a + 11, 71, a + 18, 119};
        return region;
    }
    region.area = wide ? KeyRect{a, 71, a + 29, 145} : KeyRect{a, 71, a + 14, 145};
    if (hasBlackKeyRight(white)) {
        region.cuts[region.cutCount++] = wide ? KeyRect{a + 20, 71, a + 38, 120} : KeyRect{a + 10, 71, a + 19, 120};
    }
    if (white > 0 && hasBlackKeyRight(white - 1)) {
        region.cuts[region.cutCount++] = wide ? KeyRect{a - 10, 71, a + 8, 120} : KeyRect{a - 5, 71, a + 4, 120};
    }
    return region;
}

KeyRect keyReach(Keyboard keyboard, int first, int last) {
    const Key low = noteKey(first), high = noteKey(last);
    return KeyRect{keyRegion(keyboard, low.octave, low.white, low.black).area.left, kReachTop,
                   keyRegion(keyboard, high.octave, high.white, high.black).area.right, kReachTop + kReachHeight};
}
