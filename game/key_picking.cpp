// Key picking: a left click marks or unmarks one key of the stage's range.
#include "display/canvas.h"
#include "display/keyboard.h"
#include "game/game_state.h"
#include "game/input_rules.h"

void pickKey(Window window, unsigned x, unsigned y) {
    const int32_t stage = session.stageIndex;
    Key key;
    if (!hitKey(stage, x, y, key)) return;
    const int note = keyNote(key);
    if (note < session.lowNote || note > session.highNote || note < 0 || note >= kMidiNoteCount) return;

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
