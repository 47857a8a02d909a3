#include "shock/spectrum_csv.h"

#include "shock/shown_number.h"

namespace korvel::shock {

std::string spectrumCsv(const std::vector<double>& frequencies, const std::vector<srs::Peaks>& peaks) {
  std::string csv = std::string(kSpectrumHeader) + "\n";
  for (std::size_t i = 0; i < frequencies.size() && i < peaks.size(); ++i) {
    const srs::Peaks& p = peaks[i];
    for (double value : {frequencies[i], p.maximax, p.positive, p.negative, p.primary}) {
      csv += shownNumber(value);
      csv += ',';
    }
    csv += shownNumber(p.residual);
    csv += '\n';
  }
  return csv;
}

}  // namespace korvel::shock
