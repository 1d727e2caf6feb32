// The texts of the results screen, drawn into the canvas by the Win32 side.
#ifndef VARLO_DISPLAY_RESULTS_SCREEN_H
#define VARLO_DISPLAY_RESULTS_SCREEN_H

// The results screen's title, and the prompt for the name after the rank-in line.
inline constexpr wchar_t kResultsTitleText[] = L"成績";
inline constexpr wchar_t kNamePromptText[] = L"あなたの名前を入力 >";

// Game thread: the title "成績" and `lines` (rate and score) centred under
// it, in the 40-pixel results font.
void drawResultsTexts(const wchar_t* lines);
// Game thread: the rank-in line and, under it, the prompt for the name, in
// the canvas's standing font, or in the small game font where the standing
// font is not a Japanese one.
void drawRankInLines(const wchar_t* rankIn);

#endif
