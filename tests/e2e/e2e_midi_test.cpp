// Opening, preparing and closing the MIDI output and the MIDI keyboard, seen
// through the recording double, inside the hold of 1 ms timer resolution.
#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "e2e_fixture.h"

namespace {

using MidiTest = VarloTest;

std::vector<std::string> lines(const std::vector<driver::MidiCall>& calls) {
    std::vector<std::string> out;
    for (const auto& c : calls) out.push_back(c.function + (c.args.empty() ? "" : " " + c.args));
    return out;
}

bool closed(const std::vector<driver::MidiCall>& calls) {
    return !calls.empty() && calls.back().function == "midiOutClose";
}

TEST_F(MidiTest, OpensDeviceZeroPreparesThePianoListensToTheKeyboardAndClosesBothWithinTheTimerResolution) {
    driver::MidiSettings midi;
    midi.inputCount = 1;
    const HWND window = launch(midi);
    ASSERT_NE(window, nullptr);
    driver::close(window);
    long exitCode = -1;
    ASSERT_GE(millisecondsToExit(exitCode), 0);
    EXPECT_EQ(exitCode, 0);
    const auto calls = driver::readWinmmLog(program);
    const std::vector<std::string> expected{
        "timeBeginPeriod 1 -> 0",
        "midiOutGetNumDevs -> 1",
        "midiOutOpen 0 -> 0",
        "midiOutReset -> 0",
        "midiOutSetVolume 0xFFFFFFFF -> 0",
        "midiOutShortMsg 0x000000C0 -> 0",
        "midiInGetNumDevs -> 1",
        "midiInOpen 0 0x00010000 -> 0",  // CALLBACK_WINDOW
        "midiInStart -> 0",
        "midiInStop -> 0",
        "midiInReset -> 0",
        "midiInClose -> 0",
        "midiOutClose -> 0",
        "timeEndPeriod 1 -> 0",
    };
    EXPECT_EQ(lines(calls), expected);
}

TEST_F(MidiTest, WithoutDevicesTheMapperIsOpened) {
    driver::MidiSettings midi;
    midi.deviceCount = 0;
    const HWND window = launch(midi);
    ASSERT_NE(window, nullptr);
    driver::close(window);
    long exitCode = -1;
    ASSERT_GE(millisecondsToExit(exitCode), 0);
    const auto calls = driver::readMidiLog(program);
    ASSERT_GE(calls.size(), 2u);
    EXPECT_EQ(lines(calls)[0], "midiOutGetNumDevs -> 0");
    EXPECT_EQ(lines(calls)[1], "midiOutOpen -1 -> 0");
    EXPECT_TRUE(closed(calls));
    // Nor is there a keyboard: its count is asked for, and nothing opened.
    for (const auto& c : driver::readWinmmLog(program)) {
        if (c.function.compare(0, 6, "midiIn") != 0) continue;
        EXPECT_EQ(c.function + " " + c.args, "midiInGetNumDevs -> 0");
    }
}

TEST_F(MidiTest, AnOutputThatStartsFailingIsReopenedAndAKeyboardPluggedInDuringTheGameAnswers) {
    driver::MidiSettings midi;
    midi.sendsFailFrom = 2;  // the first note of the first question: the device has gone
    const HWND window = launch(midi);
    ASSERT_NE(window, nullptr);
    driver::key(window, VK_F2);
    ASSERT_TRUE(driver::waitForSoundingEnd(program, 0, 15000));
    const auto out = lines(driver::readMidiLog(program));
    const auto failed =
        std::find_if(out.begin(), out.end(), [](const std::string& l) { return l.substr(l.size() - 4) == "-> 6"; });
    ASSERT_GE(out.end() - failed, 8) << "no failed send followed by its reopening";
    const std::vector<std::string> reopened{
        "midiOutClose -> 0", "midiOutGetNumDevs -> 1", "midiOutOpen 0 -> 0", "midiOutReset -> 0",
        "midiOutSetVolume 0xFFFFFFFF -> 0", "midiOutShortMsg 0x000000C0 -> 0",
        failed->substr(0, 26) + " -> 0",  // the note again
    };
    EXPECT_EQ(std::vector<std::string>(failed + 1, failed + 8), reopened);

    driver::changeMidiKeyboards(program, 1);
    EXPECT_TRUE(driver::pedalUntilSounding(program, 1, 15000)) << "the keyboard does not replay";
    closeAndWait();
    const auto calls = driver::readMidiLog(program);
    EXPECT_TRUE(closed(calls));
    // Each opening closed once: in the reopening and at the end.
    EXPECT_EQ(std::count_if(calls.begin(), calls.end(), [](const auto& c) { return c.function == "midiOutClose"; }), 2);
}

TEST_F(MidiTest, AFailingOpenShowsTheSystemsTextAndEndsWithoutAWindow) {
    driver::MidiSettings midi;
    midi.openError = 4;  // MMSYSERR_ALLOCATED: the device is busy
    midi.errorText = L"MIDI 出力装置は使用中です。";
    startOnly(midi);
    const HWND box = driver::waitForMessageBox(program);
    ASSERT_NE(box, nullptr) << "no message box";
    EXPECT_EQ(driver::windowText(box), L"ヴァルロ");
    const auto texts = driver::childTexts(box);
    EXPECT_NE(std::find(texts.begin(), texts.end(), midi.errorText), texts.end());
    // The box stands alone: no main window was made.
    EXPECT_EQ(driver::waitForWindow(program, 200), nullptr);

    driver::dismiss(box);
    long exitCode = -1;
    ASSERT_GE(millisecondsToExit(exitCode), 0);
    EXPECT_EQ(exitCode, 0);
    const auto calls = driver::readWinmmLog(program);
    ASSERT_GE(calls.size(), 5u);
    EXPECT_EQ(lines(calls)[0], "timeBeginPeriod 1 -> 0");
    EXPECT_EQ(lines(calls)[2], "midiOutOpen 0 -> 4");
    EXPECT_EQ(calls[3].function, "midiOutGetErrorTextW");
    EXPECT_EQ(calls[3].value, 4u);
    EXPECT_EQ(lines(calls).back(), "timeEndPeriod 1 -> 0");  // released after the box
    for (const auto& c : calls) {
        EXPECT_NE(c.function, "midiOutShortMsg");
        EXPECT_NE(c.function, "midiOutClose");  // nothing was opened
    }
}

}  // namespace
