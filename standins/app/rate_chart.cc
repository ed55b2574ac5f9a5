#include "standins/app/rate_chart.h"

#include <algorithm>
#include <cstdio>

namespace {

constexpr int kWidth = 720;
constexpr int kHeight = 360;
constexpr int kLeft = 70;
constexpr int kRight = 20;
constexpr int kTop = 40;
constexpr int kBottom = 50;
constexpr double kPlotWidth = kWidth - kLeft - kRight;
constexpr double kPlotHeight = kHeight - kTop - kBottom;

// A coordinate with one decimal.
std::string Fixed(double value) {
  char text[32];
  std::snprintf(text, sizeof(text), "%.1f", value);
  return text;
}

std::string Whole(double value) {
  char text[32];
  std::snprintf(text, sizeof(text), "%.0f", value);
  return text;
}

// The axis maximum: a round number at or above the largest rate.
double AxisMaximum(const std::vector<double>& rates) {
  double largest = rates.empty() ? 0 : *std::max_element(rates.begin(), rates.end());
  double step = 125;
  while (step < largest) {
    step *= 2;
  }
  return step;
}

std::string EscapeXml(const std::string& text) {
  std::string escaped;
  for (char c : text) {
    if (c == '<') {
      escaped += "&lt;";
    } else if (c == '>') {
      escaped += "&gt;";
    } else if (c == '&') {
      escaped += "&amp;";
    } else {
      escaped += c;
    }
  }
  return escaped;
}

std::string Text(double x, double y, const std::string& anchor, const std::string& content) {
  return "<text x=\"" + Fixed(x) + "\" y=\"" + Fixed(y) + "\" text-anchor=\"" + anchor + "\">" +
         content + "</text>\n";
}

std::string Grid(double maximum) {
  std::string svg;
  for (int line = 0; line <= 4; ++line) {
    double y = kTop + kPlotHeight - kPlotHeight * line / 4;
    svg += "<line x1=\"" + Fixed(kLeft) + "\" x2=\"" + Fixed(kWidth - kRight) + "\" y1=\"" +
           Fixed(y) + "\" y2=\"" + Fixed(y) + "\" stroke=\"#ddd\"/>\n";
    svg += Text(kLeft - 8, y + 4, "end", Whole(maximum * line / 4));
  }
  double middle = kTop + kPlotHeight / 2;
  svg += "<text x=\"14\" y=\"" + Fixed(middle) + "\" transform=\"rotate(-90 14 " + Fixed(middle) +
         ")\" text-anchor=\"middle\">reports per second (Hz)</text>\n";
  svg += Text(kLeft + kPlotWidth / 2, kHeight - 12, "middle", "seconds of capture");
  return svg;
}

}  // namespace

std::string RateChartSvg(const std::vector<double>& rates_hz, const std::string& title) {
  const double maximum = AxisMaximum(rates_hz);
  const double seconds = std::max<double>(1, static_cast<double>(rates_hz.size()));
  std::string svg = "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" + std::to_string(kWidth) +
                    "\" height=\"" + std::to_string(kHeight) +
                    "\" font-family=\"sans-serif\" font-size=\"12\">\n";
  svg += "<rect width=\"100%\" height=\"100%\" fill=\"white\"/>\n";
  svg += Text(kLeft, 24, "start", EscapeXml(title));
  svg += Grid(maximum);
  std::string points;
  std::string labels;
  for (size_t i = 0; i < rates_hz.size(); ++i) {
    double x = kLeft + kPlotWidth * static_cast<double>(i + 1) / seconds;
    double y = kTop + kPlotHeight - kPlotHeight * std::min(rates_hz[i], maximum) / maximum;
    points += Fixed(x) + "," + Fixed(y) + " ";
    labels += Text(x, kTop + kPlotHeight + 18, "middle", std::to_string(i + 1));
  }
  svg += "<polyline fill=\"none\" stroke=\"#1565c0\" stroke-width=\"2\" points=\"" + points +
         "\"/>\n" + labels + "</svg>\n";
  return svg;
}
