// What the ranking screen shows and where: its four columns, the rows of the
// five places, and the texts of a stored row.
#ifndef VARLO_DISPLAY_RANKING_TEXTS_H
#define VARLO_DISPLAY_RANKING_TEXTS_H

#include <string>

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

// Top and bottom of the row of place 1..5.
int rankingRowTop(int place);
int rankingRowBottom(int place);

// The texts of one stored row: the name as stored (at most 15 bytes), the
// score, and the date as "yyyy/mm/dd hh:mm" with the year padded by spaces.
std::wstring rankingNameText(const RankingEntry& entry);
std::wstring rankingScoreText(const RankingEntry& entry);
std::wstring rankingDateText(const RankingDate& date);

#endif
