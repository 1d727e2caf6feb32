// Name entry on the results screen: the typed name and what each key does to it.
#include "game/game_state.h"
#include "game/platform.h"
#include "records/persistent_block.h"
#include "records/ranking.h"
#include "records/results_view.h"

char pendingName[16] = "";

namespace {

constexpr unsigned kBackspace = 8, kEnter = 13, kEscape = 27;
constexpr int kLongestName = kNameBytes - 1;

int pendingLength() {
    int length = 0;
    while (length < kLongestName && pendingName[length] != '\0') ++length;
    return length;
}

// Name entry ends: the caret goes, and the game thread commits the row (12)
// or returns to the title (0).
void endNameEntry(int32_t next) {
    removeNameCaret();
    replaceGameState(kStateNameEntry, next);
}

}  // namespace

std::wstring pendingNameText() {
    const int length = pendingLength();
    return std::wstring(pendingName, pendingName + length);
}

void handleNameChar(Window window, unsigned code) {
    const int length = pendingLength();
    if (code >= 32 && code <= 126) {
        // Printable ASCII only: every other character, Japanese ones included, is ignored.
        if (length >= kLongestName) return;
        pendingName[length] = static_cast<char>(code);
        pendingName[length + 1] = '\0';
        drawNameInput(window);
    } else if (code == kBackspace) {
        if (length == 0) return;
        pendingName[length - 1] = '\0';
        drawNameInput(window);
    } else if (code == kEnter) {
        // An empty name stores nothing.
        endNameEntry(length > 0 ? kStateNameEntered : kStateTitle);
    } else if (code == kEscape) {
        endNameEntry(kStateTitle);
    }
}
