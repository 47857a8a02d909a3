#include "shock/svg_figure.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>

#include "shock/log_scale.h"

namespace korvel::shock {
namespace {

// A decade's label: plain for 0.001 to 100000, "1e6" beyond.
std::string decadeLabel(int k) {
  // Appended piece by piece: GCC 12 at -O2 warns falsely (-Wrestrict) on "1" + std::string(k, '0').
  std::string label;
  if (k >= 0 && k <= 5) return label.append("1").append(static_cast<std::size_t>(k), '0');
  if (k < 0 && k >= -3) return label.append("0.").append(static_cast<std::size_t>(-k - 1), '0').append("1");
  return label.append("1e").append(std::to_string(k));
}

// An axis's ends as decimal logarithms: whole decades around the positive
// values, at least one; or, where `tight` and the values reach over two decade
// marks or more, the values' own range, each end taken out to its decade mark
// when that is within a tenth of a decade (a series from 9.84 Hz would
// otherwise spend a decade of the width on nothing).
void axisOf(const std::vector<double>& values, bool tight, double& first, double& last) {
  double low = std::numeric_limits<double>::infinity();
  double high = 0;
  for (double v : values) {
    if (v > 0 && std::isfinite(v)) low = std::min(low, v), high = std::max(high, v);
  }
  if (!(high > 0)) {
    first = -1, last = 0;
    return;
  }
  const double lowLog = log10Of(low), highLog = log10Of(high);
  first = std::floor(lowLog + 1e-9);
  last = std::ceil(highLog - 1e-9);
  if (last <= first) last = first + 1;
  if (tight && std::floor(highLog + 1e-9) - std::ceil(lowLog - 1e-9) >= 1) {
    if (lowLog - first > 0.1) first = lowLog;
    if (last - highLog > 0.1) last = highLog;
  }
}

}  // namespace

std::string escapedXml(std::string_view text) {
  std::string out;
  for (char c : text) {
    switch (c) {
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '&': out += "&amp;"; break;
      case '"': out += "&quot;"; break;
      default: out += c;
    }
  }
  return out;
}

std::string coordinate(double value) {
  char text[64];
  const auto printed = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, 2);
  std::string s(text, printed.ptr);
  return s == "-0.00" ? "0.00" : s;
}

std::string svgStart(int width, int height) {
  return "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" + std::to_string(width) + "\" height=\"" +
         std::to_string(height) + "\" viewBox=\"0 0 " + std::to_string(width) + " " + std::to_string(height) +
         "\" font-family=\"Liberation Sans, DejaVu Sans, Arial, sans-serif\" font-size=\"12\">\n"
         "<rect width=\"100%\" height=\"100%\" fill=\"#ffffff\"/>\n";
}

std::string svgText(double x, double y, std::string_view text, std::string_view attributes) {
  std::string element = "<text x=\"" + coordinate(x) + "\" y=\"" + coordinate(y) + "\"";
  if (!attributes.empty()) element.append(" ").append(attributes);
  return element.append(">").append(escapedXml(text)).append("</text>\n");
}

