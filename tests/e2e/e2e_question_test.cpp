// A started game asks real questions: the notes sound through the MIDI output,
// and a right click with nothing marked sounds them again.
#include <windows.h>

#include <vector>

#include "e2e_fixture.h"

namespace {

using QuestionTest = VarloTest;

std::vector<driver::MidiCall> noteMessages(const driver::Program& program, uint32_t status) {
    std::vector<driver::MidiCall> found;
    for (const auto& call : driver::readMidiLog(program)) {
        if (call.function == "midiOutShortMsg" && (call.value & 0xF0) == status) found.push_back(call);
    }
    return found;
}

TEST_F(QuestionTest, TheFirstStageSoundsOneNoteOfMiddleOctaveAndReplaysIt) {
    const HWND window = launch();
    ASSERT_NE(window, nullptr);
    driver::key(window, VK_F2);

    ASSERT_TRUE(driver::waitFor([&] { return noteMessages(program, 0x80).size() == 1; }, 20000))
        << "the question was not sounded";
    const auto on = noteMessages(program, 0x90);
    const auto off = noteMessages(program, 0x80);
    ASSERT_EQ(on.size(), 1u);
    const uint32_t note = on[0].value >> 8 & 0xFF;
    EXPECT_GE(note, 60u);
    EXPECT_LE(note, 71u);
    EXPECT_EQ(on[0].value, 0x007F0090u | note << 8);
    EXPECT_EQ(off[0].value, 0x003F0080u | note << 8);
    EXPECT_GE(off[0].ms - on[0].ms, 1900.0);  // held for two seconds

    // A right click replays only once the hint line is due, and is ignored
    // before; so it is repeated until the notes sound again.
    const bool replayed = driver::waitFor([&] {
        driver::rightClick(window, 300, 200);
        return driver::waitFor([&] { return noteMessages(program, 0x90).size() >= 2; }, 500);
    }, 20000);
    ASSERT_TRUE(replayed) << "the right click did not replay the question";
    const auto replay = noteMessages(program, 0x90);
    EXPECT_EQ(replay[1].value, on[0].value);

    driver::close(window);
    long exitCode = -1;
    EXPECT_GE(millisecondsToExit(exitCode), 0);
}

}  // namespace
