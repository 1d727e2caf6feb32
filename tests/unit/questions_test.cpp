#include "game/questions.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <set>
#include <type_traits>
#include <vector>

#include "base/random.h"
#include "game/game_state.h"

namespace {

std::vector<int> currentQuestion() {
    std::vector<int> notes;
    for (int i = 0; i < session.noteCount; ++i) notes.push_back(session.questionNotes[i]);
    return notes;
}

// One question of `stage` made the way the question step makes it.
std::vector<int> question(int stage) {
    int32_t low, high;
    questionRange(stage, low, high);
    session.stageIndex = stage;
    session.lowNote = low;
    session.highNote = high;
    generateQuestion();
    return currentQuestion();
}

int chordShapeIndex(int middle, int top) {
    for (int k = 0; k < kChordShapeCount; ++k) {
        if ((chordShapes[k] & 0xFF) == middle && chordShapes[k] >> 8 == top) return k;
    }
    return -1;
}

constexpr int kSample = 20000;  // questions per stage in the property tests

TEST(NextRandom, FollowsTheKnownSequenceFrom1234) {
    session.randomSeed = 1234;
    const uint32_t states[] = {67123115, 65802416, 22423537, 24578878, 31628839};
    const int results[] = {67, 65, 22, 24, 31};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(nextRandom(session.randomSeed, 100), results[i]);
        EXPECT_EQ(session.randomSeed, states[i]);
    }
}

TEST(NextRandom, AdvancesOnceWhateverTheBound) {
    session.randomSeed = 1234;
    EXPECT_EQ(nextRandom(session.randomSeed, 12), 8);
    EXPECT_EQ(session.randomSeed, 67123115u);

    session.randomSeed = 4294967295u;  // the largest tick count
    EXPECT_EQ(nextRandom(session.randomSeed, 12), 4);
    EXPECT_EQ(session.randomSeed, 40574196u);

    session.randomSeed = 1234;
    EXPECT_EQ(nextRandom(session.randomSeed, 1), 0);
    EXPECT_EQ(session.randomSeed, 67123115u);
    EXPECT_EQ(nextRandom(session.randomSeed, 1), 0);
    EXPECT_EQ(session.randomSeed, 65802416u);
}

TEST(NextRandom, SplitArithmeticEqualsTheSixtyFourBitProduct) {
    std::mt19937 states(20261207);
    for (int i = 0; i < 3000000; ++i) {
        const uint32_t state = states();
        const uint64_t expected = (uint64_t(state) * 31415821u + 1) % 100000000u;
        const int32_t bound = int32_t(i % 3200) + 1;
        session.randomSeed = state;
        const int32_t result = nextRandom(session.randomSeed, bound);
        ASSERT_EQ(session.randomSeed, expected) << "from " << state;
        ASSERT_EQ(result, int32_t(expected / 10000 * bound / 10000)) << "from " << state;
    }
}

TEST(QuestionRange, IsOneThreeOrSixOctavesFromC) {
    const int expected[][2] = {{60, 71}, {48, 83}, {48, 83}, {48, 83}, {24, 95}, {24, 95}, {24, 95}, {24, 95}};
    static_assert(std::extent_v<decltype(expected)> == kStageCount, "a range for each stage");
    for (int stage = 0; stage < kStageCount; ++stage) {
        int32_t low = -1, high = -1;
        questionRange(stage, low, high);
        EXPECT_EQ(low, expected[stage][0]) << "stage " << stage;
        EXPECT_EQ(high, expected[stage][1]) << "stage " << stage;
    }
}

// The first three questions of every stage from the state 1234, worked out by
// hand from the rules: the order of the draws decides every one of them.
TEST(GenerateQuestion, MakesTheKnownQuestionsFrom1234) {
    const std::vector<std::vector<int>> expected[] = {
        {{68}, {67}, {62}},
        {{72}, {71}, {56}},
        {{64, 74}, {55, 59}, {61, 66}},
        {{63, 68, 75}, {54, 57, 62}, {59, 62, 69}},
        {{76, 86}, {29, 94}, {50, 85}},
        {{74, 79, 86}, {37, 53, 69}, {85, 67, 47}},
        {{71, 40, 41, 46}, {80, 69, 78}, {78, 26, 85, 60}},
        {{71, 40, 41, 46, 56}, {69, 78, 84, 26, 85}, {39, 91, 71, 42}},
    };
    const uint32_t endStates[] = {22423537, 22423537, 44461820, 44461820, 3101526, 21860549, 51282388, 25510752};
    static_assert(std::extent_v<decltype(expected)> == kStageCount && std::extent_v<decltype(endStates)> == kStageCount,
                  "questions for each stage");
    for (int stage = 0; stage < kStageCount; ++stage) {
        session.randomSeed = 1234;
        for (const auto& notes : expected[stage]) EXPECT_EQ(question(stage), notes) << "stage " << stage;
        EXPECT_EQ(session.randomSeed, endStates[stage]) << "stage " << stage;
    }
}

