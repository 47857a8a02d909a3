// korvel-cli as a user runs it: exit status, stderr, and the file it leaves.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <vector>

#include "tests/support/temp_dir.h"
#include "tests/support/worked_example.h"

namespace korvel {
namespace {

using testing::readFile;
using testing::TempDir;

struct Outcome {
  int status;
  std::string out;
  std::string err;
};

std::string quoted(const std::string& word) {
  std::string text = "'";
  for (char c : word) text += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return text + "'";
}

class CliTest : public ::testing::Test {
 protected:
  // `limits` are shell commands run first, such as "ulimit -f 100"; standard
  // output goes to a file unless `stdoutTo` redirects it elsewhere.
  Outcome run(const std::vector<std::string>& args, const std::string& limits = "true",
              const std::string& stdoutTo = "") {
    std::string command = "cd " + quoted(dir.path().string()) + " && " + limits + " && " + quoted(KORVEL_CLI);
    for (const auto& arg : args) command += " " + quoted(arg);
    command += (stdoutTo.empty() ? " >" + quoted(dir.file(".out")) : " " + stdoutTo) + " 2>" + quoted(dir.file(".err"));
    const int status = std::system(command.c_str());
    return {WEXITSTATUS(status), readFile(dir.file(".out")), readFile(dir.file(".err"))};
  }
  std::vector<std::string> workedExample(const std::string& output) {
    return {"--amplitude", "1",          "--frequency", "10",     "--half-sines", "3",        "--delay",
            "0",           "--duration", "0.2",         "--rate", "200",          "--output", output};
  }

