#include "shock/wavelet_table.h"

#include <cmath>

#include <fast_float/fast_float.h>

#include "shock/record_text.h"
#include "shock/shown_number.h"

namespace korvel::shock {
namespace {

std::string_view trimmed(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r')) text.remove_suffix(1);
  return text;
}

}  // namespace

std::vector<TableWavelet> readWaveletTable(std::string_view text, const std::string& source) {
  std::vector<TableWavelet> wavelets;
  long long number = 0;
  bool seenHeader = false;
  auto fail = [&](const std::string& what) { throw RecordError(source + ":" + std::to_string(number) + ": " + what); };
  while (!text.empty()) {
    const std::size_t newline = text.find('\n');
    std::string_view line = text.substr(0, newline);
    text = newline == std::string_view::npos ? std::string_view() : text.substr(newline + 1);
    ++number;
    if (const std::size_t hash = line.find('#'); hash != std::string_view::npos) line = line.substr(0, hash);
    line = trimmed(line);
    if (line.empty()) continue;
    if (!seenHeader) {
      if (line != kWaveletTableHeader) {
        fail("expected the header line " + std::string(kWaveletTableHeader) + ", found \"" + shownText(line) + "\"");
      }
      seenHeader = true;
      continue;
    }
    double values[4] = {};
    int field = 0;
    while (true) {
      const std::size_t comma = line.find(',');
      const std::string_view item = trimmed(line.substr(0, comma));
      if (field == 4) fail("more than four fields: " + std::string(kWaveletTableHeader));
      std::string_view digits = item;
      if (!digits.empty() && digits.front() == '+') digits.remove_prefix(1);
      const auto read = fast_float::from_chars(digits.data(), digits.data() + digits.size(), values[field]);
      if (digits.empty() || read.ptr != digits.data() + digits.size() || !std::isfinite(values[field])) {
        fail("\"" + shownText(item) + "\" is not a finite number");
      }
      ++field;
      if (comma == std::string_view::npos) break;
      line.remove_prefix(comma + 1);
    }
    if (field != 4) fail("four fields expected: " + std::string(kWaveletTableHeader));
    TableWavelet w;
    w.frequency = values[0];
    w.amplitude = values[1];
    w.delay = values[3];
    w.line = number;
    if (!(w.frequency > 0)) fail("the frequency must be above 0 Hz");
    if (values[2] != std::floor(values[2]) || values[2] < 3 || values[2] > 2147483647.0 ||
        std::fmod(values[2], 2.0) != 1.0) {
      fail("half_sines " + shownNumber(values[2]) + ": must be odd and 3 or more (the wavelet then ends at rest)");
    }
    w.halfSines = static_cast<std::int32_t>(values[2]);
    wavelets.push_back(w);
  }
  if (!seenHeader) throw RecordError(source + ": empty: expected the header line " + kWaveletTableHeader);
  if (wavelets.empty()) throw RecordError(source + ": a header line and no wavelets");
  return wavelets;
}

std::string waveletTableCsv(const std::vector<TableWavelet>& wavelets) {
  std::string csv = std::string(kWaveletTableHeader) + "\n";
  for (const TableWavelet& w : wavelets) {
    csv += shownNumber(w.frequency) + "," + shownNumber(w.amplitude) + "," + std::to_string(w.halfSines) + "," +
           shownNumber(w.delay) + "\n";
  }
  return csv;
}

}  // namespace korvel::shock
