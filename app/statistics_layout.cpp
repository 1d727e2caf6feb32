#include "app/statistics_layout.h"

#include <iterator>

#include "display/palette.h"

namespace {

constexpr int kMissBuckets = int(std::size(kMissRateColours));

KeyRect moved(const KeyRect& onCanvas) {
    const int dy = kKeysTop - kKeyboardTop;
    return KeyRect{onCanvas.left + kKeysLeft, onCanvas.top + dy, onCanvas.right + kKeysLeft, onCanvas.bottom + dy};
}

}  // namespace

CanvasRect stageRow(int stage) {
    const int top = kStageRowsTop + stage * kStageRowHeight;
    return CanvasRect{kRowLabelLeft, top, kHalfPanelWidth - kPanelMargin, top + kStageRowHeight};
}

int barLength(int64_t value, int64_t full, int width) {
    if (full <= 0 || value <= 0) return 0;
    if (value >= full) return width;
    return int((value * width + full / 2) / full);
}

int64_t answerScaleMs(int64_t longestMs) {
    const int64_t seconds = (longestMs + 999) / 1000;
    return (seconds < 1 ? 1 : seconds) * 1000;
}

KeyRegion statisticsKey(int note) {
    const Key key = noteKey(note);
    KeyRegion region = keyRegion(kStatisticsKeyboard, key.octave, key.white, key.black);
    region.area = moved(region.area);
    for (int i = 0; i < region.cutCount; ++i) region.cuts[i] = moved(region.cuts[i]);
    return region;
}

CanvasRect keyboardBand() {
    // One pixel of outline round the outermost keys' insides.
    const KeyRect low = statisticsKey(lowestNote(kStatisticsKeyboard)).area;
    const KeyRect high = statisticsKey(highestNote(kStatisticsKeyboard)).area;
    return CanvasRect{low.left - 1, kKeysTop, high.right + 1, kKeysTop + kKeyboardHeight};
}

int missBucket(int missed, int asked) {
    if (asked <= 0) return -1;
    if (missed <= 0) return 0;
    if (missed >= asked) return kMissBuckets - 1;
    // The rate's share of the buckets above "never", rounded up.
    return int((int64_t(missed) * (kMissBuckets - 1) + asked - 1) / asked);
}

CanvasRect gameColumn(int day, int count, int most) {
    const int left = kGameColumnsLeft + day * (kGameColumnWidth + kGameColumnGap);
    const int bottom = kGameChartTop + kGameChartHeight;
    return CanvasRect{left, bottom - barLength(count, most, kGameChartHeight), left + kGameColumnWidth, bottom};
}

void placeBesideOwner(const ScreenRect& owner, const ScreenRect& work, int width, int height, int& left, int& top) {
    top = owner.top;
    if (owner.right + width <= work.right) {
        left = owner.right;
    } else if (owner.left - width >= work.left) {
        left = owner.left - width;
    } else {
        centreOver(owner, width, height, left, top);
    }
    keepInside(work, width, height, left, top);
}
