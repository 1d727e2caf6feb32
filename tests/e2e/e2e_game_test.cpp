// Whole games played through the window: the question's notes read from the
// MIDI log, its keys marked with left clicks and confirmed with a right click
// (or played on the MIDI double's keyboard and confirmed with its pedal),
// and what follows checked pixel for pixel: pink marks, green answer keys, the
// verdict over the dimmed keyboard, the status boxes and the stage's end.
#include <windows.h>

#include <algorithm>
#include <cwchar>
#include <string>
#include <vector>

#include "base/note_names.h"
#include "display/keyboard_layout.h"
#include "e2e_fixture.h"
#include "game/computer_keys.h"
#include "game/stage_rules.h"
#include "resources/resource.h"
#include "screen_images.h"
#include "display/palette.h"
#include "records/history_line.h"

namespace {

using images::black;
using images::differences;
using images::drawnOver;
using images::drawText;
using images::place;

constexpr uint32_t kMarkedKey = driver::pixelOf(kMarkedKeyColour);
constexpr uint32_t kAnswerKey = driver::pixelOf(kAnswerKeyColour);
constexpr COLORREF kTypedColour = kTypedTextColour;
constexpr COLORREF kShadowColour = kVerdictShadowColour;
constexpr COLORREF kFaceColour = kVerdictFaceColour;
constexpr uint32_t kShadowPixel = driver::pixelOf(kVerdictShadowColour);
constexpr uint32_t kFacePixel = driver::pixelOf(kVerdictFaceColour);

// A question comes some seconds after the last: 1.5 s for the verdict, the
// instruction typed, 1 s of silence and 2 s of notes.
constexpr DWORD kQuestionTimeoutMs = 30000;
// Long enough for the next question, had there been one.
constexpr DWORD kNoQuestionMs = 8000;
// The verdict stays 1.5 s; the green keys show for the 1 s of the judging sound.
constexpr DWORD kScreenTimeoutMs = 5000;

// The message area where the game types.
constexpr int kMessageLeft = 248, kMessageTop = 165, kMessageWidth = 360, kMessageHeight = 61;
constexpr int kHintLineRow = 16;  // the hint is typed on the second line of the message area

struct StatusBox {
    int left, top;
    COLORREF colour;
};
constexpr StatusBox kStageBox{20, 165, kStageBoxColour};
constexpr StatusBox kOrderBox{132, 165, kOrderBoxColour};
constexpr StatusBox kMissesBox{20, 210, kMissesBoxColour};
constexpr StatusBox kScoreBox{132, 210, kScoreBoxColour};

std::wstring formatted(const wchar_t* format, int value) {
    wchar_t text[64];
    std::swprintf(text, 64, format, value);
    return text;
}
std::wstring stageText(int stage) { return formatted(L"ステージ%d", stage); }
std::wstring orderText(int order) { return formatted(L"指令%d", order); }
std::wstring missesText(int left) { return formatted(L"ミス残り%d回", left); }
std::wstring scoreText(int score) { return formatted(L"得点%5d", score); }

// A status box's 80 x 16 inside: its text centred on the black panel.
driver::Capture boxImage(const StatusBox& box, const std::wstring& text) {
    return drawnOver(black(80, 16), [&](HDC dc) {
        drawText(dc, 16, box.colour, text, RECT{0, 0, 80, 16},
                 DT_NOPREFIX | DT_SINGLELINE | DT_VCENTER | DT_CENTER);
    });
}

// The message area with `text` wholly typed on its black panel.
driver::Capture typedImage(const std::wstring& text) {
    return drawnOver(black(kMessageWidth, kMessageHeight), [&](HDC dc) {
        drawText(dc, 16, kTypedColour, text, RECT{0, 0, kMessageWidth, kMessageHeight}, DT_NOPREFIX);
    });
}

// The screen `before` with the verdict drawn over it: the area behind it
// ANDed with light grey, then the shadow and the face of the text.
driver::Capture withVerdict(const driver::Capture& before, const wchar_t* verdict) {
    driver::Capture out = before;
    for (int y = 60; y < 158; ++y)
        for (int x = 165; x < 465; ++x) out.pixels[size_t(y) * out.width + x] &= 0xC0C0C0u;
    return drawnOver(out, [&](HDC dc) {
        drawText(dc, 98, kShadowColour, verdict, RECT{167, 62, 467, 160}, DT_CENTER | DT_NOPREFIX);
        drawText(dc, 98, kFaceColour, verdict, RECT{165, 60, 465, 158}, DT_CENTER | DT_NOPREFIX);
    });
}

bool boxReads(const driver::Capture& screen, const StatusBox& box, const std::wstring& text) {
    return differences(screen, box.left, box.top, boxImage(box, text)) == 0;
}

// Pixels of the colour in the verdict's area.
int countColour(const driver::Capture& screen, uint32_t colour) {
    int count = 0;
    for (int y = 60; y < 158; ++y)
        for (int x = 165; x < 465; ++x) count += screen.at(x, y) == colour ? 1 : 0;
    return count;
}

// True when every pixel of the key's inside has the colour.
bool keyIs(const driver::Capture& screen, int stageIndex, int note, uint32_t colour) {
    const Key key = noteKey(note);
    const KeyRegion region = keyRegion(rulesOf(stageIndex).keyboard, key.octave, key.white, key.black);
    for (int y = region.area.top; y < region.area.bottom; ++y) {
        for (int x = region.area.left; x < region.area.right; ++x) {
            bool cut = false;
            for (int i = 0; i < region.cutCount; ++i) {
                const KeyRect& c = region.cuts[i];
                cut = cut || (x >= c.left && x < c.right && y >= c.top && y < c.bottom);
            }
            if (!cut && screen.at(x, y) != colour) return false;
        }
    }
    return true;
}

// The strip under the keyboard: the computer keys' line under the notes from
// `first` to `last`, and the background of a question screen elsewhere.
bool reachIs(const driver::Capture& screen, const driver::Capture& background, int stageIndex, int first, int last) {
    const KeyRect reach = keyReach(rulesOf(stageIndex).keyboard, first, last);
    for (int y = reach.top; y < reach.bottom; ++y)
        for (int x = 0; x < screen.width; ++x)
            if (screen.at(x, y) != (x >= reach.left && x < reach.right ? driver::pixelOf(kKeyReachColour)
                                                                       : background.at(x, y)))
                return false;
    return true;
}

bool contains(const std::vector<int>& notes, int note) {
    for (int n : notes)
        if (n == note) return true;
    return false;
}

class GamePlay : public VarloTest {
protected:
    std::vector<driver::Sounding> sounds() { return driver::soundingsOf(program); }

