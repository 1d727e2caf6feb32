// The practice history: its lines written and read back, a file's text with
// the lines a reader must skip, the summaries of a small history worked out by
// hand, and the statistics window's arithmetic.
#include <gtest/gtest.h>

#include <string>

#include "app/statistics_layout.h"
#include "app/statistics_texts.h"
#include "records/history_line.h"
#include "records/history_summary.h"

namespace {

NoteSet notes(std::initializer_list<int> list) {
    NoteSet set;
    for (const int note : list) set.set(size_t(note));
    return set;
}

TEST(HistoryLine, ALineIsWrittenAsTheSpreadsheetReadsItAndReadBack) {
    HistoryLine line;
    line.time = RankingDate{2026, 12, 3, 9, 18, 5, 31, 456};
    line.game = 12;
    line.firstStage = 2;
    line.stage = 4;
    line.order = 10;
    line.asked = notes({67, 60, 64});
    line.marked = notes({60, 65, 67});
    line.replays = 3;
    line.answerMs = 1834;
    line.points = 0;
    const std::string text = formatHistoryLine(line);
    EXPECT_EQ(text, "2026-12-09T18:05:31,12,2,4,10,C4 E4 G4,C4 F4 G4,3,1834,miss,0\r\n");
    HistoryLine back;
    ASSERT_TRUE(parseHistoryLine(text.substr(0, text.size() - 2), back));
    EXPECT_EQ(formatHistoryLine(back), text);
    EXPECT_EQ(back.asked, line.asked);
    EXPECT_EQ(back.marked, line.marked);

    line.marked.reset();
    line.correct = true;
    line.points = 16;
    EXPECT_EQ(formatHistoryLine(line), "2026-12-09T18:05:31,12,2,4,10,C4 E4 G4,,3,1834,correct,16\r\n");
    EXPECT_EQ(std::string(kHistoryFileStart),
              "\xEF\xBB\xBFtime,game,first_stage,stage,order,asked,marked,replays,answer_ms,verdict,points\r\n");
}

// The file's start, a line with each kind of bad field, a line cut short whose
// end another line was written after, and a torn last line are all skipped.
TEST(HistoryLine, TheReaderSkipsTheHeaderBadFieldsAndATornLastLine) {
    const std::string good = "2026-12-09T10:00:00,6,1,1,1,E4,F4,0,1000,miss,0\r\n";
    const std::string text = std::string(kHistoryFileStart) + good +
                             "2026-12-09T10:00:00,6,1,9,1,E4,F4,0,1000,miss,0\r\n"      // stage 9
                             "2026-12-09T10:00:00,6,2,1,1,E4,F4,0,1000,miss,0\r\n"      // before its first stage
                             "2026-12-09T10:00:00,6,1,1,11,E4,F4,0,1000,miss,0\r\n"     // order 11
                             "2026-12-09T10:00:00,6,1,1,1,,F4,0,1000,miss,0\r\n"        // nothing asked
                             "2026-12-09T10:00:00,6,1,1,1,H4,F4,0,1000,miss,0\r\n"      // no such note
                             "2026-12-09T10:00:00,6,1,1,1,E4,F4 ,0,1000,miss,0\r\n"     // a space at the end
                             "2026-12-09T10:00:00,6,1,1,1,E4,F4,4,1000,miss,0\r\n"      // four replays
                             "2026-12-09T10:00:00,6,1,1,1,E4,F4,0,-5,miss,0\r\n"        // a time before the notes
                             "2026-12-09T10:00:00,6,1,1,1,E4,F4,0,2147483648,miss,0\r\n"  // a wait past 24 days
                             "2026-12-09T10:00:00,6,1,1,1,E4,F4,0,1000,wrong,0\r\n"     // no such verdict
                             "2026-12-09T10:00:00,6,1,1,1,E4,F4,0,1000,miss,0,7\r\n"    // a field too many
                             "2026-12-09T10:00:00,6,1,1,1,E4,F4,0,1000,miss\r\n"        // a field too few
                             "2026-13-09T10:00:00,6,1,1,1,E4,F4,0,1000,miss,0\r\n"      // month 13
                             "2026-12-09T10:-0:00,6,1,1,1,E4,F4,0,1000,miss,0\r\n"      // a sign in the time
                             "2026-12-09T10:00:00,6,1,1,1,E4,F4,0,10\r\n" +            // cut short
                             good + "\"2026-12-09T10:00:00\",6,1,1,1,\"E4\",F4,0,1000,miss,0\n" +
                             good.substr(0, good.size() - 2);  // torn: no line end
    const auto lines = parseHistory(text);
    ASSERT_EQ(lines.size(), 3u) << "the first line, the one after the cut, and the quoted one with a bare LF";
    EXPECT_EQ(lines[2].asked, notes({64}));
    const HistoryEnd end = historyEnd(text);
    EXPECT_EQ(end.highestGame, 6);
    EXPECT_TRUE(end.torn);
    EXPECT_FALSE(historyEnd(good).torn);
    EXPECT_EQ(historyEnd("").highestGame, 0);
}

// Seven orders of four games, today 9 December 2026; every figure below is
// counted by hand from these lines.
TEST(HistorySummary, TheFiguresOfASmallHistoryAreThoseCountedByHand) {
    const auto lines = parseHistory(
        "2026-11-20T09:00:00,3,4,4,1,C4 E4 G4,C4 F4 A4,1,6000,miss,0\r\n"
        "2026-11-20T09:00:30,3,4,4,2,D4,,3,4000,miss,0\r\n"
        "2026-12-02T12:00:00,4,1,1,1,C4,C4,0,1000,correct,1\r\n"
        "2026-12-03T12:00:00,5,1,1,1,C5,C4,0,5000,miss,0\r\n"
        "2026-12-09T10:00:00,6,1,1,1,E4,F4,0,1000,miss,0\r\n"
        "2026-12-09T10:00:10,6,1,1,2,E4,E4,0,3000,correct,1\r\n"
        "2026-12-09T10:00:20,6,1,1,3,C4,C4,0,2000,correct,1\r\n");
    ASSERT_EQ(lines.size(), 7u);
    const int64_t today = dayNumber(2026, 12, 9);
    const HistorySummary summary = summariseHistory(lines, today);

    EXPECT_EQ(summary.orders, 7);
    EXPECT_EQ(summary.allTime[0].orders, 5);
    EXPECT_EQ(summary.allTime[0].correct, 3);
    EXPECT_EQ(summary.recent[0].orders, 4) << "today and the six days before: from 3 December";
    EXPECT_EQ(summary.recent[0].correct, 2);
    EXPECT_EQ(summary.allTime[3].orders, 2);
    EXPECT_EQ(summary.allTime[3].answerMs, 10000);
    EXPECT_EQ(summary.recent[3].orders, 0);
    EXPECT_EQ(secondsText(summary.allTime[0]), L"2.4秒");
    EXPECT_EQ(percentText(summary.allTime[0].correct, summary.allTime[0].orders), L"60%");
    EXPECT_EQ(percentText(2, 3), L"67%");
    EXPECT_EQ(percentText(0, 0), L"－");

    const struct {
        int note, asked, missed;
    } keys[] = {{60, 3, 0}, {62, 1, 1}, {64, 3, 2}, {65, 0, 0}, {67, 1, 1}, {72, 1, 1}};
    for (const auto& key : keys) {
        EXPECT_EQ(summary.keys[key.note].asked, key.asked) << key.note;
        EXPECT_EQ(summary.keys[key.note].missed, key.missed) << key.note;
    }

    // G4 is as far from F4 as from A4: the lower is taken. D4, missed with
    // nothing marked, is no confusion.
    ASSERT_EQ(summary.confusions.size(), 3u);
    EXPECT_EQ(confusionText(summary.confusions[0]), L"E4 → F4（半音上）");
    EXPECT_EQ(summary.confusions[0].count, 2);
    EXPECT_EQ(confusionText(summary.confusions[1]), L"G4 → F4（全音下）");
    EXPECT_EQ(confusionText(summary.confusions[2]), L"C5 → C4（オクターブ下）");
    EXPECT_EQ(distanceName(60, 85), L"2オクターブと半音上");
    EXPECT_EQ(distanceName(67, 60), L"完全5度下");

    int games[kGameDays] = {};
    games[8] = games[20] = games[21] = games[27] = 1;
    for (int day = 0; day < kGameDays; ++day) EXPECT_EQ(summary.gamesPerDay[day], games[day]) << day;
    EXPECT_EQ(dayLabel(today - 19), L"11/20");
    EXPECT_EQ(dayLabel(dayNumber(2024, 2, 29) + 1), L"3/1");
}

TEST(StatisticsLayout, BarsAndColoursRoundAsTheyShouldAndEveryPartFitsItsPanel) {
    EXPECT_EQ(barLength(1, 3, 150), 50);
    EXPECT_EQ(barLength(2, 3, 100), 67);
    EXPECT_EQ(barLength(0, 0, 100), 0);
    EXPECT_EQ(barLength(7, 5, 100), 100);
    EXPECT_EQ(answerScaleMs(0), 1000);
    EXPECT_EQ(answerScaleMs(2001), 3000);
    EXPECT_EQ(missBucket(0, 0), -1);
    EXPECT_EQ(missBucket(0, 4), 0);
    EXPECT_EQ(missBucket(1, 100), 1);
    EXPECT_EQ(missBucket(1, 4), 1);
    EXPECT_EQ(missBucket(26, 100), 2);
    EXPECT_EQ(missBucket(3, 4), 3);
    EXPECT_EQ(missBucket(4, 4), 4);

    // The game's own keyboard, moved whole into the panel.
    const KeyRegion moved = statisticsKey(61), onCanvas = keyRegion(Keyboard::sixOctaves, 5, 0, 1);
    EXPECT_EQ(moved.area.left - onCanvas.area.left, kKeysLeft);
    EXPECT_EQ(moved.area.top - onCanvas.area.top, kKeysTop - kKeyboardTop);
    const int keyboardWidth = kKeyboardPanel.right - kKeyboardPanel.left;
    const CanvasRect band = keyboardBand();
    EXPECT_EQ(band.left, kKeysLeft);
    EXPECT_EQ(keyboardWidth - band.right, kKeysLeft + 1) << "the keyboard in the middle of its panel";
    EXPECT_LE(kKeyLegendTop + kTextHeight, kKeyboardPanel.bottom - kKeyboardPanel.top);
    EXPECT_LE(stageRow(kHistoryStages - 1).bottom, kAccuracyPanel.bottom - kAccuracyPanel.top);
    EXPECT_LE(kConfusionRowsTop + kTopConfusions * kConfusionRowHeight, kConfusionPanel.bottom - kConfusionPanel.top);
    EXPECT_LE(gameColumn(kGameDays - 1, 0, 0).right, kGamesPanel.right - kGamesPanel.left);
    EXPECT_EQ(gameColumn(3, 1, 2).top, kGameChartTop + kGameChartHeight / 2);

    int left = 0, top = 0;
    placeBesideOwner(ScreenRect{100, 100, 746, 379}, ScreenRect{0, 0, 1920, 1040}, 676, 630, left, top);
    EXPECT_EQ(left, 746);
    EXPECT_EQ(top, 100);
    placeBesideOwner(ScreenRect{100, 100, 746, 379}, ScreenRect{0, 0, 1366, 728}, 676, 630, left, top);
    EXPECT_EQ(left, 85) << "no room on either side: over the owner";
    EXPECT_EQ(top, 0);
}

}  // namespace
