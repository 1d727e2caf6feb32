// Proves the harness against the real program: it starts, shows its window,
// talks to the MIDI double, and ends cleanly when its window is closed.
#include <gtest/gtest.h>

#include <algorithm>

#include "driver.h"

namespace {

bool hasCall(const std::vector<driver::MidiCall>& calls, const char* function) {
    return std::any_of(calls.begin(), calls.end(), [&](const driver::MidiCall& c) { return c.function == function; });
}

class Smoke : public ::testing::Test {
protected:
    void TearDown() override { driver::terminate(program); }
    driver::Program program;
};

TEST_F(Smoke, StartsShowsItsWindowAndClosesCleanly) {
    program.folder = driver::makeScratchFolder(L"Smoke.StartsShowsItsWindowAndClosesCleanly");
    ASSERT_FALSE(program.folder.empty()) << "VARLO_EXE, VARLO_DOUBLES and VARLO_SCRATCH must name usable paths";
    ASSERT_TRUE(driver::start(program));

    const HWND window = driver::waitForWindow(program);
    ASSERT_NE(window, nullptr) << "no visible VarloEarGame window";
    wchar_t className[64] = {};
    GetClassNameW(window, className, 64);
    EXPECT_STREQ(className, L"VarloEarGame");

    driver::close(window);
    EXPECT_EQ(driver::waitForExit(program, 5000), 0);

    const auto calls = driver::readMidiLog(program);
    EXPECT_TRUE(hasCall(calls, "midiOutGetNumDevs"));
    EXPECT_TRUE(hasCall(calls, "midiOutOpen"));
}

}  // namespace
