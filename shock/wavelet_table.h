#pragma once

// A table of wavelets as CSV, one korvel wavelet a line:
//   frequency_hz,amplitude,half_sines,delay_s
// (the amplitude signed; the half-sines odd, 3 or more). Written so that it
// reads back exactly.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace korvel::shock {

inline constexpr const char* kWaveletTableHeader = "frequency_hz,amplitude,half_sines,delay_s";

struct TableWavelet {
  double frequency = 0;
  double amplitude = 0;
  std::int32_t halfSines = 3;
  double delay = 0;
  long long line = 0;  // in the table it was read from
};

// The table's wavelets in order; throws RecordError naming `source`, the line
// and what is wrong.
std::vector<TableWavelet> readWaveletTable(std::string_view text, const std::string& source);

// The table as CSV, each number in the shortest form that reads back as the same double.
std::string waveletTableCsv(const std::vector<TableWavelet>& wavelets);

}  // namespace korvel::shock
