#include "shock/synthesis_plot.h"

#include <algorithm>
#include <cmath>

#include "shock/shown_number.h"
#include "shock/steady_math.h"
#include "shock/svg_figure.h"

namespace korvel::shock {
namespace {

constexpr int kWidth = 900;
constexpr int kLeft = 90;
constexpr int kPanelWidth = kWidth - kLeft - 30;

// One linear panel of a time series, drawn as the least and greatest value
// per column of pixels so that a long record stays a small file.
void drawTimePanel(std::string& svg, double top, double height, const std::vector<double>& time,
                   const std::vector<double>& values, double scale, const std::string& title,
                   const std::string& colour) {
  double peak = 0;
  for (double v : values) peak = std::max(peak, std::fabs(v * scale));
  if (!(peak > 0)) peak = 1;
  const double t0 = time.empty() ? 0 : time.front(), t1 = time.empty() ? 1 : time.back();
  const double span = t1 > t0 ? t1 - t0 : 1;
  const double middle = top + height / 2;
  svg += "<rect x=\"" + coordinate(kLeft) + "\" y=\"" + coordinate(top) + "\" width=\"" + coordinate(kPanelWidth) +
         "\" height=\"" + coordinate(height) + "\" fill=\"none\" stroke=\"#888888\"/>\n";
  svg += "<line x1=\"" + coordinate(kLeft) + "\" y1=\"" + coordinate(middle) + "\" x2=\"" +
         coordinate(kLeft + kPanelWidth) + "\" y2=\"" + coordinate(middle) + "\" stroke=\"#dddddd\"/>\n";
  const std::string shownPeak = roundedNumber(peak, 3);
  svg += svgText(kLeft - 6, top + 10, std::string("+").append(shownPeak), "text-anchor=\"end\" fill=\"#555555\"");
  svg += svgText(kLeft - 6, top + height, std::string("-").append(shownPeak), "text-anchor=\"end\" fill=\"#555555\"");
  svg += svgText(kLeft + 6, top + 14, title, "fill=\"#1a1a1a\"");
  std::string points;
  std::size_t i = 0;
  for (int column = 0; column < kPanelWidth && i < values.size(); ++column) {
    const double end = t0 + span * (column + 1) / kPanelWidth;
    double lo = values[i] * scale, hi = lo;
    while (i < values.size() && time[i] <= end) {
      lo = std::min(lo, values[i] * scale);
      hi = std::max(hi, values[i] * scale);
      ++i;
    }
    const double x = kLeft + column + 0.5;
    for (double v : {lo, hi}) {
      points += coordinate(x) + "," + coordinate(middle - v / peak * (height / 2 - 2)) + " ";
    }
  }
  svg += "<polyline fill=\"none\" stroke=\"" + colour + "\" stroke-width=\"0.8\" points=\"" + points + "\"/>\n";
}

}  // namespace

std::string synthesisPlotSvg(const SynthesisMeasure& m, const SynthesisSettings& s, const std::string& unit,
                             const std::string& source) {
  constexpr int kHeight = 1000;
  std::string svg = svgStart(kWidth, kHeight);
  svg += svgText(kWidth / 2.0, 24, "Shock synthesised for " + source,
                 "text-anchor=\"middle\" font-size=\"16\" fill=\"#1a1a1a\"");
  svg += svgText(kWidth / 2.0, 42,
                 "Q = " + shownNumber(s.q) + ", band " + roundedNumber(s.low, 3) + "/+" + roundedNumber(s.high, 3) +
                     " dB, " + shownPlainNumber(m.rate) + " samples per second",
                 "text-anchor=\"middle\" fill=\"#555555\"");
  Series achieved{"achieved (1/48 octave)", "#0b57d0", "", m.fineFrequencies, m.fineAchieved};
  Series target{"target", "#1a1a1a", "", m.fineFrequencies, m.fineTarget};
  Series lower{"lower limit (" + roundedNumber(s.low, 3) + " dB)", "#b3261e", "6 4", m.fineFrequencies, {}};
  Series upper{"upper limit (+" + roundedNumber(s.high, 3) + " dB)", "#b3261e", "2 3", m.fineFrequencies, {}};
  const double low = steadyRatio(s.low), high = steadyRatio(s.high);
  for (double t : m.fineTarget) {
    lower.y.push_back(t * low);
    upper.y.push_back(t * high);
  }
  LogPanel panel{kLeft, 56, kPanelWidth, 420, "Natural frequency (Hz)", "Peak acceleration (" + unit + ")"};
  drawLogPanel(svg, panel, {target, lower, upper, achieved});
  const double top = 540, height = 130, gap = 20;
  drawTimePanel(svg, top, height, m.time, m.acceleration, 1, "acceleration (" + unit + ")", "#0b57d0");
  drawTimePanel(svg, top + height + gap, height, m.time, m.velocity, 1, "velocity (m/s)", "#1e7d32");
  drawTimePanel(svg, top + 2 * (height + gap), height, m.time, m.displacement, 1000, "displacement (mm)", "#b3261e");
  svg += svgText(kLeft + kPanelWidth / 2.0, top + 3 * height + 2 * gap + 28,
                 "Time (s), " + roundedNumber(m.time.empty() ? 0 : m.time.front(), 4) + " to " +
                     roundedNumber(m.time.empty() ? 0 : m.time.back(), 4),
                 "text-anchor=\"middle\" fill=\"#1a1a1a\"");
  svg += kSvgEnd;
  return svg;
}

}  // namespace korvel::shock
