// The doubles behind fake_world.h, linked instead of the Win32 implementations.
#include "tests/unit/fake_world.h"

#include <chrono>
#include <thread>

#include <algorithm>

#include "base/sleep.h"
#include "display/canvas.h"
#include "display/keyboard.h"
#include "display/keyboard_layout.h"
#include "display/name_field.h"
#include "display/screens.h"
#include "game/game_state.h"
#include "game/message_text.h"
#include "game/note_output.h"
#include "game/save_request.h"
#include "records/local_date.h"

FakeWorld world;

namespace {

// A loop that never ends would hang the test run: past an hour of virtual time
// the clock stores GameState 13.
constexpr long long kQuitAfterMs = 3600000;

void record(const std::string& what, int value = 0, const wchar_t* text = L"", uintptr_t handle = 0, int x = 0,
            int y = 0) {
    std::lock_guard<std::mutex> guard(world.lock);
    world.events.push_back(FakeEvent{world.clockMs, what, text, value, handle, x, y});
}

void runBody(const std::string& what) {
    std::function<void()> body;
    {
        std::lock_guard<std::mutex> guard(world.lock);
        auto found = world.bodies.find(what);
        if (found != world.bodies.end()) body = found->second;
    }
    if (body) body();
}

}  // namespace

void step(const std::string& what) { step(what, L""); }

void step(const std::string& what, const std::wstring& text) {
    record(what, 0, text.c_str());
    runBody(what);
}

std::vector<std::string> FakeWorld::steps() {
    std::lock_guard<std::mutex> guard(lock);
    std::vector<std::string> names;
    for (const auto& e : events) {
        if (e.what != "sleep" && e.what != "midi") names.push_back(e.what);
    }
    return names;
}

std::vector<long long> FakeWorld::timesOf(const std::string& what) {
    std::lock_guard<std::mutex> guard(lock);
    std::vector<long long> times;
    for (const auto& e : events) {
        if (e.what == what) times.push_back(e.atMs);
    }
    return times;
}

std::vector<int> FakeWorld::pauses() {
    std::lock_guard<std::mutex> guard(lock);
    std::vector<int> lengths;
    for (const auto& e : events) {
        if (e.what == "sleep") lengths.push_back(e.value);
    }
    return lengths;
}

std::vector<uint32_t> FakeWorld::midiMessages() {
    std::lock_guard<std::mutex> guard(lock);
    std::vector<uint32_t> messages;
    for (const auto& e : events) {
        if (e.what == "midi") messages.push_back(uint32_t(e.value));
    }
    return messages;
}

void resetWorld() {
    std::lock_guard<std::mutex> guard(world.lock);
    world.clockMs = 0;
    world.realTime = false;
    world.events.clear();
    world.timeline.clear();
    world.bodies.clear();
    world.keyboardFails = false;
    world.failingSends = 0;
    world.reopenResult = 0;
    world.textColour = 0;
    world.liveBrushes.clear();
    world.spoken.clear();
    world.judged.clear();
    gameState = kStateTitle;
    requestedStage = kNoStartRequest;
    session.stageIndex = session.orderIndex = session.lowNote = session.highNote = 0;
    session.score = session.replayCount = session.stageMisses = session.missTotal = 0;
    session.questionCount = session.noteCount = 0;
    for (auto& note : session.questionNotes) note = 0;
    for (auto& key : session.selectedKeys) key = 0;
    session.randomSeed = 1234;
}

// --- platform ---

void sleepMs(int ms) {
    record("sleep", ms);
    std::vector<std::function<void()>> due;
    bool realTime;
    {
        std::lock_guard<std::mutex> guard(world.lock);
        world.clockMs += ms;
        realTime = world.realTime;
        while (!world.timeline.empty() && world.timeline.begin()->first <= world.clockMs) {
            due.push_back(world.timeline.begin()->second);
            world.timeline.erase(world.timeline.begin());
        }
        if (world.clockMs > kQuitAfterMs) due.push_back([] { gameState = kStateQuit; });
    }
    if (realTime) std::this_thread::sleep_for(std::chrono::microseconds(ms));
    for (auto& action : due) action();
}

int64_t monotonicMs() {
    std::lock_guard<std::mutex> guard(world.lock);
    return world.clockMs;
}

unsigned sendMidiMessage(uint32_t message) {
    record("midi", int(message));
    std::lock_guard<std::mutex> guard(world.lock);
    return world.failingSends-- > 0 ? 6 : 0;  // MMSYSERR_NODRIVER
}
unsigned reopenMidiOutput() {
    record("reopenMidi", int(world.reopenResult));
    return world.reopenResult;
}
void reportMidiFailure(unsigned code) { record("midiFailure", int(code)); }
void removeNameCaret() { record("removeCaret"); }
void showNameCaret(Window) { record("showCaret"); }
void requestSave(Window) { record("save"); }
void setMessageText(Window, const std::wstring& text) { std::lock_guard<std::mutex> guard(world.lock); world.spoken.push_back(text); }
void requestHistoryLine(Window, const JudgedOrder& order) {
    record("history");
    std::lock_guard<std::mutex> guard(world.lock);
    world.judged.push_back(order);
}
RankingDate localDate() { return kFakeNow; }

// --- display ---

void prepareCanvas(Window) { record("prepare"); }
void presentCanvas(Window, int, int) { record("show"); }
bool fillBackground(Window) {
    record("background");
    return true;
}
void drawPanel(const CanvasRect& content) { record("panel", content.left << 16 | content.top); }
void clearHintLine() { record("clearHint"); }
void setTextColour(uint32_t colour) { world.textColour = colour; }
void drawBoxedText(const wchar_t* text, const CanvasRect& box) {
    record("box", int(world.textColour), text, 0, box.left, box.top);
}
void drawVerdict(const wchar_t* text) {
    record("verdict", 0, text);
    runBody("verdict");
}

// --- keyboard ---

bool drawKeyboard(Window, Keyboard keyboard) {
    record("keyboard", int(keyboard));
    return !world.keyboardFails;
}
void fillKey(const Key& key, Keyboard, Brush brush) {
    record("fillKey", keyNote(Key{key.octave, key.white, key.black == 1 ? 1 : 0}), L"", reinterpret_cast<uintptr_t>(brush));
}
Brush createSolidBrush(uint32_t colour) {
    uintptr_t handle;
    {
        std::lock_guard<std::mutex> guard(world.lock);
        handle = world.nextBrush++;
        world.liveBrushes.push_back(handle);
    }
    record("brush", int(colour), L"", handle);
    return reinterpret_cast<Brush>(handle);
}
void drawKeyReach(Keyboard, int first, int last) { record("reach", first, L"", 0, last); }
Brush unmarkedKeyBrush(int black) { return reinterpret_cast<Brush>(black == 1 ? kFakeBlackStock : kFakeWhiteStock); }
void deleteBrush(Brush brush) {
    const auto handle = reinterpret_cast<uintptr_t>(brush);
    record("deleteBrush", 0, L"", handle);
    std::lock_guard<std::mutex> guard(world.lock);
    world.liveBrushes.erase(std::remove(world.liveBrushes.begin(), world.liveBrushes.end(), handle),
                            world.liveBrushes.end());
}
bool showTitleScreen(Window) {
    step("title");
    return true;
}
void showRankingScreen(Window) { step("ranking"); }
void playCelebration(Window, uint32_t&) { step("celebration"); }
