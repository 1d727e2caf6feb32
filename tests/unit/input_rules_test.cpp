#include "game/input_rules.h"

#include <gtest/gtest.h>

#include <vector>

#include "game/computer_keys.h"
#include "game/game_state.h"
#include "game/key_picking.h"
#include "game/midi_input.h"
#include "game/note_output.h"
#include "game/questions.h"
#include "tests/unit/fake_world.h"

namespace {

class InputRules : public ::testing::Test {
protected:
    void SetUp() override { resetWorld(); }
    void setCounters(int value) {
        session.questionCount = session.missTotal = session.stageMisses = value;
        session.score = session.orderIndex = value;
    }
    int replaysSounded() {
        int count = 0;
        for (uint32_t m : world.midiMessages()) count += m == noteOnMessage(64);
        return count;
    }
};

TEST_F(InputRules, StartGameZeroesTheCountersAndAsksForAQuestion) {
    for (int32_t state : {0, 1, 2, 3, 5, 7, 8, 9, 10}) {
        SCOPED_TRACE(state);
        resetWorld();
        setCounters(7);
        gameState = state;
        startGame(5);
        EXPECT_EQ(gameState.load(), kStateNextQuestion);
        // The game thread begins the new game when it takes the request, after
        // whatever step of the old game was running.
        EXPECT_EQ(session.score.load(), 7);
        beginRequestedGame();
        EXPECT_EQ(session.stageIndex.load(), 5);
        EXPECT_EQ(session.questionCount.load(), 0);
        EXPECT_EQ(session.missTotal.load(), 0);
        EXPECT_EQ(session.stageMisses.load(), 0);
        EXPECT_EQ(session.score.load(), 0);
        EXPECT_EQ(session.orderIndex.load(), 0);
        EXPECT_TRUE(world.steps().empty());  // no caret outside name entry
    }
}

TEST_F(InputRules, StartGameIsIgnoredWhileAQuestionIsDueOrAnEnteredNameWaits) {
    setCounters(7);
    session.stageIndex = 1;
    gameState = kStateNextQuestion;
    startGame(6);
    beginRequestedGame();
    EXPECT_EQ(session.stageIndex.load(), 1);
    EXPECT_EQ(session.score.load(), 7);
    EXPECT_EQ(session.orderIndex.load(), 7);
    EXPECT_EQ(gameState.load(), kStateNextQuestion);
    // So it is while an entered name waits to be stored: the name is not lost.
    gameState = kStateNameEntered;
    startGame(6);
    EXPECT_EQ(gameState.load(), kStateNameEntered);
}

TEST_F(InputRules, StartGameDuringNameEntryAbandonsItAndRemovesTheCaret) {
    gameState = kStateNameEntry;
    startGame(0);
    EXPECT_EQ(gameState.load(), kStateNextQuestion);
    EXPECT_EQ(world.steps(), std::vector<std::string>{"removeCaret"});
}

TEST_F(InputRules, LeftClicksCountOnlyWhileThePlayerMayAnswer) {
    for (int32_t state = -1; state <= 14; ++state) {
        gameState = state;
        EXPECT_EQ(acceptsKeyClicks(), state == kStateWaitingAnswer || state == kStateHintDue) << state;
    }
}

TEST_F(InputRules, RightClicksCountOnlyWhileThePlayerMayAnswer) {
    for (int32_t state = -1; state <= 14; ++state) {
        if (state == kStateWaitingAnswer || state == kStateHintDue) continue;
        gameState = state;
        EXPECT_FALSE(answerOrReplay()) << state;
        EXPECT_EQ(gameState.load(), state);
    }
    EXPECT_TRUE(world.midiMessages().empty());
}

TEST_F(InputRules, ThreeReplaysThenTheFourthRightClickSubmitsTheEmptyAnswer) {
    session.noteCount = 1;
    session.questionNotes[0] = 64;
    for (int replay = 1; replay <= 3; ++replay) {
        gameState = kStateWaitingAnswer;
        EXPECT_TRUE(answerOrReplay());
        EXPECT_EQ(session.replayCount.load(), replay);
        EXPECT_EQ(gameState.load(), kStateHintDue);
        EXPECT_EQ(replaysSounded(), replay);
    }
    EXPECT_EQ(world.timesOf("sleep"), (std::vector<long long>{0, 2000, 4000}));
    gameState = kStateWaitingAnswer;
    EXPECT_TRUE(answerOrReplay());
    EXPECT_EQ(gameState.load(), kStateJudge);
    EXPECT_EQ(replaysSounded(), 3);
}

TEST_F(InputRules, ARightClickWithNothingMarkedWhileARedrawIsPendingDoesNothing) {
    session.noteCount = 1;
    session.questionNotes[0] = 64;
    gameState = kStateHintDue;
    EXPECT_TRUE(answerOrReplay());
    EXPECT_EQ(gameState.load(), kStateHintDue);
    EXPECT_EQ(session.replayCount.load(), 0);
    EXPECT_TRUE(world.midiMessages().empty());
}

TEST_F(InputRules, ARightClickWithAMarkSubmitsInEitherAnsweringState) {
    for (int32_t state : {kStateWaitingAnswer, kStateHintDue}) {
        resetWorld();
        session.selectedKeys[127] = 1;  // the last key counts too
        gameState = state;
        EXPECT_TRUE(answerOrReplay());
        EXPECT_EQ(gameState.load(), kStateJudge);
        EXPECT_TRUE(world.midiMessages().empty());
    }
}

// A MIDI keyboard: a note-on on any channel marks like a left click; velocity 0
// and notes outside the stage's range change nothing. The pedal answers once per
// press (crossing 64 upwards), and a press while clicks do not count is used up;
// a keyboard opened anew starts with its pedal up.
TEST_F(InputRules, AMidiKeyboardMarksWithNoteOnsAndAnswersOncePerPedalPress) {
    const auto send = [](uint32_t status, uint32_t first, uint32_t second) {
        takeMidiInput(nullptr, status | first << 8 | second << 16);
    };
    send(0xB0, 64, 0);  // whatever an earlier test left, released
    session.lowNote = 48;
    session.highNote = 59;
    gameState = kStateWaitingAnswer;
    send(0x90, 50, 0);    // velocity 0
    send(0x90, 60, 100);  // above the range
    send(0x90, 47, 100);  // below it
    EXPECT_EQ(firstMarkedKey(), -1);
    EXPECT_EQ(gameState.load(), kStateWaitingAnswer);
    send(0x99, 59, 1);    // channel 10
    EXPECT_EQ(firstMarkedKey(), 59);
    send(0xB0, 64, 64);
    EXPECT_EQ(gameState.load(), kStateJudge);
    gameState = kStateWaitingAnswer;
    send(0xB0, 64, 127);  // still down
    send(0xB0, 64, 63);
    gameState = kStateTitle;
    send(0xB0, 64, 64);   // pressed while clicks do not count: used up
    gameState = kStateWaitingAnswer;
    send(0xB0, 64, 127);
    EXPECT_EQ(gameState.load(), kStateWaitingAnswer);
    send(0xB0, 64, 0);
    send(0xB0, 64, 100);
    EXPECT_EQ(gameState.load(), kStateJudge);
    gameState = kStateWaitingAnswer;  // unplugged with the pedal down, plugged in again
    forgetMidiPedal();
    send(0xB0, 64, 100);
    EXPECT_EQ(gameState.load(), kStateJudge);
}

// The computer keyboard by position: from Q (scan code 0x10) to the key right of ' (0x29) its keys play
// these semitones above the window's first note, and no other key plays. Z and X move the window by
// octaves within the range, a held key plays once, Space answers; each reach drawn is (first, last note).
TEST_F(InputRules, TheComputerKeyboardPlaysByPositionInAWindowOfTheStagesRange) {
    const std::vector<int> rows{-1, 1, 3, -1, 6, 8, 10, -1, 13, 15, -1, -1, -1, -1, 0, 2, 4, 5, 7, 9, 11, 12, 14, 16, 17, -1};
    std::vector<int> offsets, played;
    for (unsigned scan = 0; scan < 0x100; ++scan) (scan >= 0x10 && scan <= 0x29 ? offsets : played).push_back(computerKeyOffset(scan));
    EXPECT_EQ(offsets, rows);
    EXPECT_EQ(played, std::vector<int>(0x100 - rows.size(), -1));
    const auto press = [](unsigned scan, uint32_t flags = 0) { return takeComputerKey(nullptr, 1 | scan << 16 | flags); };
    int32_t low, high;
    questionRange(1, low, high);  // 48..83
    session.lowNote = low;
    session.highNote = high;
    placeComputerKeys(true);
    gameState = kStateWaitingAnswer;
    EXPECT_TRUE(world.events.empty()) << "nothing is shown before the keyboard is used";
    EXPECT_TRUE(press(0x12) && press(0x12, 1u << 30));  // E, D sharp, held down: marked once
    for (int i = 0; i < 3; ++i) press(0x2D);            // X: the third would leave the range
    EXPECT_TRUE(press(0x28));                           // ': past the range, nothing
    EXPECT_FALSE(press(0x10) || press(0x1E, 1u << 24)); // Q, and an extended key
    for (int i = 0; i < 3; ++i) press(0x2C);            // Z
    press(0x1E);
    std::vector<int> marked, reaches;
    for (int note = 0; note < kMidiNoteCount; ++note) if (session.selectedKeys[note]) marked.push_back(note);
    for (const auto& e : world.events) if (e.what == "reach") reaches.insert(reaches.end(), {e.value, e.x});
    EXPECT_EQ(marked, (std::vector<int>{48, 51}));
    EXPECT_EQ(reaches, (std::vector<int>{48, 65, 60, 77, 72, 83, 72, 83, 60, 77, 48, 65, 48, 65}));
    gameState = kStateTitle;
    EXPECT_FALSE(press(0x39));  // Space, only while the player may answer
    gameState = kStateWaitingAnswer;
    press(0x2D);
    EXPECT_TRUE(press(0x39));
    EXPECT_EQ(gameState.load(), kStateJudge);
    placeComputerKeys(true);  // a new stage: the window back at its lowest C
    EXPECT_EQ(computerKeysFirstNote(), low);
}

TEST_F(InputRules, NameCharactersBelongToNameEntryOnly) {
    for (int32_t state = 0; state <= 13; ++state) {
        gameState = state;
        EXPECT_EQ(inNameEntry(), state == kStateNameEntry) << state;
    }
}

}  // namespace
