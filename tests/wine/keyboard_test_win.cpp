// The keyboard and the verdict drawn with the real GDI under Wine, checked
// pixel by pixel against the keyboard pictures as the program carries them.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "app/app_win.h"
#include "display/canvas_win.h"
#include "display/keyboard.h"
#include "display/keyboard_layout.h"
#include "display/palette.h"
#include "game/game_state.h"
#include "game/input_rules.h"
#include "game/key_picking.h"
#include "game/stage_rules.h"
#include "game/typewriter.h"
#include "picture/png_decoder.h"
#include "resources/resource.h"
#include "tests/wine/canvas_pixels_win.h"
#include "tests/wine/recorded_calls_win.h"

namespace {

constexpr COLORREF kFill = RGB(23, 87, 201);     // in none of the pictures
constexpr COLORREF kKeyFill = RGB(201, 17, 61);  // nor this
constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kGrey = RGB(192, 192, 192);
constexpr COLORREF kVerdictShadow = kVerdictShadowColour;
constexpr COLORREF kVerdictFace = kVerdictFaceColour;

// Picture resource `id` decoded by the program's own decoder.
DibPicture decodedPicture(int id) {
    DibPicture picture;
    const HRSRC resource = FindResourceW(instance, MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(10));
    if (resource == nullptr) return picture;
    const auto* bytes = static_cast<const uint8_t*>(LockResource(LoadResource(instance, resource)));
    decodePng(bytes, SizeofResource(instance, resource), picture);
    return picture;
}

// The colour of the picture's pixel (x, y), counted from its top-left corner.
COLORREF colourAt(const DibPicture& picture, int x, int y) {
    const uint8_t* row = &picture.bits[size_t(picture.height - 1 - y) * picture.stride];
    unsigned index = 0;
    switch (picture.bitCount) {
    case 1: index = row[x / 8] >> (7 - x % 8) & 1; break;
    case 4: index = x % 2 == 0 ? row[x / 2] >> 4 : row[x / 2] & 0xF; break;
    case 8: index = row[x]; break;
    default: return CLR_INVALID;  // the keyboard pictures all have palettes
    }
    const uint8_t* quad = &picture.colourTable[size_t(index) * 4];
    return RGB(quad[2], quad[1], quad[0]);
}

// Where two canvas pictures differ: how many pixels, and the first of them.
std::string differences(const Pixels& actual, const std::vector<COLORREF>& expected) {
    int count = 0;
    std::ostringstream first;
    for (int y = 0; y < kCanvasHeight; ++y) {
        for (int x = 0; x < kCanvasWidth; ++x) {
            const COLORREF want = expected[size_t(y) * kCanvasWidth + x];
            if (actual(x, y) == want) continue;
            if (count++ > 0) continue;
            first << " first at (" << x << ", " << y << "): " << std::hex << actual(x, y) << " not " << want;
        }
    }
    return count == 0 ? std::string() : std::to_string(count) + " pixels differ;" + first.str();
}

class Keyboard : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        window = openTestCanvas(instance, L"KeyboardTestWindow");
        ASSERT_NE(window, nullptr);
    }
    static void TearDownTestSuite() { closeTestCanvas(window); }
    void SetUp() override {
        gameState = kStateWaitingAnswer;
        prepareCanvas(window);  // transparent text background, as the game thread leaves it
    }

    static HWND window;
};
HWND Keyboard::window = nullptr;

// Where the pictures of a stage go: the octave picture's copies in the
// keyboard band from y = 70, each without the picture's right border, and the
// middle-C picture at the top.
struct Placement {
    int stageIndex;
    int octavePicture;
    std::vector<int> copyX;
    int middleCX;
};

