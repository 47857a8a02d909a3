// korvel-shock srs as a user runs it: exit status, the message on stderr, and
// the spectrum written for each way a record can arrive.

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <sys/wait.h>
#include <vector>

#include "tests/support/temp_dir.h"

namespace korvel {
namespace {

using testing::readFile;
using testing::TempDir;
using testing::writeFile;

struct Outcome {
  int status;
  std::string out;
  std::string err;
};

class SrsCommandTest : public ::testing::Test {
 protected:
  // Runs the shell command `line` in the test's folder, with $SHOCK and $CLI
  // naming the programs.
  Outcome run(const std::string& line) {
    const std::string command = "cd '" + dir.path().string() +
                                "' && SHOCK='" KORVEL_SHOCK "' CLI='" KORVEL_CLI "' && (" + line + ") >.out 2>.err";
    const int status = std::system(command.c_str());
    return {WEXITSTATUS(status), readFile(dir.file(".out")), readFile(dir.file(".err"))};
  }

  TempDir dir;
};

// A cap on the memory a program may map; AddressSanitizer's shadow memory needs more.
#ifdef __SANITIZE_ADDRESS__
#define KORVEL_MEMORY_CAP ""
#else
#define KORVEL_MEMORY_CAP "ulimit -v 200000; "
#endif

// A second of a 100 Hz wavelet at 10000 per second, as korvel writes it.
constexpr const char* kWavelet = "$CLI -a 1 -f 100 -n 11 -t 1 -r 10000 -o wave.txt";

TEST_F(SrsCommandTest, FailuresEndWithTheirStatusAndMessage) {
  writeFile(dir.file("empty.txt"), "");
  writeFile(dir.file("header.txt"), "# a comment\ntime,acceleration\n");
  writeFile(dir.file("text.txt"), "t,a\n0,1\n0.001,2\n0.002,abc\n0.003,4\n");
  writeFile(dir.file("stray.txt"), "0.0000,1\n0.0010,2\n0.0020,3\n0.0030,4\n0.0040,5\n0.0050,6\n0.0065,7\n0.0070,8\n");
  writeFile(dir.file("nan.txt"), "0,1\n0.001,nan\n");
  writeFile(dir.file("inf.txt"), "0,1\n0.001,-inf\n");
  writeFile(dir.file("huge.txt"), "0,1\n0.001,1e999\n");
  writeFile(dir.file("three.txt"), "0,1,2\n0.001,1,2\n");
  writeFile(dir.file("column.txt"), "1\n2\n3\n");
  writeFile(dir.file("repeat.txt"), "0,1\n0,2\n");
  writeFile(dir.file("table.csv"), "frequency_hz,amplitude,half_sines,delay_s\n100,1,5,0\n");
  writeFile(dir.file("even.csv"), "frequency_hz,amplitude,half_sines,delay_s\n100,1,4,0\n");
  writeFile(dir.file("wide.csv"), "0.5,1\n20000,100\n");
  writeFile(dir.file("repeated.csv"), "10,1\n10,2\n");
  writeFile(dir.file("flat.csv"), "200,1\n400,1\n");
  const struct {
    std::string line;
    int status;
    const char* message;
  } cases[] = {
      {"$SHOCK", 2, "give a verb: srs"},
      {"$SHOCK spectrum x", 2, "\"spectrum\": unknown verb"},
      {"$SHOCK srs", 2, "srs: give the record to read"},
      {"$SHOCK srs --bogus x", 2, "--bogus: unknown option of srs"},
      {"$SHOCK srs --q 0.5 x", 2, "--q 0.5: must be above 0.5"},
      {"$SHOCK srs --q abc x", 2, "--q \"abc\": not a finite number"},
      {"$SHOCK srs --fraction 0 x", 2, "--fraction 0: must be a whole number from 1 to 96"},
      {"$SHOCK srs --frequencies 10,20 --from 5 x", 2, "--frequencies: give either the list or --from and --to"},
      {"$SHOCK srs x y", 2, "\"y\": a second input"},
      {"$SHOCK srs --rate 1000 --frequencies 100,600 column.txt", 2,
       "the natural frequency 600 Hz is above half the sample rate (500 Hz)"},
      {"$SHOCK srs missing.txt", 1, "could not open missing.txt: No such file or directory"},
      {"$SHOCK srs a-folder-with-a-long-name/and-one-more/drop-test-17.txt", 1,
       "could not open ...-long-name/and-one-more/drop-test-17.txt: No such"},
      {"$SHOCK srs --rate 1000 column.txt -o none/x.csv", 1, "could not create none/x.csv: No such file or directory"},
      {"$SHOCK srs empty.txt", 3, "empty.txt: empty: no samples"},
      {"$SHOCK srs header.txt", 3, "header.txt:2: a header line and no samples"},
      {"$SHOCK srs text.txt", 3, "text.txt:4: \"abc\" is not a number"},
      {"$SHOCK srs stray.txt", 3, "stray.txt:7: the time 0.0065 strays from the uniform grid"},
      {"$SHOCK srs repeat.txt", 3, "repeat.txt:2: the time 0 is not after the time before it"},
      {"$SHOCK srs nan.txt", 3, "nan.txt:2: \"nan\" is not a finite number"},
      {"$SHOCK srs inf.txt", 3, "inf.txt:2: \"-inf\" is not a finite number"},
      {"$SHOCK srs huge.txt", 3, "huge.txt:2: \"1e999\" is beyond the range of double precision"},
      {"$SHOCK srs three.txt", 3, "three.txt:1: 3 columns: expected two"},
      {"$SHOCK srs column.txt", 3, "column.txt:1: one column of amplitudes: give the sample rate with --rate"},
      {"$SHOCK sum table.csv --rate 100000 --duration 21 -o x.txt", 2,
       "--duration 21 at --rate 100000 holds more than 1,999,999 samples"},
      {"$SHOCK sum table.csv --rate=1e3 -o x.txt --duration", 2, "--duration: needs a value"},
      {"$SHOCK sum even.csv --rate 1000 --duration 1 -o x.txt", 3, "even.csv:2: half_sines 4: must be odd"},
      {"$SHOCK synthesize wide.csv -o x.txt", 2, "more than 1,999,999 samples at --rate 200000"},
      {"$SHOCK synthesize repeated.csv -o x.txt", 3, "repeated.csv:2: the frequency 10 Hz does not rise"},
      {"$SHOCK synthesize wide.csv --tolerance 1,3 -o x.txt", 2, "--tolerance: LOW must be below 0 dB"},
      {"$SHOCK synthesize repeated.csv", 2, "--output: required"},
      {"$SHOCK synthesize wide.csv --max-displacement 0 -o x.txt", 2, "--max-displacement 0: must be above 0"},
      {"$SHOCK synthesize flat.csv -o none/x.txt", 1, "could not create none/x.txt"},
      // 100 MB without a newline, from a pipe: refused at the first long line,
      // in a few megabytes (the limit would stop a program that gathered it).
      {KORVEL_MEMORY_CAP "head -c 100000000 /dev/zero | tr '\\0' 1 | $SHOCK srs -", 3,
       "standard input:1: the line is longer than 65536 bytes"},
  };
  for (const auto& c : cases) {
    const Outcome outcome = run(c.line);
    EXPECT_EQ(outcome.status, c.status) << c.line << "\n" << outcome.err;
    EXPECT_EQ(outcome.err.find("korvel-shock: "), 0u) << outcome.err;
    EXPECT_NE(outcome.err.find(c.message), std::string::npos) << c.line << "\n" << outcome.err;
    EXPECT_EQ(outcome.out, "") << c.line;
  }
}

TEST_F(SrsCommandTest, EveryRouteToTheSameRecordGivesTheSameSpectrum) {
  ASSERT_EQ(run(kWavelet).status, 0);
  const Outcome file = run("$SHOCK srs wave.txt --plot wave.svg");
  ASSERT_EQ(file.status, 0) << file.err;
  EXPECT_EQ(file.out.find("frequency_hz,maximax,positive,negative,primary,residual\n"), 0u);
  // Its sample rate recovered exactly from the 7-digit times: 10000 per second.
  EXPECT_NE(readFile(dir.file("wave.svg")).find("10000 samples per second, 10000 samples"), std::string::npos);
  const std::string routes[] = {
      "$SHOCK srs - <wave.txt",
      "$CLI -a 1 -f 100 -n 11 -t 1 -r 10000 -o - | $SHOCK srs -",
      "awk '{print $2}' wave.txt >column.txt && $SHOCK srs --rate 10000 column.txt",
      "tr -d '\\r' <wave.txt >lf.txt && $SHOCK srs lf.txt",
      "$SHOCK srs wave.txt -o wave.csv && cat wave.csv",
      // A measured-style CSV: a comment, a header, the same numbers after a comma.
      "(echo '# from the controller'; echo 'time_s,accel_g'; tr -d '\\r' <wave.txt | awk '{print $1 \",\" $2}') >m.csv"
      " && $SHOCK srs m.csv",
  };
  for (const std::string& route : routes) {
    const Outcome outcome = run(route);
    EXPECT_EQ(outcome.status, 0) << route << "\n" << outcome.err;
    EXPECT_TRUE(outcome.out == file.out) << route;
  }
}

}  // namespace
}  // namespace korvel
