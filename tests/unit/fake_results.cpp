// Recording stand-ins for what the results screen and name entry draw.
#include "display/name_field.h"
#include "display/results_screen.h"
#include "tests/unit/fake_world.h"

void drawResultsTexts(const wchar_t* lines) { step("resultsTexts", lines); }
void drawRankInLines(const wchar_t* rankIn) { step("rankIn", rankIn); }
void drawNameField(Window) { step("nameInput", pendingNameText()); }
