// Title, ranking and celebration screens. They arrive with the pictures; until
// then the canvas keeps what it shows and the state machine's holds run as usual.
#include "display/screens.h"

int showTitleScreen(Window) {
    return 0;
}

void showRankingScreen(Window) {}

void playCelebration(Window) {}
