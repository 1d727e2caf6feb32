// The history's lines, written and read back.
#include "records/history_line.h"

#include <algorithm>
#include <charconv>
#include <cstdio>

#include "base/note_names.h"

const char kHistoryFileStart[] =
    "\xEF\xBB\xBF"
    "time,game,first_stage,stage,order,asked,marked,replays,answer_ms,verdict,points\r\n";

namespace {

constexpr int kFieldCount = 11;
constexpr size_t kTimeLength = 19;  // 2026-12-09T18:05:31
const char kCorrect[] = "correct";
const char kMiss[] = "miss";

std::string namesOf(const NoteSet& notes) {
    std::vector<int> list;
    for (int note = 0; note < kHistoryNotes; ++note)
        if (notes.test(size_t(note))) list.push_back(note);
    return noteNames(list);
}

// A whole field as a number in [low, high].
template <class Number> bool parseNumber(std::string_view field, Number low, Number high, Number& value) {
    if (field.empty()) return false;
    const char* end = field.data() + field.size();
    const auto result = std::from_chars(field.data(), end, value);
    return result.ec == std::errc() && result.ptr == end && value >= low && value <= high;
}

// Digits at `at` of the time field, as a number in [low, high].
bool timePart(std::string_view field, size_t at, size_t length, int low, int high, uint16_t& value) {
    int number = 0;
    if (!parseNumber(field.substr(at, length), low, high, number) || field[at] == '-') return false;
    value = uint16_t(number);
    return true;
}

bool parseTime(std::string_view field, RankingDate& time) {
    if (field.size() != kTimeLength || field[4] != '-' || field[7] != '-' || field[10] != 'T' || field[13] != ':' ||
        field[16] != ':')
        return false;
    time = RankingDate{};
    return timePart(field, 0, 4, 1, 9999, time.year) && timePart(field, 5, 2, 1, 12, time.month) &&
           timePart(field, 8, 2, 1, 31, time.day) && timePart(field, 11, 2, 0, 23, time.hour) &&
           timePart(field, 14, 2, 0, 59, time.minute) && timePart(field, 17, 2, 0, 59, time.second);
}

// Note names separated by single spaces; an empty field is no note.
bool parseNotes(std::string_view field, NoteSet& notes) {
    notes.reset();
    while (!field.empty()) {
        const size_t space = field.find(' ');
        int note = 0;
        if (!parseNoteName(field.substr(0, space), note)) return false;
        notes.set(size_t(note));
        if (space == std::string_view::npos) break;
        field.remove_prefix(space + 1);
        if (field.empty()) return false;  // a space at the end
    }
    return true;
}

// A spreadsheet that saves the file again may put quotes round a field.
std::string_view unquoted(std::string_view field) {
    if (field.size() >= 2 && field.front() == '"' && field.back() == '"') return field.substr(1, field.size() - 2);
    return field;
}

}  // namespace

std::string formatHistoryLine(const HistoryLine& line) {
    char time[64];
    std::snprintf(time, sizeof time, "%04u-%02u-%02uT%02u:%02u:%02u", unsigned(line.time.year), unsigned(line.time.month),
                  unsigned(line.time.day), unsigned(line.time.hour), unsigned(line.time.minute),
                  unsigned(line.time.second));
    std::string text = time;
    for (const int32_t number : {line.game, line.firstStage, line.stage, line.order}) text += ',' + std::to_string(number);
    text += ',' + namesOf(line.asked) + ',' + namesOf(line.marked) + ',' + std::to_string(line.replays) + ',' +
            std::to_string(line.answerMs) + ',' + (line.correct ? kCorrect : kMiss) + ',' + std::to_string(line.points);
    return text + kHistoryLineEnd;
}

bool parseHistoryLine(std::string_view text, HistoryLine& line) {
    std::string_view fields[kFieldCount];
    for (int i = 0; i < kFieldCount; ++i) {
        const size_t comma = text.find(',');
        if ((comma == std::string_view::npos) != (i == kFieldCount - 1)) return false;  // too few or too many
        fields[i] = unquoted(text.substr(0, comma));
        text.remove_prefix(comma == std::string_view::npos ? text.size() : comma + 1);
    }
    const std::string_view verdict = fields[9];
    line.correct = verdict == kCorrect;
    return parseTime(fields[0], line.time) && parseNumber(fields[1], 1, INT32_MAX, line.game) &&
           parseNumber(fields[2], 1, kHistoryStages, line.firstStage) &&
           parseNumber(fields[3], line.firstStage, kHistoryStages, line.stage) &&
           parseNumber(fields[4], 1, kHistoryOrders, line.order) && parseNotes(fields[5], line.asked) &&
           line.asked.any() && parseNotes(fields[6], line.marked) &&
           parseNumber(fields[7], 0, kHistoryReplays, line.replays) &&
           parseNumber<int64_t>(fields[8], 0, kLongestAnswerMs, line.answerMs) && (line.correct || verdict == kMiss) &&
           parseNumber(fields[10], 0, INT32_MAX, line.points);
}

std::vector<HistoryLine> parseHistory(std::string_view text) {
    std::vector<HistoryLine> lines;
    lines.reserve(text.size() / 64);  // a line is about 60 bytes or more
    HistoryLine line;
    for (;;) {
        const size_t end = text.find('\n');
        if (end == std::string_view::npos) break;  // the rest has no line end: torn
        std::string_view whole = text.substr(0, end);
        if (!whole.empty() && whole.back() == '\r') whole.remove_suffix(1);
        if (parseHistoryLine(whole, line)) lines.push_back(line);
        text.remove_prefix(end + 1);
    }
    return lines;
}

HistoryEnd historyEnd(std::string_view tail) {
    HistoryEnd end{0, !tail.empty() && tail.back() != '\n'};
    for (const HistoryLine& line : parseHistory(tail)) end.highestGame = std::max(end.highestGame, line.game);
    return end;
}
