// The statistics window's panels, each drawn with GDI into a device context of
// the panel's size.
#ifndef VARLO_APP_STATISTICS_CHARTS_WIN_H
#define VARLO_APP_STATISTICS_CHARTS_WIN_H

#include <windows.h>

#include <cstdint>

#include "records/history_summary.h"

// The panels, which are also their child windows' ids.
enum class Chart { accuracy = 1, answerTime, keyboard, confusions, games };

// Draws `chart` over the whole `width` x `height` of `dc`, in the font selected into it.
void drawChart(HDC dc, Chart chart, int width, int height, const HistorySummary& summary, int64_t today);

#endif
