#pragma once
#include "core/DateTime.h"

// 1 January 1990 00:00: the time of a record nothing has been downloaded for. Any real report
// is later and replaces it.
DateTime NoReportYet();

// True while the current UTC time is earlier than the report time plus 3 hours; after that
// the report is shown as no data.
bool IsRecentReport(const DateTime& reportTime);
