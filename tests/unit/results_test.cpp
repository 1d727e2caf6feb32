// The results screen, name entry and the row a named entry leaves in the table.
#include "game/results.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "display/name_field.h"
#include "game/game_state.h"
#include "game/name_entry.h"
#include "records/ranking_table.h"
#include "records/shared_records.h"
#include "tests/unit/fake_world.h"

namespace {

class Results : public ::testing::Test {
protected:
    void SetUp() override {
        resetWorld();
        setSharedRecords(defaultBlock());  // 50, 40, 30, 20, 10
        gameState = kStateTitle;           // the results step stored its successor
    }

    void endGame(int score, int questions, int misses) {
        session.score = score;
        session.questionCount = questions;
        session.missTotal = misses;
    }

    void type(const std::string& keys) {
        for (char c : keys) handleNameChar(nullptr, static_cast<unsigned char>(c));
    }

    std::vector<std::wstring> textsOf(const std::string& what) {
        std::vector<std::wstring> texts;
        for (const auto& e : world.events)
            if (e.what == what) texts.push_back(e.text);
        return texts;
    }
};

TEST(ResultTexts, RateIsTruncatedAndTheTextsReadAsShown) {
    EXPECT_EQ(correctRate(9, 2), 77);
    EXPECT_EQ(correctRate(80, 0), 100);
    EXPECT_EQ(correctRate(4, 4), 0);
    EXPECT_EQ(correctRate(3, 1), 66);
    EXPECT_EQ(resultsLines(77, 640), L"正解率：77%\n得点：640");
    EXPECT_EQ(rankInLine(0), L"第1位にランクインした。");
    EXPECT_EQ(rankInLine(4), L"第5位にランクインした。");
}

TEST_F(Results, AScoreThatDoesNotRankShowsTheResultsAndLeavesTheTitleDue) {
    endGame(10, 9, 2);  // equal to the last row: not enough
    showResults(nullptr);
    EXPECT_EQ(world.steps(), (std::vector<std::string>{"background", "panel", "resultsTexts", "show"}));
    EXPECT_EQ(world.events[1].value, 30 << 16 | 30);
    EXPECT_EQ(textsOf("resultsTexts"), std::vector<std::wstring>{L"正解率：77%\n得点：10"});
    EXPECT_EQ(world.spoken, std::vector<std::wstring>{L"成績\n正解率：77%\n得点：10"});
    EXPECT_EQ(gameState.load(), kStateTitle);
}

TEST_F(Results, ARankInClearsTheNameAndOpensNameEntryWithItsCaret) {
    std::strcpy(pendingName, "Earlier");
    endGame(35, 12, 3);
    showResults(nullptr);
    EXPECT_EQ(world.steps(), (std::vector<std::string>{"background", "panel", "resultsTexts", "rankIn", "showCaret",
                                                       "show"}));
    EXPECT_EQ(textsOf("rankIn"), std::vector<std::wstring>{L"第3位にランクインした。"});
    EXPECT_EQ(world.spoken,
              std::vector<std::wstring>{L"成績\n正解率：75%\n得点：35\n第3位にランクインした。\nあなたの名前を入力 >"});
    EXPECT_EQ(gameState.load(), kStateNameEntry);
    for (char c : pendingName) EXPECT_EQ(c, '\0');
}

TEST_F(Results, QuittingOrANewGameBeforeNameEntryBeginsWins) {
    for (int32_t request : {kStateQuit, kStateNextQuestion}) {
        resetWorld();
        gameState = kStateTitle;
        endGame(640, 10, 0);
        world.bodies["resultsTexts"] = [request] { gameState = request; };
        showResults(nullptr);
        EXPECT_EQ(gameState.load(), request);
        const auto steps = world.steps();
        EXPECT_EQ(std::count(steps.begin(), steps.end(), "showCaret"), 0) << "request " << request;
        EXPECT_EQ(std::count(steps.begin(), steps.end(), "show"), 0) << "request " << request;
    }
}

TEST_F(Results, TypingKeepsFifteenPrintableCharactersAndRedrawsOnEachChange) {
    gameState = kStateNameEntry;
    type("Tester");
    handleNameChar(nullptr, 0x3042);  // a Japanese character
    handleNameChar(nullptr, 0xB1);    // a byte of a double-byte character
    handleNameChar(nullptr, '\t');
    handleNameChar(nullptr, 127);
    EXPECT_STREQ(pendingName, "Tester");
    EXPECT_EQ(textsOf("nameInput").size(), 6u) << "ignored characters draw nothing";

    type(" 0123456789~");  // 18 characters in all: the last three are ignored
    EXPECT_STREQ(pendingName, "Tester 01234567");
    EXPECT_EQ(textsOf("nameInput").back(), L"Tester 01234567");
    handleNameChar(nullptr, 8);
    EXPECT_STREQ(pendingName, "Tester 0123456");
    EXPECT_EQ(textsOf("nameInput").size(), 16u);
    EXPECT_EQ(gameState.load(), kStateNameEntry);

    type("\b\b\b\b\b\b\b\b\b\b\b\b\b\b\b");  // one more than there are
    EXPECT_STREQ(pendingName, "");
    EXPECT_EQ(textsOf("nameInput").size(), 30u) << "backspace on an empty name draws nothing";
}

TEST_F(Results, EnterCommitsANameAndEndsEntryWithoutOneAsEscapeDoes) {
    struct Case {
        const char* keys;
        int32_t next;
    };
    for (const Case& c : {Case{"Ann\r", kStateNameEntered}, Case{"\r", kStateTitle}, Case{"Ann\x1b", kStateTitle},
                          Case{"\x1b", kStateTitle}}) {
        resetWorld();
        std::memset(pendingName, 0, sizeof pendingName);
        gameState = kStateNameEntry;
        type(c.keys);
        EXPECT_EQ(gameState.load(), c.next) << c.keys;
        EXPECT_EQ(world.steps().back(), "removeCaret") << c.keys;
    }
}

TEST_F(Results, TheCommittedRowHoldsTheGamesCountersTheDateAndTheName) {
    endGame(35, 12, 3);
    showResults(nullptr);
    type("Tester\r");
    ASSERT_EQ(gameState.load(), kStateNameEntered);
    commitEntry();

    const PersistentBlock table = sharedRecords();
    ASSERT_EQ(table.rowCount, 5);
    const int expectedScores[] = {50, 40, 35, 30, 20};
    for (int i = 0; i < 5; ++i) EXPECT_EQ(table.rows[i].score, expectedScores[i]);
    const RankingEntry& row = table.rows[2];
    EXPECT_EQ(row.questionCount, 12);
    EXPECT_EQ(row.missTotal, 3);
    EXPECT_EQ(row.spare, 3) << "the place keeps its own spare";
    EXPECT_EQ(std::memcmp(&row.date, &kFakeNow, sizeof row.date), 0);
    EXPECT_STREQ(row.name, "Tester");
}

TEST_F(Results, AFullLengthNameIsStoredWhole) {
    PersistentBlock table = defaultBlock();
    table.rowCount = 3;
    setSharedRecords(table);
    endGame(0, 4, 4);  // no right answer, yet a short table takes it
    showResults(nullptr);
    ASSERT_EQ(textsOf("rankIn"), std::vector<std::wstring>{L"第4位にランクインした。"});
    type("ABCDEFGHIJKLMNOP\r");
    commitEntry();
    table = sharedRecords();
    EXPECT_EQ(table.rowCount, 4);
    EXPECT_EQ(table.rows[3].score, 0);
    EXPECT_EQ(std::string(table.rows[3].name, sizeof table.rows[3].name), std::string("ABCDEFGHIJKLMNO\0", 16));
}

}  // namespace
