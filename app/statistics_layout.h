// The statistics window's arithmetic: where its panels and their parts lie,
// how long a bar is, which colour a key's miss rate takes, where the six-octave
// keyboard's keys lie in their panel, and where the window opens. Pixels,
// rectangles with right and bottom exclusive; a panel's parts in the panel's
// own coordinates.
#ifndef VARLO_APP_STATISTICS_LAYOUT_H
#define VARLO_APP_STATISTICS_LAYOUT_H

#include <cstdint>

#include "app/placement.h"
#include "display/keyboard_layout.h"
#include "display/layout.h"

// The client area and its panels: accuracy and answer times side by side, the
// keyboard across, confusions and games per day side by side, and at the foot
// the line about the file and the button that opens its folder.
constexpr int kStatisticsWidth = 660, kStatisticsHeight = 598;
constexpr CanvasRect kAccuracyPanel{10, 10, 325, 212};
constexpr CanvasRect kAnswerTimePanel{335, 10, 650, 212};
constexpr CanvasRect kKeyboardPanel{10, 222, 650, 364};
constexpr CanvasRect kConfusionPanel{10, 374, 325, 556};
constexpr CanvasRect kGamesPanel{335, 374, 650, 556};
constexpr CanvasRect kFileLine{10, 568, 440, 588};
constexpr CanvasRect kFolderButton{450, 564, 650, 590};

// Inside a panel: the margin of its contents, its heading, and the rows of
// the per-stage panels, each with its label, its bar (two thin ones for
// accuracy) and its figures right of the bar.
constexpr int kPanelMargin = 8;
constexpr int kTextHeight = 16;
constexpr int kHeadingTop = 4;
constexpr int kHalfPanelWidth = kAccuracyPanel.right - kAccuracyPanel.left;
constexpr int kLegendTop = 24;      // the accuracy panel's key to its two bars
constexpr int kStageRowsTop = 44, kStageRowHeight = 19;
constexpr int kRowLabelLeft = 8, kBarLeft = 82;
constexpr int kAccuracyBarWidth = 150, kAnswerBarWidth = 160;
constexpr int kBarHeight = 14;      // the accuracy panel's two bars are half as high each

// The stage row `stage` (0..7) of a per-stage panel.
CanvasRect stageRow(int stage);

// The part of `width` pixels that `value` takes of `full`, rounded; 0 when
// full is 0, never more than width.
int barLength(int64_t value, int64_t full, int width);

// The scale of the answer-time bars: the longest average rounded up to whole seconds, at least one.
int64_t answerScaleMs(int64_t longestMs);

// The keyboard panel: the game's six-octave keyboard moved into the panel,
// the octaves' names under it, and the legend under those.
constexpr Keyboard kStatisticsKeyboard = Keyboard::sixOctaves;
constexpr int kKeysLeft = 4, kKeysTop = 26;  // where the keyboard band's top-left corner lies
constexpr int kOctaveNamesTop = 104, kKeyLegendTop = 122;
// A key's inside in the panel, as keyRegion gives it on the canvas.
KeyRegion statisticsKey(int note);
// The whole keyboard band in the panel: black where no key is.
CanvasRect keyboardBand();

// The colour bucket of a key asked `asked` times and missed `missed` times:
// -1 when it was never asked, else 0 (never missed) up to kMissBuckets - 1
// (missed every time), the quarters of the rate above 0 taking one each.
int missBucket(int missed, int asked);

// The games-per-day chart: one column a day, oldest left, under a top line.
constexpr int kGameColumnsLeft = 18, kGameColumnWidth = 8, kGameColumnGap = 2;
constexpr int kGameChartTop = 44, kGameChartHeight = 100;  // bottom at 144
constexpr int kDayLabelsTop = 150;
// Column `day` (0 = the oldest) for `count` games when the busiest day had `most`.
CanvasRect gameColumn(int day, int count, int most);

// The confusions' rows.
constexpr int kConfusionRowsTop = 26, kConfusionRowHeight = 19;

// Where the window of `width` x `height` opens: right of its owner if it fits
// in the work area there, else left of it, else over it; always kept inside.
void placeBesideOwner(const ScreenRect& owner, const ScreenRect& work, int width, int height, int& left, int& top);

#endif
