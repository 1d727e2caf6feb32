// The About box: its texts, its place over the main window, and the three ways to close it.
#include <windows.h>

#include <algorithm>

#include "e2e_fixture.h"

namespace {

class AboutTest : public VarloTest {
protected:
    HWND openAbout() {
        driver::command(program.window, 117);
        const HWND box = driver::waitForMessageBox(program);
        EXPECT_NE(box, nullptr) << "the About box did not open";
        if (box) {
            EXPECT_EQ(driver::windowText(box), L"バージョン情報");
            EXPECT_EQ(GetWindow(box, GW_OWNER), program.window);
        }
        return box;
    }
    bool gone(HWND box) {
        return driver::waitFor([box] { return !IsWindow(box); });
    }
    void moveMainWindow(int left, int top) {
        SetWindowPos(program.window, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        ASSERT_TRUE(driver::waitFor([&] {
            RECT r{};
            GetWindowRect(program.window, &r);
            return r.left == left && r.top == top;
        }));
    }
    static RECT rectOf(HWND window) {
        RECT r{};
        GetWindowRect(window, &r);
        return r;
    }
};

TEST_F(AboutTest, ShowsNameVersionAndCopyrightCentredOnTheMainWindow) {
    ASSERT_NE(launch(), nullptr);
    moveMainWindow(200, 150);
    const HWND box = openAbout();
    ASSERT_NE(box, nullptr);
    const auto texts = driver::childTexts(box);
    EXPECT_NE(std::find(texts.begin(), texts.end(), L"ヴァルロ"), texts.end());
    EXPECT_NE(std::find(texts.begin(), texts.end(), L"Version 1.02"), texts.end());

    const RECT owner = rectOf(program.window);
    const RECT dialog = rectOf(box);
    const int width = dialog.right - dialog.left, height = dialog.bottom - dialog.top;
    EXPECT_EQ(dialog.left, owner.left + (owner.right - owner.left - width) / 2);
    EXPECT_EQ(dialog.top, owner.top + (owner.bottom - owner.top - height) / 2);
    driver::dismiss(box);
    EXPECT_TRUE(gone(box));
}

TEST_F(AboutTest, StaysInsideTheWorkAreaWhenTheMainWindowIsNearAnEdge) {
    ASSERT_NE(launch(), nullptr);
    RECT work{};
    ASSERT_TRUE(SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0));

    moveMainWindow(work.right - 120, work.bottom - 40);
    HWND box = openAbout();
    ASSERT_NE(box, nullptr);
    RECT dialog = rectOf(box);
    EXPECT_EQ(dialog.right, work.right);
    EXPECT_EQ(dialog.bottom, work.bottom);
    driver::dismiss(box);
    ASSERT_TRUE(gone(box));

    moveMainWindow(work.left - 500, work.top - 200);
    box = openAbout();
    ASSERT_NE(box, nullptr);
    dialog = rectOf(box);
    EXPECT_EQ(dialog.left, work.left);
    EXPECT_EQ(dialog.top, work.top);
    driver::dismiss(box);
    EXPECT_TRUE(gone(box));
}

TEST_F(AboutTest, EscapeAndTheCloseBoxCloseItToo) {
    ASSERT_NE(launch(), nullptr);
    HWND box = openAbout();
    ASSERT_NE(box, nullptr);
    driver::key(box, VK_ESCAPE);
    EXPECT_TRUE(gone(box)) << "Escape";

    box = openAbout();
    ASSERT_NE(box, nullptr);
    PostMessageW(box, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_TRUE(gone(box)) << "close box";

    // The main window is usable again: Exit ends the program normally.
    driver::command(program.window, 113);
    long exitCode = -1;
    EXPECT_GE(millisecondsToExit(exitCode), 0);
    EXPECT_EQ(exitCode, 0);
}

}  // namespace
