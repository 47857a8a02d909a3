// The output file's buffers go to the system on a second thread: the bytes
// still arrive whole and in order, and after a failed write the file keeps
// exactly what was passed on before it, cut back to whole records, with the
// failure naming the file. Missing resources, locks and pipes without a
// reader end in a failure before the file is touched, or in none at all.

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <fcntl.h>
#include <fstream>
#include <future>
#include <iterator>
#include <string>
#include <sys/file.h>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

#include <gtest/gtest.h>

#include "platform/files/file_failure.h"
#include "platform/files/output_file.h"
#include "platform/files/system_calls.h"
#include "platform/process/resource_calls.h"

namespace korvel {
namespace {

// Fault injection through the file's system-call seam.
struct FakeWrites {
  static inline int calls = 0;
  static inline int failOnCall = 0;            // 1-based; 0 never fails
  static inline std::size_t largestPiece = 0;  // 0 writes all that is asked
  static inline int failingCall = 0;           // an error code for lock and truncate; 0: they work

  static int lock(int fd, int operation) {
    return failingCall != 0 ? (errno = failingCall, -1) : ::flock(fd, operation);
  }
  static int truncate(int fd, off_t length) {
    return failingCall != 0 ? (errno = failingCall, -1) : ::ftruncate(fd, length);
  }

  static ssize_t write(int fd, const void* data, std::size_t size) {
    ++calls;
    if (calls == failOnCall) {
      errno = ENOSPC;
      return -1;
    }
    if (largestPiece != 0 && size > largestPiece) size = largestPiece;
    return ::write(fd, data, size);
  }
};

class BufferedWritingTest : public testing::Test {
 protected:
  void SetUp() override {
    saved_ = fileSystemCalls();
    savedResources_ = resourceCalls();
    fileSystemCalls().write = &FakeWrites::write;
    fileSystemCalls().lock = &FakeWrites::lock;
    fileSystemCalls().truncate = &FakeWrites::truncate;
    FakeWrites::calls = 0;
    FakeWrites::failOnCall = 0;
    FakeWrites::largestPiece = 0;
    FakeWrites::failingCall = 0;
    path_ = testing::TempDir() + "buffered_writing_" + testing::UnitTest::GetInstance()->current_test_info()->name() +
            ".txt";
  }
  void TearDown() override {
    fileSystemCalls() = saved_;
    resourceCalls() = savedResources_;
    std::remove(path_.c_str());
  }

