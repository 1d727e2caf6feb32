// Key picking: a left click, or the key played on a MIDI keyboard, marks or
// unmarks one key of the stage's range.
#include "game/key_picking.h"

#include "display/canvas.h"
#include "display/keyboard.h"
#include "display/palette.h"
#include "game/game_state.h"
#include "game/input_rules.h"
#include "game/stage_rules.h"

void pickKey(Window window, unsigned x, unsigned y) {
    Key key;
    if (hitKey(rulesOf(session.stageIndex).keyboard, x, y, key)) pickNote(window, keyNote(key));
}

// Notes outside the stage's range change nothing, not even GameState.
void pickNote(Window window, int note) {
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
    fillKey(key, rulesOf(session.stageIndex).keyboard, brush);
    if (madeBrush) deleteBrush(brush);
    presentCanvas(window, 0, 0);
}

