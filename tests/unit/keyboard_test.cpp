// Key picking: the hit test against the keyboard pictures, and what a click
// changes (the mark, the key's fill, GameState).
#include "display/keyboard.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "display/keyboard_layout.h"
#include "display/palette.h"
#include "game/game_state.h"
#include "game/input_rules.h"
#include "game/key_picking.h"
#include "game/questions.h"
#include "game/stage_rules.h"
#include "picture/png_decoder.h"
#include "tests/unit/fake_world.h"

namespace {

// Prepares a question's range at `stage` and clicks (x, y) in GameState 5.
// Returns the note marked, or -1 when the click marked nothing.
int clickedNote(int stage, unsigned x, unsigned y) {
    resetWorld();
    session.stageIndex = stage;
    int32_t low, high;
    questionRange(stage, low, high);
    session.lowNote = low;
    session.highNote = high;
    gameState = kStateWaitingAnswer;
    pickKey(nullptr, x, y);
    const int note = firstMarkedKey();
    EXPECT_EQ(gameState, note < 0 ? kStateWaitingAnswer : kStateHintDue) << x << "," << y;
    EXPECT_EQ(world.steps().empty(), note < 0) << "a missed click draws nothing";
    return note;
}

TEST(KeyPicking, ClicksAtTheEdgesOfKeysAndBandPickTheRightNote) {
    struct Case {
        int stage;
        unsigned x, y;
        int note;
    };
    const Case cases[] = {
        // Wide keys: the first copy starts at x = 1.
        {1, 1, 70, 48}, {2, 1, 70, 48}, {3, 1, 70, 48}, {0, 1, 70, -1},  // below the range at stage 1
        {1, 0, 100, -1}, {3, 0, 130, -1},
        {0, 100, 100, -1}, {0, 500, 100, -1},  // hatched background beside the single octave
        {0, 233, 119, 61}, {0, 233, 120, 60}, {0, 251, 100, 62},
        {1, 630, 146, 83}, {1, 210, 146, 59}, {1, 211, 146, 60},  // a separator counts to its right
        // A wide black key's zone reaches one column past the key (21..39 of the picture).
        {1, 21, 100, 48}, {1, 22, 100, 49}, {1, 40, 100, 49}, {1, 41, 100, 50}, {1, 190, 100, 58}, {1, 191, 100, 59},
        // Narrow keys; a black key's zone is its own columns (11..19).
        {4, 11, 100, 25}, {4, 10, 100, 24}, {4, 19, 100, 25}, {4, 20, 100, 26}, {7, 629, 146, 95}, {5, 0, 70, 24},
        // Above and below the band.
        {1, 300, 69, -1}, {1, 300, 147, -1}, {4, 300, 69, -1}, {4, 300, 147, -1},
        {1, 65535, 100, -1}, {4, 300, 65535, -1},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(clickedNote(c.stage, c.x, c.y), c.note) << "stage " << c.stage << " at " << c.x << "," << c.y;
    }
}

// --- the hit test against the pictures themselves ---

bool isBlack(const DibPicture& picture, unsigned x, unsigned y) {
    const uint8_t* row = &picture.bits[size_t(picture.height - 1 - y) * picture.stride];
    const unsigned perByte = 8 / picture.bitCount;
    const unsigned shift = 8 - picture.bitCount * (x % perByte + 1);
    const unsigned index = row[x / perByte] >> shift & ((1u << picture.bitCount) - 1);
    const uint8_t* quad = &picture.colourTable[index * 4];
    return quad[0] == 0 && quad[1] == 0 && quad[2] == 0;
}

DibPicture octavePicture(const char* name) {
    std::ifstream in(std::string(VARLO_RESOURCES_DIR) + "/" + name, std::ios::binary);
    const std::vector<uint8_t> file{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    DibPicture picture;
    EXPECT_TRUE(decodePng(file.data(), file.size(), picture)) << name;
    EXPECT_LE(picture.bitCount, 8) << name;
    return picture;
}

// Every pixel of the band is given to the key that owns its column in the
// picture: in rows 50 and below the black columns separate the white keys; in
// the black keys' rows a run of black columns is a black key, belonging to
// the white key it starts on. Not compared: separator columns, which count to
// the key on their right, and the one column right of each wide black key,
// which the click zone takes in as well.
void checkAgainstPicture(int stage, const char* name, int firstOctave, const std::vector<int>& copyX) {
    const DibPicture picture = octavePicture(name);
    const int width = int(picture.width) - 1;  // the right border is not copied
    ASSERT_GT(width, 0);
    std::vector<int> whiteOf(width), blackOf(width, -1);
    std::vector<bool> separator(width), zoneOnly(width);
    int white = -1;
    for (int e = 0; e < width; ++e) {
        separator[e] = isBlack(picture, e, 60);
        if (separator[e]) ++white;
        whiteOf[e] = white;
    }
    for (int start = 0; start < width;) {
        int end = start;
        while (end < width && isBlack(picture, end, 10)) ++end;
        if (end - start > 1) {  // a black key, not a single separator line
            for (int e = start; e < end; ++e) blackOf[e] = whiteOf[start];
            if (stage < 4 && end < width) zoneOnly[end] = true;
        }
        start = end > start ? end : start + 1;
    }
    int compared = 0;
    for (size_t copy = 0; copy < copyX.size(); ++copy) {
        for (int e = 0; e < width; ++e) {
            for (unsigned y = 70; y <= 146; ++y) {
                const bool blackRows = y < 120;
                const bool onBlackKey = blackRows && blackOf[e] >= 0;
                if ((separator[e] && !onBlackKey) || (blackRows && zoneOnly[e])) continue;
                const int octave = firstOctave + int(copy);
                const int expected = onBlackKey
                                         ? 12 * octave + whiteKeySemitone[blackOf[e]] + 1
                                         : 12 * octave + whiteKeySemitone[whiteOf[e]];
                Key key;
                ASSERT_TRUE(hitKey(rulesOf(stage).keyboard, unsigned(copyX[copy] + e), y, key)) << name << " " << e << "," << y;
                ASSERT_EQ(keyNote(key), expected) << name << " column " << e << " of copy " << copy << ", y " << y;
                ++compared;
            }
        }
    }
    EXPECT_GT(compared, 40000);
}

TEST(KeyPicking, EveryPixelOfTheBandHitsTheKeyThePictureShowsThere) {
    checkAgainstPicture(1, "keys_wide.png", 4, {1, 211, 421});
    checkAgainstPicture(4, "keys_narrow.png", 2, {0, 105, 210, 315, 420, 525});
}

// --- what a click changes ---

class Clicks : public ::testing::Test {
protected:
    void SetUp() override {
        resetWorld();
        session.stageIndex = 1;
        session.lowNote = 48;
        session.highNote = 83;
        gameState = kStateWaitingAnswer;
    }
    std::vector<FakeEvent> fills() {
        std::vector<FakeEvent> found;
        for (const auto& e : world.events) {
            if (e.what == "fillKey") found.push_back(e);
        }
        return found;
    }
};

TEST_F(Clicks, MarkingFillsPinkWithABrushOfItsOwnAndUnmarkingRestoresThePicture) {
    pickKey(nullptr, 233, 100);  // C sharp of octave 5
    EXPECT_EQ(session.selectedKeys[61], 1);
    EXPECT_EQ(gameState, kStateHintDue);
    const std::vector<std::string> marking{"brush", "fillKey", "deleteBrush", "show"};
    EXPECT_EQ(world.steps(), marking);
    EXPECT_EQ(world.events[0].value, int(kMarkedKeyColour));
    EXPECT_EQ(fills()[0].value, 61);
    EXPECT_EQ(fills()[0].handle, world.events[0].handle);
    EXPECT_TRUE(world.liveBrushes.empty());

    gameState = kStateWaitingAnswer;
    world.events.clear();
    pickKey(nullptr, 233, 100);
    EXPECT_EQ(session.selectedKeys[61], 0);
    EXPECT_EQ(gameState, kStateHintDue);
    const std::vector<std::string> unmarking{"fillKey", "show"};  // a stock brush is never deleted
    EXPECT_EQ(world.steps(), unmarking);
    EXPECT_EQ(fills()[0].handle, kFakeBlackStock);

    pickKey(nullptr, 213, 130);  // white C
    pickKey(nullptr, 213, 130);
    EXPECT_EQ(fills().back().handle, kFakeWhiteStock);
    EXPECT_EQ(firstMarkedKey(), -1);
}

TEST_F(Clicks, OnlyTheClickedKeyChanges) {
    session.selectedKeys[60] = 1;
    pickKey(nullptr, 251, 130);  // D
    pickKey(nullptr, 330, 100);  // F sharp
    EXPECT_EQ(session.selectedKeys[60], 1);
    EXPECT_EQ(session.selectedKeys[62], 1);
    EXPECT_EQ(session.selectedKeys[66], 1);
    int marked = 0;
    for (const auto& key : session.selectedKeys) marked += key;
    EXPECT_EQ(marked, 3);
}

}  // namespace
