// The statistics window's texts: its headings, the figures as its panels show
// them, and each panel's whole content in sentences, which the panel also
// carries as its window text for a screen reader.
#ifndef VARLO_APP_STATISTICS_TEXTS_H
#define VARLO_APP_STATISTICS_TEXTS_H

#include <cstdint>
#include <string>

#include "records/history_summary.h"

extern const wchar_t kStatisticsCaption[];
extern const wchar_t kAccuracyHeading[];
extern const wchar_t kAllTimeLegend[];
extern const wchar_t kRecentLegend[];
extern const wchar_t kAnswerTimeHeading[];
extern const wchar_t kKeyboardHeading[];
extern const wchar_t kNeverAskedLegend[];
extern const wchar_t kConfusionHeading[];
extern const wchar_t kNoConfusions[];
extern const wchar_t kGamesHeading[];
extern const wchar_t kTodayLabel[];
extern const wchar_t kFolderButtonText[];

std::wstring stageLabel(int stage);                   // "ステージ1" for stage 0
std::wstring percentText(int part, int whole);        // "60%"; "－" when whole is 0
std::wstring secondsText(const StageTally& tally);    // the average answer, "2.4秒"; "－" for none
std::wstring missBucketText(int bucket);              // the legend's "0%", "〜25%", ... "〜100%"
std::wstring confusionText(const Confusion& confusion);  // "E4 → F4（半音上）"
std::wstring timesText(int count);                    // "3回"
std::wstring dayLabel(int64_t day);                   // "12/8"
std::wstring mostGamesText(int most);                 // the games chart's top line, "最多 3ゲーム"
// The line under the panels: how many orders the file at `path` holds, or that it holds none yet.
std::wstring fileLineText(int orders, const std::wstring& path);

// Each panel's content in sentences.
std::wstring accuracySentences(const HistorySummary& summary);
std::wstring answerTimeSentences(const HistorySummary& summary);
std::wstring keyboardSentences(const HistorySummary& summary);
std::wstring confusionSentences(const HistorySummary& summary);
std::wstring gamesSentences(const HistorySummary& summary, int64_t today);

#endif
