// Help calls, seen through the recording HTML Help double.
#include <windows.h>

#include "e2e_fixture.h"

namespace {

using HelpTest = VarloTest;

constexpr unsigned kDisplayToc = 1, kHelpContext = 15, kCloseAll = 18, kInitialize = 28, kUninitialize = 29;

bool hasCommand(const std::vector<driver::HelpCall>& calls, unsigned command) {
    for (const auto& c : calls) {
        if (c.command == command) return true;
    }
    return false;
}

TEST_F(HelpTest, FOneOpensHowToPlayAndTheContentsCommandTheTableOfContents) {
    const HWND window = launch();
    ASSERT_NE(window, nullptr);
    driver::key(window, VK_F1);
    ASSERT_TRUE(driver::waitFor([&] { return hasCommand(driver::readHelpLog(program), kHelpContext); }));
    driver::command(window, 115);
    ASSERT_TRUE(driver::waitFor([&] { return hasCommand(driver::readHelpLog(program), kDisplayToc); }));

    const auto calls = driver::readHelpLog(program);
    ASSERT_GE(calls.size(), 3u);
    EXPECT_EQ(calls[0].command, kInitialize);
    EXPECT_FALSE(calls[0].hasWindow);
    EXPECT_EQ(calls[1].command, kHelpContext);
    EXPECT_EQ(calls[1].data, 100u);
    EXPECT_TRUE(calls[1].hasWindow);
    EXPECT_EQ(calls[1].file, L"VARLO.CHM");
    // Names are plain letters: the window has no input method context, so a
    // Japanese IME that is on cannot take the typed name into a composition.
    EXPECT_FALSE(calls[1].callerHasImeContext);
    EXPECT_EQ(calls[2].command, kDisplayToc);
    EXPECT_EQ(calls[2].data, 0u);
    EXPECT_EQ(calls[2].file, L"VARLO.CHM");
}

// With a menu item highlighted, F1 asks for the menu topic. The menu's own
// loop reads the key and sends WM_HELP for the item; the window's F1 message
// never comes, so the key is posted without it.
TEST_F(HelpTest, FOneOnAHighlightedMenuItemOpensTheMenuTopic) {
    const HWND window = launch();
    ASSERT_NE(window, nullptr);
    PostMessageW(window, WM_SYSCOMMAND, SC_KEYMENU, 0);  // Alt: the menu bar's first item highlighted
    driver::keyDownUp(window, VK_DOWN);                   // its pop-up open, "開始(&S)" highlighted
    driver::keyDownUp(window, VK_F1);
    ASSERT_TRUE(driver::waitFor([&] { return hasCommand(driver::readHelpLog(program), kHelpContext); }));
    driver::keyDownUp(window, VK_ESCAPE);
    driver::keyDownUp(window, VK_ESCAPE);

    const auto calls = driver::readHelpLog(program);
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[1].command, kHelpContext);
    EXPECT_EQ(calls[1].data, 101u);
    EXPECT_TRUE(calls[1].hasWindow);
    EXPECT_EQ(calls[1].file, L"VARLO.CHM");
    // Once the menu is closed, F1 asks for the how-to-play topic again.
    driver::key(window, VK_F1);
    ASSERT_TRUE(driver::waitFor([&] { return driver::readHelpLog(program).size() == 3; }));
    EXPECT_EQ(driver::readHelpLog(program)[2].data, 100u);
}

TEST_F(HelpTest, ShutsHelpDownAfterClosingMidiGivingBackTheCookie) {
    const HWND window = launch();
    ASSERT_NE(window, nullptr);
    driver::command(window, 113);
    long exitCode = -1;
    ASSERT_GE(millisecondsToExit(exitCode), 0);
    const auto calls = driver::readHelpLog(program);
    ASSERT_EQ(calls.size(), 3u);
    EXPECT_EQ(calls[0].command, kInitialize);
    EXPECT_EQ(calls[1].command, kCloseAll);
    EXPECT_FALSE(calls[1].hasWindow);
    EXPECT_EQ(calls[2].command, kUninitialize);
    EXPECT_EQ(calls[2].data, calls[0].data);  // the cookie the initialisation filled in

    const auto midi = driver::readMidiLog(program);
    ASSERT_FALSE(midi.empty());
    EXPECT_EQ(midi.back().function, "midiOutClose");
    EXPECT_LT(midi.back().ms, calls[1].ms);
    // Help is initialised before the MIDI output is opened.
    EXPECT_LT(calls[0].ms, midi.front().ms);
}

}  // namespace
