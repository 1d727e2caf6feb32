// Recording stand-ins for what the results screen and name entry draw.
#include "records/ranking.h"
#include "records/results_view.h"
#include "tests/unit/fake_world.h"

void drawResultsTexts(const wchar_t* lines) { step("resultsTexts", lines); }
void drawRankInLines(const wchar_t* rankIn) { step("rankIn", rankIn); }
void drawNameInput(Window) { step("nameInput", pendingNameText()); }
RankingDate localDate() { return kFakeNow; }