  TempDir dir;
};

TEST_F(CliTest, WritesTheWorkedExampleSilently) {
  const Outcome outcome =
      run({"-a", "1", "-f", "10", "-d", "0", "-t", "0.2", "--rate=150", "-r", "100", "-o", "sub/../wave.txt"});
  std::filesystem::create_directory(dir.file("sub"));
  const Outcome again = run({"-a", "1", "-f", "10", "-d", "0", "-t", "0.2", "-r", "100", "-o", "sub/../wave.txt"});
  EXPECT_EQ(again.status, 0) << again.err;
  EXPECT_EQ(readFile(dir.file("wave.txt")), kWorkedExampleFile);
  EXPECT_EQ(outcome.status, 1);  // the folder did not exist yet
  EXPECT_NE(outcome.err.find("sub/../wave.txt"), std::string::npos) << outcome.err;
  EXPECT_NE(outcome.err.find("No such file or directory"), std::string::npos) << outcome.err;

  const Outcome quiet = run(workedExample("quiet.txt"));
  EXPECT_EQ(quiet.status, 0);
  EXPECT_EQ(quiet.err, "");
  EXPECT_EQ(quiet.out, "");
}

TEST_F(CliTest, UsageErrorsNameTheOptionAndWriteNothing) {
  const struct {
    std::vector<std::string> args;
    const char* mentions;
  } cases[] = {
      {{"-a", "1"}, "--output"},
      {{"--half-sines", "4", "-o", "x.txt"}, "--half-sines"},
      {{"--half-sines", "25", "-o", "x.txt"}, "--half-sines"},
      {{"--bogus", "-o", "x.txt"}, "--bogus"},
      {{"-o", "x.txt", "--rate"}, "--rate"},
      {{"-o", "x.txt", "extra"}, "extra"},
      {{"-o", "x.txt", "--", "-5"}, "\"-5\": unexpected argument after --"},
      {{"-o", "x.txt", "--help=no"}, "--help: takes no value"},
      {{"-o", "folder/"}, "folder"},
      {{"-o", "x.txt", "-n", "3\x1b[2J"}, "--half-sines \"3\\x1b[2J\""},
      {{"-o", "x.txt", "--\xff"}, "--\\xff: unknown option"},
      {{}, "no options: give at least --output PATH (see --help)"},
  };
  for (const auto& c : cases) {
    const Outcome outcome = run(c.args);
    EXPECT_EQ(outcome.status, 2) << c.mentions;
    EXPECT_NE(outcome.err.find(c.mentions), std::string::npos) << outcome.err;
  }
  EXPECT_FALSE(std::filesystem::exists(dir.file("x.txt")));
  // -- ends the options and may end the command line.
  auto dashes = workedExample("dashes.txt");
  dashes.push_back("--");
  EXPECT_EQ(run(dashes).status, 0);
}

TEST_F(CliTest, FileFailuresNameThePathAsTyped) {
  std::filesystem::create_directory(dir.file("folder"));
  const struct {
    const char* path;
    const char* message;
  } cases[] = {
      {"/dev/full", "Could not write to the file \"/dev/full\": No space left on device."},
      {"./folder", "Could not open the file \"./folder\": Is a directory."},
      {"no\nsuch\x1b[31m/x.txt", "Could not open the file \"no\\nsuch\\x1b[31m/x.txt\": No such file or directory."},
  };
  for (const auto& c : cases) {
    const Outcome outcome = run({"-a", "1", "-f", "10", "-t", "1", "-r", "100", "-o", c.path});
    EXPECT_EQ(outcome.status, 1) << c.path;
    EXPECT_EQ(outcome.err, std::string("korvel-cli: ") + c.message + "\n");
  }
}

// "-o -" (and /dev/stdout) writes to standard output as the shell set it up:
// appended where it appends, never emptied; a reader that stops early ends
// korvel-cli by the broken-pipe signal, silently, as it ends seq and cat.
TEST_F(CliTest, DashWritesToStandardOutputAsItStands) {
  const std::vector<std::string> example = workedExample("-");
  const Outcome piped = run(example);
  EXPECT_EQ(piped.status, 0) << piped.err;
  ASSERT_EQ(run(workedExample("wave.txt")).status, 0);
  EXPECT_EQ(piped.out, readFile(dir.file("wave.txt")));
  EXPECT_FALSE(std::filesystem::exists(dir.file("-")));
  for (const char* name : {"-", "/dev/stdout"}) {
    testing::writeFile(dir.file("log.txt"), "earlier\n");
    EXPECT_EQ(run(workedExample(name), "true", ">>log.txt").status, 0) << name;
    EXPECT_EQ(readFile(dir.file("log.txt")), "earlier\n" + piped.out) << name;
  }
  EXPECT_EQ(run(workedExample("./-")).status, 0);
  EXPECT_EQ(readFile(dir.file("-")), piped.out) << "./- is a file named -";

  const std::string largest = quoted(KORVEL_CLI) + " -f 10 -t 200 -r 10000 -o -";
  const std::string command = "cd " + quoted(dir.path().string()) + " && { " + largest +
                              " 2>err.txt; echo $? >status.txt; } | head -c 33 >head.txt";
  ASSERT_EQ(std::system(command.c_str()), 0);
  EXPECT_EQ(readFile(dir.file("status.txt")), "141\n");
  EXPECT_EQ(readFile(dir.file("err.txt")), "");
  EXPECT_EQ(readFile(dir.file("head.txt")), " -1.000000e-004 \t  0.0000e+000 \r\n");

  const Outcome full = run(example, "true", ">/dev/full");
  EXPECT_EQ(full.status, 1);
  EXPECT_NE(full.err.find("korvel-cli: Could not write to standard output: No space left on device."),
            std::string::npos)
      << full.err;
}

TEST_F(CliTest, TooShortDurationPrintsTheFormsWarning) {
  auto args = workedExample("short.txt");
  args[9] = "0.1";
  const Outcome outcome = run(args);
  EXPECT_EQ(outcome.status, 3);
  EXPECT_EQ(outcome.err, " Warning: Recommended duration >     0.15\n");
  EXPECT_FALSE(std::filesystem::exists(dir.file("short.txt")));
  EXPECT_EQ(run({"-o", "empty-fields.txt"}).err, " Warning: Recommended duration >      inf\n");
  EXPECT_EQ(run({"-d", "-1e999", "-t", "1", "-o", "nan.txt"}).err, " Warning: Recommended duration >     -nan\n");
}

TEST_F(CliTest, NotesNeverChangeTheFile) {
  auto args = workedExample("noted.txt");
  args[11] = "100 per second";
  const Outcome outcome = run(args);
  EXPECT_EQ(outcome.status, 0);
  EXPECT_NE(outcome.err.find("--rate \"100 per second\" was read as 100"), std::string::npos) << outcome.err;
  EXPECT_NE(outcome.err.find("use at least 133.333 samples per second"), std::string::npos) << outcome.err;
  EXPECT_EQ(readFile(dir.file("noted.txt")), kWorkedExampleFile);

  // Field texts are echoed with their control characters escaped.
  const Outcome escaped = run({"-a", "1\n\x1b[31mred", "-o", "escaped.txt"});
  EXPECT_NE(escaped.err.find("--amplitude \"1\\n\\x1b[31mred\" was read as 1"), std::string::npos) << escaped.err;

  // A finite frequency whose content lies beyond the largest double.
  const Outcome huge = run({"-a", "1", "-f", "1.7e308", "-t", "1", "-r", "100", "-o", "huge.txt"});
  EXPECT_NE(huge.err.find("reaches 2.26667e+308 Hz; use at least 2.26667e+309 samples per second to see its shape "
                          "(below 4.53333e+308 it aliases)"),
            std::string::npos)
      << huge.err;

  const Outcome none = run({"-a", "1", "-f", "10", "-t", "1", "-r", "0", "-o", "none.txt"});
  EXPECT_EQ(none.status, 0);
  EXPECT_NE(none.err.find("the file is empty"), std::string::npos);
  EXPECT_EQ(std::filesystem::file_size(dir.file("none.txt")), 0u);
}

// The first line whose time column repeats the line before's, or 0.
std::size_t firstLineRepeatingTheTime(const std::string& file) {
  constexpr std::size_t kRowBytes = 33;
  for (std::size_t row = 1; (row + 1) * kRowBytes <= file.size(); ++row) {
    if (file.compare(row * kRowBytes, 15, file, (row - 1) * kRowBytes, 15) == 0) return row + 1;
  }
  return 0;
}

// Times that print alike are noted at the first line that repeats its
// neighbour's time, wherever it lies in the record; so is a record cut at the
// largest count of samples. The file is the judge.
TEST_F(CliTest, EqualTimesAndTheCutAreNotedFromTheWholeRecord) {
  const struct {
    const char* rate;
    const char* duration;
    const char* from;  // nullptr: no equal times
    bool cut;
  } cases[] = {
      {"1.05e6", "1.9", " 1.000010e+000", false},   // 45,000 repeats past 1 s
      {"1.5", "1.4e6", " 1.000001e+006", true},     // whole seconds, coarser than the step
      {"10000.01", "300", " 1.500000e+002", true},  // a unit a millionth above the step
      {"1048576", "1.9", " 1.000010e+000", false},  // binary steps: times exactly half a unit off
      {"10000.001", "200", nullptr, true},          // a unit 1e-7 above the step: no repeat yet
      {"10000", "200", nullptr, true},              // units as fine as the step; 2,000,000 steps
      {"100", "19999.995", nullptr, false},         // 1,999,999.5 steps: truncated, not cut
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.rate) + " per second for " + c.duration + " s");
    const Outcome outcome = run({"-f", "10", "-t", c.duration, "-r", c.rate, "-o", "alike.txt"});
    EXPECT_EQ(outcome.status, 0);
    const std::size_t line = firstLineRepeatingTheTime(readFile(dir.file("alike.txt")));
    if (c.from == nullptr) {
      EXPECT_EQ(line, 0u);
      EXPECT_EQ(outcome.err.find("equal times"), std::string::npos) << outcome.err;
    } else {
      EXPECT_NE(outcome.err.find(std::string("equal times from") + c.from + " s on (first at line " +
                                 std::to_string(line) + ")"),
                std::string::npos)
          << outcome.err;
    }
    EXPECT_EQ(outcome.err.find("cut at 1999999 samples") != std::string::npos, c.cut) << outcome.err;
  }
}

