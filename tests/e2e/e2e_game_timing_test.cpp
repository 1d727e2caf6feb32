// The pacing of a question, read from the MIDI log's times: the silence
// between the keyboard and the notes, how long the question, a replay and the
// judging sound hold, and the notes of a chord sent as one.
#include <windows.h>

#include <string>
#include <vector>

#include "display/keyboard_layout.h"
#include "e2e_fixture.h"
#include "game/stage_rules.h"
#include "resources/resource.h"

namespace {

using GameTiming = VarloTest;

// Sleep never ends early by more than a tick; a slow machine may be late by a lot.
constexpr double kEarlyMs = 5;
constexpr double kLateMs = 600;
// What the keyboard's appearance is seen later than it was presented: the
// window's thread must first put it on the screen.
constexpr double kSeenLateMs = 100;
// All notes of a chord go out one right after the other.
constexpr double kChordSpreadMs = 50;
constexpr DWORD kQuestionTimeoutMs = 30000;

// How long the notes held, from the last note-on to the first note-off.
double held(const driver::Sounding& s) { return s.offMs - s.lastOnMs; }

// The note-ons, and then the note-offs, are consecutive calls in the log with
// nothing between them, and each run takes a few milliseconds at most.
void expectBackToBack(const std::vector<driver::MidiCall>& calls, const driver::Sounding& s, const char* what) {
    SCOPED_TRACE(what);
    ASSERT_TRUE(s.ended());
    ASSERT_LE(s.firstOff + s.notes.size(), calls.size());
    for (size_t i = 0; i < s.notes.size(); ++i) {
        const uint32_t note = uint32_t(s.notes[i]) << 8;
        EXPECT_EQ(calls[s.firstOn + i].value, 0x007F0090u | note) << "note-on " << i + 1;
        EXPECT_EQ(calls[s.firstOff + i].value, 0x003F0080u | note) << "note-off " << i + 1;
    }
    EXPECT_LE(s.lastOnMs - s.onMs, kChordSpreadMs);
    EXPECT_LE(s.lastOffMs - s.offMs, kChordSpreadMs);
}

TEST_F(GameTiming, TheChordSoundsASecondAfterTheKeyboardForTwoSecondsAndAgainOnReplayAndJudgement) {
    constexpr int kStageIndex = 3;  // three-note chords on three octaves of wide keys
    const HWND window = launch();
    ASSERT_NE(window, nullptr);
    driver::command(window, IDM_STAGE_1 + kStageIndex);

    // The keyboard shows when the inside of middle C turns white; until then
    // that spot holds the hatched background or the black of the empty canvas.
    const Key middleC = noteKey(60);
    const KeyRect area = keyRegion(rulesOf(kStageIndex).keyboard, middleC.octave, middleC.white, middleC.black).area;
    const int x = (area.left + area.right) / 2, y = 132;
    double lastUnseen = 0, seen = 0;
    driver::Capture screen;
    ASSERT_TRUE(driver::waitFor([&] {
        const double begin = driver::nowMs();
        if (!driver::capture(window, screen)) return false;
        if (screen.at(x, y) != driver::rgb(255, 255, 255)) {
            lastUnseen = begin;
            return false;
        }
        seen = driver::nowMs();
        return true;
    }, kQuestionTimeoutMs)) << "the keyboard did not show";
    ASSERT_GT(lastUnseen, 0.0) << "the keyboard showed before the game had started";

    ASSERT_TRUE(driver::waitForSoundingEnd(program, 0, kQuestionTimeoutMs)) << "the question did not sound";
    const driver::Sounding question = driver::soundingsOf(program)[0];
    EXPECT_EQ(question.notes.size(), 3u);
    // The notes came 1000 ms after the keyboard was presented, which was
    // before it was seen, and not long before it was last found missing.
    EXPECT_LE(question.onMs - seen, 1000 + kLateMs);
    EXPECT_GE(question.onMs - lastUnseen, 1000 - kEarlyMs - kSeenLateMs);
    EXPECT_GE(held(question), 2000 - kEarlyMs);
    EXPECT_LE(held(question), 2000 + kLateMs);

    ASSERT_TRUE(driver::rightClickUntilSounding(program, 1, kQuestionTimeoutMs)) << "the right click did not replay the question";
    ASSERT_TRUE(driver::waitForSoundingEnd(program, 1, kQuestionTimeoutMs));
    const driver::Sounding replay = driver::soundingsOf(program)[1];
    EXPECT_EQ(replay.notes, question.notes);
    EXPECT_GE(held(replay), 2000 - kEarlyMs);
    EXPECT_LE(held(replay), 2000 + kLateMs);

    // One key marked, right or wrong: the right click submits it.
    const POINT marked = driver::keyPoint(kStageIndex, question.notes[0]);
    driver::leftClick(window, marked.x, marked.y);
    ASSERT_TRUE(driver::rightClickUntilSounding(program, 2, kQuestionTimeoutMs)) << "the right click did not submit the answer";
    ASSERT_TRUE(driver::waitForSoundingEnd(program, 2, kQuestionTimeoutMs));
    const driver::Sounding judging = driver::soundingsOf(program)[2];
    EXPECT_EQ(judging.notes, question.notes);
    EXPECT_GE(held(judging), 1000 - kEarlyMs);
    EXPECT_LE(held(judging), 1000 + kLateMs);

    const auto calls = driver::readMidiLog(program);
    expectBackToBack(calls, question, "question");
    expectBackToBack(calls, replay, "replay");
    expectBackToBack(calls, judging, "judging sound");
}

}  // namespace
