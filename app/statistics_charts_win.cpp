// The statistics panels with GDI. Where things lie is statistics_layout's,
// what they say statistics_texts'; every colour comes from the palette.
#include "app/statistics_charts_win.h"

#include <algorithm>
#include <string>

#include "app/statistics_layout.h"
#include "app/statistics_texts.h"
#include "display/palette.h"

namespace {

constexpr int kSwatchSize = 14;
constexpr int kSwatchGap = 4;     // between a swatch and its text
constexpr int kLegendGap = 16;    // between a legend's items
constexpr int kDayLabelWidth = 50;
constexpr int kTimesWidth = 52;   // the count right of a confusion

RECT rectOf(const CanvasRect& r) { return RECT{r.left, r.top, r.right, r.bottom}; }
RECT rectOf(const KeyRect& r) { return RECT{r.left, r.top, r.right, r.bottom}; }

// The device context's own brush, so that nothing is made or deleted.
void fill(HDC dc, const RECT& rect, uint32_t colour) {
    SetDCBrushColor(dc, colour);
    FillRect(dc, &rect, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
}

void text(HDC dc, const std::wstring& line, const RECT& rect, uint32_t colour, UINT align = DT_LEFT) {
    RECT box = rect;
    SetTextColor(dc, colour);
    DrawTextW(dc, line.c_str(), int(line.size()), &box, align | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
}

int textWidth(HDC dc, const std::wstring& line) {
    SIZE size{};
    GetTextExtentPoint32W(dc, line.c_str(), int(line.size()), &size);
    return size.cx;
}

// A swatch and its text from `x` on, at `top`; returns where the next item begins.
int legendItem(HDC dc, int x, int top, uint32_t colour, const std::wstring& label) {
    fill(dc, RECT{x, top + 1, x + kSwatchSize, top + 1 + kSwatchSize}, colour);
    const int textLeft = x + kSwatchSize + kSwatchGap;
    const int width = textWidth(dc, label);
    text(dc, label, RECT{textLeft, top, textLeft + width, top + kTextHeight}, kStatisticsTextColour);
    return textLeft + width + kLegendGap;
}

// A bar over its empty track.
void bar(HDC dc, int top, int height, int width, int length, uint32_t colour) {
    fill(dc, RECT{kBarLeft, top, kBarLeft + width, top + height}, kStatisticsTrackColour);
    fill(dc, RECT{kBarLeft, top, kBarLeft + length, top + height}, colour);
}

void stageLabels(HDC dc) {
    for (int stage = 0; stage < kHistoryStages; ++stage) {
        const CanvasRect row = stageRow(stage);
        text(dc, stageLabel(stage), RECT{row.left, row.top, kBarLeft, row.bottom}, kStatisticsTextColour);
    }
}

void accuracy(HDC dc, const HistorySummary& summary) {
    const int legend = legendItem(dc, kBarLeft, kLegendTop, kAllTimeBarColour, kAllTimeLegend);
    legendItem(dc, legend, kLegendTop, kRecentBarColour, kRecentLegend);
    stageLabels(dc);
    for (int stage = 0; stage < kHistoryStages; ++stage) {
        const CanvasRect row = stageRow(stage);
        const int top = row.top + (kStageRowHeight - kBarHeight) / 2, half = kBarHeight / 2;
        const StageTally& all = summary.allTime[stage];
        const StageTally& recent = summary.recent[stage];
        bar(dc, top, half, kAccuracyBarWidth, barLength(all.correct, all.orders, kAccuracyBarWidth), kAllTimeBarColour);
        bar(dc, top + half, half, kAccuracyBarWidth, barLength(recent.correct, recent.orders, kAccuracyBarWidth),
            kRecentBarColour);
        const int figures = kBarLeft + kAccuracyBarWidth, middle = (figures + row.right) / 2;
        text(dc, percentText(all.correct, all.orders), RECT{figures, row.top, middle, row.bottom}, kAllTimeBarColour,
             DT_RIGHT);
        text(dc, percentText(recent.correct, recent.orders), RECT{middle, row.top, row.right, row.bottom},
             kRecentBarColour, DT_RIGHT);
    }
}

void answerTimes(HDC dc, const HistorySummary& summary) {
    int64_t longest = 0;
    for (const StageTally& stage : summary.allTime)
        if (stage.orders > 0) longest = std::max(longest, stage.answerMs / stage.orders);
    const int64_t scale = answerScaleMs(longest);
    stageLabels(dc);
    for (int stage = 0; stage < kHistoryStages; ++stage) {
        const CanvasRect row = stageRow(stage);
        const StageTally& all = summary.allTime[stage];
        const int64_t average = all.orders > 0 ? all.answerMs / all.orders : 0;
        bar(dc, row.top + (kStageRowHeight - kBarHeight) / 2, kBarHeight, kAnswerBarWidth,
            barLength(average, scale, kAnswerBarWidth), kAnswerTimeBarColour);
        text(dc, secondsText(all), RECT{kBarLeft + kAnswerBarWidth, row.top, row.right, row.bottom},
             kAnswerTimeBarColour, DT_RIGHT);
    }
}

void keyboard(HDC dc, const HistorySummary& summary) {
    fill(dc, rectOf(keyboardBand()), kPlainBlackKeyColour);
    const int low = lowestNote(kStatisticsKeyboard), high = highestNote(kStatisticsKeyboard);
    const auto colourOf = [&](int note, uint32_t plain) {
        const int bucket = missBucket(summary.keys[note].missed, summary.keys[note].asked);
        return bucket < 0 ? plain : kMissRateColours[bucket];
    };
    // The white keys whole, the black keys' places and outlines cut out of
    // them, then the black keys' insides.
    for (int pass = 0; pass < 2; ++pass) {
        for (int note = low; note <= high; ++note) {
            const KeyRegion key = statisticsKey(note);
            const bool black = noteKey(note).black == 1;
            if (pass == 0 && !black) {
                fill(dc, rectOf(key.area), colourOf(note, kPlainWhiteKeyColour));
                for (int i = 0; i < key.cutCount; ++i) fill(dc, rectOf(key.cuts[i]), kPlainBlackKeyColour);
            } else if (pass == 1 && black) {
                fill(dc, rectOf(key.area), colourOf(note, kPlainBlackKeyColour));
            }
        }
    }
    for (int c = low; c <= high; c += 12) {
        const int left = statisticsKey(c).area.left;
        text(dc, std::wstring(L"C") + std::to_wstring(c / 12 - 1),
             RECT{left, kOctaveNamesTop, left + kDayLabelWidth, kOctaveNamesTop + kTextHeight}, kStatisticsTextColour);
    }
    int x = legendItem(dc, kPanelMargin, kKeyLegendTop, kPlainWhiteKeyColour, kNeverAskedLegend);
    for (int bucket = 0; bucket < int(std::size(kMissRateColours)); ++bucket)
        x = legendItem(dc, x, kKeyLegendTop, kMissRateColours[bucket], missBucketText(bucket));
}

void confusions(HDC dc, const HistorySummary& summary, int width) {
    const int right = width - kPanelMargin;
    if (summary.confusions.empty()) {
        text(dc, kNoConfusions, RECT{kPanelMargin, kConfusionRowsTop, right, kConfusionRowsTop + kConfusionRowHeight},
             kStatisticsTextColour);
    }
    int top = kConfusionRowsTop;
    for (const Confusion& confusion : summary.confusions) {
        const int bottom = top + kConfusionRowHeight;
        text(dc, confusionText(confusion), RECT{kPanelMargin, top, right - kTimesWidth, bottom}, kStatisticsTextColour);
        text(dc, timesText(confusion.count), RECT{right - kTimesWidth, top, right, bottom}, kStatisticsTextColour,
             DT_RIGHT);
        top = bottom;
    }
}

void games(HDC dc, const HistorySummary& summary, int64_t today) {
    const int most = *std::max_element(std::begin(summary.gamesPerDay), std::end(summary.gamesPerDay));
    if (most > 0)
        text(dc, mostGamesText(most), RECT{kGameColumnsLeft, kLegendTop, kHalfPanelWidth, kLegendTop + kTextHeight},
             kGamesBarColour);
    for (int day = 0; day < kGameDays; ++day) {
        const CanvasRect column = gameColumn(day, summary.gamesPerDay[day], most);
        // A day without games shows its place on the base line.
        fill(dc, RECT{column.left, column.bottom - 1, column.right, column.bottom}, kStatisticsTrackColour);
        fill(dc, rectOf(column), kGamesBarColour);
        // The last day of each week is named under its column, today as today.
        if ((kGameDays - 1 - day) % kRecentDays != 0) continue;
        const int64_t date = today - (kGameDays - 1 - day);
        text(dc, date == today ? std::wstring(kTodayLabel) : dayLabel(date),
             RECT{column.right - kDayLabelWidth, kDayLabelsTop, column.right, kDayLabelsTop + kTextHeight},
             kStatisticsTextColour, DT_RIGHT);
    }
}

}  // namespace

void drawChart(HDC dc, Chart chart, int width, int height, const HistorySummary& summary, int64_t today) {
    static const wchar_t* const headings[] = {kAccuracyHeading, kAnswerTimeHeading, kKeyboardHeading,
                                              kConfusionHeading, kGamesHeading};
    fill(dc, RECT{0, 0, width, height}, kStatisticsPanelColour);
    SetBkMode(dc, TRANSPARENT);
    text(dc, headings[int(chart) - 1], RECT{kPanelMargin, kHeadingTop, width - kPanelMargin, kHeadingTop + kTextHeight},
         kStatisticsHeadingColour);
    switch (chart) {
    case Chart::accuracy: accuracy(dc, summary); break;
    case Chart::answerTime: answerTimes(dc, summary); break;
    case Chart::keyboard: keyboard(dc, summary); break;
    case Chart::confusions: confusions(dc, summary, width); break;
    case Chart::games: games(dc, summary, today); break;
    }
}
