// The ranking's rules (where a score enters, how its row goes in) and the
// run's shared block, which a save may copy while the game thread adds a row.
#include "records/ranking_table.h"

#include <gtest/gtest.h>

#include <atomic>
#include <climits>
#include <cstring>
#include <thread>

#include "records/shared_records.h"

namespace {

RankingEntry entry(int score, const char* name = "Player") {
    RankingEntry e{};
    e.score = uint16_t(score);
    e.questionCount = 23;
    e.missTotal = 4;
    e.spare = 999;  // never stored: the slot keeps its own
    e.date = RankingDate{2024, 6, 5, 12, 21, 7, 30, 250};
    std::strncpy(e.name, name, sizeof e.name);
    return e;
}

std::vector<int> scores(const PersistentBlock& block) {
    std::vector<int> out;
    for (int i = 0; i < validRowCount(block); ++i) out.push_back(block.rows[i].score);
    return out;
}

TEST(RankPosition, FindsThePlaceBelowEveryRowThatIsAtLeastAsHigh) {
    const PersistentBlock table = defaultBlock();  // 50, 40, 30, 20, 10
    EXPECT_EQ(rankPosition(table, 35), 2);
    EXPECT_EQ(rankPosition(table, 30), 3);  // an equal score goes below the older row
    EXPECT_EQ(rankPosition(table, 11), 4);
    EXPECT_EQ(rankPosition(table, 10), 5);
    EXPECT_EQ(rankPosition(table, 0), 5);
    EXPECT_EQ(rankPosition(table, 51), 0);
    EXPECT_EQ(rankPosition(table, 2040), 0);
}

TEST(InsertRankingEntry, ThirtyFiveGoesThirdAndTheLastRowDropsOut) {
    PersistentBlock table = defaultBlock();
    EXPECT_EQ(insertRankingEntry(table, entry(35)), 2);
    EXPECT_EQ(scores(table), (std::vector<int>{50, 40, 35, 30, 20}));
    const RankingEntry& row = table.rows[2];
    EXPECT_EQ(row.questionCount, 23);
    EXPECT_EQ(row.missTotal, 4);
    EXPECT_EQ(row.date.year, 2024);
    EXPECT_EQ(row.date.milliseconds, 250);
    EXPECT_STREQ(row.name, "Player");
    EXPECT_EQ(row.spare, 3);           // the place's own
    EXPECT_EQ(table.rows[3].spare, 3); // moved down with the old third row
    EXPECT_EQ(table.rows[4].spare, 2);
    EXPECT_EQ(table.rows[3].missTotal, 1);
    EXPECT_EQ(table.rowCount, 5);
}

TEST(InsertRankingEntry, EqualScoresGoBelowAndTooLowOnesChangeNothing) {
    PersistentBlock table = defaultBlock();
    EXPECT_EQ(insertRankingEntry(table, entry(30)), 3);
    EXPECT_EQ(scores(table), (std::vector<int>{50, 40, 30, 30, 20}));
    EXPECT_STREQ(table.rows[2].name, "No Name");
    EXPECT_STREQ(table.rows[3].name, "Player");

    PersistentBlock unchanged = defaultBlock();
    EXPECT_EQ(insertRankingEntry(unchanged, entry(10)), -1);
    EXPECT_EQ(encodeBlock(unchanged), encodeBlock(defaultBlock()));

    PersistentBlock last = defaultBlock();
    EXPECT_EQ(insertRankingEntry(last, entry(11)), 4);
    EXPECT_EQ(scores(last), (std::vector<int>{50, 40, 30, 20, 11}));
    EXPECT_EQ(last.rows[4].spare, 1);
}

TEST(InsertRankingEntry, FirstPlaceTakesSpareFiveAndTheOldFirstRowKeepsItsFive) {
    PersistentBlock table = defaultBlock();
    EXPECT_EQ(insertRankingEntry(table, entry(60)), 0);
    EXPECT_EQ(scores(table), (std::vector<int>{60, 50, 40, 30, 20}));
    const int spares[] = {5, 5, 4, 3, 2};
    for (int i = 0; i < 5; ++i) EXPECT_EQ(table.rows[i].spare, spares[i]) << i;
}

TEST(InsertRankingEntry, TheNameIsCopiedUpToItsZeroOverWhatTheSlotHeld) {
    PersistentBlock table = defaultBlock();
    insertRankingEntry(table, entry(60, "Al"));
    const char expected[16] = {'A', 'l', 0, 'N', 'a', 'm', 'e', 0};
    EXPECT_EQ(std::memcmp(table.rows[0].name, expected, 16), 0);

    // A name with no zero in its 16 bytes goes in as 15 characters.
    RankingEntry longName = entry(70);
    std::memset(longName.name, 'Q', 16);
    insertRankingEntry(table, longName);
    EXPECT_EQ(std::string(table.rows[0].name), std::string(15, 'Q'));
}

TEST(InsertRankingEntry, AShortTableTakesAnyScoreAtItsEndAndGrows) {
    PersistentBlock table = defaultBlock();
    table.rowCount = 3;
    EXPECT_EQ(rankPosition(table, 0), 3);
    EXPECT_EQ(insertRankingEntry(table, entry(0)), 3);
    EXPECT_EQ(table.rowCount, 4);
    EXPECT_EQ(scores(table), (std::vector<int>{50, 40, 30, 0}));
    EXPECT_EQ(table.rows[3].spare, 2);  // whatever the slot held

    PersistentBlock empty = defaultBlock();
    empty.rowCount = 0;
    EXPECT_EQ(insertRankingEntry(empty, entry(5)), 0);
    EXPECT_EQ(empty.rowCount, 1);
}

TEST(InsertRankingEntry, RowCountsNoFileShouldHoldStayInsideTheFiveRows) {
    for (int32_t count : {6, 100, INT32_MAX}) {
        PersistentBlock table = defaultBlock();
        table.rowCount = count;
        EXPECT_EQ(validRowCount(table), 5);
        EXPECT_EQ(rankPosition(table, 0), 5) << count;
        EXPECT_EQ(insertRankingEntry(table, entry(0)), -1) << count;
        EXPECT_EQ(insertRankingEntry(table, entry(45)), 1) << count;
        EXPECT_EQ(table.rowCount, 5);
    }
    for (int32_t count : {-1, INT32_MIN}) {
        PersistentBlock table = defaultBlock();
        table.rowCount = count;
        EXPECT_EQ(rankPosition(table, 0), 0) << count;
        EXPECT_EQ(insertRankingEntry(table, entry(0)), 0) << count;
        EXPECT_EQ(table.rowCount, 1);
    }
}

// Rows added on one thread while another copies the table, as the game thread's
// commit and the save at exit may do: every copy must be a whole table.
TEST(SharedRecords, ACopyNeverCatchesAHalfMovedTable) {
    PersistentBlock start = defaultBlock();
    for (RankingEntry& row : start.rows) row.questionCount = row.score;
    setSharedRecords(start);

    std::atomic<bool> done{false};
    std::thread game([&] {
        for (int score = 51; score <= 3000; ++score) {
            RankingEntry e = entry(score);
            e.questionCount = uint16_t(score);
            EXPECT_EQ(commitRankingEntry(e), 0);
        }
        done = true;
    });
    int copies = 0;
    bool whole = true;
    while (!done || copies == 0) {
        const PersistentBlock copy = sharedRecords();
        ++copies;
        for (int i = 0; i < 5; ++i) {
            if (copy.rows[i].questionCount != copy.rows[i].score) whole = false;
            if (i > 0 && copy.rows[i].score != copy.rows[i - 1].score - (copy.rows[i - 1].score > 50 ? 1 : 10))
                whole = false;
        }
    }
    game.join();
    EXPECT_TRUE(whole);
    EXPECT_EQ(scores(sharedRecords()), (std::vector<int>{3000, 2999, 2998, 2997, 2996}));

    storeWindowPosition(120, -40);
    EXPECT_EQ(sharedRecords().windowLeft, 120);
    EXPECT_EQ(sharedRecords().windowTop, -40);
    EXPECT_EQ(sharedRecords().rows[0].score, 3000);
}

}  // namespace
