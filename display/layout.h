// Where everything stands on the 630 x 250 canvas, and the colours of its
// background: every rectangle a screen draws in is named here once.
// Rectangles are in canvas pixels, right and bottom exclusive. Colours are
// COLORREF values (0x00BBGGRR).
#ifndef VARLO_DISPLAY_LAYOUT_H
#define VARLO_DISPLAY_LAYOUT_H

#include <cstdint>

constexpr int kCanvasWidth = 630;
constexpr int kCanvasHeight = 250;

struct CanvasRect {
    int left, top, right, bottom;
};

// The question screen's four status boxes, left of the message area.
constexpr CanvasRect kStageBox{20, 165, 100, 181};
constexpr CanvasRect kOrderBox{132, 165, 212, 181};
constexpr CanvasRect kMissesBox{20, 210, 100, 226};
constexpr CanvasRect kScoreBox{132, 210, 212, 226};

// The message area, where instructions, hints and stage messages are typed;
// its first text line starts at its top, the second (the hint line) 16 pixels lower.
constexpr CanvasRect kMessageArea{248, 165, 608, 226};
constexpr int kHintLineTop = 181;

// The verdict over the keyboard: the area dimmed behind it (a mask of
// 302 x 100 pixels, of which 300 x 98 are used), the text and its shadow
// two pixels down and right.
constexpr CanvasRect kVerdictArea{165, 60, 465, 158};
constexpr int kVerdictMaskWidth = 302, kVerdictMaskHeight = 100;
constexpr int kVerdictShadowOffset = 2;

// The panel of the results screen and of the celebration.
constexpr CanvasRect kResultsPanel{30, 30, 600, 220};
// On the results screen: the title "成績", the rate and score under it, the
// rank-in line, the prompt for the name, and the name field after it.
constexpr CanvasRect kResultsTitle{100, 30, 530, 75};
constexpr CanvasRect kResultsFigures{100, 75, 530, 160};
constexpr CanvasRect kRankInLine{200, 165, 430, 195};
constexpr CanvasRect kNamePrompt{95, 200, 285, 220};
constexpr CanvasRect kNameField{290, 200, 590, 220};
// The caret of name entry stands after the typed name, on these rows.
constexpr int kNameCaretTop = 202, kNameCaretHeight = 16;

// The panel of the ranking screen.
constexpr CanvasRect kRankingPanel{15, 15, 615, 235};

#endif
