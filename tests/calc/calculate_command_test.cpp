// One run of the Calculate command against a scripted form: messages, the save
// dialog, the busy cursor, and failures at open, write and close.

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <memory>
#include <system_error>
#include <thread>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include "calc/calculate_command.h"
#include "calc/time_history_file.h"
#include "platform/files/file_failure.h"
#include "platform/files/output_file.h"
#include "platform/files/system_calls.h"
#include "platform/process/resource_calls.h"
#include "res/form_inputs.h"
#include "tests/support/fake_ui.h"
#include "tests/support/slow_reference.h"
#include "tests/support/temp_dir.h"
#include "tests/support/worked_example.h"

namespace korvel {
namespace {

using testing::FakeUi;
using testing::readFile;
using testing::TempDir;
using testing::writeFile;

class CalculateCommandTest : public ::testing::Test {
 protected:
  void SetUp() override {
    outputFileName.clear();
    std::filesystem::current_path(dir.path());
    ui.setWorkedExample();
  }
  void TearDown() override {
    fileSystemCalls() = saved;
    resourceCalls() = savedResources;
  }

  TempDir dir;
  FakeUi ui;
  FileSystemCalls saved = fileSystemCalls();
  ResourceCalls savedResources = resourceCalls();
};

TEST_F(CalculateCommandTest, WorkedExampleWritesTheFileAndSaysWhere) {
  ui.saveAnswer = "wave.txt";
  runCalculation(ui);
  EXPECT_EQ(readFile(dir.file("wave.txt")), kWorkedExampleFile);
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0],
            "Calculation complete.\n\n Please call the ouput file: wave.txt \n into your own graphics program.\n\n"
            " The output file has two columns:\n\n time(sec)  amplitude(units)");
  EXPECT_EQ(outputFileName, "wave.txt");
  EXPECT_EQ(ui.depthDuringMessages, 1);  // the cursor stays on until the message is dismissed
  EXPECT_EQ(ui.cursorDepth, 0);
  // Fields are read in the command's order.
  const std::vector<int> order = {res::IDC_SAMPLES_PER_SECOND, res::IDC_DURATION, res::IDC_DELAY, res::IDC_FREQUENCY,
                                  res::IDC_AMPLITUDE};
  EXPECT_EQ(ui.fieldsRead, order);
}

TEST_F(CalculateCommandTest, EveryTextFieldOfTheFormIsReadOnceIntoAParameterOfItsOwn) {
  ui.fields.clear();
  std::vector<int> fields;
  for (const res::FormInput& input : res::kFormInputs) {
    if (input.kind != res::FormInput::Field) continue;
    fields.push_back(input.controlId);
    ui.fields[input.controlId] = std::to_string(fields.size());
  }
  const WaveletParams params = readWaveletParams(ui);
  std::vector<double> values = {params.amplitude, params.frequency, params.delay, params.duration,
                                params.samplesPerSecond};
  std::ranges::sort(values);
  EXPECT_EQ(values, (std::vector<double>{1, 2, 3, 4, 5}));
  std::ranges::sort(fields);
  std::ranges::sort(ui.fieldsRead);
  EXPECT_EQ(ui.fieldsRead, fields);
}

TEST_F(CalculateCommandTest, TooShortDurationWarnsAndDoesNothingElse) {
  const struct {
    const char* duration;
    const char* frequency;
    const char* message;
  } cases[] = {
      {"0.1", "10", " Warning: Recommended duration >     0.15"},
      {"", "", " Warning: Recommended duration >      inf"},
      {"0.1", "1e-4", " Warning: Recommended duration > 1.5e+004"},
  };
  for (const auto& c : cases) {
    ui.messages.clear();
    ui.fields[res::IDC_DURATION] = c.duration;
    ui.fields[res::IDC_FREQUENCY] = c.frequency;
    ui.saveAnswer = "never.txt";
    runCalculation(ui);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0], c.message);
  }
  EXPECT_EQ(ui.saveDialogs, 0);
  EXPECT_EQ(ui.cursorBegins, 0);
  EXPECT_FALSE(std::filesystem::exists(dir.file("never.txt")));
  EXPECT_EQ(outputFileName, "");
}

