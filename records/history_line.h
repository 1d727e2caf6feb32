// The practice history, VARLO-HISTORY.csv beside VARLO.DAT: one line for each
// judged order, appended and never rewritten, in the CSV that spreadsheet
// programs open on Windows (UTF-8 with a byte order mark, CRLF, a header row).
// The columns, in their order:
//   time        local date and time, 2026-12-09T18:05:31
//   game        a number that grows with each game
//   first_stage the stage the game began at, 1..8
//   stage       1..8
//   order       1..10
//   asked       the question's notes, "C4 E4 G4", lowest first
//   marked      the keys the player marked, the same way; empty for none
//   replays     0..3
//   answer_ms   from the end of the question's notes to the confirm
//   verdict     correct or miss
//   points      the points the answer gained
#ifndef VARLO_RECORDS_HISTORY_LINE_H
#define VARLO_RECORDS_HISTORY_LINE_H

#include <bitset>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "records/persistent_block.h"

constexpr int kHistoryStages = 8;
constexpr int kHistoryOrders = 10;   // orders of a stage
constexpr int kHistoryReplays = 3;   // replays of an order
constexpr int kHistoryNotes = 128;   // MIDI notes 0..127
// The longest answer time kept, about 24 days: a longer wait counts as this
// long, and a file's sums of times stay far from overflowing.
constexpr int64_t kLongestAnswerMs = INT32_MAX;

// A set of MIDI notes; its order, lowest first, is the columns' order.
using NoteSet = std::bitset<kHistoryNotes>;

struct HistoryLine {
    RankingDate time;  // local; the day of the week and the milliseconds are not stored
    int32_t game = 0;
    int32_t firstStage = 0;
    int32_t stage = 0;
    int32_t order = 0;
    NoteSet asked, marked;
    int32_t replays = 0;
    int64_t answerMs = 0;
    bool correct = false;
    int32_t points = 0;
};

// What a new history file begins with: the byte order mark and the header row.
extern const char kHistoryFileStart[];
constexpr char kHistoryLineEnd[] = "\r\n";

// The line of a judged order, with its line end.
std::string formatHistoryLine(const HistoryLine& line);
// A line without its line end; false unless every field is well-formed.
bool parseHistoryLine(std::string_view text, HistoryLine& line);
// Every well-formed line of a history file's text, in the file's order. The
// byte order mark, the header, a line with a bad field and a last line
// without its line end (the end of a write that was cut short) are skipped.
std::vector<HistoryLine> parseHistory(std::string_view text);

// What the end of a history file tells its next writer: the highest game
// number of its whole lines (0 for none), and whether its last line lacks its
// line end, so that the next line must begin with one.
struct HistoryEnd {
    int32_t highestGame;
    bool torn;
};
HistoryEnd historyEnd(std::string_view tail);

#endif
