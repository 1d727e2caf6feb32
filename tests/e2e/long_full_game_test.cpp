// The longest game there is: all eight stages from the first, every order
// answered right. Eighty orders end in the celebration, the largest score of
// 2040 points, the first place of the ranking and a name kept in VARLO.DAT.
// It plays for about twelve minutes.
#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

#include "e2e_fixture.h"
#include "resources/resource.h"
#include "screen_images.h"

namespace {

constexpr DWORD kQuestionTimeoutMs = 30000;

using FullGame = VarloTest;

TEST_F(FullGame, EightStagesAnsweredPerfectlyEndInTheCelebrationAndTheFirstPlace) {
    ASSERT_NE(launch(), nullptr);
    driver::command(program.window, IDM_START);
    size_t next = 0;
    for (int stage = 0; stage < 8; ++stage) {
        for (int order = 0; order < 10; ++order) {
            ASSERT_TRUE(driver::answerQuestion(program, next, stage, true, kQuestionTimeoutMs))
                << "stage " << stage + 1 << ", order " << order + 1;
            next += 2;  // the question and its judging sound
        }
    }
    EXPECT_TRUE(driver::waitForPixels(program.window, images::celebrating, kQuestionTimeoutMs)) << "no celebration";

    // Name entry begins: the caret stands on the results panel.
    RECT caret{};
    ASSERT_TRUE(driver::waitFor([&] { return driver::caretOf(program.window, caret); }, kQuestionTimeoutMs))
        << "2040 points did not enter the ranking";
    for (wchar_t c : std::wstring(L"Perfect\r")) driver::typeChar(program.window, c);
    EXPECT_TRUE(driver::waitFor([&] { return !driver::caretOf(program.window, caret); })) << "the name was not taken";
    EXPECT_EQ(driver::soundingsOf(program).size(), 160u) << "eighty questions and eighty judgements";
    closeAndWait();

    PersistentBlock saved{};
    ASSERT_TRUE(driver::readSavedBlock(savePath(), saved));
    ASSERT_EQ(saved.rowCount, 5);
    EXPECT_STREQ(saved.rows[0].name, "Perfect");
    EXPECT_EQ(saved.rows[0].score, 2040);
    EXPECT_EQ(saved.rows[0].questionCount, 80);
    EXPECT_EQ(saved.rows[0].missTotal, 0);
    const PersistentBlock defaults = defaultBlock();
    for (int i = 1; i < kRankingRows; ++i) EXPECT_EQ(saved.rows[i].score, defaults.rows[i - 1].score) << "row " << i;
}

}  // namespace