TEST_F(CalculateCommandTest, FieldTextsAreReadLikeTheForm) {
  ui.fields[res::IDC_AMPLITUDE] = "2.5abc";        // 2.5
  ui.fields[res::IDC_DURATION] = "0.2,5";          // 0.2
  ui.fields[res::IDC_SAMPLES_PER_SECOND] = "1d2";  // 100
  ui.fields[res::IDC_FREQUENCY] = " +1.0E1 Hz";    // 10
  ui.saveAnswer = "wave.txt";
  runCalculation(ui);
  const std::string text = readFile(dir.file("wave.txt"));
  ASSERT_EQ(text.size(), 20u * 33);
  EXPECT_EQ(text.substr(2 * 33, 33), "  1.000000e-002 \t  3.0552e-001 \r\n");  // 2.5 x 0.122209
}

// Texts no engineer means to type, each in one field of the worked example:
// the run ends as the arithmetic on the value read says.
TEST_F(CalculateCommandTest, BadFieldTextsEndInWhatTheArithmeticGives) {
  const std::string tenThousandDigits = "1" + std::string(9999, '0');
  const struct {
    int field;
    std::string text;
    const char* message;   // the warning, or nullptr for a written file
    std::size_t rows;      // rows written
    const char* thirdRow;  // the row at t = 0.01, when written
  } cases[] = {
      {res::IDC_AMPLITUDE, "1e999", nullptr, 20, "  1.000000e-002 \t          inf \r\n"},
      {res::IDC_AMPLITUDE, "-1e999", nullptr, 20, "  1.000000e-002 \t         -inf \r\n"},
      {res::IDC_AMPLITUDE, "-0", nullptr, 20, "  1.000000e-002 \t -0.0000e+000 \r\n"},
      {res::IDC_AMPLITUDE, "\xff\xfe\x01", nullptr, 20, "  1.000000e-002 \t  0.0000e+000 \r\n"},
      {res::IDC_FREQUENCY, "", " Warning: Recommended duration >      inf", 0, nullptr},
      {res::IDC_FREQUENCY, "nan", " Warning: Recommended duration >      inf", 0, nullptr},
      {res::IDC_FREQUENCY, "inf", " Warning: Recommended duration >      inf", 0, nullptr},
      {res::IDC_FREQUENCY, "-", " Warning: Recommended duration >      inf", 0, nullptr},
      {res::IDC_FREQUENCY, "0x10", " Warning: Recommended duration >      inf", 0, nullptr},
      {res::IDC_FREQUENCY, "-0", nullptr, 20, "  1.000000e-002 \t  0.0000e+000 \r\n"},
      {res::IDC_FREQUENCY, "1e-400", " Warning: Recommended duration >      inf", 0, nullptr},
      {res::IDC_FREQUENCY, "1,5", " Warning: Recommended duration >      1.5", 0, nullptr},
      {res::IDC_DELAY, "-1e999", nullptr, 20, "  1.000000e-002 \t  0.0000e+000 \r\n"},
      {res::IDC_DELAY, "1e999", " Warning: Recommended duration >      inf", 0, nullptr},
      {res::IDC_DURATION, "1e999", nullptr, 0, nullptr},  // an infinite quotient: no samples
      {res::IDC_DURATION, "\t\n 0.2\r", nullptr, 20, "  1.000000e-002 \t  1.2221e-001 \r\n"},
      {res::IDC_SAMPLES_PER_SECOND, "", nullptr, 0, nullptr},
      {res::IDC_SAMPLES_PER_SECOND, "1e-400", nullptr, 0, nullptr},
      {res::IDC_SAMPLES_PER_SECOND, tenThousandDigits, nullptr, 0, nullptr},  // dt 0: no samples
      {res::IDC_SAMPLES_PER_SECOND, "-100", nullptr, 0, nullptr},
  };
  for (const auto& c : cases) {
    ui.setWorkedExample();
    ui.fields[c.field] = c.text;
    ui.messages.clear();
    ui.saveAnswer = "bad.txt";
    std::filesystem::remove(dir.file("bad.txt"));
    const int dialogsBefore = ui.saveDialogs;
    runCalculation(ui);
    ASSERT_EQ(ui.messages.size(), 1u) << c.text;
    if (c.message != nullptr) {
      EXPECT_EQ(ui.messages[0], c.message) << c.text;
      EXPECT_EQ(ui.saveDialogs, dialogsBefore) << c.text;
      continue;
    }
    EXPECT_EQ(ui.messages[0].rfind("Calculation complete.", 0), 0u) << c.text;
    const std::string text = readFile(dir.file("bad.txt"));
    EXPECT_EQ(text.size(), c.rows * 33) << c.field << " \"" << c.text << '"';
    if (c.thirdRow != nullptr && text.size() >= 3 * 33) {
      EXPECT_EQ(text.substr(2 * 33, 33), c.thirdRow) << c.text;
    }
  }
}

