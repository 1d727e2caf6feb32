// The title, ranking and celebration shows drawn with the real GDI under Wine:
// what the window shows at each pause, and what the canvas holds at the end.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "app/app_win.h"
#include "display/canvas_win.h"
#include "display/ranking_texts.h"
#include "display/results_screen.h"
#include "display/screens.h"
#include "display/show_effects.h"
#include "game/game_state.h"
#include "records/shared_records.h"
#include "resources/resource.h"
#include "tests/wine/canvas_pixels_win.h"
#include "tests/wine/recorded_calls_win.h"
#include "display/palette.h"

namespace {

constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kBefore = RGB(0, 0, 255);  // what the window showed before a show
constexpr COLORREF kHeaderColour = kRankingHeaderColour;
constexpr COLORREF kUnderlineColour = kRankingUnderlineColour;
constexpr COLORREF kRankColour = kRankingPlaceColour;
constexpr COLORREF kNameColour = kRankingNameColour;
constexpr COLORREF kScoreColour = kRankingScoreColour;
constexpr COLORREF kDateColour = kRankingDateColour;

// One line of text drawn alone on black, as a cell of the ranking draws it
// (with DT_NOCLIP, as it would show were the cell not cutting it off), centred
// unless the flags say DT_RIGHT; a font height of 0 keeps the standing font.
Pixels textAlone(const std::wstring& text, int fontHeight, COLORREF colour, RECT cell, UINT moreFlags = 0) {
    const HDC dc = CreateCompatibleDC(canvasDc);
    const HBITMAP bitmap = CreateCompatibleBitmap(canvasDc, kCanvasWidth, kCanvasHeight);
    const HGDIOBJ previousBitmap = SelectObject(dc, bitmap);
    const RECT whole{0, 0, kCanvasWidth, kCanvasHeight};
    FillRect(dc, &whole, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    const HFONT font = fontHeight > 0 ? createGameFont(fontHeight) : nullptr;
    const HGDIOBJ previousFont = font != nullptr ? SelectObject(dc, font) : nullptr;
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, colour);
    const UINT align = (moreFlags & DT_RIGHT) != 0 ? 0 : DT_CENTER;
    DrawTextW(dc, text.c_str(), -1, &cell, DT_NOPREFIX | DT_SINGLELINE | DT_VCENTER | align | moreFlags);
    const Pixels pixels = readPixels(dc);
    if (font != nullptr) {
        SelectObject(dc, previousFont);
        DeleteObject(font);
    }
    SelectObject(dc, previousBitmap);
    DeleteObject(bitmap);
    DeleteDC(dc);
    return pixels;
}

// Pixels inside `r` where two pictures differ.
int differencesIn(const Pixels& a, const Pixels& b, RECT r) {
    int count = 0;
    for (int y = r.top; y < r.bottom; ++y) {
        for (int x = r.left; x < r.right; ++x) count += a(x, y) != b(x, y);
    }
    return count;
}

// The extent of the pixels of one colour inside `r`; right < 0 when there are none.
RECT extentIn(const Pixels& p, COLORREF colour, RECT r) {
    RECT e{kCanvasWidth, kCanvasHeight, -1, -1};
    for (int y = r.top; y < r.bottom; ++y) {
        for (int x = r.left; x < r.right; ++x) {
            if (p(x, y) != colour) continue;
            e.left = std::min<LONG>(e.left, x);
            e.right = std::max<LONG>(e.right, x);
            e.top = std::min<LONG>(e.top, y);
            e.bottom = std::max<LONG>(e.bottom, y);
        }
    }
    return e;
}

int nonBlackIn(const Pixels& p, RECT r) {
    int count = 0;
    for (int y = r.top; y < r.bottom; ++y) {
        for (int x = r.left; x < r.right; ++x) count += p(x, y) != kBlack;
    }
    return count;
}

RECT cellOf(RankingColumn column, int place) {
    return RECT{kRankingColumns[column].left, rankingRowTop(place), kRankingColumns[column].right,
                rankingRowBottom(place)};
}

RankingEntry entry(uint16_t score, const char* name, RankingDate date) {
    RankingEntry e{};
    e.score = score;
    e.date = date;
    std::memcpy(e.name, name, std::strlen(name));
    return e;
}

class Screens : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        window = openTestCanvas(instance, L"ScreensTestWindow");
        ASSERT_NE(window, nullptr);
    }
    static void TearDownTestSuite() { closeTestCanvas(window); }
    void SetUp() override {
        clearRecordedCalls();
        gameState = kStateTitle;
        prepareCanvas(window);
        selected = Selected::in(canvasDc);
    }
    void TearDown() override {
        onPause = nullptr;
        EXPECT_TRUE(Selected::in(canvasDc) == selected) << "a show left another object selected";
        EXPECT_TRUE(errors.empty());
    }

    static Pixels shown() {
        const HDC windowDc = GetDC(window);
        const Pixels pixels = readPixels(windowDc);
        ReleaseDC(window, windowDc);
        return pixels;
    }

    // The window shows kBefore, and so does the canvas until the show draws.
    void showBefore() {
        fillCanvas(kBefore);
        presentCanvas(window, 0, 0);
    }

    static Pixels titlePicture() {
        const HBITMAP picture = loadPicture(window, IDP_TITLE);
        const HDC dc = CreateCompatibleDC(canvasDc);
        const HGDIOBJ previous = SelectObject(dc, picture);
        const Pixels pixels = readPixels(dc);
        SelectObject(dc, previous);
        DeleteDC(dc);
        DeleteObject(picture);
        return pixels;
    }

    static HWND window;
    Selected selected{};
};
HWND Screens::window = nullptr;

