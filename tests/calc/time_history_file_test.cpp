// The file's bytes: the row layout, and whole files written through OutputFile.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>

#include "calc/synthesis.h"
#include "calc/time_history_file.h"
#include "platform/files/output_file.h"
#include "tests/support/temp_dir.h"
#include "tests/support/worked_example.h"

namespace korvel {
namespace {

using testing::readFile;
using testing::TempDir;

std::string row(double time, double amplitude) {
  std::string text;
  formatTimeHistoryRow(time, amplitude, text);
  return text;
}

TEST(TimeHistoryRow, LayoutIsThirtyThreeBytes) {
  const struct {
    double time;
    double amplitude;
    const char* expected;
  } cases[] = {
      {-0.01, 0.0, " -1.000000e-002 \t  0.0000e+000 \r\n"},
      {5.0 / 1024, -0.0, "  4.882813e-003 \t -0.0000e+000 \r\n"},
      {199999.7, -1e-300, "  1.999997e+005 \t -1.0000e-300 \r\n"},
      {-1e-310, 1e308, " -1.000000e-310 \t  1.0000e+308 \r\n"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(row(c.time, c.amplitude), c.expected);
    EXPECT_EQ(row(c.time, c.amplitude).size(), static_cast<std::size_t>(kRowLength));
  }
}

TEST(TimeHistoryRow, NonFiniteAmplitudesKeepTheRowLength) {
  const double inf = std::numeric_limits<double>::infinity();
  EXPECT_EQ(row(0.01, inf), "  1.000000e-002 \t          inf \r\n");
  EXPECT_EQ(row(0.01, -inf), "  1.000000e-002 \t         -inf \r\n");
  EXPECT_EQ(row(0.01, std::nan("")), "  1.000000e-002 \t          nan \r\n");
}

class TimeHistoryFileTest : public ::testing::Test {
 protected:
  std::string writeFor(const WaveletParams& params) {
    WaveletSynthesis samples(params, *history);
    EXPECT_EQ(samples.result().outcome, SynthesisResult::Ok);
    OutputFile file;
    file.open(dir.file("out.txt"));
    std::string scratch;
    writeTimeHistory(file, *history, scratch, samples);
    file.close();
    return readFile(dir.file("out.txt"));
  }

  TempDir dir;
  std::unique_ptr<TimeHistory> history = std::make_unique<TimeHistory>();
};

TEST_F(TimeHistoryFileTest, WorkedExampleByteForByte) {
  EXPECT_EQ(writeFor({1.0, 10.0, 3, 0.0, 0.2, 100.0}), kWorkedExampleFile);
}

TEST_F(TimeHistoryFileTest, HalfwayTimesRoundAwayFromZero) {
  const std::string text = writeFor({1.0, 10.0, 3, 0.0, 0.2, 1024.0});
  EXPECT_EQ(text.size(), 204u * kRowLength);
  EXPECT_EQ(text.substr(6 * kRowLength, 16), "  4.882813e-003 ");  // 5/1024
  EXPECT_EQ(text.substr(0, 16), " -9.765625e-004 ");
}

TEST_F(TimeHistoryFileTest, NoSamplesGivesAnEmptyFile) {
  testing::writeFile(dir.file("out.txt"), "old contents");
  EXPECT_EQ(writeFor({1.0, 10.0, 3, 0.0, 0.2, 0.0}), "");
}

TEST_F(TimeHistoryFileTest, LargestFileHasEveryRow) {
  const std::string text = writeFor({1.0, 10.0, 3, 0.0, 1000.0, 10000.0});
  ASSERT_EQ(text.size(), 65'999'967u);
  EXPECT_EQ(text.substr(text.size() - kRowLength), "  1.999997e+002 \t  0.0000e+000 \r\n");
}

}  // namespace
}  // namespace korvel
