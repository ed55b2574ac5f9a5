// The meter's results in the forms it leaves behind: the JSON summary and the
// summary lines it prints when it ends.
#ifndef KOVI_STANDINS_APP_METER_SUMMARY_H_
#define KOVI_STANDINS_APP_METER_SUMMARY_H_

#include <string>
#include <vector>

#include "standins/app/meter_record.h"
#include "standins/app/tick_statistics.h"

std::string MeterSummaryJson(const MeterRecord& record, const TickStatistics& statistics);
std::vector<std::string> MeterSummaryLines(const MeterRecord& record,
                                           const TickStatistics& statistics);
// One line of key=value pairs with the figures the system tests check.
std::string MeterResultLine(const MeterRecord& record, const TickStatistics& statistics);
// The live line of one window of ticks.
std::string LiveLine(const TickFigures& figures);

#endif  // KOVI_STANDINS_APP_METER_SUMMARY_H_