TEST_F(Screens, TheTitleDissolvesOverBlackIn63PausedFramesOf25ScatteredTilesAndEndsWhole) {
    const Pixels title = titlePicture();
    std::vector<bool> laid(kTileCount, false);
    int nextToLay = 0, framesChecked = 0;
    // At each pause the window shows the frames presented so far: every tile
    // laid is the picture's, every other is still black.
    onPause = [&] {
        const Pixels now = shown();
        int wrong = 0;
        for (int tile = 0; tile < kTileCount; ++tile) {
            const CanvasPoint at = tileCorner(tile);
            for (int y = at.y; y < at.y + kTileSize; ++y) {
                for (int x = at.x; x < at.x + kTileSize; ++x) wrong += now(x, y) != (laid[tile] ? title(x, y) : kBlack);
            }
        }
        EXPECT_EQ(wrong, 0) << "at pause " << pauses.size();
        ++framesChecked;
        for (int i = 0; i < kTilesPerFrame; ++i) {
            laid[nextToLay] = true;
            nextToLay = nextTile(nextToLay);
        }
    };
    EXPECT_TRUE(showTitleScreen(window));
    EXPECT_EQ(framesChecked, 63);
    EXPECT_EQ(pauses, std::vector<int>(63, 20));
    EXPECT_EQ(readPixels(canvasDc).at, title.at) << "the canvas is not the title picture";
    EXPECT_EQ(shown().at, title.at) << "the window does not show the title picture";
    EXPECT_EQ(gameState.load(), kStateTitle) << "a show does not touch GameState";
}

