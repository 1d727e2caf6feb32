// What the statistics window shows, summed up from the history's lines:
// accuracy per stage (all time and the last seven days), how often each key
// was missed when it was asked, the most frequent confusions, the average
// answer time per stage and the games of each of the last four weeks' days.
#ifndef VARLO_RECORDS_HISTORY_SUMMARY_H
#define VARLO_RECORDS_HISTORY_SUMMARY_H

#include <cstdint>
#include <string>
#include <vector>

#include "records/history_line.h"

constexpr int kRecentDays = 7;      // today and the six days before it
constexpr int kGameDays = 28;       // the days of the games-per-day chart, today the last
constexpr int kTopConfusions = 8;

struct StageTally {
    int orders = 0;
    int correct = 0;
    int64_t answerMs = 0;  // the orders' answer times added up
};

struct KeyTally {
    int asked = 0;   // orders whose question had the note
    int missed = 0;  // of those, the orders in which its key was not marked
};

// An asked note whose key was not marked, and the wrongly marked key it is
// paired with: the one nearest to it (the lower of two as near). A wrong key
// may be paired with more than one missed note; a miss with no wrong key, or
// a wrong key with no missed note, is no confusion.
struct Confusion {
    int asked = 0;
    int marked = 0;
    int count = 0;
};

struct HistorySummary {
    int orders = 0;
    StageTally allTime[kHistoryStages];
    StageTally recent[kHistoryStages];  // the last kRecentDays days
    KeyTally keys[kHistoryNotes];
    std::vector<Confusion> confusions;  // the kTopConfusions most frequent, most frequent first
    int gamesPerDay[kGameDays] = {};    // oldest day first; a game counts on the day of its first line
};

// Days since 1970-01-01 of a date of the Gregorian calendar, and back.
int64_t dayNumber(int year, int month, int day);
void civilDate(int64_t dayNumber, int& year, int& month, int& day);

// The summary of `lines` on the day numbered `today`.
HistorySummary summariseHistory(const std::vector<HistoryLine>& lines, int64_t today);

// How far the marked note lies from the asked one, in words: "半音上",
// "全音下", "長3度上", "オクターブ下", "オクターブと半音上", "2オクターブ上", ...
std::wstring distanceName(int asked, int marked);

#endif
