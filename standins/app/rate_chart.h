// An SVG line chart of the report rate over time (one point per second of
// capture), with a labelled rate axis and time axis.
#ifndef KOVI_STANDINS_APP_RATE_CHART_H_
#define KOVI_STANDINS_APP_RATE_CHART_H_

#include <string>
#include <vector>

std::string RateChartSvg(const std::vector<double>& rates_hz, const std::string& title);

#endif  // KOVI_STANDINS_APP_RATE_CHART_H_