TEST_F(Screens, AnEmptyRankingShowsHeadersUnderlineAndPlaceNumbersOnlyAndSlidesUpFromTheBottom) {
    PersistentBlock block = defaultBlock();  // rows with names and scores, none of them valid
    block.rowCount = 0;
    setSharedRecords(block);
    showBefore();
    int framesChecked = 0;
    // At each pause the canvas's top stands one offset higher in the window,
    // with the earlier picture above it.
    onPause = [&] {
        const int offset = slideOffset(framesChecked++);
        const Pixels canvas = readPixels(canvasDc), now = shown();
        int wrong = 0;
        for (int y = 0; y < kCanvasHeight; ++y) {
            for (int x = 0; x < kCanvasWidth; x += 3) wrong += now(x, y) != (y < offset ? kBefore : canvas(x, y - offset));
        }
        EXPECT_EQ(wrong, 0) << "frame " << framesChecked - 1 << " at row " << offset;
    };
    showRankingScreen(window);
    EXPECT_EQ(framesChecked, 31);
    EXPECT_EQ(pauses, std::vector<int>(31, 20));

    const Pixels p = readPixels(canvasDc);
    EXPECT_EQ(shown().at, p.at);
    const RECT headers{15, kRankingHeaderTop, 615, kRankingHeaderBottom - 1};
    for (int column = 0; column < kRankingColumnCount; ++column) {
        const RECT cell{kRankingColumns[column].left, kRankingHeaderTop, kRankingColumns[column].right, kRankingHeaderBottom};
        RECT aboveLine = cell;
        aboveLine.bottom = 47;
        EXPECT_EQ(differencesIn(p, textAlone(kRankingHeaders[column], 16, kHeaderColour, cell), aboveLine), 0)
            << "header " << column;
    }
    for (int place = 1; place <= 5; ++place) {
        const RECT cell = cellOf(kRankColumn, place);
        EXPECT_EQ(differencesIn(p, textAlone(std::to_wstring(place), 24, kRankColour, cell), cell), 0) << place;
    }
    // The underline: three rows at y 47..49 from x 15 to 615.
    const RECT line = extentIn(p, kUnderlineColour, RECT{0, 0, kCanvasWidth, kCanvasHeight});
    EXPECT_EQ(line.top, 47);
    EXPECT_EQ(line.bottom, 49);
    EXPECT_GE(line.left, 13);
    EXPECT_LE(line.left, 15);
    EXPECT_GE(line.right, 614);
    EXPECT_LE(line.right, 616);
    for (int x = 16; x < 614; ++x) ASSERT_EQ(p(x, 48), kUnderlineColour) << x;
    // Nothing else on the panel: away from the headers, the underline and the
    // rank column, it is black.
    int stray = 0;
    for (int y = 8; y < 242; ++y) {
        for (int x = 12; x < 618; ++x) {
            const bool header = y < 47 && x >= headers.left && x < headers.right;
            const bool underline = y >= 46 && y <= 50;
            const bool rank = x >= 15 && x < 50;
            if (!header && !underline && !rank) stray += p(x, y) != kBlack;
        }
    }
    EXPECT_EQ(stray, 0);
}

