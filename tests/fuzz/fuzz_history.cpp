// Any bytes as VARLO-HISTORY.csv, read as the statistics window reads it: every
// line kept writes out as a line that reads back the same, and the summary
// keeps its counts inside what was read.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "records/history_line.h"
#include "records/history_summary.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const auto lines = parseHistory(std::string_view(reinterpret_cast<const char*>(data), size));
    for (const HistoryLine& line : lines) {
        std::string text = formatHistoryLine(line);
        HistoryLine again;
        if (!parseHistoryLine(std::string_view(text).substr(0, text.size() - 2), again)) std::abort();
        if (formatHistoryLine(again) != text) std::abort();
    }
    const HistorySummary summary = summariseHistory(lines, dayNumber(2026, 12, 9));
    int orders = 0;
    for (const StageTally& stage : summary.allTime) orders += stage.orders;
    if (orders != int(lines.size()) || summary.confusions.size() > size_t(kTopConfusions)) std::abort();
    historyEnd(std::string_view(reinterpret_cast<const char*>(data), size));
    return 0;
}
