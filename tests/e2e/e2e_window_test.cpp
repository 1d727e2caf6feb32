// The main window as the player first meets it, and the three ways to close it.
#include <windows.h>

#include <string>
#include <vector>

#include "e2e_fixture.h"

namespace {

using WindowTest = VarloTest;

TEST_F(WindowTest, OpensAFixedBlackSixHundredThirtyByTwoHundredFiftyWindowWithoutASaveFile) {
    const HWND window = launch();
    ASSERT_NE(window, nullptr);

    wchar_t className[64] = L"";
    GetClassNameW(window, className, 64);
    EXPECT_STREQ(className, L"VarloEarGame");
    EXPECT_EQ(driver::windowText(window), L"ヴァルロ");

    RECT client{};
    GetClientRect(window, &client);
    EXPECT_EQ(client.right - client.left, 630);
    EXPECT_EQ(client.bottom - client.top, 250);

    const LONG style = GetWindowLongW(window, GWL_STYLE);
    EXPECT_EQ(style & WS_CAPTION, WS_CAPTION);
    EXPECT_TRUE(style & WS_SYSMENU);
    EXPECT_FALSE(style & WS_MINIMIZEBOX);
    EXPECT_FALSE(style & WS_MAXIMIZEBOX);
    EXPECT_FALSE(style & WS_THICKFRAME);
    EXPECT_NE(GetMenu(window), nullptr);

    const bool black = driver::waitForPixels(window, [](const driver::Capture& c) {
        if (c.width != 630 || c.height != 250) return false;
        for (uint32_t pixel : c.pixels) {
            if (pixel != 0) return false;
        }
        return true;
    });
    EXPECT_TRUE(black) << "the canvas is not all black";
}

struct ExitCase {
    const char* name;
    void (*close)(HWND window);
};

class ClosingTest : public VarloTest, public ::testing::WithParamInterface<ExitCase> {};

TEST_P(ClosingTest, EndsTheProcessWithCodeZeroWithinTwoSeconds) {
    const HWND window = launch();
    ASSERT_NE(window, nullptr);
    // Let the game thread reach its first hold, as a player would find it.
    ASSERT_TRUE(driver::waitForPixels(window, [](const driver::Capture& c) { return c.at(315, 125) == 0; }));
    GetParam().close(window);
    long exitCode = -1;
    const long ms = millisecondsToExit(exitCode);
    EXPECT_EQ(exitCode, 0);
    EXPECT_GE(ms, 0) << "the process did not end";
    EXPECT_LE(ms, 2000);
}

INSTANTIATE_TEST_SUITE_P(
    Exit, ClosingTest,
    ::testing::Values(ExitCase{"ExitCommand", [](HWND w) { driver::command(w, 113); }},
                      ExitCase{"CloseBox", [](HWND w) { PostMessageW(w, WM_SYSCOMMAND, SC_CLOSE, 0); }},
                      ExitCase{"AltF4", [](HWND w) { driver::sysKey(w, VK_F4); }}),
    [](const ::testing::TestParamInfo<ExitCase>& info) { return std::string(info.param.name); });

TEST_F(WindowTest, IgnoresCommandIdsOutsideTheMenu) {
    const HWND window = launch();
    ASSERT_NE(window, nullptr);
    for (int id : {110, 111, 112, 114, 116, 118, 0}) driver::command(window, id);
    // Still alive and answering: the Exit command afterwards ends it normally.
    driver::command(window, 113);
    long exitCode = -1;
    EXPECT_GE(millisecondsToExit(exitCode), 0);
    EXPECT_EQ(exitCode, 0);
}

}  // namespace
