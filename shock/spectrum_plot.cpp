#include "shock/spectrum_plot.h"

#include "shock/svg_figure.h"

namespace korvel::shock {

std::string spectrumPlotSvg(const std::vector<double>& frequencies, const std::vector<srs::Peaks>& peaks,
                            const SpectrumPlotText& text) {
  constexpr int kWidth = 760;
  constexpr int kHeight = 520;
  Series maximax{"maximax", "#0b57d0", "", frequencies, {}};
  Series positive{"positive", "#b3261e", "6 4", frequencies, {}};
  Series negative{"negative", "#1e7d32", "2 3", frequencies, {}};
  for (const srs::Peaks& p : peaks) {
    maximax.y.push_back(p.maximax);
    positive.y.push_back(p.positive);
    negative.y.push_back(p.negative);
  }
  std::string svg = svgStart(kWidth, kHeight);
  svg += svgText(kWidth / 2.0, 24, text.title, "text-anchor=\"middle\" font-size=\"16\" fill=\"#1a1a1a\"");
  svg += svgText(kWidth / 2.0, 42, text.subtitle, "text-anchor=\"middle\" fill=\"#555555\"");
  LogPanel panel{80,
                 56,
                 kWidth - 110,
                 kHeight - 56 - 60,
                 "Natural frequency (Hz)",
                 "Peak acceleration" + (text.units.empty() ? std::string() : " (" + text.units + ")")};
  drawLogPanel(svg, panel, {maximax, positive, negative});
  svg += kSvgEnd;
  return svg;
}

}  // namespace korvel::shock
