// The rules of the stages, in one table: the keyboard a stage shows, whose
// notes are the range of its questions; how many notes a question has and how
// they are drawn; and the instruction typed before each question.
#ifndef VARLO_GAME_STAGE_RULES_H
#define VARLO_GAME_STAGE_RULES_H

#include <cstdint>
#include <iterator>

#include "display/keyboard_layout.h"
#include "game/game_state.h"

// How a question's notes are drawn (questions.cpp).
enum class QuestionShape {
    singleNote,  // one note of the range
    interval,    // two notes 1 to 12, 15 or 16 semitones apart
    chord,       // three notes of one of the chord shapes
    cluster,     // two notes or more, up to the stage's count, anywhere in the range
};

struct StageRules {
    Keyboard keyboard;
    QuestionShape shape;
    int32_t noteCount;       // a cluster's largest
    bool spreadOverOctaves;  // each note then moved to a random octave of the range
    const wchar_t* instruction;
};

constexpr StageRules kStageRules[] = {
    {Keyboard::oneOctave, QuestionShape::singleNote, 1, false, L"次の１音を聞き，該当する鍵盤をクリックせよ。"},
    {Keyboard::threeOctaves, QuestionShape::singleNote, 1, false, L"次の１音を聞き，該当する鍵盤をクリックせよ。"},
    {Keyboard::threeOctaves, QuestionShape::interval, 2, false, L"次の２音を聞き，該当する鍵盤をクリックせよ。"},
    {Keyboard::threeOctaves, QuestionShape::chord, 3, false, L"次の３音を聞き，該当する鍵盤をクリックせよ。"},
    {Keyboard::sixOctaves, QuestionShape::interval, 2, true, L"次の２音を聞き，該当する鍵盤をクリックせよ。"},
    {Keyboard::sixOctaves, QuestionShape::chord, 3, true, L"次の３音を聞き，該当する鍵盤をクリックせよ。"},
    {Keyboard::sixOctaves, QuestionShape::cluster, 4, false, L"次の音を聞き，該当する鍵盤をクリックせよ。"},
    {Keyboard::sixOctaves, QuestionShape::cluster, 6, false, L"次の音を聞き，該当する鍵盤をクリックせよ。"},
};
static_assert(std::size(kStageRules) == kStageCount, "one row of rules for each stage");

// A single note, an interval and a chord have one, two and three notes; a
// cluster two or more; every question fits GameSession's notes.
constexpr bool questionsFit() {
    for (const StageRules& stage : kStageRules) {
        const int32_t fixed = stage.shape == QuestionShape::singleNote ? 1
                              : stage.shape == QuestionShape::interval ? 2
                              : stage.shape == QuestionShape::chord    ? 3
                                                                       : 0;
        const bool counted = fixed != 0 ? stage.noteCount == fixed : stage.noteCount >= 2;
        if (!counted || stage.noteCount > kMaxQuestionNotes) return false;
    }
    return true;
}
static_assert(questionsFit(), "each stage's note count fits its shape and GameSession's notes");

// The rules of stage `stageIndex`; an index past the last stage (a game just
// won) or below the first reads the nearest stage's, so no reader leaves the table.
constexpr const StageRules& rulesOf(int32_t stageIndex) {
    return kStageRules[stageIndex < 0 ? 0 : stageIndex >= kStageCount ? kStageCount - 1 : stageIndex];
}

#endif