TEST_F(CalculateCommandTest, CancelledSaveTouchesNothing) {
  writeFile(dir.file("keep.txt"), "the user's data");
  ui.saveAnswer = "keep.txt";
  runCalculation(ui);
  writeFile(dir.file("keep.txt"), "the user's data");
  ui.messages.clear();

  ui.saveAnswer.reset();
  runCalculation(ui);  // a later run, cancelled
  EXPECT_EQ(readFile(dir.file("keep.txt")), "the user's data");
  EXPECT_EQ(outputFileName, "keep.txt");
  EXPECT_TRUE(ui.messages.empty());
  EXPECT_EQ(ui.cursorBegins, 1);

  outputFileName.clear();
  runCalculation(ui);  // cancelled before any name was chosen
  EXPECT_TRUE(ui.messages.empty());
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
}

TEST_F(CalculateCommandTest, ExistingFileIsReplacedNotAppended) {
  writeFile(dir.file("wave.txt"), std::string(5000, 'x'));
  ui.saveAnswer = "wave.txt";
  runCalculation(ui);
  EXPECT_EQ(readFile(dir.file("wave.txt")), kWorkedExampleFile);
}

TEST_F(CalculateCommandTest, UnopenableFileFailsAtTheOpen) {
  std::filesystem::create_directory(dir.file("folder"));
  writeFile(dir.file("plain"), "x");
  const struct {
    std::string name;
    int error;
  } cases[] = {{"folder", EISDIR}, {"missing/wave.txt", ENOENT}, {"plain/wave.txt", ENOTDIR}, {"", ENOENT}};
  for (const bool noSamples : {false, true}) {
    ui.fields[res::IDC_SAMPLES_PER_SECOND] = noSamples ? "0" : "100";
    for (const auto& c : cases) {
      ui.messages.clear();
      ui.saveAnswer = c.name;
      try {
        runCalculation(ui);
        ADD_FAILURE() << "no failure for '" << c.name << "'";
      } catch (const FileFailure& failure) {
        EXPECT_EQ(failure.operation(), FileFailure::Open);
        EXPECT_EQ(failure.fileName(), c.name);
        EXPECT_EQ(failure.errorCode(), c.error) << c.name;
        EXPECT_NE(std::string(failure.what()).find("\"" + c.name + "\""), std::string::npos);
        // The report names the file by its full path; an empty name stays empty.
        const std::string fullPath = c.name.empty() ? "" : dir.file(c.name);
        EXPECT_EQ(failure.fullPath(), fullPath);
        EXPECT_NE(fileFailureReport(failure).find("\"" + fullPath + "\""), std::string::npos);
      }
      EXPECT_TRUE(ui.messages.empty()) << c.name;
      EXPECT_EQ(ui.cursorDepth, 0);
    }
  }
  EXPECT_EQ(readFile(dir.file("plain")), "x");
}

