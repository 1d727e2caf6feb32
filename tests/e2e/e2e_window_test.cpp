// The main window as the player first meets it, and the three ways to close it.
#include <windows.h>

#include <string>
#include <vector>

#include "e2e_fixture.h"
#include "screen_images.h"

namespace {

using WindowTest = VarloTest;

TEST_F(WindowTest, OpensAFixedSixHundredThirtyByTwoHundredFiftyWindowWithTheTitleDissolvingInOverBlack) {
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

    // The canvas starts black, and the title picture dissolves in over it:
    // every pixel is black or already the title's, until the title stands whole.
    const driver::Capture title = images::titlePicture();
    ASSERT_EQ(title.width, 630);
    driver::Capture first;
    ASSERT_TRUE(driver::capture(window, first));
    ASSERT_EQ(first.width, 630);
    ASSERT_EQ(first.height, 250);
    int other = 0;
    for (size_t i = 0; i < first.pixels.size(); ++i) other += first.pixels[i] != 0 && first.pixels[i] != title.pixels[i];
    EXPECT_EQ(other, 0) << "the first screen is neither black nor the title";
    EXPECT_TRUE(driver::waitForPixels(window, [&](const driver::Capture& c) { return c.pixels == title.pixels; }))
        << "the title did not show";
}

struct ExitCase {
    const char* name;
    void (*close)(HWND window);
};

class ClosingTest : public VarloTest, public ::testing::WithParamInterface<ExitCase> {};

TEST_P(ClosingTest, EndsTheProcessWithCodeZeroWithinTwoSeconds) {
    const HWND window = launch();
    ASSERT_NE(window, nullptr);
    // Let the game thread reach its first hold, the title shown whole, as a player would find it.
    const driver::Capture title = images::titlePicture();
    ASSERT_TRUE(driver::waitForPixels(window, [&](const driver::Capture& c) { return c.pixels == title.pixels; }));
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
