#include "game/typewriter.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "game/game_state.h"
#include "display/canvas.h"
#include "tests/unit/fake_world.h"

namespace {

struct Shown {
    long long atMs;
    std::wstring text;
};
std::vector<Shown> shown;

}  // namespace

// The canvas's step of the typewriter, recorded.
void drawTypedText(Window, const wchar_t* text, int length) {
    shown.push_back(Shown{world.clockMs, std::wstring(text, length)});
}

namespace {

class Typewriter : public ::testing::Test {
protected:
    void SetUp() override {
        resetWorld();
        gameState = kStateWaitingAnswer;
        shown.clear();
    }
};

TEST_F(Typewriter, AnEmptyTextShowsNothingAndReturnsAtOnce) {
    EXPECT_TRUE(typeText(nullptr, L""));
    EXPECT_TRUE(shown.empty());
    EXPECT_TRUE(world.events.empty());
}

TEST_F(Typewriter, TypesACharacterAtATimeWithALongPauseAtEachLineEnd) {
    EXPECT_TRUE(typeText(nullptr, L"ab\ncd"));
    const std::vector<std::wstring> prefixes{L"a", L"ab", L"ab\n", L"ab\nc", L"ab\ncd"};
    ASSERT_EQ(shown.size(), prefixes.size());
    for (size_t i = 0; i < prefixes.size(); ++i) EXPECT_EQ(shown[i].text, prefixes[i]);
    // The pause after "b" is the long one; the text's last character is no line end.
    constexpr int shortPause = kCharacterPauseMs, longPause = kLineEndPauseMs;
    EXPECT_EQ(world.pauses(), (std::vector<int>{shortPause, longPause, shortPause, shortPause, shortPause}));
}

TEST_F(Typewriter, AHintStartsWithANewlineThatShowsNothingForAShortPause) {
    EXPECT_TRUE(typeText(nullptr, L"\n右クリックで確定"));
    ASSERT_EQ(shown.size(), 9u);
    EXPECT_EQ(shown[0].text, L"\n");
    EXPECT_EQ(world.pauses(), std::vector<int>(9, kCharacterPauseMs));
    EXPECT_EQ(world.clockMs, 9 * kCharacterPauseMs);
}

TEST_F(Typewriter, AnInstructionOfTwentyTwoCharactersTakesTwoPointTwoSeconds) {
    const wchar_t instruction[] = L"次の１音を聞き，該当する鍵盤をクリックせよ。";
    EXPECT_TRUE(typeText(nullptr, instruction));
    EXPECT_EQ(shown.size(), 22u);
    EXPECT_EQ(world.clockMs, 22 * kCharacterPauseMs);
}

TEST_F(Typewriter, ASurrogatePairIsOneCharacter) {
    // Written as UTF-16 units, as the program's texts are on Windows.
    const wchar_t text[] = {L'a', wchar_t(0xD834), wchar_t(0xDD1E), L'b', 0};
    EXPECT_TRUE(typeText(nullptr, text));
    ASSERT_EQ(shown.size(), 3u);
    EXPECT_EQ(shown[1].text.size(), 3u);
}

TEST_F(Typewriter, AStateChangeStopsTypingAfterTheCurrentPause) {
    world.timeline.emplace(2 * kCharacterPauseMs + 50, [] { gameState = kStateHintDue; });
    EXPECT_TRUE(typeText(nullptr, L"abcdef"));
    // The change inside the third pause is seen when that pause is over.
    ASSERT_EQ(shown.size(), 3u);
    EXPECT_EQ(shown.back().text, L"abc");
    EXPECT_EQ(world.clockMs, 3 * kCharacterPauseMs);
}

TEST_F(Typewriter, QuittingStopsTypingWithZero) {
    world.timeline.emplace(kLineEndPauseMs + 50, [] { gameState = kStateQuit; });
    EXPECT_FALSE(typeText(nullptr, L"a\nbcd"));
    // Seen at the end of the pause after "a\n", which follows the line's long pause.
    EXPECT_EQ(shown.back().text, L"a\n");
    EXPECT_EQ(world.clockMs, kLineEndPauseMs + kCharacterPauseMs);
}

TEST_F(Typewriter, AChangeAndReturnToTheSameStateIsNotNoticed) {
    world.timeline.emplace(150, [] { gameState = kStateHintDue; });
    world.timeline.emplace(160, [] { gameState = kStateWaitingAnswer; });
    EXPECT_TRUE(typeText(nullptr, L"abc"));
    EXPECT_EQ(shown.size(), 3u);
}

}  // namespace
