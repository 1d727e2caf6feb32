// The history summed up for the statistics window.
#include "records/history_summary.h"

#include <algorithm>
#include <cstdlib>
#include <unordered_set>

namespace {

constexpr int kSemitonesPerOctave = 12;
const wchar_t* const kIntervalNames[kSemitonesPerOctave] = {
    L"", L"半音", L"全音", L"短3度", L"長3度", L"完全4度", L"増4度", L"完全5度", L"短6度", L"長6度", L"短7度", L"長7度"};

// The wrongly marked note nearest to `missed`, the lower of two as near; -1 when there is none.
int nearestWrong(const NoteSet& wrong, int missed) {
    for (int distance = 1; distance < kHistoryNotes; ++distance) {
        if (missed - distance >= 0 && wrong.test(size_t(missed - distance))) return missed - distance;
        if (missed + distance < kHistoryNotes && wrong.test(size_t(missed + distance))) return missed + distance;
    }
    return -1;
}

// Counts of each (asked, marked) pair, kept as a table of every pair.
class ConfusionTable {
public:
    ConfusionTable() : counts_(size_t(kHistoryNotes) * kHistoryNotes, 0) {}

    void add(const HistoryLine& line) {
        const NoteSet missed = line.asked & ~line.marked;
        const NoteSet wrong = line.marked & ~line.asked;
        if (missed.none() || wrong.none()) return;
        for (int note = 0; note < kHistoryNotes; ++note) {
            if (!missed.test(size_t(note))) continue;
            const int marked = nearestWrong(wrong, note);
            if (counts_[size_t(note) * kHistoryNotes + size_t(marked)]++ == 0) pairs_.push_back({note, marked, 0});
        }
    }

    // The most frequent first; of equal counts the nearer, then the lower asked note.
    std::vector<Confusion> top(size_t count) {
        for (Confusion& pair : pairs_) pair.count = counts_[size_t(pair.asked) * kHistoryNotes + size_t(pair.marked)];
        const auto before = [](const Confusion& a, const Confusion& b) {
            const int nearA = std::abs(a.marked - a.asked), nearB = std::abs(b.marked - b.asked);
            if (a.count != b.count) return a.count > b.count;
            if (nearA != nearB) return nearA < nearB;
            return a.asked != b.asked ? a.asked < b.asked : a.marked < b.marked;
        };
        const size_t kept = std::min(count, pairs_.size());
        std::partial_sort(pairs_.begin(), pairs_.begin() + std::ptrdiff_t(kept), pairs_.end(), before);
        return std::vector<Confusion>(pairs_.begin(), pairs_.begin() + std::ptrdiff_t(kept));
    }

private:
    std::vector<int> counts_;
    std::vector<Confusion> pairs_;  // each pair once, in the order first met
};

void count(StageTally& tally, const HistoryLine& line) {
    ++tally.orders;
    tally.correct += line.correct ? 1 : 0;
    tally.answerMs += line.answerMs;
}

}  // namespace

int64_t dayNumber(int year, int month, int day) {
    // Days from civil: the year taken from March, so that the leap day ends it.
    const int64_t y = int64_t(year) - (month <= 2 ? 1 : 0);
    const int64_t era = (y >= 0 ? y : y - 399) / 400;
    const int64_t yearOfEra = y - era * 400;
    const int64_t dayOfYear = (153 * (month > 2 ? month - 3 : month + 9) + 2) / 5 + day - 1;
    const int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

void civilDate(int64_t dayNumber, int& year, int& month, int& day) {
    const int64_t z = dayNumber + 719468;
    const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const int64_t dayOfEra = z - era * 146097;
    const int64_t yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const int64_t monthFromMarch = (5 * dayOfYear + 2) / 153;
    day = int(dayOfYear - (153 * monthFromMarch + 2) / 5 + 1);
    month = int(monthFromMarch < 10 ? monthFromMarch + 3 : monthFromMarch - 9);
    year = int(yearOfEra + era * 400 + (month <= 2 ? 1 : 0));
}

HistorySummary summariseHistory(const std::vector<HistoryLine>& lines, int64_t today) {
    HistorySummary summary;
    ConfusionTable confusions;
    std::unordered_set<int32_t> gamesSeen;
    summary.orders = int(lines.size());
    for (const HistoryLine& line : lines) {
        const int stage = line.stage - 1;
        const int64_t daysAgo = today - dayNumber(line.time.year, line.time.month, line.time.day);
        count(summary.allTime[stage], line);
        if (daysAgo >= 0 && daysAgo < kRecentDays) count(summary.recent[stage], line);
        if (daysAgo >= 0 && daysAgo < kGameDays && gamesSeen.insert(line.game).second)
            ++summary.gamesPerDay[kGameDays - 1 - daysAgo];
        for (int note = 0; note < kHistoryNotes; ++note) {
            if (!line.asked.test(size_t(note))) continue;
            ++summary.keys[note].asked;
            if (!line.marked.test(size_t(note))) ++summary.keys[note].missed;
        }
        if (!line.correct) confusions.add(line);
    }
    summary.confusions = confusions.top(kTopConfusions);
    return summary;
}

std::wstring distanceName(int asked, int marked) {
    const int distance = std::abs(marked - asked);
    const int octaves = distance / kSemitonesPerOctave, rest = distance % kSemitonesPerOctave;
    std::wstring name;
    if (octaves > 1) name = std::to_wstring(octaves);
    if (octaves > 0) name += L"オクターブ";
    if (octaves > 0 && rest > 0) name += L"と";
    name += kIntervalNames[rest];
    return name + (marked > asked ? L"上" : L"下");
}