    // Waits until sounding `index` has ended and returns it.
    void waitForSound(size_t index, driver::Sounding& out, DWORD timeoutMs = kQuestionTimeoutMs) {
        std::vector<driver::Sounding> found;
        const bool ended = driver::waitFor([&] {
            found = sounds();
            return found.size() > index && found[index].ended();
        }, timeoutMs);
        ASSERT_TRUE(ended) << "sounding " << index + 1 << " did not come and end; " << found.size() << " so far";
        out = found[index];
    }

    // The four boxes as presentQuestion draws them.
    void expectBoxes(int stage, int order, int missesLeft, int score) {
        driver::Capture screen;
        const bool shown = driver::waitForScreen(program.window, screen, [&](const driver::Capture& c) {
            return boxReads(c, kStageBox, stageText(stage)) && boxReads(c, kOrderBox, orderText(order)) &&
                   boxReads(c, kMissesBox, missesText(missesLeft)) && boxReads(c, kScoreBox, scoreText(score));
        }, kScreenTimeoutMs);
        EXPECT_TRUE(shown) << "at order " << order << " the boxes should read stage " << stage << ", order "
                           << order << ", " << missesLeft << " misses left, score " << score << "; differing pixels: "
                           << differences(screen, kStageBox.left, kStageBox.top, boxImage(kStageBox, stageText(stage)))
                           << ", " << differences(screen, kOrderBox.left, kOrderBox.top, boxImage(kOrderBox, orderText(order)))
                           << ", " << differences(screen, kMissesBox.left, kMissesBox.top, boxImage(kMissesBox, missesText(missesLeft)))
                           << ", " << differences(screen, kScoreBox.left, kScoreBox.top, boxImage(kScoreBox, scoreText(score)));
    }

