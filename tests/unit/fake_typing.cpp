// A typewriter that types a whole text at once, for the tests of the steps that type.
#include "game/game_state.h"
#include "game/typewriter.h"
#include "tests/unit/fake_world.h"

bool typeText(Window, const wchar_t* text) {
    step("type", text);
    return gameState.load() != kStateQuit;
}