void drawLogPanel(std::string& svg, const LogPanel& panel, const std::vector<Series>& series) {
  std::vector<double> xs, ys;
  for (const Series& s : series) {
    xs.insert(xs.end(), s.x.begin(), s.x.end());
    ys.insert(ys.end(), s.y.begin(), s.y.end());
  }
  double x0, x1, y0, y1;
  axisOf(xs, true, x0, x1);
  axisOf(ys, false, y0, y1);
  // The decades the grid and the labels run over, and whether a value lies on the x axis.
  const int xFirst = static_cast<int>(std::floor(x0 + 1e-9)), xLast = static_cast<int>(std::ceil(x1 - 1e-9));
  const int yFirst = static_cast<int>(y0), yLast = static_cast<int>(y1);
  const auto onX = [&](double x) {
    const double at = log10Of(x);
    return at >= x0 - 1e-9 && at <= x1 + 1e-9;
  };
  const auto px = [&](double x) { return panel.left + (log10Of(x) - x0) / (x1 - x0) * panel.width; };
  const auto py = [&](double y) { return panel.top + panel.height - (log10Of(y) - y0) / (y1 - y0) * panel.height; };
  const double right = panel.left + panel.width;
  const double bottom = panel.top + panel.height;

  svg += "<g stroke-width=\"1\" fill=\"none\">\n";
  for (int k = xFirst; k < xLast; ++k) {
    for (int m = 1; m < 10; ++m) {
      if (!onX(m * powerOfTen(k))) continue;
      const double x = px(m * powerOfTen(k));
      svg += "<line x1=\"" + coordinate(x) + "\" y1=\"" + coordinate(panel.top) + "\" x2=\"" + coordinate(x) +
             "\" y2=\"" + coordinate(bottom) + "\" stroke=\"" + (m == 1 ? "#b0b4ba" : "#e3e5e8") + "\"/>\n";
    }
  }
  for (int k = yFirst; k < yLast; ++k) {
    for (int m = 1; m < 10; ++m) {
      const double y = py(m * powerOfTen(k));
      svg += "<line x1=\"" + coordinate(panel.left) + "\" y1=\"" + coordinate(y) + "\" x2=\"" + coordinate(right) +
             "\" y2=\"" + coordinate(y) + "\" stroke=\"" + (m == 1 ? "#b0b4ba" : "#e3e5e8") + "\"/>\n";
    }
  }
  svg += "<rect x=\"" + coordinate(panel.left) + "\" y=\"" + coordinate(panel.top) + "\" width=\"" +
         coordinate(panel.width) + "\" height=\"" + coordinate(panel.height) + "\" stroke=\"#5f6368\"/>\n</g>\n";
  for (int k = xFirst; k <= xLast; ++k) {
    if (!onX(powerOfTen(k))) continue;
    svg += svgText(px(powerOfTen(k)), bottom + 16, decadeLabel(k), "text-anchor=\"middle\" fill=\"#1a1a1a\"");
  }
  for (int k = yFirst; k <= yLast; ++k) {
    svg += svgText(panel.left - 6, py(powerOfTen(k)) + 4, decadeLabel(k), "text-anchor=\"end\" fill=\"#1a1a1a\"");
  }
  svg += svgText(panel.left + panel.width / 2, bottom + 36, panel.xTitle, "text-anchor=\"middle\" fill=\"#1a1a1a\"");
  svg += "<text transform=\"translate(" + coordinate(panel.left - 52) + " " + coordinate(panel.top + panel.height / 2) +
         ") rotate(-90)\" text-anchor=\"middle\" fill=\"#1a1a1a\">" + escapedXml(panel.yTitle) + "</text>\n";

  double legendY = panel.top + 16;
  for (const Series& s : series) {
    const std::string style = "fill=\"none\" stroke=\"" + s.colour + "\" stroke-width=\"1.8\"" +
                              (s.dashes.empty() ? "" : " stroke-dasharray=\"" + s.dashes + "\"");
    std::string points;
    auto endLine = [&] {
      if (!points.empty()) svg += "<polyline " + style + " points=\"" + points + "\"/>\n";
      points.clear();
    };
    for (std::size_t i = 0; i < s.x.size() && i < s.y.size(); ++i) {
      if (!(s.y[i] > 0 && s.x[i] > 0 && std::isfinite(s.y[i]))) {
        endLine();
        continue;
      }
      if (!points.empty()) points += ' ';
      points += coordinate(px(s.x[i])) + "," + coordinate(py(s.y[i]));
    }
    endLine();
    // The legend, inside the panel's top left corner.
    svg += "<line x1=\"" + coordinate(panel.left + 12) + "\" y1=\"" + coordinate(legendY - 4) + "\" x2=\"" +
           coordinate(panel.left + 40) + "\" y2=\"" + coordinate(legendY - 4) + "\" " + style + "/>\n";
    svg += svgText(panel.left + 46, legendY, s.name, "fill=\"#1a1a1a\"");
    legendY += 16;
  }
}

}  // namespace korvel::shock
