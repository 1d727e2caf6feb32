#include "app/paths.h"
#include "app/placement.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace {

struct Corner {
    int left, top;
};

Corner kept(const ScreenRect& area, int width, int height, int left, int top) {
    keepInside(area, width, height, left, top);
    return {left, top};
}

TEST(KeepInside, MovesAStoredWindowPositionOntoTheWorkArea) {
    const ScreenRect work{0, 0, 1024, 738};
    const Corner offTopLeft = kept(work, 630, 250, -50, -20);
    EXPECT_EQ(offTopLeft.left, 0);
    EXPECT_EQ(offTopLeft.top, 0);
    const Corner offBottomRight = kept(work, 630, 250, 900, 600);
    EXPECT_EQ(offBottomRight.left, 394);
    EXPECT_EQ(offBottomRight.top, 488);
    const Corner inside = kept(work, 630, 250, 100, 200);
    EXPECT_EQ(inside.left, 100);
    EXPECT_EQ(inside.top, 200);
}

TEST(KeepInside, RightAndBottomEdgesWinWhenTheAreaIsTooSmall) {
    EXPECT_EQ(kept(ScreenRect{0, 0, 600, 800}, 630, 250, 0, 0).left, -30);
    EXPECT_EQ(kept(ScreenRect{0, 0, 600, 800}, 630, 250, 10, 0).left, -30);
    EXPECT_EQ(kept(ScreenRect{0, 40, 1000, 240}, 630, 250, 0, 100).top, -10);
}

TEST(KeepInside, WorkAreaNeedNotStartAtTheOrigin) {
    const Corner c = kept(ScreenRect{-1280, 30, 0, 1024}, 300, 200, -1500, 0);
    EXPECT_EQ(c.left, -1280);
    EXPECT_EQ(c.top, 30);
}

TEST(WindowPosition, ALoadedPositionIsKeptOnTheWorkArea) {
    struct Case {
        ScreenRect area;
        int32_t left, top, keptLeft, keptTop;
    } cases[] = {
        {{0, 0, 1024, 738}, -50, -20, 0, 0},
        {{0, 0, 1024, 738}, 900, 600, 394, 488},
        {{0, 0, 1024, 738}, 100, 200, 100, 200},
        {{0, 0, 600, 800}, 0, 0, -30, 0},
        {{0, 0, 600, 800}, 10, 0, -30, 0},
        // Far-off stored values, where the edge arithmetic would overflow.
        {{0, 0, 1024, 738}, INT32_MAX, INT32_MAX, 394, 488},
        {{0, 0, 1024, 738}, INT32_MIN, INT32_MIN, 0, 0},
        {{-1280, 40, 0, 1024}, INT32_MAX - 100, 5, -630, 40},
    };
    for (const Case& c : cases) {
        int32_t left = c.left, top = c.top;
        keepWindowOnWorkArea(c.area, left, top);
        EXPECT_EQ(left, c.keptLeft) << c.left << "," << c.top;
        EXPECT_EQ(top, c.keptTop) << c.left << "," << c.top;
    }
}

// Where a window saved on one start reopens on the next: the restored corner
// in workspace coordinates turned into screen ones, then kept on the work area
// of the monitor the system finds nearest (the arithmetic MonitorFromRect is
// left to the system).
TEST(WindowPosition, ASavedWindowReopensWhereItWasBesideAnyTaskbarAndOnAnyMonitor) {
    const MonitorAreas leftTaskbar{{0, 0, 1920, 1080}, {48, 0, 1920, 1080}};
    const MonitorAreas topTaskbar{{0, 0, 1920, 1080}, {0, 40, 1920, 1080}};
    const MonitorAreas secondLeft{{-1280, -200, 0, 824}, {-1280, -200, 0, 784}};
    struct Case {
        MonitorAreas savedOn;
        int32_t workspaceLeft, workspaceTop;
        ScreenRect reopenedOn;
        int32_t left, top;
    } cases[] = {
        {leftTaskbar, 252, 100, leftTaskbar.work, 300, 100},
        {topTaskbar, 300, 60, topTaskbar.work, 300, 100},
        {secondLeft, -1100, -150, secondLeft.work, -1100, -150},
        // The second monitor unplugged: back on the nearest one, the primary.
        {secondLeft, -1100, -150, leftTaskbar.work, 48, 0},
    };
    for (const Case& c : cases) {
        int32_t left = c.workspaceLeft, top = c.workspaceTop;
        workspaceToScreen(c.savedOn, left, top);
        keepWindowOnWorkArea(c.reopenedOn, left, top);
        EXPECT_EQ(left, c.left) << c.workspaceLeft;
        EXPECT_EQ(top, c.top) << c.workspaceTop;
    }
    const ScreenRect farOff = canvasRectAt(INT32_MAX - 100, -5);
    EXPECT_EQ(farOff.right, INT32_MAX);
    EXPECT_EQ(farOff.bottom, 245);
    EXPECT_EQ(canvasRectAt(-1100, -150).right, -470);
}

TEST(CentreOver, HalvesTruncateTowardZero) {
    int left = 0, top = 0;
    centreOver(ScreenRect{100, 50, 736, 350}, 241, 151, left, top);
    EXPECT_EQ(left, 100 + (636 - 241) / 2);  // 297
    EXPECT_EQ(top, 50 + (300 - 151) / 2);    // 124
    // A dialog wider than its owner sticks out on both sides; -5 / 2 is -2.
    centreOver(ScreenRect{0, 0, 100, 100}, 105, 100, left, top);
    EXPECT_EQ(left, -2);
    EXPECT_EQ(top, 0);
}

TEST(DirectoryPart, KeepsEverythingUpToTheLastBackslash) {
    EXPECT_EQ(directoryPart(L"C:\\Games\\Varlo\\VARLO.EXE"), L"C:\\Games\\Varlo\\");
    EXPECT_EQ(directoryPart(L"\\\\server\\share\\VARLO.EXE"), L"\\\\server\\share\\");
    EXPECT_EQ(directoryPart(L"VARLO.EXE"), L"");
}

}  // namespace
