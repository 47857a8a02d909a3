// The engine against the oscillator's equation solved in closed form in
// 113-bit arithmetic (another state, another formulation, no series), for every
// test record, Q from 0.51 to 1000 and natural frequencies from 100 000 samples
// per cycle down to two: both peak rules agree, and the continuous peaks are
// never below the sampled ones.

#include <algorithm>
#include <cmath>
#include <cstdio>

#include <gtest/gtest.h>

#include "srs/spectrum_engine.h"
#include "tests/srs/exact_response.h"
#include "tests/srs/test_records.h"

namespace korvel::srs {
namespace {

// Each peak to 1e-9 of itself, or to 1e-10 of the record's largest sample
// where the peak is far below the record: at 10 Hz under a 1 MHz record, the
// engine's free part carries each change of the input's slope divided by
// Omega (16 000 times the change) and the small response left where those
// cancel keeps only about 1e-16 of them.
constexpr double kRelative = 1e-9;
constexpr double kOfRecord = 1e-10;

struct Field {
  const char* name;
  double Peaks::*peak;
};
constexpr Field kFields[] = {{"maximax", &Peaks::maximax},
                             {"positive", &Peaks::positive},
                             {"negative", &Peaks::negative},
                             {"primary", &Peaks::primary},
                             {"residual", &Peaks::residual}};

class SrsExactResponse : public testing::TestWithParam<TestRecord> {};

TEST_P(SrsExactResponse, BothRulesAgree) {
  const std::vector<double>& record = GetParam().samples;
  double size = 0;
  for (double x : record) size = std::max(size, std::abs(x));
  const char* ruleNames[2] = {"sampled", "continuous"};
  double worst[2] = {0, 0};          // of the peak itself, where it is at least 1e-6 of the record
  double worstOfRecord[2] = {0, 0};  // of the record's largest sample
  for (double q : kTestQs) {
    std::vector<Peaks> engine[2];
    for (int rule = 0; rule < 2; ++rule) {
      SpectrumEngine spectrum(kTestFrequencies, kRecordRate, q, rule ? PeakRule::Continuous : PeakRule::Sampled);
      spectrum.feed(record.data(), record.size());
      engine[rule] = spectrum.finish();
    }
    for (std::size_t i = 0; i < kTestFrequencies.size(); ++i) {
      const ExactPeaks exact = exactPeaks(record, kTestFrequencies[i], kRecordRate, q);
      const Peaks* reference[2] = {&exact.sampled, &exact.continuous};
      for (int rule = 0; rule < 2; ++rule) {
        for (const Field& field : kFields) {
          const double want = reference[rule]->*field.peak;
          const double got = engine[rule][i].*field.peak;
          const double error = std::abs(got - want);
          if (want >= 1e-6 * size) worst[rule] = std::max(worst[rule], error / want);
          worstOfRecord[rule] = std::max(worstOfRecord[rule], error / size);
          EXPECT_LE(error, std::max(kRelative * want, kOfRecord * size))
              << ruleNames[rule] << " " << field.name << " at " << kTestFrequencies[i] << " Hz, Q " << q << ": " << got
              << " against " << want;
          if (rule == 1) {
            EXPECT_GE(got, engine[0][i].*field.peak) << field.name << " at " << kTestFrequencies[i] << " Hz, Q " << q;
          }
        }
      }
    }
  }
  for (int rule = 0; rule < 2; ++rule) {
    std::printf("%s, %s: largest error %.2g of the peak, %.2g of the record\n", GetParam().name.c_str(),
                ruleNames[rule], worst[rule], worstOfRecord[rule]);
  }
}

INSTANTIATE_TEST_SUITE_P(Records, SrsExactResponse, testing::ValuesIn(testRecords()),
                         [](const testing::TestParamInfo<TestRecord>& info) { return info.param.name; });

}  // namespace
}  // namespace korvel::srs
