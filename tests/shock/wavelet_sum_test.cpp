// korvel-shock's table of wavelets and their sum: each wavelet exactly as the
// form's Calculate command computes it, and tables that cannot be read named
// by their line.

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "calc/synthesis.h"
#include "calc/time_history_file.h"
#include "shock/record_text.h"
#include "shock/srs_options.h"
#include "shock/wavelet_sum.h"
#include "shock/wavelet_table.h"

namespace korvel::shock {
namespace {

// The rows korvel-cli writes for one wavelet: the Calculate command's own synthesis and rows.
std::string korvelRows(const WaveletParams& params) {
  WaveletSynthesis synthesis(params, timeHistory);
  synthesis.finish();
  std::string text, row;
  for (std::int32_t i = 0; i < timeHistory.count; ++i) {
    formatTimeHistoryRow(timeHistory.time[i], timeHistory.amplitude[i], row);
    text += row;
  }
  return text;
}

TEST(WaveletSumTest, OneWaveletIsKorvelsOwnRowsByteForByte) {
  const struct {
    double frequency, amplitude;
    std::int32_t halfSines;
    double delay, duration, rate;
  } cases[] = {
      {
          10,
          1,
          3,
          0,
          0.2,
          100,
      },                                    // the worked example's wavelet
      {100, -2.5, 11, 0.01, 0.5, 10000},    // a negative amplitude and a delay
      {100, 0, 3, 0.001, 0.05, 1000},       // amplitude 0: negative zeros in the rows
      {1000, 3, 101, 0.0005, 0.06, 51200},  // more half-sines than the form offers
      {37.5, 1e-7, 23, 0.3, 1, 1024},       // halfway times round away from zero
  };
  for (const auto& c : cases) {
    const TableWavelet w{c.frequency, c.amplitude, c.halfSines, c.delay, 2};
    const std::string sum = timeHistoryText(sumWavelets({w}, c.rate, c.duration, "table"));
    EXPECT_EQ(sum, korvelRows({c.amplitude, c.frequency, c.halfSines, c.delay, c.duration, c.rate}))
        << c.frequency << " Hz, N " << c.halfSines;
  }
}

TEST(WaveletSumTest, AddsEveryWaveletInTheTablesOrder) {
  const std::vector<TableWavelet> table = {{100, 1, 5, 0, 2}, {150, -0.5, 7, 0.01, 3}, {70, 2, 3, 0.002, 4}};
  const WaveletSum sum = sumWavelets(table, 2000, 0.2, "table");
  std::vector<WaveletSum> ones;
  for (const TableWavelet& w : table) ones.push_back(sumWavelets({w}, 2000, 0.2, "table"));
  for (std::size_t i = 0; i < sum.amplitude.size(); ++i) {
    ASSERT_EQ(sum.amplitude[i], (ones[0].amplitude[i] + ones[1].amplitude[i]) + ones[2].amplitude[i]) << "row " << i;
  }
}

TEST(WaveletSumTest, TheTableReadsBackBitForBit) {
  const std::vector<TableWavelet> table = {{0.1 + 0.2, -1.0 / 3, 2147483647, 1e-300, 0},
                                           {9.87654321e5, 5e-324, 3, 0, 0}};
  const std::vector<TableWavelet> back = readWaveletTable(waveletTableCsv(table), "table");
  ASSERT_EQ(back.size(), table.size());
  for (std::size_t k = 0; k < table.size(); ++k) {
    EXPECT_EQ(std::memcmp(&back[k].frequency, &table[k].frequency, sizeof(double)), 0);
    EXPECT_EQ(std::memcmp(&back[k].amplitude, &table[k].amplitude, sizeof(double)), 0);
    EXPECT_EQ(back[k].halfSines, table[k].halfSines);
    EXPECT_EQ(std::memcmp(&back[k].delay, &table[k].delay, sizeof(double)), 0);
  }
}

TEST(WaveletSumTest, ATableThatCannotBeReadIsNamedByItsLine) {
  const std::string header = "frequency_hz,amplitude,half_sines,delay_s\n";
  const struct {
    std::string text;
    std::string message;
  } cases[] = {
      {"", "t.csv: empty: expected the header line"},
      {header, "t.csv: a header line and no wavelets"},
      {"frequency,amplitude\n100,1\n", "t.csv:1: expected the header line"},
      {header + "# a comment\n100,1,4,0\n", "t.csv:3: half_sines 4: must be odd and 3 or more"},
      {header + "100,1,1,0\n", "t.csv:2: half_sines 1: must be odd"},
      {header + "100,1,3.5,0\n", "t.csv:2: half_sines 3.5: must be odd"},
      {header + "0,1,3,0\n", "t.csv:2: the frequency must be above 0 Hz"},
      {header + "100,nan,3,0\n", "t.csv:2: \"nan\" is not a finite number"},
      {header + "100,1e999,3,0\n", "t.csv:2: \"1e999\" is not a finite number"},
      {header + "100,1,3\n", "t.csv:2: four fields expected"},
      {header + "100,1,3,0,0\n", "t.csv:2: more than four fields"},
      {header + "100,one,3,0\n", "t.csv:2: \"one\" is not a finite number"},
  };
  for (const auto& c : cases) {
    try {
      readWaveletTable(c.text, "t.csv");
      ADD_FAILURE() << "read: " << c.text;
    } catch (const RecordError& error) {
      EXPECT_EQ(std::string(error.what()).rfind(c.message, 0), 0u) << error.what();
    }
  }
}

TEST(WaveletSumTest, RefusesAWaveletPastTheDurationAndARecordPastKorvelsLongest) {
  const TableWavelet late{10, 1, 3, 0.1, 7};
  try {
    sumWavelets({late}, 1000, 0.2, "t.csv");
    ADD_FAILURE();
  } catch (const RecordError& error) {
    EXPECT_STREQ(error.what(), "t.csv:7: the wavelet ends at 0.25 s, after --duration 0.2");
  }
  EXPECT_THROW(sumWavelets({{10, 1, 3, 0, 2}}, 100000, 20.00001, "t.csv"), UsageError);
  EXPECT_NO_THROW(sumWavelets({{10, 1, 3, 0, 2}}, 10000, 199.9999, "t.csv"));
}

}  // namespace
}  // namespace korvel::shock
