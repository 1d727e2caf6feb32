// Question generation.
#include "game/questions.h"

#include "base/random.h"
#include "game/game_state.h"
#include "game/stage_rules.h"

namespace {

constexpr uint16_t shape(int middle, int top) {
    return static_cast<uint16_t>(middle | top << 8);
}
int shapeMiddle(uint16_t entry) { return entry & 0xFF; }
int shapeTop(uint16_t entry) { return entry >> 8; }

// True if `note` is among the first `count` notes of the question.
bool alreadyDrawn(int32_t note, int32_t count) {
    for (int32_t i = 0; i < count; ++i) {
        if (session.questionNotes[i].load() == note) return true;
    }
    return false;
}

void singleNote() {
    const int32_t low = session.lowNote, high = session.highNote;
    session.noteCount = 1;
    session.questionNotes[0] = low + nextRandom(session.randomSeed, high - low + 1);
}

// Distances 1..12, 15 or 16 semitones: never 13 or 14. The upper note stays
// below highNote.
void interval() {
    const int32_t low = session.lowNote, high = session.highNote;
    session.noteCount = 2;
    int32_t distance = nextRandom(session.randomSeed, 14) + 1;
    if (distance >= 13) distance += 2;
    const int32_t base = low + nextRandom(session.randomSeed, high - low - distance);
    session.questionNotes[0] = base;
    session.questionNotes[1] = base + distance;
}

void chord() {
    const int32_t low = session.lowNote, high = session.highNote;
    session.noteCount = 3;
    const uint16_t entry = chordShapes[nextRandom(session.randomSeed, kChordShapeCount)];
    const int32_t base = low + nextRandom(session.randomSeed, high - low - shapeTop(entry));
    session.questionNotes[0] = base;
    session.questionNotes[1] = base + shapeMiddle(entry);
    session.questionNotes[2] = base + shapeTop(entry);
}

// Two to `most` notes, each anywhere in the range and all distinct.
void cluster(int32_t most) {
    const int32_t low = session.lowNote, high = session.highNote;
    const int32_t count = nextRandom(session.randomSeed, most - 1) + 2;
    session.noteCount = count;
    for (int32_t i = 0; i < count; ++i) {
        int32_t note;
        do {
            note = low + nextRandom(session.randomSeed, high - low + 1);
        } while (alreadyDrawn(note, i));
        session.questionNotes[i] = note;
    }
}

}  // namespace

const uint16_t chordShapes[kChordShapeCount] = {
    shape(2, 5),  shape(2, 6),  shape(2, 12), shape(3, 5),  shape(3, 6),  shape(3, 7),
    shape(3, 8),  shape(3, 9),  shape(3, 10), shape(3, 12), shape(4, 6),  shape(4, 7),
    shape(4, 8),  shape(4, 9),  shape(4, 10), shape(4, 12), shape(5, 8),  shape(5, 9),
    shape(5, 12), shape(6, 9),  shape(6, 10), shape(6, 12), shape(7, 10), shape(7, 12),
    shape(9, 12), shape(10, 12), shape(12, 24),
};

void questionRange(int32_t stageIndex, int32_t& lowNote, int32_t& highNote) {
    const Keyboard keyboard = rulesOf(stageIndex).keyboard;
    lowNote = lowestNote(keyboard);
    highNote = highestNote(keyboard);
}

void generateQuestion() {
    const StageRules& rules = rulesOf(session.stageIndex.load());
    switch (rules.shape) {
    case QuestionShape::singleNote:
        singleNote();
        break;
    case QuestionShape::interval:
        interval();
        break;
    case QuestionShape::chord:
        chord();
        break;
    case QuestionShape::cluster:
        cluster(rules.noteCount);
        break;
    }
    if (rules.spreadOverOctaves) spreadOctaves(session.noteCount);
}

void spreadOctaves(int32_t count) {
    const int32_t low = session.lowNote, high = session.highNote;
    const int32_t octaves = (high - low) / 12 + 1;
    for (int32_t i = 0; i < count; ++i) {
        int32_t note;
        do {
            note = session.questionNotes[i] + 12 * nextRandom(session.randomSeed, octaves);
            if (note > high) note -= high - low + 1;
        } while (alreadyDrawn(note, i));
        session.questionNotes[i] = note;
    }
}
