// The canvas's drawing primitives, drawn with the real GDI under Wine and
// read back pixel by pixel.
#include <windows.h>

#include <algorithm>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/app_win.h"
#include "display/canvas_win.h"
#include "game/game_state.h"
#include "game/typewriter.h"
#include "picture/png_decoder.h"
#include "resources/resource.h"
#include "tests/wine/canvas_pixels_win.h"
#include "tests/wine/recorded_calls_win.h"
#include "display/palette.h"

// What the canvas needs from the rest of the program: the module whose
// resources it loads, an error box that records instead of waiting for a
// click, and a sleep that records its pauses and may move GameState on, with a
// clock that moves only in those pauses, so drawing takes no time.
HINSTANCE instance = GetModuleHandleW(nullptr);
std::vector<ShownError> errors;
std::vector<int> pauses;
size_t quitAfterPauses = 0;
std::function<void()> onPause;
int64_t pausedMs = 0;

void clearRecordedCalls() {
    errors.clear();
    pauses.clear();
    quitAfterPauses = 0;
    onPause = nullptr;
}

void showError(HWND owner, const wchar_t* text) { errors.push_back(ShownError{owner, text}); }
void sleepMs(int ms) {
    pauses.push_back(ms);
    pausedMs += ms;
    if (pauses.size() == quitAfterPauses) gameState = kStateQuit;
    if (onPause) onPause();
}
int64_t monotonicMs() { return pausedMs; }

namespace {

constexpr COLORREF kHatchLine = kHatchLineColour;
constexpr COLORREF kHatchGap = kHatchGapColour;
constexpr COLORREF kTyped = kTypedTextColour;
constexpr COLORREF kBlack = RGB(0, 0, 0);

// What every drawer must leave as it found it.
struct StandingState {
    HGDIOBJ font, brush, pen;
    int backgroundMode;
    static StandingState of(HDC dc) {
        return StandingState{GetCurrentObject(dc, OBJ_FONT), GetCurrentObject(dc, OBJ_BRUSH),
                             GetCurrentObject(dc, OBJ_PEN), GetBkMode(dc)};
    }
    bool operator==(const StandingState& o) const {
        return font == o.font && brush == o.brush && pen == o.pen && backgroundMode == o.backgroundMode;
    }
};

class Canvas : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        window = openTestCanvas(instance, L"CanvasTestWindow");
        ASSERT_NE(window, nullptr);
    }
    static void TearDownTestSuite() { closeTestCanvas(window); }
    void SetUp() override {
        clearRecordedCalls();
        gameState = kStateWaitingAnswer;
        prepareCanvas(window);  // transparent background, all black, presented
        standing = StandingState::of(canvasDc);
    }
    void TearDown() override { EXPECT_TRUE(StandingState::of(canvasDc) == standing) << "standing state changed"; }

    static HWND window;
    StandingState standing{};
};
HWND Canvas::window = nullptr;

TEST_F(Canvas, TheBackgroundIsAnEightPixelCrossHatch) {
    ASSERT_TRUE(fillBackground(window));
    const Pixels p = readPixels(canvasDc);
    // Find the grid's phase from the top-left cell, then check every pixel.
    int lineRow = -1, lineColumn = -1;
    for (int i = 0; i < 8; ++i) {
        if (p(4, i) == kHatchLine && p(5, i) == kHatchLine && p(6, i) == kHatchLine) lineRow = i;
        if (p(i, 4) == kHatchLine && p(i, 5) == kHatchLine && p(i, 6) == kHatchLine) lineColumn = i;
    }
    ASSERT_GE(lineRow, 0);
    ASSERT_GE(lineColumn, 0);
    int wrong = 0;
    for (int y = 0; y < kCanvasHeight; ++y) {
        for (int x = 0; x < kCanvasWidth; ++x) {
            const bool line = y % 8 == lineRow || x % 8 == lineColumn;
            if (p(x, y) != (line ? kHatchLine : kHatchGap)) ++wrong;
        }
    }
    EXPECT_EQ(wrong, 0);
}

TEST_F(Canvas, APanelReachesEightPixelsBeyondItsRectangleWithRoundCorners) {
    fillBackground(window);
    drawPanel({15, 15, 615, 235});
    const Pixels p = readPixels(canvasDc);
    auto hatch = [&](int x, int y) { return p(x, y) == kHatchLine || p(x, y) == kHatchGap; };
    // Black from (7, 7) to (622, 242) along the straight edges and inside.
    for (int x = 11; x < 619; ++x) {
        ASSERT_EQ(p(x, 7), kBlack) << x;
        ASSERT_EQ(p(x, 242), kBlack) << x;
        ASSERT_TRUE(hatch(x, 6)) << x;
        ASSERT_TRUE(hatch(x, 243)) << x;
    }
    for (int y = 11; y < 239; ++y) {
        ASSERT_EQ(p(7, y), kBlack) << y;
        ASSERT_EQ(p(622, y), kBlack) << y;
        ASSERT_TRUE(hatch(6, y)) << y;
        ASSERT_TRUE(hatch(623, y)) << y;
    }
    for (int y = 8; y < 242; ++y) {
        for (int x = 8; x < 622; ++x) {
            const bool corner = (x < 10 || x > 619) && (y < 10 || y > 239);
            if (corner) continue;
            ASSERT_EQ(p(x, y), kBlack) << x << "," << y;
        }
    }
    // The corners are rounded: their outermost pixels keep the hatch.
    EXPECT_TRUE(hatch(7, 7));
    EXPECT_TRUE(hatch(622, 7));
    EXPECT_TRUE(hatch(7, 242));
    EXPECT_TRUE(hatch(622, 242));
}

