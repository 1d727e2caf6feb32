// The computer keyboard's layout: the note each key plays, by its position.
#include "display/keyboard_layout.h"
#include "game/computer_keys.h"

namespace {

constexpr int kWhiteKeysPerOctave = 7;

// The home row's key `index` plays a white key.
int homeRowOffset(int index) {
    return 12 * (index / kWhiteKeysPerOctave) + whiteKeySemitone[index % kWhiteKeysPerOctave];
}

}  // namespace

int computerKeyOffset(unsigned scanCode) {
    if (scanCode >= kHomeRowFirst && scanCode <= kHomeRowLast) return homeRowOffset(int(scanCode - kHomeRowFirst));
    if (scanCode >= kUpperRowFirst && scanCode <= kUpperRowLast) {
        // The key between two white keys plays the black key there, if they have one.
        const int offset = homeRowOffset(int(scanCode - kUpperRowFirst)) + 1;
        if (isBlackKey[offset % 12] == 1) return offset;
    }
    return -1;
}
