// Every colour the game draws, as the COLORREF values GDI takes (0x00BBGGRR),
// each written as the red, green and blue it is made of. The balls of the
// celebration take random light colours (show_effects.h).
#ifndef VARLO_DISPLAY_PALETTE_H
#define VARLO_DISPLAY_PALETTE_H

#include <cstdint>

constexpr uint32_t rgb(int red, int green, int blue) {
    return uint32_t(red) | uint32_t(green) << 8 | uint32_t(blue) << 16;
}

// The hatched background: its lines and the gaps between them.
constexpr uint32_t kHatchLineColour = rgb(51, 102, 0);
constexpr uint32_t kHatchGapColour = rgb(102, 0, 51);

// The typewriter's instructions, hints and stage messages.
constexpr uint32_t kTypedTextColour = rgb(255, 255, 153);

// The status boxes of the question screen.
constexpr uint32_t kStageBoxColour = rgb(255, 0, 153);
constexpr uint32_t kOrderBoxColour = rgb(153, 255, 153);
constexpr uint32_t kMissesBoxColour = rgb(0, 153, 255);
constexpr uint32_t kScoreBoxColour = rgb(204, 153, 51);

// Keys: marked by the player, and the notes of the question when it is judged.
constexpr uint32_t kMarkedKeyColour = rgb(255, 102, 153);
constexpr uint32_t kAnswerKeyColour = rgb(51, 255, 102);
// The line under the keys the computer keyboard reaches.
constexpr uint32_t kKeyReachColour = rgb(153, 204, 255);

// The verdict, "正解！" or "ミス！": its face over its shadow.
constexpr uint32_t kVerdictFaceColour = rgb(255, 204, 153);
constexpr uint32_t kVerdictShadowColour = rgb(255, 51, 0);

// The results screen: its title; the rate, the score, the rank-in line and the
// prompt; the typed name.
constexpr uint32_t kResultsTitleColour = rgb(255, 51, 153);
constexpr uint32_t kResultsColour = rgb(255, 204, 102);
constexpr uint32_t kTypedNameColour = rgb(153, 204, 51);

// The ranking screen: the headers and the line under them, then the columns.
constexpr uint32_t kRankingHeaderColour = rgb(255, 153, 204);
constexpr uint32_t kRankingUnderlineColour = rgb(153, 204, 204);
constexpr uint32_t kRankingPlaceColour = rgb(0, 204, 153);
constexpr uint32_t kRankingNameColour = rgb(255, 255, 51);
constexpr uint32_t kRankingScoreColour = rgb(255, 51, 51);
constexpr uint32_t kRankingDateColour = rgb(153, 51, 102);

// The statistics window: its panels, their headings (as the ranking's) and
// texts (as the typed ones), the empty track under a bar, the bars of all time
// and of the last seven days, of the answer times and of the games per day.
constexpr uint32_t kStatisticsPanelColour = rgb(24, 24, 48);
constexpr uint32_t kStatisticsHeadingColour = kRankingHeaderColour;
constexpr uint32_t kStatisticsTextColour = kTypedTextColour;
constexpr uint32_t kStatisticsTrackColour = rgb(60, 60, 90);
constexpr uint32_t kAllTimeBarColour = rgb(102, 204, 255);
constexpr uint32_t kRecentBarColour = rgb(255, 204, 51);
constexpr uint32_t kAnswerTimeBarColour = rgb(204, 153, 255);
constexpr uint32_t kGamesBarColour = rgb(255, 128, 170);
// Its keyboard: the keys never asked in their own white and black, which is
// also the colour between the keys; the others by how often they were missed
// when asked: never, then up to a quarter, a half, three quarters and every time.
constexpr uint32_t kPlainWhiteKeyColour = rgb(255, 255, 255);
constexpr uint32_t kPlainBlackKeyColour = rgb(0, 0, 0);
constexpr uint32_t kMissRateColours[] = {rgb(51, 204, 102), rgb(187, 221, 68), rgb(255, 221, 51), rgb(255, 153, 51),
                                         rgb(255, 51, 51)};

#endif