  // Rows of 33 bytes that differ from each other, so that order and gaps show.
  static std::string rowText(int index) {
    char row[34];
    std::snprintf(row, sizeof row, " %14d \t %12d \r\n", index, index * 7);
    return std::string(row, 33);
  }
  static std::string expectedText(int rows) {
    std::string text;
    for (int i = 0; i < rows; ++i) text += rowText(i);
    return text;
  }
  std::string fileText() const {
    std::ifstream in(path_, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
  // Writes the rows and closes; returns the failure's error code, or 0.
  int writeRows(int rows, std::size_t recordSize = 1, int* cutBackError = nullptr) {
    OutputFile file;
    file.open(path_, recordSize);
    try {
      for (int i = 0; i < rows; ++i) {
        const std::string row = rowText(i);
        file.write(row.data(), row.size());
      }
      file.close();
    } catch (const FileFailure& failure) {
      EXPECT_EQ(failure.operation(), FileFailure::Write);
      EXPECT_EQ(failure.fileName(), path_);
      if (cutBackError != nullptr) *cutBackError = failure.cutBackError();
      return failure.errorCode();
    }
    return 0;
  }

  std::string path_;
  ResourceCalls savedResources_{};

 private:
  FileSystemCalls saved_{};
};

constexpr int kRowsIn3Buffers = static_cast<int>(3 * kOutputBufferSize / 33) + 17;

TEST_F(BufferedWritingTest, ManyBuffersArriveWholeAndInOrder) {
  ASSERT_EQ(writeRows(kRowsIn3Buffers), 0);
  EXPECT_EQ(fileText(), expectedText(kRowsIn3Buffers));
  EXPECT_EQ(FakeWrites::calls, 4);  // three full buffers and the rest
}

TEST_F(BufferedWritingTest, ShortWritesAreContinued) {
  FakeWrites::largestPiece = 100'000;
  ASSERT_EQ(writeRows(kRowsIn3Buffers), 0);
  EXPECT_EQ(fileText(), expectedText(kRowsIn3Buffers));
}

TEST_F(BufferedWritingTest, AFailedWriteKeepsWhatWentBeforeAndStopsThere) {
  const struct {
    int rows;
    int failOnCall;
    std::size_t bytesKept;
  } cases[] = {
      {kRowsIn3Buffers, 1, 0},                      // the first full buffer
      {kRowsIn3Buffers, 3, 2 * kOutputBufferSize},  // a later one
      {kRowsIn3Buffers, 4, 3 * kOutputBufferSize},  // the rest, at close
      {1000, 1, 0},                                 // a small file, written only at close
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.rows << " rows, failing write " << c.failOnCall);
    FakeWrites::calls = 0;
    FakeWrites::failOnCall = c.failOnCall;
    EXPECT_EQ(writeRows(c.rows), ENOSPC);
    EXPECT_EQ(FakeWrites::calls, c.failOnCall) << "nothing is written after the failure";
    EXPECT_EQ(fileText(), expectedText(c.rows).substr(0, c.bytesKept));
  }
}

TEST_F(BufferedWritingTest, AFailedWriteLeavesWholeRecordsWhereTheFileAllows) {
  const struct {
    std::size_t largestPiece;
    int failOnCall;
    int truncateError;
    std::size_t bytesKept;
  } cases[] = {
      {100'000, 3, 0, 200'000 / 33 * 33},  // the system took part of a buffer
      {0, 3, 0, 2 * kOutputBufferSize / 33 * 33},
      {100'000, 3, EPERM, 200'000},  // the cut fails too, and the report says so
      {0, 1, EPERM, 0},              // nothing to cut
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "failing write " << c.failOnCall << ", truncate error " << c.truncateError);
    FakeWrites::calls = 0;
    FakeWrites::largestPiece = c.largestPiece;
    FakeWrites::failOnCall = c.failOnCall;
    FakeWrites::failingCall = c.truncateError;
    int cutBackError = -1;
    EXPECT_EQ(writeRows(kRowsIn3Buffers, 33, &cutBackError), ENOSPC);
    EXPECT_EQ(cutBackError, c.bytesKept % 33 == 0 ? 0 : c.truncateError);
    EXPECT_EQ(fileText(), expectedText(kRowsIn3Buffers).substr(0, c.bytesKept));
  }
  const std::string report = fileFailureReport(FileFailure(FileFailure::Write, "w.txt", ENOSPC, {}, EPERM));
  EXPECT_NE(report.find("could not be cut back to whole rows (Operation not permitted)"), std::string::npos) << report;
}

TEST_F(BufferedWritingTest, ResourcesAreAcquiredBeforeTheFileIsTouched) {
  std::ofstream(path_) << "the user's data";
  resourceCalls().allocate = [](std::size_t) -> std::unique_ptr<char[]> { throw std::bad_alloc(); };
  try {
    writeRows(10);
    ADD_FAILURE() << "no failure";
  } catch (const FileFailure& failure) {
    EXPECT_EQ(failure.operation(), FileFailure::Open);
    EXPECT_EQ(failure.errorCode(), ENOMEM);
    EXPECT_NE(std::string(failure.what()).find("Not enough memory"), std::string::npos) << failure.what();
  }
  EXPECT_EQ(fileText(), "the user's data");

  // Without a writer thread the buffers are written on the caller's thread.
  resourceCalls() = savedResources_;
  resourceCalls().startThread = [](std::function<void()>) -> std::thread {
    throw std::system_error(EAGAIN, std::generic_category());
  };
  ASSERT_EQ(writeRows(kRowsIn3Buffers), 0);
  EXPECT_EQ(fileText(), expectedText(kRowsIn3Buffers));
  FakeWrites::failOnCall = FakeWrites::calls + 2;
  EXPECT_EQ(writeRows(kRowsIn3Buffers), ENOSPC);
  EXPECT_EQ(fileText(), expectedText(kRowsIn3Buffers).substr(0, kOutputBufferSize));
}

TEST_F(BufferedWritingTest, OnlyALockHeldElsewhereRefusesTheFile) {
  // Devices are not locked: two files open on /dev/null at once both write.
  OutputFile first, second;
  first.open("/dev/null");
  second.open("/dev/null");
  first.write("a", 1);
  second.write("b", 1);
  first.close();
  second.close();

  FakeWrites::failingCall = ENOLCK;  // a file system without locks
  ASSERT_EQ(writeRows(1000), 0);
  EXPECT_EQ(fileText(), expectedText(1000));
}

TEST_F(BufferedWritingTest, ANamedPipeIsWrittenOnlyWithAReader) {
  ASSERT_EQ(::mkfifo(path_.c_str(), 0600), 0);
  // No reader: the open fails at once instead of waiting for one.
  auto opening = std::async(std::launch::async, [this] {
    OutputFile file;
    file.open(path_);
  });
  if (opening.wait_for(std::chrono::seconds(10)) != std::future_status::ready) {
    ::close(::open(path_.c_str(), O_RDONLY | O_NONBLOCK));  // releases the blocked open
    FAIL() << "the open waits for a reader";
  }
  try {
    opening.get();
    ADD_FAILURE() << "no failure";
  } catch (const FileFailure& failure) {
    EXPECT_EQ(failure.operation(), FileFailure::Open);
    EXPECT_EQ(failure.description(), "No program is reading from it");
  }

  // With a reader the rows go through as usual; they fit in the pipe's buffer.
  const int reader = ::open(path_.c_str(), O_RDONLY | O_NONBLOCK);
  ASSERT_GE(reader, 0);
  EXPECT_EQ(writeRows(1000), 0);
  std::string received;
  char block[4096];
  for (ssize_t got; (got = ::read(reader, block, sizeof block)) > 0;)
    received.append(block, static_cast<std::size_t>(got));
  ::close(reader);
  EXPECT_EQ(received, expectedText(1000));
}

TEST_F(BufferedWritingTest, AFileDroppedAfterAFailureIsClosedQuietly) {
  FakeWrites::failOnCall = 2;
  {
    OutputFile file;
    file.open(path_);
    bool failed = false;
    for (int i = 0; i < kRowsIn3Buffers && !failed; ++i) {
      const std::string row = rowText(i);
      try {
        file.write(row.data(), row.size());
      } catch (const FileFailure&) {
        failed = true;
      }
    }
    EXPECT_TRUE(failed);
  }
  EXPECT_EQ(fileText(), expectedText(kRowsIn3Buffers).substr(0, kOutputBufferSize));
}

}  // namespace
}  // namespace korvel
