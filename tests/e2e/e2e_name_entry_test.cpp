// Name entry as the player meets it: the results after a game, the rank-in
// line and the prompt, a name typed with the caret following it, and the row
// that VARLO.DAT keeps from run to run.
#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

#include "e2e_fixture.h"
#include "records/history_line.h"
#include "records/persistent_block.h"
#include "resources/resource.h"
#include "screen_images.h"
#include "display/palette.h"

namespace {

// A question comes some seconds after the last; the results some seconds after
// the last verdict, or after the last stage's message.
constexpr DWORD kQuestionTimeoutMs = 30000;
constexpr DWORD kScreenTimeoutMs = 5000;

// The results of a game lost without a point, first on an empty table.
const wchar_t kLostFigures[] = L"正解率：0%\n得点：0";
const wchar_t kFirstPlace[] = L"第1位にランクインした。";

// Every text of the results lies on the black panel inside x 95..595, y 30..220.
constexpr int kTextsLeft = 95, kTextsTop = 30, kTextsWidth = 500, kTextsHeight = 190;
constexpr int kNameLeft = 290, kCaretTop = 202;
constexpr UINT kOneLine = DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX;

// The results' texts as the program draws them, over black.
driver::Capture resultsTexts(const std::wstring& figures, const std::wstring& rankIn, const std::wstring& name) {
    return images::drawnOver(images::black(kTextsWidth, kTextsHeight), [&](HDC dc) {
        auto at = [](int l, int t, int r, int b) {
            return RECT{l - kTextsLeft, t - kTextsTop, r - kTextsLeft, b - kTextsTop};
        };
        images::drawText(dc, 40, kResultsTitleColour, L"成績", at(100, 30, 530, 75), DT_CENTER | DT_NOPREFIX);
        images::drawText(dc, 40, kResultsColour, figures, at(100, 75, 530, 160), DT_CENTER | DT_NOPREFIX);
        // The rank-in line and the prompt are in the canvas's standing font.
        images::drawText(dc, 0, kResultsColour, rankIn, at(200, 165, 430, 195), DT_CENTER | kOneLine);
        images::drawText(dc, 0, kResultsColour, L"あなたの名前を入力 >", at(95, 200, 285, 220), DT_RIGHT | kOneLine);
        images::drawText(dc, 16, kTypedNameColour, name, at(290, 200, 590, 220), DT_LEFT | kOneLine);
    });
}

// Where the caret stands after `name`: its width in the small font past x 290.
int caretLeft(const std::wstring& name) {
    const HDC dc = CreateCompatibleDC(nullptr);
    const HFONT font = images::createGameFont(16);
    const HGDIOBJ previous = SelectObject(dc, font);
    RECT extent{kNameLeft, 200, kNameLeft, 200};
    DrawTextW(dc, name.c_str(), -1, &extent, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
    SelectObject(dc, previous);
    DeleteObject(font);
    DeleteDC(dc);
    return extent.right;
}

ULONGLONG ticksOf(const SYSTEMTIME& time) {
    FILETIME file{};
    SystemTimeToFileTime(&time, &file);
    return ULONGLONG(file.dwHighDateTime) << 32 | file.dwLowDateTime;
}

ULONGLONG ticksOf(const RankingDate& d) {
    return ticksOf(SYSTEMTIME{d.year, d.month, d.dayOfWeek, d.day, d.hour, d.minute, d.second, d.milliseconds});
}

PersistentBlock emptyTable() {
    PersistentBlock block = defaultBlock();
    block.rowCount = 0;
    return block;
}

class NameEntry : public VarloTest {
protected:
    size_t nextSounding = 0;

    // Waits for the next question, marks its keys (or a key beside them) and
    // confirms; returns once the judging sound has begun.
    void answer(int stageIndex, bool right) {
        ASSERT_TRUE(driver::answerQuestion(program, nextSounding, stageIndex, right, kQuestionTimeoutMs))
            << "question " << nextSounding / 2 + 1 << " was not asked or not judged";
        nextSounding += 2;  // the question and its judging sound
    }

    // F2 and four wrong answers in the first stage: the game ends with no points.
    void loseAGame() {
        driver::key(program.window, VK_F2);
        for (int miss = 0; miss < 4; ++miss) ASSERT_NO_FATAL_FAILURE(answer(0, false));
    }

    // Starts on an empty table and loses a game: its results ask for a name.
    void launchAndLoseIntoNameEntry() {
        std::vector<uint8_t> empty;
        ASSERT_EQ(buildSaveFile(emptyTable(), empty), CodecResult::ok);
        ASSERT_NE(launchWith(empty), nullptr);
        ASSERT_NO_FATAL_FAILURE(loseAGame());
        expectTexts(kLostFigures, kFirstPlace, L"", kQuestionTimeoutMs);
    }

    void expectTexts(const std::wstring& figures, const std::wstring& rankIn, const std::wstring& name,
                     DWORD timeoutMs = kScreenTimeoutMs) {
        const driver::Capture expected = resultsTexts(figures, rankIn, name);
        driver::Capture screen;
        // The caret blinks over the name: a capture between blinks matches.
        const bool shown = driver::waitForScreen(program.window, screen, [&](const driver::Capture& c) {
            return images::differences(c, kTextsLeft, kTextsTop, expected) == 0;
        }, timeoutMs);
        EXPECT_TRUE(shown) << "the results with the name \"" << std::string(name.begin(), name.end())
                           << "\" differ in " << images::differences(screen, kTextsLeft, kTextsTop, expected)
                           << " pixels";
    }

    void expectCaretAfter(const std::wstring& name) {
        RECT caret{};
        const int left = caretLeft(name);
        EXPECT_TRUE(driver::waitFor([&] {
            return driver::caretOf(program.window, caret) && caret.left == left && caret.top == kCaretTop;
        }, kScreenTimeoutMs)) << "the caret should stand at (" << left << ", 202), not (" << caret.left << ", "
                              << caret.top << ")";
        EXPECT_EQ(caret.bottom - caret.top, 16);
    }

    void expectNoCaret() {
        RECT caret{};
        EXPECT_TRUE(driver::waitFor([&] { return !driver::caretOf(program.window, caret); }, kScreenTimeoutMs))
            << "the caret stayed";
    }

    // Name entry ends in the title screen, dissolved in whole.
    void expectTitle() {
        const driver::Capture title = images::titlePicture();
        EXPECT_TRUE(driver::waitForPixels(program.window, [&](const driver::Capture& c) {
            return c.pixels == title.pixels;
        }, kScreenTimeoutMs)) << "the title did not follow";
    }

    void typeText(const std::wstring& text) {
        for (wchar_t c : text) driver::typeChar(program.window, c);
    }

    PersistentBlock savedBlock() {
        PersistentBlock block{};
        EXPECT_TRUE(driver::readSavedBlock(savePath(), block));
        return block;
    }
};

TEST_F(NameEntry, APerfectGameTakesFirstPlaceAndItsNameSurvivesTwoRuns) {
    constexpr int kLastStage = 7;
    ASSERT_NE(launch(), nullptr);
    driver::command(program.window, IDM_STAGE_1 + kLastStage);
    for (int order = 0; order < 10; ++order) ASSERT_NO_FATAL_FAILURE(answer(kLastStage, true));

    SYSTEMTIME before;
    GetLocalTime(&before);
    const std::wstring figures = L"正解率：100%\n得点：640", first = L"第1位にランクインした。";
    expectTexts(figures, first, L"", kQuestionTimeoutMs);
    expectCaretAfter(L"");

    typeText(L"Tester");
    expectTexts(figures, first, L"Tester");
    expectCaretAfter(L"Tester");
    // A Japanese character, as one code and as the two bytes of its double-byte form.
    typeText(std::wstring{L'あ', wchar_t(0x82), wchar_t(0xA0)});
    typeText(L"0123456789");  // the name's sixteenth character is ignored
    expectTexts(figures, first, L"Tester012345678");
    expectCaretAfter(L"Tester012345678");
    typeText(L"\b");
    expectTexts(figures, first, L"Tester01234567");
    expectCaretAfter(L"Tester01234567");
    SYSTEMTIME after;
    GetLocalTime(&after);
    typeText(L"\r");
    expectNoCaret();
    closeAndWait();

    const PersistentBlock saved = savedBlock();
    const PersistentBlock defaults = defaultBlock();
    ASSERT_EQ(saved.rowCount, 5);
    const RankingEntry& row = saved.rows[0];
    EXPECT_STREQ(row.name, "Tester01234567");
    EXPECT_EQ(row.score, 640);
    EXPECT_EQ(row.questionCount, 10);
    EXPECT_EQ(row.missTotal, 0);
    EXPECT_EQ(row.spare, 5) << "the first place keeps its own spare";
    EXPECT_GE(ticksOf(row.date) + 10000000, ticksOf(before)) << "the date is when the results came";
    EXPECT_LE(ticksOf(row.date), ticksOf(after));
    for (int i = 1; i < 5; ++i) {
        EXPECT_EQ(std::memcmp(&saved.rows[i], &defaults.rows[i - 1], sizeof row), 0) << "row " << i;
    }

    const std::vector<uint8_t> file = savedFile();
    ASSERT_TRUE(driver::start(program));
    program.window = driver::waitForWindow(program);
    ASSERT_NE(program.window, nullptr);
    closeAndWait();
    EXPECT_EQ(savedFile(), file) << "a second run keeps the table as it was";
}

TEST_F(NameEntry, EscapeAndEnterOnAnEmptyNameStoreNothing) {
    ASSERT_NO_FATAL_FAILURE(launchAndLoseIntoNameEntry());
    typeText(L"Ann");
    expectTexts(kLostFigures, kFirstPlace, L"Ann");
    typeText(L"\x1b");
    expectNoCaret();
    expectTitle();

    // The title follows, and from it the next game.
    ASSERT_NO_FATAL_FAILURE(loseAGame());
    expectTexts(kLostFigures, kFirstPlace, L"", kQuestionTimeoutMs);
    expectCaretAfter(L"");
    typeText(L"A\b\b\r");
    expectNoCaret();
    expectTitle();
    closeAndWait();
    EXPECT_EQ(savedBlock().rowCount, 0);
}

TEST_F(NameEntry, ANewGameDuringNameEntryAbandonsItAndRemovesTheCaret) {
    ASSERT_NO_FATAL_FAILURE(launchAndLoseIntoNameEntry());
    typeText(L"Ann");
    expectCaretAfter(L"Ann");
    driver::key(program.window, VK_F2);
    expectNoCaret();
    EXPECT_TRUE(driver::waitForSoundingEnd(program, nextSounding, kQuestionTimeoutMs)) << "no new question";
    closeAndWait();
    EXPECT_EQ(savedBlock().rowCount, 0);
}

TEST_F(NameEntry, AnEnteredNameIsWrittenAtOnceAndTheFileFollowsTheWindowAtALogoff) {
    ASSERT_NO_FATAL_FAILURE(launchAndLoseIntoNameEntry());
    typeText(L"Ann\r");
    // On the disk while the program runs: a forced end or a crash keeps it.
    auto saved = [&] {
        PersistentBlock block{};
        return driver::readSavedBlock(savePath(), block) && block.rowCount == 1 &&
               std::strcmp(block.rows[0].name, "Ann") == 0;
    };
    EXPECT_TRUE(driver::waitFor(saved, kScreenTimeoutMs)) << "the name was not written when it was entered";

    // A logoff ends the process without destroying the window: the file is
    // written again, with the window's new place, before WM_ENDSESSION returns.
    SetWindowPos(program.window, nullptr, 230, 160, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    DWORD_PTR mayEnd = 0;
    ASSERT_TRUE(SendMessageTimeoutW(program.window, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF, SMTO_NORMAL,
                                    kScreenTimeoutMs, &mayEnd));
    EXPECT_TRUE(mayEnd);
    ASSERT_TRUE(SendMessageTimeoutW(program.window, WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF, SMTO_NORMAL,
                                    kScreenTimeoutMs, nullptr));
    driver::terminate(program);
    const PersistentBlock block = savedBlock();
    EXPECT_EQ(block.windowLeft, 230);
    EXPECT_EQ(block.windowTop, 160);
    EXPECT_EQ(block.rowCount, 1);
    EXPECT_STREQ(block.rows[0].name, "Ann");
}

// Two copies in one folder, both started on the same table: each enters a name
// after the other has read the file, and both names are kept. Both append their
// orders to the one history, the second's game numbered after the first's.
TEST_F(NameEntry, TwoCopiesInOneFolderKeepBothNames) {
    ASSERT_NO_FATAL_FAILURE(launchAndLoseIntoNameEntry());
    driver::Program first = program;
    struct Ends {
        driver::Program& program;
        ~Ends() { driver::terminate(program); }
    } endsFirst{first};
    SetWindowPos(first.window, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    program.process = PROCESS_INFORMATION{};  // the fixture's program becomes the second copy
    ASSERT_TRUE(driver::start(program));
    ASSERT_NE(driver::waitForWindow(program), nullptr);
    SetWindowPos(program.window, nullptr, 640, 400, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    auto savedNames = [&] {
        PersistentBlock block{};
        std::vector<std::string> names;
        if (driver::readSavedBlock(savePath(), block)) {
            for (int row = 0; row < validRowCount(block); ++row) names.push_back(block.rows[row].name);
        }
        return names;
    };
    for (wchar_t c : std::wstring(L"Ann\r")) driver::typeChar(first.window, c);
    // Each save follows the name's commit on the game thread: generous waits, as a
    // loaded machine may be slow to run two copies.
    EXPECT_TRUE(driver::waitFor([&] { return savedNames() == std::vector<std::string>{"Ann"}; }, kQuestionTimeoutMs));

    nextSounding = 0;  // the second copy's log began at its start
    ASSERT_NO_FATAL_FAILURE(loseAGame());
    expectTexts(kLostFigures, kFirstPlace, L"", kQuestionTimeoutMs);  // its own table is still empty
    typeText(L"Bob\r");
    const std::vector<std::string> both{"Ann", "Bob"};
    EXPECT_TRUE(driver::waitFor([&] { return savedNames() == both; }, kQuestionTimeoutMs));
    closeAndWait();
    driver::close(first.window);
    EXPECT_EQ(driver::waitForExit(first), 0);
    EXPECT_EQ(savedNames(), both);
    std::vector<uint8_t> history;
    ASSERT_TRUE(driver::readFile(driver::pathIn(program, L"VARLO-HISTORY.csv"), history));
    const auto lines = parseHistory(std::string(history.begin(), history.end()));
    ASSERT_EQ(lines.size(), 8u);
    EXPECT_EQ(lines[3].game, 1);
    EXPECT_EQ(lines[4].game, 2);
}

}  // namespace