// The extent of the pixels of one colour.
struct Extent {
    int left = kCanvasWidth, top = kCanvasHeight, right = -1, bottom = -1;
};
Extent extentOf(const Pixels& p, COLORREF colour) {
    Extent e;
    for (int y = 0; y < kCanvasHeight; ++y) {
        for (int x = 0; x < kCanvasWidth; ++x) {
            if (p(x, y) != colour) continue;
            e.left = std::min(e.left, x);
            e.right = std::max(e.right, x);
            e.top = std::min(e.top, y);
            e.bottom = std::max(e.bottom, y);
        }
    }
    return e;
}

TEST_F(Canvas, BoxedTextIsCentredInItsPanel) {
    fillBackground(window);
    SetTextColor(canvasDc, RGB(255, 255, 255));
    drawBoxedText(L"ステージ3", {100, 50, 300, 90});
    const Pixels p = readPixels(canvasDc);
    EXPECT_EQ(p(92, 70), kBlack);
    EXPECT_EQ(p(307, 70), kBlack);
    const Extent text = extentOf(p, RGB(255, 255, 255));
    ASSERT_GE(text.right, 0) << "no text drawn";
    EXPECT_NEAR((text.left + text.right) / 2.0, 200, 3);
    EXPECT_NEAR((text.top + text.bottom) / 2.0, 70, 4);
    EXPECT_GE(text.left, 100);
    EXPECT_LT(text.right, 300);
}

TEST_F(Canvas, TypedTextStartsAtTheMessageAreaAndPausesPerCharacter) {
    drawPanel({248, 165, 608, 226});
    EXPECT_TRUE(typeText(window, L"次の１音\n聞く"));
    constexpr int shortPause = kCharacterPauseMs, longPause = kLineEndPauseMs;
    EXPECT_EQ(pauses, (std::vector<int>{shortPause, shortPause, shortPause, longPause, shortPause, shortPause, shortPause}));
    const Pixels p = readPixels(canvasDc);
    const Extent text = extentOf(p, kTyped);
    ASSERT_GE(text.right, 0) << "nothing typed";
    EXPECT_GE(text.left, 248);
    EXPECT_LE(text.left, 252);
    EXPECT_GE(text.top, 165);
    EXPECT_LT(text.top, 172);
    EXPECT_GE(text.bottom, 181);  // the second line
    EXPECT_LT(text.bottom, 197);
    // Each character was presented: the window shows the canvas.
    const HDC windowDc = GetDC(window);
    const Pixels shown = readPixels(windowDc);
    ReleaseDC(window, windowDc);
    EXPECT_EQ(shown.at, p.at);
}

TEST_F(Canvas, AHintIsTypedOnTheSecondLine) {
    fillCanvas(RGB(0, 0, 255), 165, 181);  // the first line, which the hint leaves alone
    EXPECT_TRUE(typeText(window, L"\n右クリックで確定"));
    EXPECT_EQ(pauses, std::vector<int>(9, kCharacterPauseMs));
    const Pixels p = readPixels(canvasDc);
    const Extent text = extentOf(p, kTyped);
    ASSERT_GE(text.right, 0);
    EXPECT_GE(text.top, 181);
    EXPECT_EQ(p(600, 180), RGB(0, 0, 255));
}

// Where the system smooths the face, drawing the typed prefix over itself
// would darken the edges of the first characters: the typed text must equal
// one drawing of it.
TEST_F(Canvas, TextTypedInASmoothedFaceEqualsOneDrawingOfIt) {
    const HFONT gameFont = uiFont;
    // Wine smooths DejaVu Sans (fonts-dejavu-core) at this height.
    uiFont = CreateFontW(kUiFontHeight, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                         CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY, DEFAULT_PITCH, L"DejaVu Sans");
    const wchar_t text[] = L"Listen to the next note,\nthen click its key.";
    drawPanel(kMessageArea);
    EXPECT_TRUE(typeText(window, text));
    const Pixels typed = readPixels(canvasDc);
    drawPanel(kMessageArea);
    {
        const SelectedObject font(canvasDc, uiFont);
        SetTextColor(canvasDc, kTyped);
        RECT area = rectOf(kMessageArea);
        DrawTextW(canvasDc, text, -1, &area, DT_NOPREFIX);
    }
    const Pixels once = readPixels(canvasDc);
    DeleteObject(uiFont);
    uiFont = gameFont;
    EXPECT_GT(std::count_if(once.at.begin(), once.at.end(), [](COLORREF c) { return c != kBlack && c != kTyped; }), 0)
        << "the face is not smoothed here";
    EXPECT_TRUE(typed.at == once.at);
}

