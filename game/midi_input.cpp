// Answers played on a MIDI keyboard: the keys as left clicks, the sustain
// pedal as a right click.
#include "game/midi_input.h"

#include "game/input_rules.h"
#include "game/key_picking.h"

namespace {

constexpr uint32_t kNoteOn = 0x90;         // status without its channel
constexpr uint32_t kControlChange = 0xB0;
constexpr uint32_t kSustainPedal = 64;     // the controller
constexpr uint32_t kPedalDownFrom = 64;    // values 64..127 hold it down

bool pedalDown = false;  // the UI thread's alone

}  // namespace

void takeMidiInput(Window window, uint32_t message) {
    const uint32_t kind = message & 0xF0;
    const uint32_t first = message >> 8 & 0x7F, second = message >> 16 & 0x7F;
    if (kind == kNoteOn && second > 0) {  // velocity 0 is a note-off
        if (acceptsKeyClicks()) pickNote(window, int(first));
    } else if (kind == kControlChange && first == kSustainPedal) {
        const bool wasDown = pedalDown;
        pedalDown = second >= kPedalDownFrom;
        if (pedalDown && !wasDown) answerOrReplay();
    }
}

void forgetMidiPedal() { pedalDown = false; }
