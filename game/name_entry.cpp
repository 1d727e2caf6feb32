// Name entry on the results screen: what each typed key does to the name.
#include "game/name_entry.h"

#include "display/name_field.h"
#include "game/game_state.h"
#include "game/results.h"
#include "records/persistent_block.h"

namespace {

constexpr unsigned kBackspace = 8, kEnter = 13, kEscape = 27;
constexpr int kLongestName = kNameBytes - 1;

// Name entry ends: the caret goes, and the game thread commits the row
// (kStateNameEntered) or returns to the title (kStateTitle).
void endNameEntry(int32_t next) {
    removeNameCaret();
    replaceGameState(kStateNameEntry, next);
}

}  // namespace

void handleNameChar(Window window, unsigned code) {
    const int length = pendingNameLength();
    if (code >= 32 && code <= 126) {
        // Printable ASCII only: every other character, Japanese ones included, is ignored.
        if (length >= kLongestName) return;
        pendingName[length] = static_cast<char>(code);
        pendingName[length + 1] = '\0';
        drawNameField(window);
    } else if (code == kBackspace) {
        if (length == 0) return;
        pendingName[length - 1] = '\0';
        drawNameField(window);
    } else if (code == kEnter) {
        // An empty name stores nothing.
        endNameEntry(length > 0 ? kStateNameEntered : kStateTitle);
    } else if (code == kEscape) {
        endNameEntry(kStateTitle);
    }
}