TEST(GenerateQuestion, EveryQuestionIsDistinctNotesInsideItsRange) {
    const int minCount[] = {1, 1, 2, 3, 2, 3, 2, 2};
    const int maxCount[] = {1, 1, 2, 3, 2, 3, 4, 6};
    static_assert(std::extent_v<decltype(minCount)> == kStageCount && std::extent_v<decltype(maxCount)> == kStageCount,
                  "counts for each stage");
    session.randomSeed = 1234;
    for (int stage = 0; stage < kStageCount; ++stage) {
        std::set<int> counts;
        for (int i = 0; i < kSample; ++i) {
            const auto notes = question(stage);
            counts.insert(int(notes.size()));
            ASSERT_GE(int(notes.size()), minCount[stage]);
            ASSERT_LE(int(notes.size()), maxCount[stage]);
            ASSERT_EQ(std::set<int>(notes.begin(), notes.end()).size(), notes.size()) << "stage " << stage;
            for (int note : notes) {
                ASSERT_GE(note, session.lowNote.load()) << "stage " << stage;
                ASSERT_LE(note, session.highNote.load()) << "stage " << stage;
            }
        }
        EXPECT_EQ(int(counts.size()), maxCount[stage] - minCount[stage] + 1) << "stage " << stage;
    }
}

TEST(GenerateQuestion, FirstStageUsesAllTwelveNotesOfItsOctave) {
    session.randomSeed = 1234;
    std::set<int> seen;
    for (int i = 0; i < kSample; ++i) seen.insert(question(0)[0]);
    EXPECT_EQ(seen, (std::set<int>{60, 61, 62, 63, 64, 65, 66, 67, 68, 69, 70, 71}));
    // The single notes of the second stage reach both ends of three octaves.
    seen.clear();
    for (int i = 0; i < kSample; ++i) seen.insert(question(1)[0]);
    EXPECT_EQ(seen.size(), 36u);
}

TEST(GenerateQuestion, IntervalsSkipThirteenAndFourteenAndStayBelowTheTop) {
    session.randomSeed = 1234;
    std::set<int> distances;
    for (int i = 0; i < kSample; ++i) {
        const auto notes = question(2);
        const int distance = notes[1] - notes[0];
        distances.insert(distance);
        ASSERT_NE(notes[1], 83);
        if (distance == 16) {
            ASSERT_GE(notes[0], 48);
            ASSERT_LE(notes[0], 66);
        }
    }
    EXPECT_EQ(distances, (std::set<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 15, 16}));
}

TEST(GenerateQuestion, ChordsUseAllShapesAndTheOctaveShapeStaysLow) {
    session.randomSeed = 1234;
    std::set<int> shapes;
    std::set<int> octaveShapeBases;
    for (int i = 0; i < kSample; ++i) {
        const auto notes = question(3);
        const int shape = chordShapeIndex(notes[1] - notes[0], notes[2] - notes[0]);
        ASSERT_GE(shape, 0);
        shapes.insert(shape);
        ASSERT_LE(notes[2], 82);
        if (shape == 26) octaveShapeBases.insert(notes[0]);
    }
    EXPECT_EQ(shapes.size(), 27u);
    EXPECT_EQ(*octaveShapeBases.begin(), 48);
    EXPECT_EQ(*octaveShapeBases.rbegin(), 58);
}

// Spreading only moves notes by octaves: the same draws without the spread
// (the unspread rule over the same range) give the same pitch classes.
TEST(GenerateQuestion, SpreadNotesKeepTheirPitchClasses) {
    const int spreadStages[] = {4, 5};
    for (int stage : spreadStages) {
        session.randomSeed = 1234;
        std::set<int> moved;
        for (int i = 0; i < kSample; ++i) {
            const uint32_t start = session.randomSeed;
            const auto spread = question(stage);
            const uint32_t next = session.randomSeed;

            session.randomSeed = start;
            session.stageIndex = stage - 2;  // the same rule, unspread
            generateQuestion();
            const auto plain = currentQuestion();
            ASSERT_EQ(plain.size(), spread.size());
            for (size_t n = 0; n < plain.size(); ++n) {
                ASSERT_EQ(spread[n] % 12, plain[n] % 12) << "stage " << stage;
                moved.insert((spread[n] - plain[n]) / 12);
            }
            session.randomSeed = next;
        }
        // Notes go up as well as down (wrapped past the top), by up to five octaves.
        EXPECT_EQ(*moved.begin(), -5) << "stage " << stage;
        EXPECT_EQ(*moved.rbegin(), 5) << "stage " << stage;
    }
}

TEST(GenerateQuestion, TheOctaveChordSpreadStillGivesThreeKeys) {
    session.randomSeed = 1234;
    int octaveChords = 0;
    for (int i = 0; i < kSample; ++i) {
        const auto notes = question(5);
        if (notes[0] % 12 == notes[1] % 12 && notes[1] % 12 == notes[2] % 12) {
            ++octaveChords;
            ASSERT_EQ(std::set<int>(notes.begin(), notes.end()).size(), 3u);
        }
    }
    EXPECT_GT(octaveChords, 0);
}

}  // namespace
