#pragma once

// The pieces the plots' SVG files are made of: log-log panels with their grid,
// labels and lines, written with fixed decimals so that a figure is the same
// bytes on every platform.

#include <string>
#include <string_view>
#include <vector>

namespace korvel::shock {

// XML's special characters escaped, for text in the figure.
std::string escapedXml(std::string_view text);

// A number with two decimals, for coordinates.
std::string coordinate(double value);

// One series of a panel: values at the panel's x positions, drawn as a line
// broken where a value cannot be drawn (zero or negative on a log axis).
struct Series {
  std::string name;
  std::string colour;
  std::string dashes;  // SVG stroke-dasharray, empty for a solid line
  std::vector<double> x, y;
};

// A panel with logarithmic axes: y over whole decades around its data, x over
// the data's own range where that holds two decade marks (whole decades otherwise).
struct LogPanel {
  double left = 0, top = 0, width = 0, height = 0;
  std::string xTitle, yTitle;
};

// Appends the panel's grid, axes, labels, series and legend to `svg`.
void drawLogPanel(std::string& svg, const LogPanel& panel, const std::vector<Series>& series);

std::string svgStart(int width, int height);
std::string svgText(double x, double y, std::string_view text, std::string_view attributes);
inline constexpr const char* kSvgEnd = "</svg>\n";

}  // namespace korvel::shock
