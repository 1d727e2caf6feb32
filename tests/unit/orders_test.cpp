#include "game/orders.h"

#include <gtest/gtest.h>

#include <vector>

#include "game/game_state.h"
#include "game/note_output.h"
#include "game/questions.h"
#include "tests/unit/fake_world.h"

namespace {

std::vector<int> currentQuestion() {
    std::vector<int> notes;
    for (int i = 0; i < session.noteCount; ++i) notes.push_back(session.questionNotes[i]);
    return notes;
}

class Orders : public ::testing::Test {
protected:
    void SetUp() override {
        resetWorld();
        gameState = kStateNextQuestion;
    }
};

// The question step asks the generator's own sequence of questions: one
// question per step, nothing else drawn and nothing reseeded in between.
TEST_F(Orders, EachQuestionStepDrawsOneQuestionFromTheRunningGenerator) {
    for (int stage = 0; stage < kStageCount; ++stage) {
        session.stageIndex = stage;
        int32_t low, high;
        questionRange(stage, low, high);
        session.lowNote = low;
        session.highNote = high;
        session.randomSeed = 4242 + stage;
        std::vector<std::vector<int>> expected;
        std::vector<uint32_t> states;
        for (int i = 0; i < 20; ++i) {
            generateQuestion();
            expected.push_back(currentQuestion());
            states.push_back(session.randomSeed);
        }

        session.randomSeed = 4242 + stage;
        session.lowNote = session.highNote = 0;
        for (int i = 0; i < 20; ++i) {
            gameState = kStateNextQuestion;
            presentQuestion(nullptr);
            ASSERT_EQ(currentQuestion(), expected[i]) << "stage " << stage << " question " << i;
            ASSERT_EQ(session.randomSeed, states[i]) << "stage " << stage << " question " << i;
        }
        EXPECT_EQ(session.lowNote, low);
        EXPECT_EQ(session.highNote, high);
    }
}

TEST_F(Orders, TheQuestionClearsTheMarksOpensTheAnswerAndSoundsAfterASecond) {
    session.stageIndex = 2;
    session.selectedKeys[60] = 1;
    session.selectedKeys[127] = 1;
    presentQuestion(nullptr);

    EXPECT_EQ(firstMarkedKey(), -1);
    EXPECT_EQ(gameState, kStateHintDue);
    const auto notes = currentQuestion();
    ASSERT_EQ(notes.size(), 2u);
    const std::vector<uint32_t> expected{noteOnMessage(notes[0]), noteOnMessage(notes[1]),
                                         noteOffMessage(notes[0]), noteOffMessage(notes[1])};
    EXPECT_EQ(world.midiMessages(), expected);
    // The lead-in pause, then the notes held for two seconds.
    const auto ons = world.timesOf("midi");
    ASSERT_EQ(ons.size(), 4u);
    EXPECT_EQ(ons[0], 1000);
    EXPECT_EQ(ons[2], 3000);
}

TEST_F(Orders, TheScreenIsBuiltAndTheStagesInstructionTypedBeforeTheQuestionIsMade) {
    const wchar_t* const expected[kStageCount] = {
        L"次の１音を聞き，該当する鍵盤をクリックせよ。", L"次の１音を聞き，該当する鍵盤をクリックせよ。",
        L"次の２音を聞き，該当する鍵盤をクリックせよ。", L"次の３音を聞き，該当する鍵盤をクリックせよ。",
        L"次の２音を聞き，該当する鍵盤をクリックせよ。", L"次の３音を聞き，該当する鍵盤をクリックせよ。",
        L"次の音を聞き，該当する鍵盤をクリックせよ。",   L"次の音を聞き，該当する鍵盤をクリックせよ。",
    };
    for (int stage = 0; stage < kStageCount; ++stage) {
        resetWorld();
        gameState = kStateNextQuestion;
        session.stageIndex = stage;
        int notesWhileTyping = -1;
        world.bodies["type"] = [&] { notesWhileTyping = session.noteCount; };
        presentQuestion(nullptr);
        const std::vector<std::string> steps{"background", "panel", "type"};
        EXPECT_EQ(world.steps(), steps);
        EXPECT_EQ(world.events[1].value, 248 << 16 | 165);  // the message area's panel
        EXPECT_EQ(world.events[2].text, expected[stage]) << "stage " << stage;
        EXPECT_EQ(notesWhileTyping, 0);
    }
}

TEST_F(Orders, QuittingWhileTheInstructionIsTypedMakesNoQuestion) {
    world.bodies["type"] = [] { gameState = kStateQuit; };
    presentQuestion(nullptr);
    EXPECT_EQ(session.noteCount, 0);
    EXPECT_EQ(session.randomSeed, 1234u);
    EXPECT_TRUE(world.midiMessages().empty());
    EXPECT_EQ(gameState, kStateQuit);
}

TEST_F(Orders, ARequestStoredMeanwhileIsNotOverwritten) {
    gameState = kStateQuit;
    presentQuestion(nullptr);
    EXPECT_EQ(gameState, kStateQuit);
}

}  // namespace
