// The output file's buffers go to the system on a second thread: the bytes
// still arrive whole and in order, and after a failed write the file keeps
// exactly what was passed on before it, with the failure naming the file.

#include <cerrno>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <unistd.h>

#include <gtest/gtest.h>

#include "platform/file_failure.h"
#include "platform/output_file.h"

namespace korvel {
namespace {

// Fault injection through the file's system-call seam.
struct FakeWrites {
  static inline int calls = 0;
  static inline int failOnCall = 0;  // 1-based; 0 never fails
  static inline std::size_t largestPiece = 0;  // 0 writes all that is asked

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
    fileSystemCalls().write = &FakeWrites::write;
    FakeWrites::calls = 0;
    FakeWrites::failOnCall = 0;
    FakeWrites::largestPiece = 0;
    path_ = testing::TempDir() + "buffered_writing_" +
            testing::UnitTest::GetInstance()->current_test_info()->name() + ".txt";
  }
  void TearDown() override {
    fileSystemCalls() = saved_;
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
  int writeRows(int rows) {
    OutputFile file;
    file.open(path_);
    try {
      for (int i = 0; i < rows; ++i) {
        const std::string row = rowText(i);
        file.write(row.data(), row.size());
      }
      file.close();
    } catch (const FileFailure& failure) {
      EXPECT_EQ(failure.operation(), FileFailure::Write);
      EXPECT_EQ(failure.fileName(), path_);
      return failure.errorCode();
    }
    return 0;
  }

  std::string path_;

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
    EXPECT_TRUE(file.isOpen());
  }
  EXPECT_EQ(fileText(), expectedText(kRowsIn3Buffers).substr(0, kOutputBufferSize));
}

}  // namespace
}  // namespace korvel
