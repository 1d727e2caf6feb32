// The doubles' logs, read back: the winmm.dll double's MIDI calls and timer
// requests, and the HTML Help double's calls; the MIDI log's notes taken as
// soundings, and a question answered from them with clicks on its keys.
#include "driver_internal.h"

#include "display/keyboard_layout.h"
#include "game/stage_rules.h"

#include <algorithm>
#include <cstdlib>

namespace driver {
namespace {

std::wstring fromUtf8(const std::string& text) {
    if (text.empty()) return {};
    const int size = MultiByteToWideChar(CP_UTF8, 0, text.data(), int(text.size()), nullptr, 0);
    std::wstring out(size_t(size > 0 ? size : 0), L'\0');
    if (size > 0) MultiByteToWideChar(CP_UTF8, 0, text.data(), int(text.size()), &out[0], size);
    return out;
}

// The complete lines of a log; a line still being written has no newline yet.
std::vector<std::string> logLines(const std::wstring& path) {
    std::vector<uint8_t> bytes;
    std::vector<std::string> lines;
    if (!readFile(path, bytes)) return lines;
    size_t begin = 0;
    for (size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] != '\n') continue;
        size_t end = i;
        if (end > begin && bytes[end - 1] == '\r') --end;
        lines.emplace_back(reinterpret_cast<const char*>(bytes.data()) + begin, end - begin);
        begin = i + 1;
    }
    return lines;
}

// Splits "<ms> <function> <rest>" and returns false when the line has another shape.
bool splitLine(const std::string& line, double& ms, std::string& function, std::string& rest) {
    const size_t first = line.find(' ');
    if (first == std::string::npos) return false;
    const size_t second = line.find(' ', first + 1);
    char* end = nullptr;
    const std::string stamp = line.substr(0, first);
    ms = std::strtod(stamp.c_str(), &end);
    if (end == stamp.c_str() || *end != '\0') return false;
    function = line.substr(first + 1, second == std::string::npos ? std::string::npos : second - first - 1);
    rest = second == std::string::npos ? std::string() : line.substr(second + 1);
    return !function.empty();
}

// The value after "key=" up to the next " word=" (a file name may hold spaces).
std::string field(const std::string& rest, const std::string& key, const std::string& nextKey) {
    const std::string start = key + "=";
    const size_t begin = rest.find(start);
    if (begin == std::string::npos) return {};
    const size_t valueBegin = begin + start.size();
    const size_t end = nextKey.empty() ? std::string::npos : rest.find(" " + nextKey + "=", valueBegin);
    return rest.substr(valueBegin, end == std::string::npos ? std::string::npos : end - valueBegin);
}

uint32_t number(const std::string& text) {
    return uint32_t(std::strtoll(text.c_str(), nullptr, 0));
}

}  // namespace

std::vector<MidiCall> readWinmmLog(const Program& program) {
    std::vector<MidiCall> calls;
    for (const std::string& line : logLines(pathIn(program, kMidiLog))) {
        MidiCall call;
        std::string rest;
        if (!splitLine(line, call.ms, call.function, rest)) continue;
        // rest is "<args> -> <result>", or "-> <result>" when there are no arguments.
        const size_t arrow = rest.rfind("-> ");
        if (arrow == std::string::npos) continue;
        call.args = rest;
        call.value = number(rest.substr(0, arrow));
        call.result = number(rest.substr(arrow + 3));
        calls.push_back(call);
    }
    return calls;
}

std::vector<MidiCall> readMidiLog(const Program& program) {
    std::vector<MidiCall> calls = readWinmmLog(program);
    calls.erase(std::remove_if(calls.begin(), calls.end(),
                               [](const MidiCall& c) { return c.function.compare(0, 7, "midiOut") != 0; }),
                calls.end());
    return calls;
}

std::vector<HelpCall> readHelpLog(const Program& program) {
    std::vector<HelpCall> calls;
    for (const std::string& line : logLines(pathIn(program, kHelpLog))) {
        HelpCall call;
        std::string rest;
        if (!splitLine(line, call.ms, call.function, rest)) continue;
        call.hasWindow = field(rest, "window", "file") == "1";
        const std::string file = field(rest, "file", "command");
        call.file = file == "-" ? std::wstring() : fromUtf8(file);
        call.command = number(field(rest, "command", "data"));
        call.data = uintptr_t(std::strtoull(field(rest, "data", "imc").c_str(), nullptr, 10));
        call.callerHasImeContext = field(rest, "imc", "") == "1";
        calls.push_back(call);
    }
    return calls;
}

std::vector<Sounding> soundings(const std::vector<MidiCall>& calls) {
    std::vector<Sounding> found;
    for (size_t i = 0; i < calls.size(); ++i) {
        const MidiCall& call = calls[i];
        if (call.function != "midiOutShortMsg" || call.result != 0) continue;  // a failed send sounds nothing
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

namespace {

template <class Action> bool repeatUntilSounding(const Program& program, size_t index, DWORD timeoutMs, Action act) {
    constexpr DWORD kRetryMs = 500;
    return waitFor([&] {
        act();
        return waitFor([&] { return soundingsOf(program).size() > index; }, kRetryMs);
    }, timeoutMs);
}

}  // namespace

bool rightClickUntilSounding(const Program& program, size_t index, DWORD timeoutMs) {
    return repeatUntilSounding(program, index, timeoutMs, [&] { rightClick(program.window, 600, 240); });
}

bool pedalUntilSounding(const Program& program, size_t index, DWORD timeoutMs) {
    constexpr int kControlChange = 0xB0, kSustainPedal = 64;
    return repeatUntilSounding(program, index, timeoutMs, [&] {
        playMidi(program, {midiMessage(kControlChange, kSustainPedal, 127), midiMessage(kControlChange, kSustainPedal, 0)});
    });
}

POINT keyPoint(int stageIndex, int note) {
    const Key key = noteKey(note);
    const KeyRect area = keyRegion(rulesOf(stageIndex).keyboard, key.octave, key.white, key.black).area;
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
