// The practice history: its lines written and read back, and a file's text
// with the lines a reader must skip.
#include <gtest/gtest.h>

#include <string>

#include "records/history_line.h"

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

}  // namespace
