// korvel-shock synthesize: the file is the sum of its table, the suite's
// targets meet their band measured from the file read back, an impossible
// stroke is reported honestly, and bad targets are named by their line.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <iterator>
#include <ostream>
#include <string>

#include "preview/motion.h"
#include "shock/record_text.h"
#include "shock/shock_synthesis.h"
#include "shock/steady_math.h"
#include "shock/synthesis_report.h"
#include "shock/synthesis_target.h"
#include "shock/wavelet_sum.h"
#include "shock/wavelet_table.h"
#include "srs/spectrum_engine.h"
#ifdef KORVEL_QUAD_REFERENCE
#include "tests/srs/exact_response.h"
#endif

namespace korvel::shock {
namespace {

SynthesisTarget suiteTarget(const std::string& name) {
  std::ifstream in(std::string(KORVEL_SYNTHESIS_TARGETS) + "/" + name + ".csv", std::ios::binary);
  const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  return readSynthesisTarget(text, name);
}

struct Written {
  ShockSynthesis synthesis;
  std::string file;
};

Written synthesise(const SynthesisTarget& target, SynthesisSettings settings) {
  settings.rate = roundRate(target.highest());
  Written w;
  w.synthesis = synthesizeShock(target, settings);
  w.file = timeHistoryText(sumWavelets(w.synthesis.wavelets, settings.rate, w.synthesis.duration, "synthesis"));
  return w;
}

// The file read back as korvel-shock srs reads it.
struct ReadBack {
  std::vector<double> samples;
  double rate = 0;
};

ReadBack readBack(const std::string& file) {
  ReadBack r;
  RecordText record(
      "file", std::nullopt, [&](double rate, std::optional<std::int64_t>) { r.rate = rate; },
      [&](const double* s, std::size_t n) { r.samples.insert(r.samples.end(), s, s + n); });
  record.read(file.data(), file.size());
  record.end();
  return r;
}

struct SuiteCase {
  const char* target;
  std::optional<double> stroke;  // mm
};

void PrintTo(const SuiteCase& c, std::ostream* os) {
  *os << c.target;
  if (c.stroke) *os << ", stroke " << *c.stroke << " mm";
}

class SuiteTarget : public ::testing::TestWithParam<SuiteCase> {};

TEST_P(SuiteTarget, MeetsItsBandAndLimitsAndIsTheSumOfItsTable) {
  const SynthesisTarget target = suiteTarget(GetParam().target);
  SynthesisSettings settings;
  settings.limits.displacement = GetParam().stroke;
  const Written w = synthesise(target, settings);

  // The table, written and read back, sums to the same bytes.
  const std::vector<TableWavelet> table = readWaveletTable(waveletTableCsv(w.synthesis.wavelets), "table");
  EXPECT_EQ(timeHistoryText(sumWavelets(table, roundRate(target.highest()), w.synthesis.duration, "table")), w.file);

  // The SRS of the file as written, at the check points: where GCC has
  // 113-bit arithmetic, from the oscillator's equation solved in closed form
  // (independent of the engine the synthesis steers by); elsewhere from the
  // engine, whose peaks are the same bits on every platform.
  const ReadBack r = readBack(w.file);
  std::vector<double> maximax;
#ifdef KORVEL_QUAD_REFERENCE
  for (double f : w.synthesis.checkFrequencies)
    maximax.push_back(srs::exactPeaks(r.samples, f, r.rate, 10).sampled.maximax);
#else
  srs::SpectrumEngine engine(w.synthesis.checkFrequencies, r.rate, 10, srs::PeakRule::Sampled);
  engine.feed(r.samples.data(), r.samples.size());
  for (const srs::Peaks& p : engine.finish()) maximax.push_back(p.maximax);
#endif
  for (std::size_t j = 0; j < maximax.size(); ++j) {
    const double f = w.synthesis.checkFrequencies[j];
    const double db = 20 * std::log10(maximax[j] / target.levelAt(f));
    EXPECT_TRUE(db >= -1.5 && db <= 3) << f << " Hz: " << db << " dB";
  }
  // No dip or bump beyond the band between the check points either.
  settings.rate = r.rate;
  const SynthesisMeasure m = measureSynthesis(w.file, target, w.synthesis.checkFrequencies, settings);
  for (std::size_t j = 0; j < m.fineErrors.size(); ++j) {
    EXPECT_TRUE(m.fineErrors[j] >= -1.5 && m.fineErrors[j] <= 3) << m.fineFrequencies[j] << " Hz at 1/48 octave";
  }
  const std::int32_t n = static_cast<std::int32_t>(r.samples.size());
  std::vector<double> v(r.samples.size()), d(r.samples.size());
  integrateFromRest(r.samples.data(), n, 1 / r.rate, kStandardGravity, v.data(), d.data());
  double stroke = 0;
  for (double x : d) stroke = std::max(stroke, std::fabs(x) * 1000);
  if (GetParam().stroke) {
    EXPECT_LE(stroke, *GetParam().stroke);
  }
  // At rest at the end, to the rounding of the printed samples (five
  // digits: a random walk of a part in 10^5 of each sample).
  double speed = 0;
  for (double x : v) speed = std::max(speed, std::fabs(x));
  EXPECT_LT(std::fabs(v.back()), 1e-3 * speed);
  EXPECT_LT(std::fabs(d.back()) * 1000, 3e-2 * stroke);
}

INSTANTIATE_TEST_SUITE_P(Suite, SuiteTarget,
                         ::testing::Values(SuiteCase{"flat", {}}, SuiteCase{"flat", 3.0}, SuiteCase{"pyroshock", {}},
                                           SuiteCase{"pyroshock", 0.13}, SuiteCase{"ramp_plateau", {}},
                                           SuiteCase{"ramp_plateau", 1.5}, SuiteCase{"wide", {}},
                                           SuiteCase{"wide", 1.5}),
                         [](const ::testing::TestParamInfo<SuiteCase>& info) {
                           std::string name = info.param.target;
                           if (info.param.stroke) {
                             std::string mm = roundedNumber(*info.param.stroke, 3);
                             std::replace(mm.begin(), mm.end(), '.', '_');
                             name += "_stroke_" + mm + "mm";
                           }
                           return name;
                         });

TEST(Synthesis, AnImpossibleStrokeKeepsTheLimitAndSaysWhatItWouldNeed) {
  const SynthesisTarget target = suiteTarget("pyroshock");
  SynthesisSettings settings;
  settings.limits.displacement = 0.05;
  const Written w = synthesise(target, settings);
  settings.rate = roundRate(target.highest());
  const SynthesisMeasure m = measureSynthesis(w.file, target, w.synthesis.checkFrequencies, settings);
  std::string summary;
  SynthesisVerdict verdict;
  const std::string report = synthesisReport(m, w.synthesis, settings, "g", summary, verdict);
  EXPECT_FALSE(verdict.withinBand);
  EXPECT_TRUE(verdict.withinLimits);
  EXPECT_NE(summary.find("limit 0.05 mm, met"), std::string::npos) << summary;
  EXPECT_NE(summary.find("the stroke limit binds: the target needs about 0."), std::string::npos) << summary;
  EXPECT_NE(summary.find(" Hz below the band ("), std::string::npos) << summary;
  // The lowest frequency met is one from which every check point up is within.
  const std::size_t at = summary.find("met from ");
  ASSERT_NE(at, std::string::npos) << summary;
  const double from = std::stod(summary.substr(at + 9));
  for (std::size_t j = 0; j < m.frequencies.size(); ++j) {
    if (m.frequencies[j] >= from * 0.999) {
      EXPECT_TRUE(m.errors[j] >= -1.5 && m.errors[j] <= 3) << m.frequencies[j];
    }
  }
  EXPECT_EQ(report.rfind("frequency_hz,target,achieved,error_db,within\n", 0), 0u);
}

TEST(Synthesis, TheSameTargetGivesTheSameTableOnEveryPlatform) {
  // The table's text hashed (FNV-1a): every decision of the synthesis is
  // taken in plain double arithmetic, so this is the same everywhere, and on
  // any number of threads (the page's one, the command's two, three).
  for (int threads : {0, 1, 3}) {
    SynthesisSettings settings;
    settings.threads = threads;
    const Written w = synthesise(suiteTarget("pyroshock"), settings);
    std::uint64_t hash = 0xcbf29ce484222325u;
    for (unsigned char c : waveletTableCsv(w.synthesis.wavelets)) hash = (hash ^ c) * 0x100000001b3u;
    EXPECT_EQ(hash, KORVEL_PYROSHOCK_TABLE_HASH) << threads << " threads";
  }
}

TEST(Synthesis, BadTargetsAreNamedByTheirLine) {
  const struct {
    const char* text;
    const char* message;
  } cases[] = {
      {"frequency,level\n10,1\n10,2\n", "t:3: the frequency 10 Hz does not rise"},
      {"10,1\n# falling\n5,2\n", "t:3: the frequency 5 Hz does not rise"},
      {"10,1\n20,0\n", "t:2: the level 0 must be above 0"},
      {"10,1\n20,-3\n", "t:2: the level -3 must be above 0"},
      {"10,1\n20,nan\n", "t:2: the frequency and level must be finite"},
      {"# one\n10,1\n", "t: one breakpoint"},
      {"frequency,level\n", "t: no breakpoints"},
      {"10,1\nten,2\n", "t:2: \"ten,2\": expected a breakpoint"},
      {"10,1,3\n20,1\n", "t:1: \"10,1,3\": expected a breakpoint"},
  };
  for (const auto& c : cases) {
    try {
      readSynthesisTarget(c.text, "t");
      ADD_FAILURE() << c.text << " was read";
    } catch (const RecordError& error) {
      EXPECT_EQ(std::string(error.what()).rfind(c.message, 0), 0u) << error.what();
    }
  }
  // A header, comments, spaces and tabs; log-log lines between breakpoints.
  const SynthesisTarget t = readSynthesisTarget("frequency_hz\tlevel_g\n10 1 # start\n\n40\t16\n", "t");
  EXPECT_NEAR(t.levelAt(20), 4, 1e-12);
}

TEST(Synthesis, SteadyMathAgreesWithTheLibrary) {
  for (double x : {1e-300, 0.001, 0.5, 0.7071, 1.0, 1.5, 2.0, 10.0, 12345.678, 1e300}) {
    EXPECT_NEAR(steadyLog(x), std::log(x), 4e-16 * std::max(1.0, std::fabs(std::log(x)))) << x;
  }
  for (double x : {-700.0, -20.0, -1.0, 0.0, 0.3, 1.0, 5.5, 700.0}) {
    EXPECT_NEAR(steadyExp(x) / std::exp(x), 1, 4e-15) << x;
  }
}

}  // namespace
}  // namespace korvel::shock
