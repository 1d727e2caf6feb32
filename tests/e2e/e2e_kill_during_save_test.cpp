// VARLO.DAT survives the program being ended by force at any moment around
// its save: the file is always the whole old one or the whole new one.
// VARLO_STRESS_ROUNDS sets how many forced ends are tried (make fuzz tries many).
#include <windows.h>

#include <cstdio>
#include <random>
#include <vector>

#include "e2e_fixture.h"
#include "records/persistent_block.h"
#include "screen_images.h"

namespace {

using Bytes = std::vector<uint8_t>;

using KillDuringSave = VarloTest;

TEST_F(KillDuringSave, LeavesTheWholeOldFileOrTheWholeNewOne) {
    // A stored position above and left of the screen: the program moves the
    // window onto the work area, so the file it saves differs from the one it read.
    PersistentBlock block = defaultBlock();
    block.windowLeft = -500;
    block.windowTop = -300;
    Bytes old;
    ASSERT_EQ(buildSaveFile(block, old), CodecResult::ok);
    const driver::Capture title = images::titlePicture();
    auto titleShown = [&](const driver::Capture& c) { return c.pixels == title.pixels; };

    // Closed in peace, it leaves the new file.
    ASSERT_NE(launchWith(old), nullptr);
    ASSERT_TRUE(driver::waitForPixels(program.window, titleShown));
    closeAndWait();
    const Bytes updated = savedFile();
    ASSERT_NE(updated, old);

    // The save follows the close by at most one 100 ms slice of the title's
    // hold: forced ends are spread over that time and a little beyond.
    std::mt19937 random(20261208);
    std::uniform_int_distribution<int> delayMs(0, 180);
    const int asked = stressRounds();
    const int rounds = asked > 0 ? asked : 20;
    int keptOld = 0, keptNew = 0, broken = 0;
    for (int round = 0; round < rounds; ++round) {
        ASSERT_TRUE(driver::writeFile(savePath(), old));
        ASSERT_TRUE(driver::start(program));
        program.window = driver::waitForWindow(program);
        ASSERT_NE(program.window, nullptr);
        ASSERT_TRUE(driver::waitForPixels(program.window, titleShown, 30000));
        driver::close(program.window);
        Sleep(DWORD(delayMs(random)));  // the moment of the forced end, not a wait for anything
        driver::terminate(program);
        const Bytes file = savedFile();
        if (file == old) ++keptOld;
        else if (file == updated) ++keptNew;
        else ++broken;
    }
    std::printf("forced ends: %d, old file kept: %d, new file whole: %d, files lost: %d\n", rounds, keptOld, keptNew,
                broken);
    EXPECT_EQ(broken, 0);
}

}  // namespace
