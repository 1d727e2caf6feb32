// Results screen and name entry. They arrive with the ranking table; until then
// a finished game shows nothing and returns to the title after its hold.
#include "records/ranking.h"

char pendingName[16] = "";

void showResults(Window) {}

void commitEntry() {}

void handleNameChar(Window, unsigned) {}