TEST_F(Screens, RankingRowsShowNameScoreAndDateCentredAndClippedToTheirCells) {
    PersistentBlock block = defaultBlock();
    block.rowCount = 3;
    block.rows[0] = entry(2040, "Ann", RankingDate{2001, 1, 1, 1, 0, 0, 0, 0});
    block.rows[1] = entry(640, "MMMMMMMMMMMMMMM", RankingDate{987, 6, 0, 5, 4, 3, 0, 0});
    block.rows[2] = entry(9, "x", RankingDate{2026, 12, 2, 8, 21, 5, 0, 0});
    block.rows[3] = entry(8, "Hidden", RankingDate{2026, 12, 2, 8, 21, 5, 0, 0});  // beyond the row count
    setSharedRecords(block);
    showRankingScreen(window);
    const Pixels p = readPixels(canvasDc);

    const wchar_t* dates[] = {L"2001/01/01 00:00", L" 987/06/05 04:03", L"2026/12/08 21:05"};
    for (int place = 1; place <= 3; ++place) {
        const RankingEntry& row = block.rows[place - 1];
        const RECT name = cellOf(kNameColumn, place), score = cellOf(kScoreColumn, place), date = cellOf(kDateColumn, place);
        EXPECT_EQ(differencesIn(p, textAlone(rankingNameText(row), 24, kNameColour, name), name), 0) << place;
        EXPECT_EQ(differencesIn(p, textAlone(std::to_wstring(row.score), 24, kScoreColour, score), score), 0) << place;
        EXPECT_EQ(differencesIn(p, textAlone(dates[place - 1], 24, kDateColour, date), date), 0) << place;
    }
    // A short name is centred in its cell.
    const RECT ann = extentIn(p, kNameColour, cellOf(kNameColumn, 1));
    ASSERT_GE(ann.right, 0);
    EXPECT_LE(std::abs((ann.left - 60) - (334 - ann.right)), 2);
    // Nothing reaches past the cell, not even the widest name.
    const RECT wide = extentIn(p, kNameColour, RECT{0, rankingRowTop(2), kCanvasWidth, rankingRowBottom(2)});
    ASSERT_GE(wide.right, 0);
    EXPECT_GE(wide.left, 60);
    EXPECT_LE(wide.right, 334);
    // Rows beyond the row count stay empty.
    for (int place = 4; place <= 5; ++place) {
        const RECT rest{60, rankingRowTop(place), 615, rankingRowBottom(place)};
        EXPECT_EQ(extentIn(p, kNameColour, rest).right, -1) << place;
        EXPECT_EQ(extentIn(p, kScoreColour, rest).right, -1) << place;
        EXPECT_EQ(extentIn(p, kDateColour, rest).right, -1) << place;
    }
}

// The game's cells were made for the widths of "ＭＳ Ｐゴシック"; under Wine its
// stand-in (tests/wine/prefix-settings.reg) must be no wider, or a ranking
// loses the ends of its dates. The widest texts a cell can get, drawn alone
// unclipped, stay inside the cell with room to spare.
TEST_F(Screens, TheWidestRankingTextsFitTheirCellsWhole) {
    struct Case {
        const wchar_t* text;
        RankingColumn column;
    } cases[] = {{L"2026/12/08 08:36", kDateColumn},
                 {L"2888/08/28 20:08", kDateColumn},
                 {L"MMMMMMMMMMMMMMM", kNameColumn},
                 {L"WWWWWWWWWWWWWWW", kNameColumn},
                 {L"65535", kScoreColumn}};
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(std::wstring(c.text)));
        const RECT cell = cellOf(c.column, 1);
        const RECT wide{0, cell.top, kCanvasWidth, cell.bottom};
        const Pixels p = textAlone(c.text, 24, kDateColour, cell, DT_NOCLIP);
        const RECT ink = extentIn(p, kDateColour, wide);
        int outside = 0;
        for (int y = 0; y < kCanvasHeight; ++y) {
            for (int x = 0; x < kCanvasWidth; ++x) {
                outside += (x < cell.left || x >= cell.right) && p(x, y) != kBlack;
            }
        }
        ASSERT_GE(ink.right, 0);
        EXPECT_EQ(outside, 0) << "cut off in its cell";
        EXPECT_GT(ink.left, cell.left) << "touches its cell's left edge";
        EXPECT_LT(ink.right, cell.right - 1) << "touches its cell's right edge";
    }
}

// Whether the font selected in `dc` has a glyph for every character of `text`.
bool hasGlyphs(HDC dc, const std::wstring& text) {
    std::vector<WORD> glyphs(text.size());
    const DWORD done = GetGlyphIndicesW(dc, text.c_str(), int(text.size()), glyphs.data(), GGI_MARK_NONEXISTING_GLYPHS);
    return done == text.size() && std::count(glyphs.begin(), glyphs.end(), WORD(0xFFFF)) == 0;
}