    void expectHint(const std::wstring& hint) {
        const driver::Capture expected = typedImage(hint);
        driver::Capture screen;
        const bool shown = driver::waitForScreen(program.window, screen, [&](const driver::Capture& c) {
            return differences(c, kMessageLeft, kMessageTop, expected, kHintLineRow) == 0;
        }, kScreenTimeoutMs);
        EXPECT_TRUE(shown) << "the hint line differs in "
                           << differences(screen, kMessageLeft, kMessageTop, expected, kHintLineRow) << " pixels";
    }

    // Marks the keys with left clicks, or plays them as one chord on the MIDI
    // keyboard (on any channel: the last on channel 10), and waits until each is pink.
    void mark(int stageIndex, const std::vector<int>& notes, bool onKeyboard = false) {
        std::vector<uint32_t> chord;
        for (int note : notes) {
            if (onKeyboard) {
                chord.push_back(driver::midiMessage(note == notes.back() ? 0x99 : 0x90, note, 100));
            } else {
                const POINT at = driver::keyPoint(stageIndex, note);
                driver::leftClick(program.window, at.x, at.y);
            }
        }
        if (onKeyboard) driver::playMidi(program, chord);
        driver::Capture screen;
        const bool pink = driver::waitForScreen(program.window, screen, [&](const driver::Capture& c) {
            for (int note : notes)
                if (!keyIs(c, stageIndex, note, kMarkedKey)) return false;
            return true;
        }, kScreenTimeoutMs);
        ASSERT_TRUE(pink) << "the marked keys did not all turn pink";
    }

    // Confirms the marks and follows the judgement: while the notes sound
    // again every key of the question is green and the other marks stay pink;
    // then the verdict is drawn over the dimmed keyboard and, if `box` is
    // given, that box is redrawn with `boxText`; nothing else changes.
    void confirmAndJudge(int stageIndex, const driver::Sounding& question, const std::vector<int>& marked,
                         const wchar_t* verdict, const StatusBox* box, const std::wstring& boxText,
                         bool byPedal = false) {
        const size_t judging = sounds().size();
        ASSERT_TRUE(byPedal ? driver::pedalUntilSounding(program, judging, kQuestionTimeoutMs)
                            : driver::rightClickUntilSounding(program, judging, kQuestionTimeoutMs))
            << "the confirmation was not taken";

        driver::Capture before;
        const bool green = driver::waitForScreen(program.window, before, [&](const driver::Capture& c) {
            for (int note : question.notes)
                if (!keyIs(c, stageIndex, note, kAnswerKey)) return false;
            for (int note : marked)
                if (!contains(question.notes, note) && !keyIs(c, stageIndex, note, kMarkedKey)) return false;
            // Taken while the notes still sounded, so before the verdict.
            const auto now = sounds();
            return now.size() > judging && now[judging].offCount == 0;
        }, kScreenTimeoutMs);
        ASSERT_TRUE(green) << "during the judging sound the question's keys were not all green, "
                              "or a wrong mark was not pink";

        driver::Sounding judged;
        ASSERT_NO_FATAL_FAILURE(waitForSound(judging, judged, kScreenTimeoutMs));
        EXPECT_EQ(judged.notes, question.notes) << "the judging sound plays the question's notes";

        driver::Capture expected = withVerdict(before, verdict);
        if (box != nullptr) place(expected, box->left, box->top, boxImage(*box, boxText));
        // The last screen that showed a verdict, for the messages.
        driver::Capture after, verdictScreen;
        const bool shown = driver::waitForScreen(program.window, after, [&](const driver::Capture& c) {
            if (countColour(c, kFacePixel) == 0) return false;
            verdictScreen = c;
            return differences(c, 0, 0, expected) == 0;
        }, kScreenTimeoutMs);
        ASSERT_GT(verdictScreen.width, 0) << "no verdict was drawn";
        EXPECT_GT(countColour(verdictScreen, kShadowPixel), 0) << "the verdict has no shadow";
        if (box != nullptr) {
            EXPECT_TRUE(boxReads(verdictScreen, *box, boxText)) << "the box redrawn after the verdict";
        }
        EXPECT_TRUE(shown) << "with the verdict the screen differs in " << differences(verdictScreen, 0, 0, expected)
                           << " pixels from what it was, dimmed, with the verdict and the redrawn box over it";
    }