TEST_F(Keyboard, DrawingPlacesThePicturesOfTheStageAndNothingElse) {
    const DibPicture middleC = decodedPicture(IDP_MIDDLE_C);
    ASSERT_EQ(middleC.width, 60u);
    ASSERT_EQ(middleC.height, 60u);
    const Placement placements[] = {
        {0, IDP_KEYS_WIDE, {211}, 186},
        {2, IDP_KEYS_WIDE, {1, 211, 421}, 186},
        {6, IDP_KEYS_NARROW, {0, 105, 210, 315, 420, 525}, 284},
    };
    for (const Placement& placement : placements) {
        SCOPED_TRACE("stage index " + std::to_string(placement.stageIndex));
        const DibPicture octave = decodedPicture(placement.octavePicture);
        ASSERT_EQ(octave.height, 76u);
        std::vector<COLORREF> expected(size_t(kCanvasWidth) * kCanvasHeight, kFill);
        auto put = [&](const DibPicture& picture, int width, int left, int top) {
            for (int y = 0; y < int(picture.height); ++y) {
                for (int x = 0; x < width && left + x < kCanvasWidth; ++x) {
                    expected[size_t(top + y) * kCanvasWidth + left + x] = colourAt(picture, x, y);
                }
            }
        };
        put(middleC, 60, placement.middleCX, 0);
        for (int x : placement.copyX) put(octave, int(octave.width) - 1, x, 70);

        fillCanvas(kFill);
        const Selected before = Selected::in(canvasDc);
        EXPECT_TRUE(drawKeyboard(window, rulesOf(placement.stageIndex).keyboard));
        EXPECT_TRUE(Selected::in(canvasDc) == before) << "drawKeyboard changed what the canvas has selected";
        EXPECT_EQ(differences(readPixels(canvasDc), expected), "");
    }
}

// One layout's keys as fillKey addresses them.
struct KeyLayout {
    int stageIndex;
    int firstOctave, lastOctave;
};

TEST_F(Keyboard, AFilledKeyIsExactlyItsInsideInThePicture) {
    for (const KeyLayout layout : {KeyLayout{1, 4, 6}, KeyLayout{4, 2, 7}}) {
        SCOPED_TRACE("stage index " + std::to_string(layout.stageIndex));
        session.stageIndex = layout.stageIndex;
        fillCanvas(kFill);
        ASSERT_TRUE(drawKeyboard(window, rulesOf(layout.stageIndex).keyboard));
        const Pixels keyboard = readPixels(canvasDc);

        // The lines between white keys are the black columns of the lower
        // half; the first copy's left border is the first of them.
        std::vector<int> separators;
        for (int x = 0; x < kCanvasWidth; ++x) {
            if (keyboard(x, 130) == kBlack) separators.push_back(x);
        }
        ASSERT_EQ(separators.size(), size_t(7 * (layout.lastOctave - layout.firstOctave + 1)));

        const Brush brush = createSolidBrush(kKeyFill);
        ASSERT_NE(brush, nullptr);
        const Selected before = Selected::in(canvasDc);
        for (int octave = layout.firstOctave; octave <= layout.lastOctave; ++octave) {
            for (int semitone = 0; semitone < 12; ++semitone) {
                const int white = whiteKeyIndex[semitone];
                const size_t line = size_t(7 * (octave - layout.firstOctave) + white);
                const int left = separators[line];
                const int right = line + 1 < separators.size() ? separators[line + 1] : kCanvasWidth;

                // A white key: its white pixels between its two lines. A black
                // key: its run of black in the upper half, less the outline
                // columns, the top row and the grey-and-black bottom row.
                std::vector<COLORREF> expected = keyboard.at;
                auto fill = [&](int x, int y) { expected[size_t(y) * kCanvasWidth + x] = kKeyFill; };
                if (isBlackKey[semitone] == 0) {
                    for (int y = 71; y < 145; ++y) {
                        for (int x = left + 1; x < right; ++x) {
                            if (keyboard(x, y) == kWhite) fill(x, y);
                        }
                    }
                } else {
                    // Past the end of the left neighbour's black key, to the first run starting here.
                    int start = left + 1;
                    while (start < right && keyboard(start, 80) == kBlack) ++start;
                    while (start < right && keyboard(start, 80) != kBlack) ++start;
                    int end = start;
                    while (end + 1 < kCanvasWidth && keyboard(end + 1, 80) == kBlack) ++end;
                    ASSERT_LT(start, right) << "no black key right of white key " << white << " of octave " << octave;
                    ASSERT_EQ(keyboard(start, 119), kGrey);
                    for (int y = 71; y < 119; ++y) {
                        for (int x = start + 1; x < end; ++x) fill(x, y);
                    }
                }

                // Any black flag but 1 is the white key; the stock brush of the
                // key's colour draws it back as the picture has it.
                std::vector<int> flags{isBlackKey[semitone]};
                if (isBlackKey[semitone] == 0) flags.push_back(2);
                for (int black : flags) {
                    SCOPED_TRACE("octave " + std::to_string(octave) + " white " + std::to_string(white) + " black " +
                                 std::to_string(black));
                    fillKey(Key{octave, white, black}, rulesOf(session.stageIndex).keyboard, brush);
                    EXPECT_EQ(differences(readPixels(canvasDc), expected), "");
                    ASSERT_TRUE(Selected::in(canvasDc) == before) << "fillKey left something selected in the canvas";
                    fillKey(Key{octave, white, black}, rulesOf(session.stageIndex).keyboard, unmarkedKeyBrush(black));
                    const std::string restored = differences(readPixels(canvasDc), keyboard.at);
                    EXPECT_EQ(restored, "");
                    if (!restored.empty()) drawKeyboard(window, rulesOf(layout.stageIndex).keyboard);
                }
            }
        }
        EXPECT_EQ(GetObjectType(brush), DWORD(OBJ_BRUSH)) << "the caller's brush was deleted";
        deleteBrush(brush);
    }
}