// On every system the name prompt reads: it is drawn exactly as a face with all
// its glyphs draws it, the standing font where that has them (Japanese Windows)
// and else the small game font. The test runs in a Western prefix too.
TEST_F(Screens, TheRankInLineAndThePromptComeOutInAFaceThatHasTheirGlyphs) {
    const std::wstring rankIn = L"第1位にランクインした。", prompt = L"あなたの名前を入力 >";
    fillCanvas(kBlack);
    drawRankInLines(rankIn.c_str());
    const Pixels drawn = readPixels(canvasDc);
    const HDC probe = CreateCompatibleDC(canvasDc);
    const bool standingHasThem = hasGlyphs(probe, rankIn + prompt);
    const HGDIOBJ previous = SelectObject(probe, uiFont);
    EXPECT_TRUE(hasGlyphs(probe, rankIn + prompt));
    SelectObject(probe, previous);
    DeleteDC(probe);
    const int height = standingHasThem ? 0 : kUiFontHeight;
    const RECT line = rectOf(kRankInLine), name = rectOf(kNamePrompt);
    auto inkDifferencesIn = [&](const Pixels& expected, RECT r) {
        int count = 0;
        for (int y = r.top; y < r.bottom; ++y) {
            for (int x = r.left; x < r.right; ++x) count += (drawn(x, y) != kBlack) != (expected(x, y) != kBlack);
        }
        return count;
    };
    EXPECT_EQ(inkDifferencesIn(textAlone(rankIn, height, kDateColour, line), line), 0);
    EXPECT_EQ(inkDifferencesIn(textAlone(prompt, height, kDateColour, name, DT_RIGHT), name), 0);
}

TEST_F(Screens, TheCelebrationThrowsAllBallsFromTheCentreAndRunsEightyPausedFrames) {
    session.randomSeed = 1234;
    std::array<Ball, kBallCount> balls;
    for (Ball& ball : balls) ball = throwBall(session.randomSeed);
    const uint32_t seedAfter = session.randomSeed;
    session.randomSeed = 1234;

    // The first frame: every ball drawn at (309, 119) before it moves, the last on top.
    int framesChecked = 0;
    onPause = [&] {
        if (framesChecked++ > 0) return;
        const Pixels now = shown();
        const Ball& top = balls[kBallCount - 1];
        EXPECT_EQ(now(315, 125), RGB(top.red, top.green, top.blue));
        EXPECT_EQ(now(309, 125), kBlack) << "the outline";
        int stray = 0;
        for (int y = 22; y < 228; ++y) {
            for (int x = 30; x < 600; ++x) {
                const bool ball = x >= 309 && x < 321 && y >= 119 && y < 131;
                if (!ball) stray += now(x, y) != kBlack;
            }
        }
        EXPECT_EQ(stray, 0) << "only the balls' box is drawn on the panel";
    };
    playCelebration(window, session.randomSeed);
    EXPECT_EQ(framesChecked, 80);
    EXPECT_EQ(pauses, std::vector<int>(80, 20));
    EXPECT_EQ(session.randomSeed, seedAfter) << "six draws a ball, and no more";

    // The last frame shows every ball where 79 moves took it: the last one
    // drawn whole in its colour, each other one at least partly (the black
    // outlines of later balls may cross it).
    for (Ball& ball : balls) {
        for (int move = 0; move < kCelebrationFrames - 1; ++move) moveBall(ball);
    }
    const Pixels p = readPixels(canvasDc);
    const Ball& top = balls[kBallCount - 1];
    const CanvasPoint topAt = ballCorner(top);
    EXPECT_EQ(p(topAt.x + 6, topAt.y + 6), RGB(top.red, top.green, top.blue));
    int visible = 0, found = 0;
    for (const Ball& ball : balls) {
        const CanvasPoint at = ballCorner(ball);
        if (at.x < 30 || at.x + kBallSize > 600 || at.y < 22 || at.y + kBallSize > 228) continue;
        ++visible;
        const RECT inside{at.x + 1, at.y + 1, at.x + kBallSize - 1, at.y + kBallSize - 1};
        found += nonBlackIn(p, inside) > 0;
    }
    EXPECT_GT(visible, 100);
    EXPECT_EQ(found, visible) << "a ball is missing from its place";
}

}  // namespace