// Write faults: the system call fails once `allowed` bytes have gone through.
std::size_t allowedBytes = 0;
int writeCalls = 0;
ssize_t writeUntilFull(int fd, const void* data, std::size_t size) {
  ++writeCalls;
  if (allowedBytes == 0) {
    errno = ENOSPC;
    return -1;
  }
  const std::size_t part = size < allowedBytes ? size : allowedBytes;
  allowedBytes -= part;
  return ::write(fd, data, part);
}

// Large runs fill the time history on a second thread while the file is chosen
// and written. Whatever the way out, the bytes and the arrays must be those of
// a plain synthesis followed by a plain write, and no thread may outlive the run.
class LargeRunTest : public CalculateCommandTest {
 protected:
  void SetUp() override {
    CalculateCommandTest::SetUp();
    // A window across most of the record, negative amplitude, 1,300,000 samples.
    ui.fields = {{res::IDC_AMPLITUDE, "-2.5"},
                 {res::IDC_FREQUENCY, "0.02"},
                 {res::IDC_DELAY, "3"},
                 {res::IDC_DURATION, "130"},
                 {res::IDC_SAMPLES_PER_SECOND, "1e4"}};
    ui.halfSineIndex = 1;
    params = {-2.5, 0.02, 5, 3, 130, 1e4};
    expected = std::make_unique<TimeHistory>();
    testing::referenceSynthesis(params, *expected);
    ASSERT_EQ(expected->count, 1'300'000);
    // Leave garbage where the run must write, so that a missed sample shows.
    std::memset(timeHistory.time, 0xA5, sizeof timeHistory.time);
    std::memset(timeHistory.amplitude, 0xA5, sizeof timeHistory.amplitude);
    timeHistory.count = 7;
    threadsBefore = threadCount();
  }

  static long threadCount() { return std::distance(std::filesystem::directory_iterator("/proc/self/task"), {}); }
  // A joined thread can stay listed for a moment while the kernel reaps it.
  static long settledThreadCount(long expected) {
    for (int i = 0; i < 100 && threadCount() != expected; ++i)
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    return threadCount();
  }

  void expectCompleteHistoryAndNoThread() {
    EXPECT_EQ(settledThreadCount(threadsBefore), threadsBefore);
    ASSERT_EQ(timeHistory.count, expected->count);
    const std::size_t bytes = sizeof(double) * static_cast<std::size_t>(expected->count);
    EXPECT_EQ(std::memcmp(timeHistory.time, expected->time, bytes), 0);
    EXPECT_EQ(std::memcmp(timeHistory.amplitude, expected->amplitude, bytes), 0);
  }

  WaveletParams params;
  std::unique_ptr<TimeHistory> expected;
  long threadsBefore = 0;
};

TEST_F(LargeRunTest, WritesTheBytesOfAPlainSynthesisAndWrite) {
  std::string plain;
  std::string row;
  for (std::int32_t i = 0; i < expected->count; ++i) {
    formatTimeHistoryRow(expected->time[i], expected->amplitude[i], row);
    plain += row;
  }
  ui.saveAnswer = "piped.txt";
  runCalculation(ui);
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0], completionMessageText("piped.txt"));
  EXPECT_EQ(ui.cursorDepth, 0);
  const std::string written = readFile(dir.file("piped.txt"));
  EXPECT_EQ(written.size(), 1'300'000u * 33);
  EXPECT_TRUE(written == plain);  // not EXPECT_EQ: 43 MB in a failure message
  expectCompleteHistoryAndNoThread();
}

TEST_F(LargeRunTest, FailedOpenAndCancelledSaveLeaveACompleteHistory) {
  std::filesystem::create_directory(dir.file("folder"));
  ui.saveAnswer = "folder";
  EXPECT_THROW(runCalculation(ui), FileFailure);
  EXPECT_TRUE(ui.messages.empty());
  EXPECT_EQ(ui.cursorDepth, 0);
  expectCompleteHistoryAndNoThread();

  std::memset(timeHistory.amplitude, 0xA5, sizeof timeHistory.amplitude);
  ui.saveAnswer.reset();
  runCalculation(ui);
  EXPECT_TRUE(ui.messages.empty());
  EXPECT_EQ(ui.cursorBegins, 0);
  EXPECT_EQ(outputFileName, "folder");  // kept from the run before
  expectCompleteHistoryAndNoThread();
}

