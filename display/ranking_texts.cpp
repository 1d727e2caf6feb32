// The ranking screen's layout and texts.
#include "display/ranking_texts.h"

#include <cwchar>

const ColumnSpan kRankingColumns[kRankingColumnCount] = {{15, 50}, {60, 335}, {345, 415}, {425, 615}};
const wchar_t* const kRankingHeaders[kRankingColumnCount] = {L"順位", L"プレイヤー名", L"得点", L"日付"};

std::wstring rankingNameText(const RankingEntry& entry) {
    // Names are printable ASCII; each byte is one character.
    std::wstring name;
    for (int i = 0; i < nameLength(entry); ++i) name += static_cast<wchar_t>(static_cast<unsigned char>(entry.name[i]));
    return name;
}

std::wstring rankingScoreText(const RankingEntry& entry) { return std::to_wstring(entry.score); }

std::wstring rankingDateText(const RankingDate& date) {
    wchar_t text[32];
    std::swprintf(text, sizeof text / sizeof text[0], L"%4d/%02d/%02d %02d:%02d", date.year, date.month, date.day,
                  date.hour, date.minute);
    return text;
}
