// The results screen at the end of a game, and the row a ranked game leaves.
#include "game/results.h"

#include "display/canvas.h"
#include "display/name_field.h"
#include "display/results_screen.h"
#include "game/game_state.h"
#include "game/message_text.h"
#include "records/local_date.h"
#include "records/persistent_block.h"
#include "records/ranking_table.h"
#include "records/shared_records.h"

namespace {

// When the results screen found the rank-in; game thread only.
RankingDate entryTime{};

}  // namespace

int correctRate(int questionCount, int missTotal) {
    // Every game asks at least one question before it ends; the guard only
    // keeps a broken count from dividing by zero.
    if (questionCount <= 0) return 0;
    return (questionCount - missTotal) * 100 / questionCount;
}

std::wstring resultsLines(int rate, int score) {
    return L"正解率：" + std::to_wstring(rate) + L"%\n得点：" + std::to_wstring(score);
}

std::wstring rankInLine(int place) { return L"第" + std::to_wstring(place + 1) + L"位にランクインした。"; }

void showResults(Window window) {
    const int score = session.score;
    fillBackground(window);
    drawPanel(kResultsPanel);
    const std::wstring lines = resultsLines(correctRate(session.questionCount, session.missTotal), score);
    drawResultsTexts(lines.c_str());
    // The screen's texts, read from the top.
    std::wstring spoken = kResultsTitleText + (L"\n" + lines);

    const int place = rankPosition(sharedRecords(), score);
    if (place < kRankingRows) {
        if (gameState.load() == kStateQuit) return;
        entryTime = localDate();
        for (char& c : pendingName) c = '\0';
        drawRankInLines(rankInLine(place).c_str());
        // Name entry begins only while nothing else was asked for: a new game
        // or quitting that came meanwhile wins, and the screen is left to it.
        if (!replaceGameState(kStateTitle, kStateNameEntry)) return;
        showNameCaret(window);
        spoken += L"\n" + rankInLine(place) + L"\n" + kNamePromptText;
    }
    setMessageText(window, spoken);
    presentCanvas(window, 0, 0);
}

void commitEntry() {
    RankingEntry entry{};
    entry.score = static_cast<uint16_t>(session.score);
    entry.questionCount = static_cast<uint16_t>(session.questionCount);
    entry.missTotal = static_cast<uint16_t>(session.missTotal);
    entry.date = entryTime;
    // The name up to its zero; the rest of the 16 bytes stay zero.
    for (int i = 0; i < kNameBytes - 1 && pendingName[i] != '\0'; ++i) entry.name[i] = pendingName[i];
    commitRankingEntry(entry);
}
