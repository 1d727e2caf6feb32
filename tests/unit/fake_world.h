// Test doubles for everything the game's portable logic calls outside itself:
// a virtual clock behind sleepMs and monotonicMs, a recording MIDI output, and recording
// stand-ins for the screens and steps, each of which may run a scripted body.
#ifndef VARLO_TESTS_UNIT_FAKE_WORLD_H
#define VARLO_TESTS_UNIT_FAKE_WORLD_H

#include <cstdint>
#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <vector>

#include "game/history_record.h"
#include "records/persistent_block.h"

struct FakeEvent {
    long long atMs;        // virtual time when it happened
    std::string what;      // "title", "ranking", "present", "judge", "sleep", "type", ...
    std::wstring text;     // typed text, for "type"
    int value;             // sleep length, MIDI message, text colour, note, ...
    uintptr_t handle = 0;  // brush of "fillKey", "brush" and "deleteBrush"
    int x = 0, y = 0;      // top left of a "box"
};

struct FakeWorld {
    std::mutex lock;                     // the TSan test calls in from two threads
    long long clockMs = 0;
    bool realTime = false;               // sleepMs really sleeps 1 us per ms
    std::vector<FakeEvent> events;
    std::multimap<long long, std::function<void()>> timeline;  // actions at virtual times
    std::map<std::string, std::function<void()>> bodies;        // scripted work of a step
    bool keyboardFails = false;          // drawKeyboard reports failure
    int failingSends = 0;                // the next this many MIDI sends fail
    unsigned reopenResult = 0;           // what reopening the MIDI output returns
    uint32_t textColour = 0;             // as setTextColour left it
    uintptr_t nextBrush = 0x1000;
    std::vector<uintptr_t> liveBrushes;  // made by createSolidBrush and not deleted
    std::vector<std::wstring> spoken;    // the message texts given for screen readers
    std::vector<JudgedOrder> judged;     // handed over by requestHistoryLine

    // Names of the recorded events, in order, without the sleeps.
    std::vector<std::string> steps();
    // Virtual times at which the named event happened.
    std::vector<long long> timesOf(const std::string& what);
    // Lengths of the recorded sleeps, in order.
    std::vector<int> pauses();
    std::vector<uint32_t> midiMessages();
};

extern FakeWorld world;

// The handles unmarkedKeyBrush gives for a white and a black key.
constexpr uintptr_t kFakeWhiteStock = 0x10, kFakeBlackStock = 0x20;

// What localDate gives: Tuesday 8 December 2026, 21:05:09.123.
constexpr RankingDate kFakeNow{2026, 12, 2, 8, 21, 5, 9, 123};

// Fresh world, GameState 0 and a zeroed session.
void resetWorld();

// Records a step by name and runs its scripted body, if any.
void step(const std::string& what);
// The same with the text it drew.
void step(const std::string& what, const std::wstring& text);

#endif
