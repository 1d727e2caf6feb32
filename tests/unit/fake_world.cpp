// The doubles behind fake_world.h, linked instead of the Win32 implementations.
#include "tests/unit/fake_world.h"

#include <chrono>
#include <thread>

#include "display/canvas.h"
#include "display/screens.h"
#include "game/game_state.h"
#include "game/platform.h"

FakeWorld world;

namespace {

// A loop that never ends would hang the test run: past an hour of virtual time
// the clock stores GameState 13.
constexpr long long kQuitAfterMs = 3600000;

void record(const std::string& what, int value = 0, const wchar_t* text = L"") {
    std::lock_guard<std::mutex> guard(world.lock);
    world.events.push_back(FakeEvent{world.clockMs, what, text, value});
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

void step(const std::string& what) {
    record(what);
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
    gameState = kStateTitle;
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

void sendMidiMessage(uint32_t message) { record("midi", int(message)); }
void removeNameCaret() { record("removeCaret"); }

// --- display ---

void prepareCanvas(Window) { record("prepare"); }
void presentCanvas(Window, int, int) {}
int fillBackground(Window) {
    record("background");
    return 1;
}
void drawPanel(int left, int top, int, int) { record("panel", left << 16 | top); }
void clearHintLine() { record("clearHint"); }
int typeText(Window, const wchar_t* text) {
    record("type", 0, text);
    runBody("type");
    return gameState.load() == kStateQuit ? 0 : 1;
}
int showTitleScreen(Window) { step("title"); return 1; }
void showRankingScreen(Window) { step("ranking"); }
void playCelebration(Window) { step("celebration"); }
