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

#endif