TEST_F(LargeRunTest, MissingMemoryOrThreadsNeverCostTheUsersFile) {
  // No thread can start: the synthesis and the writing run on the caller's thread.
  resourceCalls().startThread = [](std::function<void()>) -> std::thread {
    throw std::system_error(EAGAIN, std::generic_category());
  };
  ui.saveAnswer = "one-thread.txt";
  runCalculation(ui);
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(std::filesystem::file_size(dir.file("one-thread.txt")), 1'300'000u * 33);
  expectCompleteHistoryAndNoThread();

  // No memory for the buffers: the run ends before the file is touched.
  resourceCalls() = savedResources;
  resourceCalls().allocate = [](std::size_t) -> std::unique_ptr<char[]> { throw std::bad_alloc(); };
  writeFile(dir.file("keep.txt"), "the user's data");
  ui.saveAnswer = "keep.txt";
  ui.messages.clear();
  try {
    runCalculation(ui);
    ADD_FAILURE() << "no failure";
  } catch (const FileFailure& failure) {
    EXPECT_EQ(failure.operation(), FileFailure::Open);
    EXPECT_EQ(failure.errorCode(), ENOMEM);
  }
  EXPECT_EQ(readFile(dir.file("keep.txt")), "the user's data");
  EXPECT_TRUE(ui.messages.empty());
  EXPECT_EQ(ui.cursorDepth, 0);
  expectCompleteHistoryAndNoThread();
}

TEST_F(LargeRunTest, WriteFailureLeavesACompleteHistory) {
  ui.saveAnswer = "big.txt";
  allowedBytes = 0;  // the first buffer passed on fails
  fileSystemCalls().write = &writeUntilFull;
  EXPECT_THROW(runCalculation(ui), FileFailure);
  fileSystemCalls() = saved;
  EXPECT_EQ(ui.cursorDepth, 0);
  EXPECT_EQ(std::filesystem::file_size(dir.file("big.txt")), 0u);
  expectCompleteHistoryAndNoThread();
}

TEST_F(CalculateCommandTest, DiskFullMidFileKeepsWhatWasWrittenAndRecovers) {
  ui.fields[res::IDC_DURATION] = "200";
  ui.fields[res::IDC_SAMPLES_PER_SECOND] = "10000";
  ui.saveAnswer = "big.txt";
  allowedBytes = 3 * kOutputBufferSize + 100;  // the fourth buffer fails part-way
  fileSystemCalls().write = &writeUntilFull;
  try {
    runCalculation(ui);
    FAIL() << "no failure";
  } catch (const FileFailure& failure) {
    EXPECT_EQ(failure.operation(), FileFailure::Write);
    EXPECT_EQ(failure.fileName(), "big.txt");
    EXPECT_EQ(failure.description(), "No space left on device");
    EXPECT_NE(fileFailureReport(failure).find(dir.file("big.txt")), std::string::npos);
    EXPECT_EQ(failure.cutBackError(), 0);
  }
  EXPECT_TRUE(ui.messages.empty());
  EXPECT_EQ(ui.cursorDepth, 0);
  // The file ends on the last whole row.
  EXPECT_EQ(std::filesystem::file_size(dir.file("big.txt")), (3 * kOutputBufferSize + 100) / 33 * 33);
  // The file was closed: another process may take the lock at once.
  EXPECT_EQ(outputFileName, "big.txt");

  fileSystemCalls() = saved;
  runCalculation(ui);
  EXPECT_EQ(std::filesystem::file_size(dir.file("big.txt")), 1'999'999u * 33);
  EXPECT_EQ(ui.messages.size(), 1u);
}

