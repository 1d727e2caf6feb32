#include "app/statistics_texts.h"

#include "base/note_names.h"

const wchar_t kStatisticsCaption[] = L"統計 - ヴァルロ";
const wchar_t kAccuracyHeading[] = L"正解率（ステージ別）";
const wchar_t kAllTimeLegend[] = L"全期間";
const wchar_t kRecentLegend[] = L"最近7日";
const wchar_t kAnswerTimeHeading[] = L"平均回答時間（ステージ別）";
const wchar_t kKeyboardHeading[] = L"鍵盤ごとのミス率（出題されたうち、押さなかった割合）";
const wchar_t kNeverAskedLegend[] = L"出題なし";
const wchar_t kConfusionHeading[] = L"よくある聞き間違い";
const wchar_t kNoConfusions[] = L"まだありません。";
const wchar_t kGamesHeading[] = L"1日のゲーム数（最近4週間）";
const wchar_t kTodayLabel[] = L"今日";
const wchar_t kFolderButtonText[] = L"履歴のフォルダーを開く(&O)";

namespace {

const wchar_t kNone[] = L"－";

std::wstring wide(const std::string& ascii) { return std::wstring(ascii.begin(), ascii.end()); }
std::wstring nameOf(int note) { return wide(noteName(note)); }

// "60%（10回中6回）", or "記録なし".
std::wstring tallyText(int part, int whole) {
    if (whole == 0) return L"記録なし";
    return percentText(part, whole) + L"（" + std::to_wstring(whole) + L"回中" + std::to_wstring(part) + L"回）";
}

}  // namespace

std::wstring stageLabel(int stage) { return L"ステージ" + std::to_wstring(stage + 1); }

std::wstring percentText(int part, int whole) {
    if (whole <= 0) return kNone;
    return std::to_wstring((int64_t(part) * 100 + whole / 2) / whole) + L"%";
}

std::wstring secondsText(const StageTally& tally) {
    if (tally.orders <= 0) return kNone;
    const int64_t tenths = (tally.answerMs / tally.orders + 50) / 100;
    return std::to_wstring(tenths / 10) + L"." + std::to_wstring(tenths % 10) + L"秒";
}

std::wstring missBucketText(int bucket) {
    static const wchar_t* const texts[] = {L"0%", L"〜25%", L"〜50%", L"〜75%", L"〜100%"};
    return texts[bucket];
}

std::wstring confusionText(const Confusion& confusion) {
    return nameOf(confusion.asked) + L" → " + nameOf(confusion.marked) + L"（" +
           distanceName(confusion.asked, confusion.marked) + L"）";
}

std::wstring timesText(int count) { return std::to_wstring(count) + L"回"; }

std::wstring dayLabel(int64_t day) {
    int year = 0, month = 0, dayOfMonth = 0;
    civilDate(day, year, month, dayOfMonth);
    return std::to_wstring(month) + L"/" + std::to_wstring(dayOfMonth);
}

std::wstring mostGamesText(int most) { return L"最多 " + std::to_wstring(most) + L"ゲーム"; }

std::wstring fileLineText(int orders, const std::wstring& path) {
    if (orders == 0) return L"まだ記録がありません。ゲームをすると、判定のたびに記録されます。";
    return L"指令 " + std::to_wstring(orders) + L"回の記録：" + path;
}

std::wstring accuracySentences(const HistorySummary& summary) {
    std::wstring text = std::wstring(kAccuracyHeading) + L"。";
    for (int stage = 0; stage < kHistoryStages; ++stage) {
        const StageTally& all = summary.allTime[stage];
        const StageTally& recent = summary.recent[stage];
        text += stageLabel(stage) + L"：" + kAllTimeLegend + L" " + tallyText(all.correct, all.orders) + L"、" +
                kRecentLegend + L" " + tallyText(recent.correct, recent.orders) + L"。";
    }
    return text;
}

std::wstring answerTimeSentences(const HistorySummary& summary) {
    std::wstring text = std::wstring(kAnswerTimeHeading) + L"。";
    for (int stage = 0; stage < kHistoryStages; ++stage) {
        const StageTally& all = summary.allTime[stage];
        text += stageLabel(stage) + L"：" +
                (all.orders == 0 ? std::wstring(L"記録なし") : secondsText(all) + L"（" + timesText(all.orders) + L"）") +
                L"。";
    }
    return text;
}

std::wstring keyboardSentences(const HistorySummary& summary) {
    std::wstring text = std::wstring(kKeyboardHeading) + L"。";
    bool any = false;
    for (int note = 0; note < kHistoryNotes; ++note) {
        const KeyTally& key = summary.keys[note];
        if (key.asked == 0) continue;
        text += (any ? L"、" : L"") + nameOf(note) + L" " + tallyText(key.missed, key.asked);
        any = true;
    }
    return text + (any ? L"。" : L"記録なし。");
}

std::wstring confusionSentences(const HistorySummary& summary) {
    std::wstring text = std::wstring(kConfusionHeading) + L"。";
    if (summary.confusions.empty()) return text + kNoConfusions;
    for (const Confusion& confusion : summary.confusions)
        text += confusionText(confusion) + L" " + timesText(confusion.count) + L"。";
    return text;
}

std::wstring gamesSentences(const HistorySummary& summary, int64_t today) {
    std::wstring text = std::wstring(kGamesHeading) + L"。";
    bool any = false;
    for (int day = 0; day < kGameDays; ++day) {
        const int games = summary.gamesPerDay[day];
        if (games == 0) continue;
        const int64_t date = today - (kGameDays - 1 - day);
        text += (date == today ? std::wstring(kTodayLabel) : dayLabel(date)) + L" " + std::to_wstring(games) +
                L"ゲーム。";
        any = true;
    }
    return text + (any ? L"" : L"記録なし。");
}
