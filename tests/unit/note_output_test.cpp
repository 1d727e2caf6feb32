#include "game/note_output.h"

#include <gtest/gtest.h>

#include "game/game_state.h"
#include "tests/unit/fake_world.h"

namespace {

class PlayQuestion : public ::testing::Test {
protected:
    void SetUp() override { resetWorld(); }
    void setQuestion(std::initializer_list<int> notes) {
        int i = 0;
        for (int note : notes) session.questionNotes[i++] = note;
        session.noteCount = i;
    }
};

TEST_F(PlayQuestion, PacksChannelOneMessagesWithTheirVelocities) {
    EXPECT_EQ(noteOnMessage(60), 0x007F3C90u);
    EXPECT_EQ(noteOffMessage(60), 0x003F3C80u);
    EXPECT_EQ(noteOnMessage(24), 0x007F1890u);
    EXPECT_EQ(noteOffMessage(95), 0x003F5F80u);
    EXPECT_EQ(kProgramChangePiano, 0x000000C0u);
}

TEST_F(PlayQuestion, StrikesAllNotesThenHoldsThenReleasesThemInOrder) {
    setQuestion({64, 48, 83});
    playQuestion(2000);
    const std::vector<uint32_t> expected{noteOnMessage(64), noteOnMessage(48), noteOnMessage(83),
                                         noteOffMessage(64), noteOffMessage(48), noteOffMessage(83)};
    EXPECT_EQ(world.midiMessages(), expected);
    // One sleep of the whole duration, between the two bursts.
    ASSERT_EQ(world.events.size(), 7u);
    EXPECT_EQ(world.events[3].what, "sleep");
    EXPECT_EQ(world.events[3].value, 2000);
}

TEST_F(PlayQuestion, EightNotesGoOutBackToBack) {
    setQuestion({24, 30, 36, 42, 48, 54, 60, 95});
    playQuestion(1000);
    ASSERT_EQ(world.midiMessages().size(), 16u);
    EXPECT_EQ(world.midiMessages()[7], noteOnMessage(95));
    EXPECT_EQ(world.events[8].what, "sleep");
}

// The player is told once per run, so this one test sees every failure.
TEST_F(PlayQuestion, AFailedSendReopensOncePerSoundingAndResendsAndTheFailureIsReportedOnce) {
    setQuestion({60, 64});
    world.failingSends = 1;
    playQuestion(1000);
    EXPECT_EQ(world.midiMessages()[1], noteOnMessage(60));  // sent again
    EXPECT_EQ(world.steps(), std::vector<std::string>{"reopenMidi"});

    world.events.clear();  // a device that stays gone
    world.failingSends = 100;
    world.reopenResult = 68;
    playQuestion(1000);
    playQuestion(1000);
    EXPECT_EQ(world.steps(), (std::vector<std::string>{"reopenMidi", "midiFailure", "reopenMidi"}));
    EXPECT_EQ(world.midiMessages().size(), 8u);  // nothing resent
    EXPECT_EQ(world.events[2].value, 68);
}

TEST_F(PlayQuestion, NoQuestionMeansNoSoundAndNoPause) {
    session.noteCount = 0;
    playQuestion(2000);
    EXPECT_TRUE(world.events.empty());
}

}  // namespace
