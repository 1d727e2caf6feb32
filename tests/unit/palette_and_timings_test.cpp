// The colours and the pauses the game is built to, each written here as its
// value, once: every other test reads the product's constants.
#include <gtest/gtest.h>

#include <cstdint>

#include "display/palette.h"
#include "display/show_effects.h"
#include "game/note_output.h"
#include "game/stage_steps.h"
#include "game/state_machine.h"
#include "game/typewriter.h"

namespace {

// Written as GDI's COLORREF, 0x00BBGGRR, so that a red and a blue swapped in
// the palette's rgb() show too.
TEST(Palette, EveryColourIsTheOneTheGameIsBuiltTo) {
    const struct {
        uint32_t colour, bbggrr;
        const char* name;
    } colours[] = {
        {kHatchLineColour, 0x00006633, "hatch line, RGB(51, 102, 0)"},
        {kHatchGapColour, 0x00330066, "hatch gap, RGB(102, 0, 51)"},
        {kTypedTextColour, 0x0099FFFF, "typed text, RGB(255, 255, 153)"},
        {kStageBoxColour, 0x009900FF, "stage box, RGB(255, 0, 153)"},
        {kOrderBoxColour, 0x0099FF99, "order box, RGB(153, 255, 153)"},
        {kMissesBoxColour, 0x00FF9900, "misses box, RGB(0, 153, 255)"},
        {kScoreBoxColour, 0x003399CC, "score box, RGB(204, 153, 51)"},
        {kMarkedKeyColour, 0x009966FF, "marked key, RGB(255, 102, 153)"},
        {kAnswerKeyColour, 0x0066FF33, "answer key, RGB(51, 255, 102)"},
        {kKeyReachColour, 0x00FFCC99, "computer keys' reach, RGB(153, 204, 255)"},
        {kVerdictFaceColour, 0x0099CCFF, "verdict face, RGB(255, 204, 153)"},
        {kVerdictShadowColour, 0x000033FF, "verdict shadow, RGB(255, 51, 0)"},
        {kResultsTitleColour, 0x009933FF, "results title, RGB(255, 51, 153)"},
        {kResultsColour, 0x0066CCFF, "results, RGB(255, 204, 102)"},
        {kTypedNameColour, 0x0033CC99, "typed name, RGB(153, 204, 51)"},
        {kRankingHeaderColour, 0x00CC99FF, "ranking headers, RGB(255, 153, 204)"},
        {kRankingUnderlineColour, 0x00CCCC99, "ranking underline, RGB(153, 204, 204)"},
        {kRankingPlaceColour, 0x0099CC00, "ranking places, RGB(0, 204, 153)"},
        {kRankingNameColour, 0x0033FFFF, "ranking names, RGB(255, 255, 51)"},
        {kRankingScoreColour, 0x003333FF, "ranking scores, RGB(255, 51, 51)"},
        {kRankingDateColour, 0x00663399, "ranking dates, RGB(153, 51, 102)"},
        {kStatisticsPanelColour, 0x00301818, "statistics panels, RGB(24, 24, 48)"},
        {kStatisticsTrackColour, 0x005A3C3C, "bar tracks, RGB(60, 60, 90)"},
        {kAllTimeBarColour, 0x00FFCC66, "all-time bars, RGB(102, 204, 255)"},
        {kRecentBarColour, 0x0033CCFF, "last seven days' bars, RGB(255, 204, 51)"},
        {kAnswerTimeBarColour, 0x00FF99CC, "answer time bars, RGB(204, 153, 255)"},
        {kGamesBarColour, 0x00AA80FF, "games per day, RGB(255, 128, 170)"},
        {kPlainWhiteKeyColour, 0x00FFFFFF, "keys never asked, white"},
        {kPlainBlackKeyColour, 0x00000000, "keys never asked, black"},
        {kMissRateColours[0], 0x0066CC33, "never missed, RGB(51, 204, 102)"},
        {kMissRateColours[1], 0x0044DDBB, "missed up to a quarter, RGB(187, 221, 68)"},
        {kMissRateColours[2], 0x0033DDFF, "up to a half, RGB(255, 221, 51)"},
        {kMissRateColours[3], 0x003399FF, "up to three quarters, RGB(255, 153, 51)"},
        {kMissRateColours[4], 0x003333FF, "every time, RGB(255, 51, 51)"},
    };
    for (const auto& c : colours) EXPECT_EQ(c.colour, c.bbggrr) << c.name;
}

TEST(Timings, EveryPauseIsTheOneTheGameIsBuiltTo) {
    EXPECT_EQ(kCharacterPauseMs, 100);
    EXPECT_EQ(kLineEndPauseMs, 1000);
    EXPECT_EQ(kQuestionLeadInMs, 1000);
    EXPECT_EQ(kQuestionSoundMs, 2000);
    EXPECT_EQ(kReplaySoundMs, 2000);
    EXPECT_EQ(kJudgeSoundMs, 1000);
    EXPECT_EQ(kVerdictHoldMs, 1500);
    EXPECT_EQ(kScreenHoldMs, 12000);
    EXPECT_EQ(kResultsHoldMs, 7000);
    EXPECT_EQ(kWaitSliceMs, 100);
    EXPECT_EQ(kShortWaitMs, 200);
    EXPECT_EQ(kCelebrationWaitMs, 100);
    EXPECT_EQ(kShowFramePauseMs, 20);
}

}  // namespace