// The extent of the pixels of one colour.
struct Extent {
    int left = kCanvasWidth, top = kCanvasHeight, right = -1, bottom = -1;
    void add(int x, int y) {
        left = std::min(left, x);
        right = std::max(right, x);
        top = std::min(top, y);
        bottom = std::max(bottom, y);
    }
};

// The extents of the verdict's shadow and face colours when its two draws are
// made alone on black, in the game's font at the verdict's height (98), into
// its two rectangles: what the verdict must show, whatever that font's letters
// look like (under Wine, the stand-in of tests/wine/prefix-settings.reg).
void verdictAlone(const wchar_t* text, Extent& shadow, Extent& face) {
    const HDC dc = CreateCompatibleDC(canvasDc);
    const HBITMAP bitmap = CreateCompatibleBitmap(canvasDc, kCanvasWidth, kCanvasHeight);
    const HGDIOBJ previousBitmap = SelectObject(dc, bitmap);
    const RECT whole{0, 0, kCanvasWidth, kCanvasHeight};
    FillRect(dc, &whole, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    const HFONT font = createGameFont(98);
    const HGDIOBJ previousFont = SelectObject(dc, font);
    SetBkMode(dc, TRANSPARENT);
    RECT shadowRect{167, 62, 467, 160}, faceRect{165, 60, 465, 158};
    SetTextColor(dc, kVerdictShadow);
    DrawTextW(dc, text, -1, &shadowRect, DT_CENTER | DT_NOPREFIX);
    SetTextColor(dc, kVerdictFace);
    DrawTextW(dc, text, -1, &faceRect, DT_CENTER | DT_NOPREFIX);
    const Pixels pixels = readPixels(dc);
    for (int y = 0; y < kCanvasHeight; ++y) {
        for (int x = 0; x < kCanvasWidth; ++x) {
            if (pixels(x, y) == kVerdictShadow) shadow.add(x, y);
            if (pixels(x, y) == kVerdictFace) face.add(x, y);
        }
    }
    SelectObject(dc, previousFont);
    DeleteObject(font);
    SelectObject(dc, previousBitmap);
    DeleteObject(bitmap);
    DeleteDC(dc);
}

// Wine draws the verdict's letters antialiased: at their edges each channel
// lies between the dimmed pixel's and the two text colours' channels.
bool mixesTextOver(COLORREF pixel, COLORREF dimmed) {
    auto within = [](int value, int under, int shadow, int face) {
        return value >= std::min({under, shadow, face}) && value <= std::max({under, shadow, face});
    };
    return within(GetRValue(pixel), GetRValue(dimmed), GetRValue(kVerdictShadow), GetRValue(kVerdictFace)) &&
           within(GetGValue(pixel), GetGValue(dimmed), GetGValue(kVerdictShadow), GetGValue(kVerdictFace)) &&
           within(GetBValue(pixel), GetBValue(dimmed), GetBValue(kVerdictShadow), GetBValue(kVerdictFace));
}

TEST_F(Keyboard, TheVerdictDimsItsRectangleAndDrawsItsTextOverAShadow) {
    // The verdict's rectangle, right and bottom exclusive.
    constexpr int kLeft = 165, kTop = 60, kRight = 465, kBottom = 158;
    session.stageIndex = 1;
    std::vector<Pixels> verdicts;
    for (const wchar_t* text : {L"正解！", L"ミス！"}) {
        SCOPED_TRACE("verdict " + std::to_string(verdicts.size() + 1));
        ASSERT_TRUE(fillBackground(window));
        ASSERT_TRUE(drawKeyboard(window, rulesOf(1).keyboard));
        const Pixels before = readPixels(canvasDc);
        setTextColour(RGB(0, 0, 255));  // the verdict sets its own colours
        const Selected selected = Selected::in(canvasDc);
        drawVerdict(text);
        EXPECT_TRUE(Selected::in(canvasDc) == selected) << "the canvas's font was not selected back";
        const Pixels after = readPixels(canvasDc);

        auto inside = [&](int x, int y) { return x >= kLeft && x < kRight && y >= kTop && y < kBottom; };
        auto isText = [&](int x, int y) {
            const bool onCanvas = x >= 0 && x < kCanvasWidth && y >= 0 && y < kCanvasHeight;
            return onCanvas && (after(x, y) == kVerdictShadow || after(x, y) == kVerdictFace);
        };
        // Antialiased edges reach at most two pixels beyond a letter's solid pixels.
        auto nearText = [&](int x, int y) {
            for (int dy = -2; dy <= 2; ++dy) {
                for (int dx = -2; dx <= 2; ++dx) {
                    if (isText(x + dx, y + dy)) return true;
                }
            }
            return false;
        };
        int changedOutside = 0, wrongInside = 0, shadowWithoutFace = 0;
        std::ostringstream firstWrong;
        Extent shadow, face;
        for (int y = 0; y < kCanvasHeight; ++y) {
            for (int x = 0; x < kCanvasWidth; ++x) {
                const COLORREF pixel = after(x, y);
                if (!inside(x, y)) {
                    changedOutside += pixel != before(x, y);
                    continue;
                }
                const COLORREF dimmed = before(x, y) & RGB(192, 192, 192);
                if (pixel == kVerdictShadow) {
                    shadow.add(x, y);
                    // The face is the same letters two pixels up-left, drawn last.
                    shadowWithoutFace += after(x - 2, y - 2) != kVerdictFace;
                } else if (pixel == kVerdictFace) {
                    face.add(x, y);
                } else if (pixel != dimmed && !(mixesTextOver(pixel, dimmed) && nearText(x, y))) {
                    if (wrongInside++ == 0) firstWrong << "(" << x << ", " << y << ") is " << std::hex << pixel;
                }
            }
        }
        EXPECT_EQ(changedOutside, 0);
        EXPECT_EQ(wrongInside, 0) << firstWrong.str();
        EXPECT_EQ(shadowWithoutFace, 0);
        ASSERT_GE(shadow.right, 0) << "no shadow";
        ASSERT_GE(face.right, 0) << "no face";
        // Centred in its rectangle, the shadow two pixels down-right: where the
        // same letters drawn alone so put the two colours. (The face covers part
        // of the shadow, in some fonts a whole edge row of it.)
        Extent shadowAlone, faceAlone;
        verdictAlone(text, shadowAlone, faceAlone);
        EXPECT_EQ(face.left, faceAlone.left);
        EXPECT_EQ(face.top, faceAlone.top);
        EXPECT_EQ(face.right, faceAlone.right);
        EXPECT_EQ(face.bottom, faceAlone.bottom);
        EXPECT_EQ(shadow.left, shadowAlone.left);
        EXPECT_EQ(shadow.top, shadowAlone.top);
        EXPECT_EQ(shadow.right, shadowAlone.right);
        EXPECT_EQ(shadow.bottom, shadowAlone.bottom);
        verdicts.push_back(after);
    }
    EXPECT_NE(verdicts[0].at, verdicts[1].at);
}

// The game thread and the window's thread draw into the one canvas at once:
// here this thread, which owns the window, clicks a black key again and again
// while a second thread types, draws status boxes and clears the hint line in
// the message area below the keyboard, without the game's pauses. Every click
// must leave the key wholly in its new colour: marked after an odd click,
// black after an even one. The key is read back under the canvas's lock, as
// the window's repaint reads it.
TEST_F(Keyboard, AKeyClickedWhileTheGameThreadDrawsTakesItsColourEveryTime) {
    constexpr int kClicks = 2000;
    session.stageIndex = 0;
    session.lowNote = 60;
    session.highNote = 71;
    for (auto& marked : session.selectedKeys) marked = 0;
    fillCanvas(kFill);
    ASSERT_TRUE(drawKeyboard(window, ::Keyboard::oneOctave));

    const Key key = noteKey(61);
    ASSERT_EQ(key.black, 1);
    const KeyRect area = keyRegion(::Keyboard::oneOctave, key.octave, key.white, key.black).area;
    const int x = (area.left + area.right) / 2, y = (area.top + area.bottom) / 2;
    Key hit{};
    ASSERT_TRUE(hitKey(::Keyboard::oneOctave, unsigned(x), unsigned(y), hit));
    ASSERT_EQ(keyNote(hit), 61);
    // The other thread's panels reach 8 pixels above the message area.
    ASSERT_LT(area.bottom, kMessageArea.top - 8);
    const POINT probes[] = {{x, y}, {area.left, area.top}, {area.right - 1, area.top},
                            {area.left, area.bottom - 1}, {area.right - 1, area.bottom - 1}};

    onPause = [] { pauses.clear(); };  // the typing's pauses need not be kept
    std::atomic<bool> clicking{true};
    std::atomic<int> gameRuns{0}, clicksDone{0};
    std::thread game([&] {
        while (clicking) {
            setTextColour(kStageBoxColour);
            drawBoxedText(L"ステージ1", {20, 165, 100, 181});
            drawPanel(kMessageArea);
            typeText(window, L"次の１音を聞き，");
            clearHintLine();
            ++gameRuns;
            // Without pauses this thread could take the lock again and again
            // while the clicks wait for it; a run a click keeps both going.
            const int clicksBefore = clicksDone;
            while (clicking && clicksDone == clicksBefore) std::this_thread::yield();
        }
    });
    // The clicks begin once the other thread is drawing.
    const ULONGLONG deadline = GetTickCount64() + 30000;
    while (gameRuns == 0 && GetTickCount64() < deadline) std::this_thread::yield();
    const int runsBefore = gameRuns;

    int wrongClicks = 0, failedReads = 0;
    std::ostringstream first;
    for (int click = 1; click <= kClicks; ++click) {
        pickKey(window, unsigned(x), unsigned(y));
        const COLORREF want = click % 2 == 1 ? COLORREF(kMarkedKeyColour) : kBlack;
        bool wrong = false;
        {
            CanvasLock lock;
            for (const POINT& probe : probes) {
                const COLORREF got = GetPixel(canvasDc, probe.x, probe.y);
                if (got == CLR_INVALID) {
                    ++failedReads;
                    continue;
                }
                if (got == want) continue;
                if (!wrong && wrongClicks == 0) {
                    first << " first at click " << click << ", (" << probe.x << ", " << probe.y << "): " << std::hex
                          << got << " not " << want << std::dec;
                }
                wrong = true;
            }
        }
        wrongClicks += wrong;
        ++clicksDone;
        // The window's thread takes the other thread's wake-up messages as it goes.
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
    }
    const int runsDuring = gameRuns - runsBefore;
    clicking = false;
    game.join();
    onPause = nullptr;
    for (auto& marked : session.selectedKeys) marked = 0;

    ASSERT_GT(runsBefore, 0) << "the drawing thread never ran";
    EXPECT_EQ(wrongClicks, 0) << wrongClicks << " of " << kClicks << " clicks left the key in the wrong colour ("
                              << runsDuring << " drawing runs meanwhile);" << first.str();
    EXPECT_EQ(failedReads, 0) << failedReads << " reads of the canvas failed";
}

}  // namespace