    // Expects no note to sound for a while: the game is over.
    void expectSilence() {
        const size_t count = sounds().size();
        EXPECT_FALSE(driver::waitFor([&] { return sounds().size() > count; }, kNoQuestionMs))
            << "a question was asked after the game had ended";
    }
};

TEST_F(GamePlay, APerfectDigestGameAtStageEightPlayedOnAMidiKeyboardScoresSixtyFourAnOrderAndEndsInTheCelebration) {
    constexpr int kStageIndex = 7;
    driver::MidiSettings midi;
    midi.inputCount = 1;
    const HWND window = launch(midi);
    ASSERT_NE(window, nullptr);
    driver::command(window, IDM_STAGE_1 + kStageIndex);

    size_t next = 0;
    for (int order = 1; order <= 10; ++order) {
        SCOPED_TRACE("order " + std::to_string(order));
        driver::Sounding question;
        ASSERT_NO_FATAL_FAILURE(waitForSound(next, question));
        ASSERT_GE(question.notes.size(), 2u);
        ASSERT_LE(question.notes.size(), 6u);
        expectBoxes(8, order, 3, 64 * (order - 1));
        if (order == 1) {
            expectHint(L"\n右クリックでもう一度再生");  // waiting for the answer, nothing marked
            // None of these marks a key or replays: a note-off and a note-on of
            // velocity 0 of the first note (a mark would be undone by the chord
            // below), notes just outside the keyboard (a mark would be a miss),
            // the pedal short of half-way down, and another controller.
            const int first = question.notes[0];
            driver::playMidi(program, {driver::midiMessage(0x80, first, 64), driver::midiMessage(0x90, first, 0),
                                       driver::midiMessage(0x90, 23, 100), driver::midiMessage(0x90, 96, 100),
                                       driver::midiMessage(0xB0, 64, 63), driver::midiMessage(0xB0, 1, 127)});
        }
        ASSERT_NO_FATAL_FAILURE(mark(kStageIndex, question.notes, true));
        EXPECT_EQ(sounds().size(), next + 1) << "the question was replayed";
        ASSERT_NO_FATAL_FAILURE(confirmAndJudge(kStageIndex, question, question.notes, L"正解！", &kScoreBox,
                                                scoreText(64 * order), true));
        next += 2;  // the question and its judging sound
    }

    // The last stage is cleared: the message has no line about a next stage,
    // and the celebration and results come instead of a question.
    const driver::Capture message = typedImage(L"ステージ8をパーフェクトでクリアした。");
    driver::Capture screen;
    EXPECT_TRUE(driver::waitForScreen(window, screen, [&](const driver::Capture& c) {
        return differences(c, kMessageLeft, kMessageTop, message) == 0;
    }, kQuestionTimeoutMs)) << "the stage-clear message differs in "
                            << differences(screen, kMessageLeft, kMessageTop, message) << " pixels";
    EXPECT_TRUE(boxReads(screen, kScoreBox, scoreText(640)));
    EXPECT_TRUE(driver::waitForPixels(window, images::celebrating, kQuestionTimeoutMs)) << "no celebration";
    EXPECT_TRUE(driver::waitForPixels(window, images::resultsTitled, kQuestionTimeoutMs))
        << "no results after the celebration";
    expectSilence();
}

// Without a mouse: F2, the question's key on the computer keyboard, Space: the label for screen readers
// holds the verdict, right, with the note. From the first key a line under the keyboard shows the keys it
// reaches. Stage 2: X, A is C4; Z twice (the second goes nowhere), R (over E and F) nothing, S is D3.
TEST_F(GamePlay, TheComputerKeyboardAnswersAndShowsItsReachOnceUsed) {
    const HWND window = launch();
    ASSERT_NE(window, nullptr);
    driver::key(window, VK_F2);
    driver::Sounding question;
    ASSERT_NO_FATAL_FAILURE(waitForSound(0, question));
    driver::Capture untouched, marked, screen;
    ASSERT_TRUE(driver::capture(window, untouched));
    const int note = question.notes.at(0), first = lowestNote(rulesOf(0).keyboard);  // the range's lowest C
    UINT scan = 0;  // the key that plays the note
    while (scan < 0xFF && computerKeyOffset(scan) != note - first) ++scan;
    driver::pressKey(window, scan);
    EXPECT_TRUE(driver::waitForScreen(window, screen, [&](const driver::Capture& c) {
        return keyIs(c, 0, note, kMarkedKey) && reachIs(c, untouched, 0, first, highestNote(rulesOf(0).keyboard));
    }, kScreenTimeoutMs)) << "the key is not marked, or its reach not shown";
    driver::pressKey(window, kSpaceKey);
    const std::string name = noteName(note);
    EXPECT_TRUE(driver::waitFor([&] {
        return driver::childTexts(window) == std::vector<std::wstring>{L"正解！ " + std::wstring(name.begin(), name.end())};
    })) << "the label does not hold the verdict with the right note";

    ASSERT_TRUE(driver::waitFor([&] { return sounds().size() > 2; }, kQuestionTimeoutMs));
    driver::command(window, IDM_STAGE_1 + 1);
    ASSERT_NO_FATAL_FAILURE(waitForSound(3, question));
    const int low = lowestNote(rulesOf(1).keyboard);
    for (UINT key : {kOctaveUpKey, kHomeRowFirst}) driver::pressKey(window, key);
    ASSERT_TRUE(driver::waitForScreen(window, marked, [&](const driver::Capture& c) {
        return keyIs(c, 1, low + 12, kMarkedKey) && reachIs(c, untouched, 1, low + 12, low + 29);
    }, kScreenTimeoutMs)) << "X did not move the keys an octave up";
    for (UINT key : {kOctaveDownKey, kOctaveDownKey, kUpperRowFirst + 2, kHomeRowFirst + 1}) driver::pressKey(window, key);
    const KeyRect dKey = keyReach(rulesOf(1).keyboard, low + 2, low + 2);  // its columns
    EXPECT_TRUE(driver::waitForScreen(window, screen, [&](const driver::Capture& c) {
        for (int y = kKeyboardTop; y < kKeyboardTop + kKeyboardHeight; ++y)
            for (int x = 0; x < c.width; ++x)
                if (c.at(x, y) != marked.at(x, y) && (x < dKey.left || x >= dKey.right)) return false;
        return keyIs(c, 1, low + 2, kMarkedKey) && reachIs(c, untouched, 1, low, low + 17);
    }, kScreenTimeoutMs)) << "Z did not move the keys back, or a key outside the layout marked one";
    closeAndWait();
}

// The history kept beside the ranking gets a line an order, after the six right
// answers of a game long ago and a line torn by a game that was killed; the
// statistics window opened from the menu counts them all.
TEST_F(GamePlay, TheFourthMissOfTheFirstStageEndsTheGameAndAnExtraMarkIsAMiss) {
    constexpr int kStageIndex = 0;
    std::string earlier = kHistoryFileStart;
    for (int order = 1; order <= 6; ++order)
        earlier += "2020-01-01T00:00:0" + std::to_string(order) + ",7,1,1," + std::to_string(order) + ",C4,C4,0,900,correct,1\r\n";
    earlier += "2020-01-01T00:00:07,7,1,1,7,C4,C";
    makeFolder();
    const std::wstring historyPath = driver::pathIn(program, L"VARLO-HISTORY.csv");
    ASSERT_TRUE(driver::writeFile(historyPath, std::vector<uint8_t>(earlier.begin(), earlier.end())));
    ASSERT_TRUE(driver::start(program));
    const HWND window = program.window = driver::waitForWindow(program);
    ASSERT_NE(window, nullptr);
    driver::key(window, VK_F2);
    std::vector<NoteSet> asked, marks;

    size_t next = 0;
    for (int miss = 1; miss <= 4; ++miss) {
        SCOPED_TRACE("miss " + std::to_string(miss));
        driver::Sounding question;
        // The first answer is marked while the question still sounds.
        ASSERT_TRUE(driver::waitFor([&] {
            const auto found = sounds();
            if (found.size() > next) question = found[next];
            return !question.notes.empty() && (miss == 1 || question.ended());
        }, kQuestionTimeoutMs)) << "no question";
        ASSERT_EQ(question.notes.size(), 1u);
        const int note = question.notes[0];
        ASSERT_GE(note, 60);
        ASSERT_LE(note, 71);
        // A neighbour: its fill must not spill over the question's key.
        const int wrong = note < 71 ? note + 1 : note - 1;
        // The first answer has the right key too, and one key too many.
        const std::vector<int> marked = miss == 1 ? std::vector<int>{note, wrong} : std::vector<int>{wrong};
        if (miss == 1) {
            ASSERT_NO_FATAL_FAILURE(mark(kStageIndex, marked));
            EXPECT_EQ(sounds()[next].offCount, 0u) << "the marks were only taken after the question had sounded";
            ASSERT_NO_FATAL_FAILURE(waitForSound(next, question));
        }
        expectBoxes(1, miss, 4 - miss, 0);
        if (miss > 1) {
            ASSERT_NO_FATAL_FAILURE(mark(kStageIndex, marked));
        }
        // The fourth miss leaves the misses box as it was, at none left.
        const StatusBox* box = miss <= 3 ? &kMissesBox : nullptr;
        ASSERT_NO_FATAL_FAILURE(confirmAndJudge(kStageIndex, question, marked, L"ミス！", box, missesText(3 - miss)));
        next += 2;
        asked.push_back(NoteSet().set(size_t(note)));
        marks.emplace_back();
        for (int key : marked) marks.back().set(size_t(key));
    }
    driver::Capture screen;
    ASSERT_TRUE(driver::waitForScreen(window, screen, [](const driver::Capture&) { return true; }));
    EXPECT_TRUE(boxReads(screen, kMissesBox, missesText(0)));
    EXPECT_TRUE(boxReads(screen, kScoreBox, scoreText(0)));
    expectSilence();

    std::vector<uint8_t> bytes;
    ASSERT_TRUE(driver::readFile(historyPath, bytes));
    const std::string text(bytes.begin(), bytes.end());
    EXPECT_EQ(text.compare(0, earlier.size() + 2, earlier + "\r\n"), 0) << "kept, its torn line ended";
    EXPECT_EQ(text.find("time,"), text.rfind("time,")) << "one header";
    const std::vector<HistoryLine> lines = parseHistory(text);
    ASSERT_EQ(lines.size(), 10u);
    for (int miss = 1; miss <= 4; ++miss) {
        SCOPED_TRACE("miss " + std::to_string(miss));
        const HistoryLine& line = lines[size_t(5 + miss)];
        EXPECT_EQ(line.game, 8) << "one more than the file's last game";
        EXPECT_EQ(line.firstStage, 1);
        EXPECT_EQ(line.stage, 1);
        EXPECT_EQ(line.order, miss);
        EXPECT_EQ(line.asked, asked[size_t(miss - 1)]);
        EXPECT_EQ(line.marked, marks[size_t(miss - 1)]);
        EXPECT_FALSE(line.correct);
        EXPECT_EQ(line.points, 0);
        EXPECT_LT(line.answerMs, long(kQuestionTimeoutMs)) << "from the question's end to the confirm";
    }

    driver::command(window, IDM_STATISTICS);
    HWND statistics = nullptr;
    ASSERT_TRUE(driver::waitFor([&] {
        return (statistics = driver::findWindow(program.process.dwProcessId, L"VarloStatistics")) != nullptr;
    })) << "no statistics window";
    const auto panels = driver::childTexts(statistics, L"VarloStatisticsChart");
    ASSERT_EQ(panels.size(), 5u);
    EXPECT_NE(panels[0].find(L"ステージ1：全期間 60%（10回中6回）、最近7日 0%（4回中0回）。ステージ2：全期間 記録なし"),
              std::wstring::npos);
    driver::command(window, IDM_STATISTICS);
    EXPECT_EQ(driver::findWindow(program.process.dwProcessId, L"VarloStatistics"), statistics) << "one at a time";
}

TEST_F(GamePlay, ThreeReplaysThenTheFourthRightClickJudgesTheEmptyAnswerAsAMiss) {
    constexpr int kStageIndex = 0;
    driver::MidiSettings midi;  // a MIDI keyboard that cannot be opened changes nothing
    midi.inputCount = 1;
    midi.inputOpenError = 4;    // MMSYSERR_ALLOCATED: in use by another program
    const HWND window = launch(midi);
    ASSERT_NE(window, nullptr);
    driver::key(window, VK_F2);

    driver::Sounding question;
    ASSERT_NO_FATAL_FAILURE(waitForSound(0, question));
    expectHint(L"\n右クリックでもう一度再生");
    for (size_t replay = 1; replay <= 3; ++replay) {
        SCOPED_TRACE("replay " + std::to_string(replay));
        ASSERT_TRUE(driver::rightClickUntilSounding(program, replay, kQuestionTimeoutMs)) << "the right click did not replay the question";
        driver::Sounding sounded;
        ASSERT_NO_FATAL_FAILURE(waitForSound(replay, sounded));
        EXPECT_EQ(sounded.notes, question.notes);
        EXPECT_GT(sounded.offMs - sounded.lastOnMs, 1500.0) << "a replay sounds for two seconds";
    }
    // With the replays used up the hint asks for a confirmation.
    expectHint(L"\n右クリックで確定");

    ASSERT_NO_FATAL_FAILURE(confirmAndJudge(kStageIndex, question, {}, L"ミス！", &kMissesBox, missesText(2)));
    const auto all = sounds();
    ASSERT_EQ(all.size(), 5u) << "the question, three replays and the judging sound";
    EXPECT_LT(all[4].offMs - all[4].lastOnMs, 1500.0) << "the judging sound lasts one second";
    EXPECT_EQ(driver::waitForMessageBox(program, 0), nullptr) << "the keyboard's failure was shown";
    const auto calls = driver::readWinmmLog(program);
    EXPECT_EQ(std::count_if(calls.begin(), calls.end(), [](const driver::MidiCall& c) {
        return c.function.compare(0, 6, "midiIn") == 0; }), 4) << "only asked for and tried to open, at the start and at F2";
}

}  // namespace
