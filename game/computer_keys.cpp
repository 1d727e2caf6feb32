// The computer keyboard as a piano: the window it plays in, the keys it takes,
// and the mark of the window's reach.
#include "game/computer_keys.h"

#include <algorithm>
#include <atomic>

#include "display/canvas.h"
#include "display/keyboard.h"
#include "display/keyboard_layout.h"
#include "game/game_state.h"
#include "game/input_rules.h"
#include "game/key_picking.h"
#include "game/stage_rules.h"

namespace {

constexpr uint32_t kExtendedKey = 1u << 24, kAlreadyDown = 1u << 30;

// Octaves the window lies above the lowest C of the stage's range. The UI
// thread moves it while the player answers; the game thread puts it back when a
// stage begins, while the player cannot answer.
std::atomic<int32_t> windowOctave{0};
// The computer keyboard has played in this run: from then on its reach is shown.
std::atomic<bool> keysUsed{false};

int lowestC() { return (session.lowNote.load() + 11) / 12 * 12; }

// From the window's first note to the last the home row plays, within the range.
void drawReach() {
    const int first = computerKeysFirstNote();
    const int last = first + computerKeyOffset(kHomeRowLast);
    drawKeyReach(rulesOf(session.stageIndex).keyboard, first, std::min(last, int(session.highNote)));
}

// One octave down or up, as long as the window starts on a note of the range.
void moveWindow(int octaves) {
    const int32_t moved = windowOctave.load() + octaves;
    if (moved >= 0 && lowestC() + 12 * moved <= session.highNote) windowOctave = moved;
}

}  // namespace

int computerKeysFirstNote() { return lowestC() + 12 * windowOctave.load(); }

bool takeComputerKey(Window window, uint32_t keyData) {
    if (!acceptsKeyClicks()) return false;
    const unsigned scanCode = keyData >> 16 & 0xFF;
    const bool held = (keyData & kAlreadyDown) != 0;
    if (scanCode == kSpaceKey || scanCode == kEnterKey) {
        if (!held) answerOrReplay();
        return true;
    }
    const int offset = computerKeyOffset(scanCode);
    const bool octave = scanCode == kOctaveDownKey || scanCode == kOctaveUpKey;
    // The extended keys (arrows, the keypad's slash, the right-hand Ctrl ...) share scan codes with others.
    if ((offset < 0 && !octave) || (keyData & kExtendedKey) != 0) return false;
    if (held) return true;
    if (octave) moveWindow(scanCode == kOctaveUpKey ? 1 : -1);
    if (!keysUsed.exchange(true) || octave) {
        drawReach();
        presentCanvas(window, 0, 0);
    }
    if (offset >= 0) pickNote(window, computerKeysFirstNote() + offset);
    return true;
}

void placeComputerKeys(bool stageBegins) {
    if (stageBegins) windowOctave = 0;
    if (keysUsed) drawReach();
}
