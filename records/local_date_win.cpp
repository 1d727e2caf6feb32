// The local date and time, from the system.
#include "records/local_date.h"

#include <windows.h>

RankingDate localDate() {
    SYSTEMTIME now;
    GetLocalTime(&now);
    return RankingDate{now.wYear, now.wMonth, now.wDayOfWeek, now.wDay,
                       now.wHour, now.wMinute, now.wSecond, now.wMilliseconds};
}
