#include "game/stage_steps.h"

#include <gtest/gtest.h>

#include <type_traits>
#include <vector>

#include "base/sleep.h"
#include "display/keyboard.h"
#include "display/keyboard_layout.h"
#include "display/palette.h"
#include "game/game_state.h"
#include "game/input_rules.h"
#include "game/note_output.h"
#include "game/questions.h"
#include "game/results.h"
#include "game/state_machine.h"
#include "tests/unit/fake_world.h"

// The game loop these steps run in also calls the records' steps.
void showResults(Window) { step("results"); }
void commitEntry() { step("commit"); }

namespace {

std::vector<int> currentQuestion() {
    std::vector<int> notes;
    for (int i = 0; i < session.noteCount; ++i) notes.push_back(session.questionNotes[i]);
    return notes;
}

class StageSteps : public ::testing::Test {
protected:
    void SetUp() override {
        resetWorld();
        gameState = kStateNextQuestion;
    }
};

// The question step asks the generator's own sequence of questions: one
// question per step, nothing else drawn and nothing reseeded in between.
TEST_F(StageSteps, EachQuestionStepDrawsOneQuestionFromTheRunningGenerator) {
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

TEST_F(StageSteps, TheQuestionClearsTheMarksOpensTheAnswerAndSoundsAfterASecond) {
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

TEST_F(StageSteps, TheScreenIsBuiltAndTheStagesInstructionTypedBeforeTheQuestionIsMade) {
    const wchar_t* const expected[] = {
        L"次の１音を聞き，該当する鍵盤をクリックせよ。", L"次の１音を聞き，該当する鍵盤をクリックせよ。",
        L"次の２音を聞き，該当する鍵盤をクリックせよ。", L"次の３音を聞き，該当する鍵盤をクリックせよ。",
        L"次の２音を聞き，該当する鍵盤をクリックせよ。", L"次の３音を聞き，該当する鍵盤をクリックせよ。",
        L"次の音を聞き，該当する鍵盤をクリックせよ。",   L"次の音を聞き，該当する鍵盤をクリックせよ。",
    };
    static_assert(std::extent_v<decltype(expected)> == kStageCount, "an instruction for each stage");
    for (int stage = 0; stage < kStageCount; ++stage) {
        resetWorld();
        gameState = kStateNextQuestion;
        session.stageIndex = stage;
        int notesWhileTyping = -1;
        world.bodies["type"] = [&] { notesWhileTyping = session.noteCount; };
        presentQuestion(nullptr);
        const std::vector<std::string> steps{"background", "box", "box", "box", "box", "panel",
                                             "type", "keyboard", "show"};
        ASSERT_EQ(world.steps(), steps) << "stage " << stage;
        EXPECT_EQ(world.events[5].value, 248 << 16 | 165);  // the message area's panel
        EXPECT_EQ(world.events[6].text, expected[stage]) << "stage " << stage;
        EXPECT_EQ(world.spoken, std::vector<std::wstring>{expected[stage]}) << "stage " << stage;
        // The keyboard drawn shows exactly the question's range.
        EXPECT_EQ(lowestNote(Keyboard(world.events[7].value)), session.lowNote) << "stage " << stage;
        EXPECT_EQ(highestNote(Keyboard(world.events[7].value)), session.highNote) << "stage " << stage;
        EXPECT_EQ(notesWhileTyping, 0);
    }
}

std::vector<FakeEvent> eventsNamed(const std::string& what) {
    std::vector<FakeEvent> found;
    for (const auto& e : world.events) {
        if (e.what == what) found.push_back(e);
    }
    return found;
}

// The text of the one event of that name; "(none)" when there is none or more than one.
std::wstring textOfOnly(const std::string& what) {
    const auto found = eventsNamed(what);
    return found.size() == 1 ? found[0].text : L"(none)";
}

TEST_F(StageSteps, TheStatusBoxesShowStageOrderMissesLeftAndScoreInTheirColours) {
    session.stageIndex = 6;
    session.orderIndex = 9;
    session.stageMisses = 2;
    session.score = 1234;
    presentQuestion(nullptr);
    const auto boxes = eventsNamed("box");
    ASSERT_EQ(boxes.size(), 4u);
    const struct {
        const wchar_t* text;
        uint32_t colour;
        int x, y;
    } expected[] = {
        {L"ステージ7", kStageBoxColour, 20, 165},
        {L"指令10", kOrderBoxColour, 132, 165},
        {L"ミス残り1回", kMissesBoxColour, 20, 210},
        {L"得点 1234", kScoreBoxColour, 132, 210},
    };
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(boxes[i].text, expected[i].text);
        EXPECT_EQ(uint32_t(boxes[i].value), expected[i].colour) << i;
        EXPECT_EQ(boxes[i].x, expected[i].x) << i;
        EXPECT_EQ(boxes[i].y, expected[i].y) << i;
    }
}

TEST_F(StageSteps, AKeyboardThatCannotBeDrawnLeavesTheStepToComeAgain) {
    world.keyboardFails = true;
    presentQuestion(nullptr);
    EXPECT_EQ(gameState, kStateNextQuestion);
    EXPECT_EQ(session.noteCount, 0);
    EXPECT_EQ(session.randomSeed, 1234u);
    EXPECT_EQ(world.steps().back(), "keyboard");
    EXPECT_TRUE(world.midiMessages().empty());
}

// --- judging ---

class Judging : public StageSteps {
protected:
    void ask(std::vector<int> notes, std::vector<int> marks, int stage = 0) {
        session.stageIndex = stage;
        session.noteCount = int(notes.size());
        for (size_t i = 0; i < notes.size(); ++i) session.questionNotes[i] = notes[i];
        for (int note : marks) session.selectedKeys[note] = 1;
    }
    std::vector<int> greenKeys() {
        std::vector<int> notes;
        for (const auto& e : eventsNamed("fillKey")) notes.push_back(e.value);
        return notes;
    }
    std::wstring verdict() { return textOfOnly("verdict"); }
};

TEST_F(Judging, TheMarkedQuestionIsCorrectAndEveryCallComesInItsOrder) {
    ask({64}, {64});
    judgeAnswer(nullptr, kStateNextQuestion);
    EXPECT_EQ(verdict(), L"正解！");
    EXPECT_EQ(world.spoken, std::vector<std::wstring>{L"正解！ E4"});
    EXPECT_EQ(session.score, 1);
    EXPECT_EQ(session.stageMisses, 0);
    const std::vector<std::string> steps{"brush", "fillKey", "deleteBrush", "show", "verdict", "box", "history", "show"};
    ASSERT_EQ(world.steps(), steps);
    EXPECT_TRUE(world.judged[0].line.correct);
    EXPECT_EQ(world.judged[0].line.points, 1);
    EXPECT_EQ(world.events[0].value, int(kAnswerKeyColour));
    EXPECT_EQ(eventsNamed("fillKey")[0].handle, world.events[0].handle);
    EXPECT_TRUE(world.liveBrushes.empty());
    // The notes sound for a second between the green keys and the verdict.
    const std::vector<uint32_t> sound{noteOnMessage(64), noteOffMessage(64)};
    EXPECT_EQ(world.midiMessages(), sound);
    EXPECT_EQ(world.timesOf("verdict")[0] - world.timesOf("show")[0], 1000);
}

TEST_F(Judging, AnExtraMarkIsAMissAndOnlyTheQuestionsKeysTurnGreen) {
    ask({64}, {64, 65});
    judgeAnswer(nullptr, kStateNextQuestion);
    EXPECT_EQ(verdict(), L"ミス！");
    EXPECT_EQ(greenKeys(), std::vector<int>{64});
    EXPECT_EQ(session.stageMisses, 1);
    EXPECT_EQ(session.missTotal, 1);
    EXPECT_EQ(session.score, 0);
    EXPECT_EQ(textOfOnly("box"), L"ミス残り2回");

    resetWorld();
    ask({48, 55, 60}, {48, 60});  // a missing mark; the unmarked note turns green too
    judgeAnswer(nullptr, kStateNextQuestion);
    EXPECT_EQ(verdict(), L"ミス！");
    EXPECT_EQ(greenKeys(), (std::vector<int>{48, 55, 60}));
    EXPECT_EQ(world.spoken, std::vector<std::wstring>{L"ミス！ 正解は C3 G3 C4"});

    resetWorld();
    ask({67}, {});  // nothing marked after the replays
    session.replayCount = 3;
    judgeAnswer(nullptr, kStateNextQuestion);
    EXPECT_EQ(verdict(), L"ミス！");
    EXPECT_EQ(greenKeys(), std::vector<int>{67});
}

TEST_F(Judging, PointsGrowWithTheStageAndTheScoreIsRightAligned) {
    ask({40, 52}, {40, 52}, 4);
    judgeAnswer(nullptr, kStateNextQuestion);
    EXPECT_EQ(session.score, 25);
    EXPECT_EQ(textOfOnly("box"), L"得点   25");

    resetWorld();
    session.score = 1976;
    session.orderIndex = kOrdersPerStage;
    ask({30, 31, 32, 33, 34, 35}, {30, 31, 32, 33, 34, 35}, 7);
    judgeAnswer(nullptr, kStateNextQuestion);
    EXPECT_EQ(session.score, 2040);
    EXPECT_EQ(textOfOnly("box"), L"得点 2040");
    EXPECT_TRUE(world.judged[0].endsGame) << "the last order of the last stage";
}

TEST_F(Judging, TheFourthMissOfAStageEndsTheGameWithoutRedrawingTheBox) {
    session.stageMisses = 2;
    session.missTotal = 5;
    ask({60}, {61});
    judgeAnswer(nullptr, kStateNextQuestion);
    EXPECT_EQ(textOfOnly("box"), L"ミス残り0回");
    EXPECT_EQ(gameState, kStateNextQuestion);
    EXPECT_FALSE(world.judged[0].endsGame);

    // The fourth, on the tenth order: 10 replaces the 3 the game thread stored.
    resetWorld();
    gameState = kStateStageCleared;
    session.stageMisses = 3;
    session.missTotal = 6;
    ask({60}, {61});
    judgeAnswer(nullptr, kStateStageCleared);
    EXPECT_EQ(gameState, kStateResults);
    EXPECT_TRUE(eventsNamed("box").empty());
    EXPECT_EQ(session.missTotal, 7);
    EXPECT_EQ(verdict(), L"ミス！");
    EXPECT_TRUE(world.judged[0].endsGame);
}

// The history's line of an order: the notes asked and marked, the replays, the
// time from the end of the question's notes to the confirm (none for a confirm
// while they sound), the verdict and its points.
TEST_F(Judging, TheHistoryGetsTheOrderTimedFromTheEndOfTheQuestionsNotes) {
    requestedStage = 2;
    beginRequestedGame();
    presentQuestion(nullptr);
    const std::vector<int> asked = currentQuestion();
    session.selectedKeys[asked[0]] = 1;
    session.replayCount = 2;
    session.orderIndex = 4;
    sleepMs(2345);
    answerOrReplay();
    judgeAnswer(nullptr, kStateNextQuestion);
    ASSERT_EQ(world.judged.size(), 1u);
    const HistoryLine& line = world.judged[0].line;
    EXPECT_EQ(line.time.second, kFakeNow.second);
    EXPECT_EQ(line.firstStage, 3);
    EXPECT_EQ(line.stage, 3);
    EXPECT_EQ(line.order, 4);
    EXPECT_EQ(line.asked, NoteSet().set(size_t(asked[0])).set(size_t(asked[1])));
    EXPECT_EQ(line.marked, NoteSet().set(size_t(asked[0])));
    EXPECT_EQ(line.replays, 2);
    EXPECT_EQ(line.answerMs, 2345);
    EXPECT_FALSE(line.correct);
    EXPECT_EQ(line.points, 0);

    gameState = kStateNextQuestion;
    world.timeline.emplace(world.clockMs + kQuestionLeadInMs, [] {
        session.selectedKeys[60] = 1;
        answerOrReplay();
    });
    presentQuestion(nullptr);
    judgeAnswer(nullptr, kStateNextQuestion);
    EXPECT_EQ(world.judged.at(1).line.answerMs, 0) << "confirmed while the notes sounded";
}

// A new game asked for while the tenth answer of a stage is judged begins
// clean: that answer, right or a fourth miss, counts for nothing in it.
TEST_F(Judging, ANewGameAskedForDuringTheLastJudgementOfAStageBeginsClean) {
    for (const bool right : {true, false}) {
        SCOPED_TRACE(right ? "right" : "fourth miss");
        resetWorld();
        session.orderIndex = 9;
        session.stageMisses = 3;
        session.score = 40;
        ask({60}, {right ? 60 : 61}, 3);
        gameState = kStateJudge;
        world.bodies["verdict"] = [] { startGame(0); };
        EXPECT_EQ(runStep(nullptr, kStateJudge), 1500);
        EXPECT_EQ(gameState, kStateNextQuestion);
        world.events.clear();
        runStep(nullptr, kStateNextQuestion);
        std::vector<std::wstring> boxes;
        for (const auto& e : eventsNamed("box")) boxes.push_back(e.text);
        EXPECT_EQ(boxes, (std::vector<std::wstring>{L"ステージ1", L"指令1", L"ミス残り3回", L"得点    0"}));
        EXPECT_EQ(session.questionCount, 1);
        EXPECT_EQ(session.missTotal, 0);
    }
}

// The loop read `state`; the UI thread then stored a start request before the
// step stored its successor. The request survives every step, also those that
// would end the game here: a fourth miss, and the last stage cleared.
TEST_F(Judging, ARequestStoredBetweenTheReadAndTheSuccessorSurvives) {
    for (int32_t state : {kStateTitle, kStateRanking, kStateStageCleared, kStateHintDue, kStateJudge, kStateResults,
                          kStateNameEntered}) {
        SCOPED_TRACE(state);
        resetWorld();
        session.stageMisses = 3;
        ask({60}, {61}, kStageCount - 1);
        gameState = kStateNextQuestion;
        runStep(nullptr, state);
        EXPECT_EQ(gameState.load(), kStateNextQuestion);
    }
    // A screen whose successor was refused is not held.
    resetWorld();
    gameState = kStateNextQuestion;
    EXPECT_EQ(runStep(nullptr, kStateTitle), 0);
}

TEST_F(Judging, AQuitStoredDuringTheJudgementIsNotOverwritten) {
    session.stageMisses = 3;
    ask({60}, {});
    world.bodies["verdict"] = [] { gameState = kStateQuit; };
    judgeAnswer(nullptr, kStateNextQuestion);
    EXPECT_EQ(gameState, kStateQuit);
}

// --- clearing a stage ---

TEST_F(StageSteps, AClearedStageIsAnnouncedAndTheNextOneBegins) {
    session.stageIndex = 1;
    session.orderIndex = 10;
    session.score = 40;
    session.missTotal = 2;
    clearStage(nullptr, kStateNextQuestion);
    ASSERT_EQ(world.steps(), (std::vector<std::string>{"panel", "type"}));
    EXPECT_EQ(world.events[0].value, 248 << 16 | 165);
    EXPECT_EQ(textOfOnly("type"), L"ステージ2をパーフェクトでクリアした。\nでは，次のステージに進む。");
    EXPECT_EQ(session.stageIndex, 2);
    EXPECT_EQ(session.orderIndex, 0);
    EXPECT_EQ(session.score, 40);
    EXPECT_EQ(session.missTotal, 2);
    EXPECT_EQ(gameState, kStateNextQuestion);

    resetWorld();
    gameState = kStateNextQuestion;
    session.stageMisses = 3;
    clearStage(nullptr, kStateNextQuestion);
    EXPECT_EQ(textOfOnly("type"), L"ステージ1をクリアした。\nでは，次のステージに進む。");
    EXPECT_EQ(world.spoken, std::vector<std::wstring>{textOfOnly("type")});
    EXPECT_EQ(session.stageMisses, 0);
}

TEST_F(StageSteps, ClearingTheEighthStageLeadsToTheCelebrationWithoutASecondLine) {
    session.stageIndex = 7;
    session.orderIndex = 10;
    clearStage(nullptr, kStateNextQuestion);
    EXPECT_EQ(textOfOnly("type"), L"ステージ8をパーフェクトでクリアした。");
    EXPECT_EQ(session.stageIndex, 8);
    EXPECT_EQ(gameState, kStateCelebration);

    resetWorld();
    gameState = kStateNextQuestion;
    session.stageIndex = 7;
    session.stageMisses = 1;
    clearStage(nullptr, kStateNextQuestion);
    EXPECT_EQ(textOfOnly("type"), L"ステージ8をクリアした。");
    EXPECT_EQ(gameState, kStateCelebration);
}

TEST_F(StageSteps, QuittingWhileTheInstructionIsTypedMakesNoQuestion) {
    world.bodies["type"] = [] { gameState = kStateQuit; };
    presentQuestion(nullptr);
    EXPECT_EQ(session.noteCount, 0);
    EXPECT_EQ(session.randomSeed, 1234u);
    EXPECT_TRUE(world.midiMessages().empty());
    EXPECT_EQ(gameState, kStateQuit);
}

TEST_F(StageSteps, ARequestStoredMeanwhileIsNotOverwritten) {
    gameState = kStateQuit;
    presentQuestion(nullptr);
    EXPECT_EQ(gameState, kStateQuit);
}

}  // namespace
