// Key picking: a left click, or the key played on a MIDI keyboard, marks or
// unmarks one key of the stage's range.
#include "display/canvas.h"
#include "display/keyboard.h"
#include "game/game_state.h"
#include "game/input_rules.h"

namespace {

// Marks or unmarks the key of `note` in the stage's layout; notes outside the
// stage's range change nothing, not even GameState.
void toggleMark(Window window, int32_t stage, int note) {
    if (note < session.lowNote || note > session.highNote || note < 0 || note >= kMidiNoteCount) return;
    const Key key = noteKey(note);

    Brush brush;
    bool madeBrush = false;
    if (session.selectedKeys[note] != 0) {
        session.selectedKeys[note] = 0;
        brush = unmarkedKeyBrush(key.black);
    } else {
        session.selectedKeys[note] = 1;
        brush = createSolidBrush(kMarkedKeyColour);
        madeBrush = true;
    }
    gameState = kStateHintDue;
    fillKey(key, stage, brush);
    if (madeBrush) deleteBrush(brush);
    presentCanvas(window, 0, 0);
}

}  // namespace

void pickKey(Window window, unsigned x, unsigned y) {
    const int32_t stage = session.stageIndex;
    Key key;
    if (hitKey(stage, x, y, key)) toggleMark(window, stage, keyNote(key));
}

void pickNote(Window window, int note) {
    toggleMark(window, session.stageIndex, note);
}