// Slow storage: every write and the close take a while; one write may fail.
// A write takes far longer than making the next buffer, even in a sanitized
// build on a busy machine, so the command always waits and hears progress.
int slowWriteFailsOnCall = 0;
ssize_t slowWrite(int fd, const void* data, std::size_t size) {
  std::this_thread::sleep_for(std::chrono::milliseconds(400));
  if (++writeCalls == slowWriteFailsOnCall) {
    errno = EIO;
    return -1;
  }
  return ::write(fd, data, size);
}
int slowClose(int fd) {
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
  return ::close(fd);
}

TEST_F(CalculateCommandTest, SlowStorageReportsProgressAndItsEndOnce) {
  ui.fields[res::IDC_DURATION] = "10";
  ui.fields[res::IDC_SAMPLES_PER_SECOND] = "10000";  // 100,000 rows: three full buffers and the rest
  fileSystemCalls().write = &slowWrite;
  fileSystemCalls().close = &slowClose;
  for (const int failOnCall : {0, 3}) {
    SCOPED_TRACE(::testing::Message() << "failing write " << failOnCall);
    ui.progress.clear();
    ui.messages.clear();
    ui.writeEnds = 0;
    writeCalls = 0;
    slowWriteFailsOnCall = failOnCall;
    ui.saveAnswer = "slow.txt";
    if (failOnCall == 0) {
      runCalculation(ui);
      EXPECT_EQ(ui.messages.size(), 1u);
      EXPECT_EQ(std::filesystem::file_size(dir.file("slow.txt")), 100'000u * 33);
      // The close waits on the storage too: by then every row is written.
      ASSERT_FALSE(ui.progress.empty());
      EXPECT_EQ(ui.progress.back().first, 100'000);
    } else {
      EXPECT_THROW(runCalculation(ui), FileFailure);
      EXPECT_TRUE(ui.messages.empty());
    }
    EXPECT_GE(ui.progress.size(), 3u);
    for (std::size_t i = 0; i < ui.progress.size(); ++i) {
      EXPECT_EQ(ui.progress[i].second, 100'000);
      if (i > 0) {
        EXPECT_LE(ui.progress[i - 1].first, ui.progress[i].first);
      }
    }
    EXPECT_EQ(ui.writeEnds, 1);
    EXPECT_EQ(ui.messagesAtWriteEnd, 0u) << "the write ends before the completion message";
  }
}

int closeCalls = 0;
int failingClose(int fd) {
  ++closeCalls;
  ::close(fd);
  errno = EIO;
  return -1;
}

TEST_F(CalculateCommandTest, FailedCloseIsReportedOnceAndTheFileCountsClosed) {
  ui.saveAnswer = "wave.txt";
  closeCalls = 0;
  fileSystemCalls().close = &failingClose;
  try {
    runCalculation(ui);
    FAIL() << "no failure";
  } catch (const FileFailure& failure) {
    EXPECT_EQ(failure.operation(), FileFailure::Close);
    EXPECT_EQ(failure.errorCode(), EIO);
  }
  EXPECT_EQ(closeCalls, 1);  // the clean-up on the way out does not close again
  EXPECT_TRUE(ui.messages.empty());
  EXPECT_EQ(ui.cursorDepth, 0);
  EXPECT_EQ(readFile(dir.file("wave.txt")), kWorkedExampleFile);
}

TEST_F(CalculateCommandTest, FileInUseElsewhereIsNotTruncated) {
  writeFile(dir.file("busy.txt"), "in use");
  const int holder = ::open(dir.file("busy.txt").c_str(), O_RDONLY);
  ASSERT_EQ(::flock(holder, LOCK_EX), 0);
  ui.saveAnswer = "busy.txt";
  EXPECT_THROW(runCalculation(ui), FileFailure);
  ::close(holder);
  EXPECT_EQ(readFile(dir.file("busy.txt")), "in use");
  EXPECT_TRUE(ui.messages.empty());
}

}  // namespace
}  // namespace korvel