TEST_F(Canvas, AnEmptyTextPresentsNothing) {
    fillCanvas(RGB(0, 0, 255));
    EXPECT_TRUE(typeText(window, L""));
    EXPECT_TRUE(pauses.empty());
    const HDC windowDc = GetDC(window);
    EXPECT_EQ(GetPixel(windowDc, 300, 100), kBlack);  // still the black of SetUp
    ReleaseDC(window, windowDc);
}

TEST_F(Canvas, QuittingStopsTypingAfterThePauseAndKeepsWhatWasTyped) {
    quitAfterPauses = 2;
    EXPECT_FALSE(typeText(window, L"ABCDEF"));
    EXPECT_EQ(pauses.size(), 2u);
    const Extent text = extentOf(readPixels(canvasDc), kTyped);
    ASSERT_GE(text.right, 0);
    EXPECT_LT(text.right, 248 + 40);  // two characters, not six
}

TEST_F(Canvas, PresentingFromARowCopiesTheCanvasTopThere) {
    fillCanvas(RGB(0, 0, 255));
    presentCanvas(window, 0, 0);
    fillCanvas(RGB(255, 0, 0));
    presentCanvas(window, 0, 250);  // nothing to copy
    fillCanvas(RGB(0, 255, 0), 0, 9);
    const HDC windowDc = GetDC(window);
    Pixels before = readPixels(windowDc);
    for (COLORREF c : before.at) ASSERT_EQ(c, RGB(0, 0, 255));
    presentCanvas(window, 0, 241);
    const Pixels after = readPixels(windowDc);
    ReleaseDC(window, windowDc);
    for (int y = 0; y < kCanvasHeight; ++y) {
        const COLORREF expected = y < 241 ? RGB(0, 0, 255) : RGB(0, 255, 0);
        for (int x = 0; x < kCanvasWidth; x += 7) ASSERT_EQ(after(x, y), expected) << x << "," << y;
    }
}

TEST_F(Canvas, AMissingPictureIsReportedAndGivesNull) {
    EXPECT_EQ(loadPicture(window, 999), nullptr);
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors[0].text, L"リソースを読み込めません。");
    EXPECT_EQ(errors[0].owner, window);
}

TEST_F(Canvas, APictureLoadsAsABitmapOfItsSize) {
    const HBITMAP picture = loadPicture(window, IDP_KEYS_WIDE);
    ASSERT_NE(picture, nullptr);
    BITMAP info{};
    GetObjectW(picture, sizeof(info), &info);
    EXPECT_EQ(info.bmWidth, 211);
    EXPECT_EQ(info.bmHeight, 76);
    DeleteObject(picture);
    EXPECT_TRUE(errors.empty());
}

// The title picture drawn as its callers draw it: every pixel of the canvas
// is the colour its palette entry names.
TEST_F(Canvas, TheTitlePictureFillsTheCanvasInItsOwnColours) {
    const HBITMAP picture = loadPicture(window, IDP_TITLE);
    ASSERT_NE(picture, nullptr);
    const HDC pictureDc = CreateCompatibleDC(canvasDc);
    const HGDIOBJ previous = SelectObject(pictureDc, picture);
    BitBlt(canvasDc, 0, 0, kCanvasWidth, kCanvasHeight, pictureDc, 0, 0, SRCCOPY);
    SelectObject(pictureDc, previous);
    DeleteDC(pictureDc);
    DeleteObject(picture);
    presentCanvas(window, 0, 0);

    const HRSRC resource = FindResourceW(instance, MAKEINTRESOURCEW(IDP_TITLE), MAKEINTRESOURCEW(10));
    const auto* bytes = static_cast<const uint8_t*>(LockResource(LoadResource(instance, resource)));
    DibPicture title;
    ASSERT_TRUE(decodePng(bytes, SizeofResource(instance, resource), title));
    ASSERT_EQ(title.bitCount, 8);
    const Pixels p = readPixels(canvasDc);
    int wrong = 0;
    for (int y = 0; y < kCanvasHeight; ++y) {
        const uint8_t* row = &title.bits[size_t(kCanvasHeight - 1 - y) * title.stride];
        for (int x = 0; x < kCanvasWidth; ++x) {
            const uint8_t* quad = &title.colourTable[size_t(row[x]) * 4];
            if (p(x, y) != RGB(quad[2], quad[1], quad[0])) ++wrong;
        }
    }
    EXPECT_EQ(wrong, 0);
}

}  // namespace
