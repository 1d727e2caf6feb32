// The notes of the MIDI log taken as soundings, and a question answered from
// them with clicks on its keys.
#include "driver.h"

#include "display/keyboard_layout.h"

namespace driver {

std::vector<Sounding> soundings(const std::vector<MidiCall>& calls) {
    std::vector<Sounding> found;
    for (size_t i = 0; i < calls.size(); ++i) {
        const MidiCall& call = calls[i];
        if (call.function != "midiOutShortMsg") continue;
        const uint32_t status = call.value & 0xF0;
        const int note = int(call.value >> 8 & 0x7F);
        if (status == 0x90) {
            // A note-on after a note-off begins the next sounding.
            if (found.empty() || found.back().offCount > 0) {
                found.emplace_back();
                found.back().firstOn = i;
                found.back().onMs = call.ms;
            }
            found.back().notes.push_back(note);
            found.back().lastOnMs = call.ms;
        } else if (status == 0x80 && !found.empty()) {
            Sounding& s = found.back();
            if (s.offCount++ == 0) {
                s.firstOff = i;
                s.offMs = call.ms;
            }
            s.lastOffMs = call.ms;
        }
    }
    return found;
}

std::vector<Sounding> soundingsOf(const Program& program) { return soundings(readMidiLog(program)); }

bool waitForSoundingEnd(const Program& program, size_t index, DWORD timeoutMs) {
    return waitFor([&] {
        const auto found = soundingsOf(program);
        return found.size() > index && found[index].ended();
    }, timeoutMs);
}

bool rightClickUntilSounding(const Program& program, size_t index, DWORD timeoutMs) {
    constexpr DWORD kRetryMs = 500;
    return waitFor([&] {
        rightClick(program.window, 600, 240);
        return waitFor([&] { return soundingsOf(program).size() > index; }, kRetryMs);
    }, timeoutMs);
}

POINT keyPoint(int stageIndex, int note) {
    const Key key = noteKey(note);
    const KeyRect area = keyRegion(stageIndex, key.octave, key.white, key.black).area;
    return POINT{(area.left + area.right) / 2, key.black == 1 ? (area.top + area.bottom) / 2 : 132};
}

bool answerQuestion(const Program& program, size_t question, int stageIndex, bool right, DWORD timeoutMs) {
    if (!waitForSoundingEnd(program, question, timeoutMs)) return false;
    const std::vector<int> notes = soundingsOf(program)[question].notes;
    if (notes.empty()) return false;
    const int beside = notes[0] % 12 == 11 ? notes[0] - 1 : notes[0] + 1;
    for (int note : right ? notes : std::vector<int>{beside}) {
        const POINT at = keyPoint(stageIndex, note);
        leftClick(program.window, at.x, at.y);
    }
    return rightClickUntilSounding(program, question + 1, timeoutMs);
}

}  // namespace driver
