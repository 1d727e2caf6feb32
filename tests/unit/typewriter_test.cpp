#include "display/typewriter.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "game/game_state.h"
#include "tests/unit/fake_world.h"

namespace {

struct Shown {
    long long atMs;
    std::wstring text;
};

void record(void* context, const wchar_t* text, int length) {
    static_cast<std::vector<Shown>*>(context)->push_back(Shown{world.clockMs, std::wstring(text, length)});
}

class Typewriter : public ::testing::Test {
protected:
    void SetUp() override {
        resetWorld();
        gameState = kStateWaitingAnswer;
    }
    std::vector<Shown> shown;
};

TEST_F(Typewriter, AnEmptyTextShowsNothingAndReturnsAtOnce) {
    EXPECT_EQ(typewrite(L"", record, &shown), 1);
    EXPECT_TRUE(shown.empty());
    EXPECT_TRUE(world.events.empty());
}

TEST_F(Typewriter, TypesACharacterAtATimeWithALongPauseAtEachLineEnd) {
    EXPECT_EQ(typewrite(L"ab\ncd", record, &shown), 1);
    const std::vector<std::wstring> prefixes{L"a", L"ab", L"ab\n", L"ab\nc", L"ab\ncd"};
    ASSERT_EQ(shown.size(), prefixes.size());
    for (size_t i = 0; i < prefixes.size(); ++i) EXPECT_EQ(shown[i].text, prefixes[i]);
    // The pause after "b" is the long one; the text's last character is no line end.
    EXPECT_EQ(world.pauses(), (std::vector<int>{100, 1000, 100, 100, 100}));
}

TEST_F(Typewriter, AHintStartsWithANewlineThatShowsNothingForAShortPause) {
    EXPECT_EQ(typewrite(L"\n右クリックで確定", record, &shown), 1);
    ASSERT_EQ(shown.size(), 9u);
    EXPECT_EQ(shown[0].text, L"\n");
    EXPECT_EQ(world.pauses(), std::vector<int>(9, 100));
    EXPECT_EQ(world.clockMs, 900);
}

TEST_F(Typewriter, AnInstructionOfTwentyTwoCharactersTakesTwoPointTwoSeconds) {
    const wchar_t instruction[] = L"次の１音を聞き，該当する鍵盤をクリックせよ。";
    EXPECT_EQ(typewrite(instruction, record, &shown), 1);
    EXPECT_EQ(shown.size(), 22u);
    EXPECT_EQ(world.clockMs, 2200);
}

TEST_F(Typewriter, ASurrogatePairIsOneCharacter) {
    // Written as UTF-16 units, as the program's texts are on Windows.
    const wchar_t text[] = {L'a', wchar_t(0xD834), wchar_t(0xDD1E), L'b', 0};
    EXPECT_EQ(typewrite(text, record, &shown), 1);
    ASSERT_EQ(shown.size(), 3u);
    EXPECT_EQ(shown[1].text.size(), 3u);
}

TEST_F(Typewriter, AStateChangeStopsTypingAfterTheCurrentPause) {
    world.timeline.emplace(250, [] { gameState = kStateHintDue; });
    EXPECT_EQ(typewrite(L"abcdef", record, &shown), 1);
    // The change at 250 ms is seen when the pause ending at 300 ms is over.
    ASSERT_EQ(shown.size(), 3u);
    EXPECT_EQ(shown.back().text, L"abc");
    EXPECT_EQ(world.clockMs, 300);
}

TEST_F(Typewriter, QuittingStopsTypingWithZero) {
    world.timeline.emplace(1050, [] { gameState = kStateQuit; });
    EXPECT_EQ(typewrite(L"a\nbcd", record, &shown), 0);
    // Seen at the end of the line's long pause, after "a\n" (1000 + 100 ms).
    EXPECT_EQ(shown.back().text, L"a\n");
    EXPECT_EQ(world.clockMs, 1100);
}

TEST_F(Typewriter, AChangeAndReturnToTheSameStateIsNotNoticed) {
    world.timeline.emplace(150, [] { gameState = kStateHintDue; });
    world.timeline.emplace(160, [] { gameState = kStateWaitingAnswer; });
    EXPECT_EQ(typewrite(L"abc", record, &shown), 1);
    EXPECT_EQ(shown.size(), 3u);
}

}  // namespace
