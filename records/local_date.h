// The date and time a ranked game is stored with.
#ifndef VARLO_RECORDS_LOCAL_DATE_H
#define VARLO_RECORDS_LOCAL_DATE_H

#include "records/persistent_block.h"

// The local date and time now.
RankingDate localDate();

#endif
