// What the ranking screen shows and where: its four columns, the rows of the
// five places, and the texts of a stored row.
#ifndef VARLO_DISPLAY_RANKING_TEXTS_H
#define VARLO_DISPLAY_RANKING_TEXTS_H

#include <string>

#include "display/layout.h"
#include "records/persistent_block.h"

enum RankingColumn { kRankColumn, kNameColumn, kScoreColumn, kDateColumn, kRankingColumnCount };

struct ColumnSpan {
    int left, right;
};
// Left and right edges of each column; every text is centred between them.
extern const ColumnSpan kRankingColumns[kRankingColumnCount];
extern const wchar_t* const kRankingHeaders[kRankingColumnCount];

// The headers' row, and the line under them.
constexpr int kRankingHeaderTop = 15, kRankingHeaderBottom = 48;

// Equal bands over the panel's 220 rows: the headers' band and one for each
// place; a place's row lies in its band.
constexpr int rankingBandStart(int place) { return place * 220 / (kRankingRows + 1); }
// Top and bottom of the row of place 1..kRankingRows.
constexpr int rankingRowTop(int place) { return rankingBandStart(place) + 15; }
constexpr int rankingRowBottom(int place) { return rankingBandStart(place) + 51; }
static_assert(rankingRowBottom(1) <= rankingBandStart(2) + 15 && rankingRowBottom(kRankingRows) <= kRankingPanel.bottom,
              "each place's row fits its band, and the last one the ranking panel");

// The texts of one stored row: the name as stored (at most 15 bytes), the
// score, and the date as "yyyy/mm/dd hh:mm" with the year padded by spaces.
std::wstring rankingNameText(const RankingEntry& entry);
std::wstring rankingScoreText(const RankingEntry& entry);
std::wstring rankingDateText(const RankingDate& date);

#endif