// Address sanitizing reserves more address space than any useful ulimit -v.
#if defined(__SANITIZE_ADDRESS__)
#define KORVEL_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define KORVEL_ASAN 1
#endif
#endif

TEST_F(CliTest, SystemLimitsEndInAMessageAndLoseNothing) {
  const std::vector<std::string> largest = {"-a", "1", "-f", "10", "-t", "200", "-r", "10000", "-o", "big.txt"};
  // A file-size limit of 100 blocks of 512 bytes: the file ends on its last whole row.
  const Outcome limited = run(largest, "ulimit -f 100");
  EXPECT_EQ(limited.status, 1);
  EXPECT_NE(limited.err.find("\"big.txt\": File too large"), std::string::npos) << limited.err;
  EXPECT_EQ(std::filesystem::file_size(dir.file("big.txt")), 51200u / 33 * 33);

#ifndef KORVEL_ASAN
  // Little memory: the run ends with a message before the file is touched, or
  // writes it all on fewer threads; whichever, never an abort.
  for (const char* kib : {"44000", "47000", "50000", "56000"}) {
    testing::writeFile(dir.file("big.txt"), "the user's data");
    const Outcome outcome = run(largest, std::string("ulimit -v ") + kib);
    SCOPED_TRACE(::testing::Message() << "ulimit -v " << kib << ": " << outcome.err);
    if (outcome.status == 1) {
      EXPECT_NE(outcome.err.find("Not enough memory"), std::string::npos);
      EXPECT_EQ(readFile(dir.file("big.txt")), "the user's data");
    } else {
      EXPECT_EQ(outcome.status, 0);
      EXPECT_EQ(std::filesystem::file_size(dir.file("big.txt")), 65'999'967u);
    }
  }
#endif
}

TEST_F(CliTest, HelpAndVersion) {
  const Outcome help = run({"--help"});
  EXPECT_EQ(help.status, 0);
  EXPECT_NE(help.out.find("--half-sines N"), std::string::npos);
  EXPECT_NE(help.out.find("  --  "), std::string::npos);
  EXPECT_NE(help.out.find("--rate=1000"), std::string::npos) << "the --option=value form";
  std::istringstream lines(help.out);
  for (std::string line; std::getline(lines, line);) EXPECT_LE(line.size(), 79u) << line;
  // Output that cannot be written is a failure, and says so.
  const Outcome full = run({"--help"}, "true", ">/dev/full");
  EXPECT_EQ(full.status, 1);
  EXPECT_EQ(full.err, "korvel-cli: Could not write the help text to standard output: No space left on device.\n");
  const Outcome closed = run({"--version"}, "true", ">&-");
  EXPECT_EQ(closed.status, 1);
  EXPECT_NE(closed.err.find("Bad file descriptor"), std::string::npos) << closed.err;
  const Outcome version = run({"--version"});
  EXPECT_EQ(version.status, 0);
  EXPECT_NE(version.out.find("1.0.0.1"), std::string::npos);
  EXPECT_NE(version.out.find("FileDescription: korvel MFC Application"), std::string::npos);
}

}  // namespace
}  // namespace korvel
