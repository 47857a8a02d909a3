// The output file on Windows: no sharing while it is written, emptied only once
// it is ours, whole rows after a failed write, the system's words in reports.

#include <windows.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "platform/files/file_failure.h"
#include "platform/files/output_file.h"
#include "platform/files/system_calls.h"
#include "platform/process/resource_calls.h"
#include "tests/support/temp_dir.h"

namespace korvel {
namespace {

using testing::readFile;
using testing::writeFile;

// Writes through the real call until `failOnCall`, which fails with a full disk.
struct FakeWrites {
  static inline std::int64_t (*realWrite)(FileHandle, const void*, std::size_t) = nullptr;
  static inline int calls = 0;
  static inline int failOnCall = 0;
  static inline std::size_t largestPiece = 0;
  static inline std::size_t taken = 0;  // by the real call
  static std::int64_t write(FileHandle file, const void* data, std::size_t size) {
    if (++calls == failOnCall) {
      ::SetLastError(ERROR_DISK_FULL);
      return -1;
    }
    const std::int64_t done = realWrite(file, data, largestPiece != 0 && size > largestPiece ? largestPiece : size);
    if (done > 0) taken += static_cast<std::size_t>(done);
    return done;
  }
};

class WindowsOutputFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    FakeWrites::realWrite = saved_.write;
    FakeWrites::calls = FakeWrites::failOnCall = 0;
    FakeWrites::largestPiece = FakeWrites::taken = 0;
    fileSystemCalls().write = &FakeWrites::write;
  }
  void TearDown() override {
    fileSystemCalls() = saved_;
    resourceCalls() = savedResources_;
  }
  static std::string rows(int count) {
    std::string text;
    for (int i = 0; i < count; ++i) {
      char row[34];
      std::snprintf(row, sizeof row, " %14d \t %12d \r\n", i, i * 7);
      text.append(row, 33);
    }
    return text;
  }
  // Writes the text and closes; the failure's error code, or 0.
  int write(const std::string& name, const std::string& text) {
    OutputFile file;
    file.open(name, 33);
    try {
      file.write(text.data(), text.size());
      file.close();
    } catch (const FileFailure& failure) {
      return failure.errorCode();
    }
    return 0;
  }

  testing::TempDir dir_;
  FileSystemCalls saved_ = fileSystemCalls();
  ResourceCalls savedResources_ = resourceCalls();
};

TEST_F(WindowsOutputFileTest, WritesEveryBufferInOrderAndReplacesTheOldContents) {
  const std::string name = dir_.file("rows.txt");
  writeFile(name, std::string(5 * kOutputBufferSize, 'x'));
  FakeWrites::largestPiece = 100'000;  // short writes are continued
  const std::string text = rows(static_cast<int>(3 * kOutputBufferSize / 33) + 17);
  ASSERT_EQ(write(name, text), 0);
  EXPECT_TRUE(readFile(name) == text);
}

TEST_F(WindowsOutputFileTest, AFailedWriteLeavesWholeRowsAndAFullReport) {
  const std::string name = dir_.file("full.txt");
  const std::string text = rows(static_cast<int>(3 * kOutputBufferSize / 33));
  FakeWrites::largestPiece = 100'000;
  FakeWrites::failOnCall = 3;
  std::filesystem::current_path(dir_.path());
  try {
    OutputFile file;
    file.open("full.txt", 33);
    file.write(text.data(), text.size());
    file.close();
    FAIL() << "no failure";
  } catch (const FileFailure& failure) {
    EXPECT_EQ(failure.errorCode(), ERROR_DISK_FULL);
    EXPECT_EQ(failure.cutBackError(), 0);
    EXPECT_EQ(failure.fullPath(), std::filesystem::path(name).make_preferred().string());
    // The system's own words, without its full stop and line break.
    EXPECT_FALSE(failure.description().empty());
    EXPECT_NE(failure.description().back(), '\n');
    EXPECT_NE(failure.description().back(), '.');
    EXPECT_NE(failure.description().find_first_not_of(' '), std::string::npos);
  }
  EXPECT_GT(FakeWrites::taken, 0u);
  EXPECT_TRUE(readFile(name) == text.substr(0, FakeWrites::taken / 33 * 33));
}

// A pipe whose reader takes 16 KiB every 10 ms stands for slow storage: what it
// has taken is reported while the first block is still being written, not
// only once the system has all of it.
TEST_F(WindowsOutputFileTest, SlowStorageReportsWhatItHasTakenWhileABlockIsWritten) {
  const std::string name = "\\\\.\\pipe\\korvel-slow-" + std::to_string(::GetCurrentProcessId());
  HANDLE pipe =
      ::CreateNamedPipeA(name.c_str(), PIPE_ACCESS_INBOUND, PIPE_TYPE_BYTE | PIPE_WAIT, 1, 0, 4096, 0, nullptr);
  ASSERT_NE(pipe, INVALID_HANDLE_VALUE);
  std::size_t read = 0;
  std::thread reader([&] {
    ::ConnectNamedPipe(pipe, nullptr);
    char block[16 << 10];
    DWORD got = 0;
    while (::ReadFile(pipe, block, sizeof block, &got, nullptr) && got != 0) {
      read += got;
      ::Sleep(10);
    }
  });
  const std::string text = rows(static_cast<int>(2 * kOutputBufferSize / 33));
  std::vector<std::uint64_t> reports;
  {
    OutputFile file;
    file.open(name, 33);
    file.setWaitCallback([&reports](std::uint64_t taken) { reports.push_back(taken); });
    file.write(text.data(), text.size());
    file.close();
  }
  reader.join();
  ::CloseHandle(pipe);
  EXPECT_EQ(read, text.size());
  EXPECT_TRUE(std::any_of(reports.begin(), reports.end(),
                          [](std::uint64_t taken) { return taken > 0 && taken < kOutputBufferSize; }))
      << reports.size() << " reports, none inside the first block";
}

TEST_F(WindowsOutputFileTest, NoOtherProgramSharesTheFile) {
  const std::string name = dir_.file("busy.txt");
  writeFile(name, "in use");
  // Held elsewhere: refused before anything in it changes.
  HANDLE holder = ::CreateFileA(name.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(holder, INVALID_HANDLE_VALUE);
  try {
    OutputFile file;
    file.open(name);
    ADD_FAILURE() << "no failure";
  } catch (const FileFailure& failure) {
    EXPECT_EQ(failure.operation(), FileFailure::Open);
    EXPECT_EQ(failure.description(), "The file is in use by another program");
  }
  ::CloseHandle(holder);
  EXPECT_EQ(readFile(name), "in use");

  // Ours: nobody else opens it, even to read, until it is closed.
  OutputFile file;
  file.open(name);
  EXPECT_EQ(
      ::CreateFileA(name.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr),
      INVALID_HANDLE_VALUE);
  EXPECT_EQ(::GetLastError(), static_cast<DWORD>(ERROR_SHARING_VIOLATION));
  file.write("new", 3);
  file.close();
  EXPECT_EQ(readFile(name), "new");
}

TEST_F(WindowsOutputFileTest, OpenFailuresLeaveTheFileAsItWas) {
  const std::string kept = dir_.file("kept.txt");
  writeFile(kept, "the user's data");
  resourceCalls().allocate = [](std::size_t) -> std::unique_ptr<char[]> { throw std::bad_alloc(); };
  try {
    write(kept, "x");
    ADD_FAILURE() << "no failure";
  } catch (const FileFailure& failure) {
    EXPECT_EQ(failure.errorCode(), ERROR_NOT_ENOUGH_MEMORY);
  }
  EXPECT_EQ(readFile(kept), "the user's data");
  resourceCalls() = savedResources_;

  std::filesystem::create_directory(dir_.file("folder"));
  for (const std::string& name : {dir_.file("folder"), dir_.file("missing\\x.txt"), std::string()}) {
    SCOPED_TRACE(name);
    EXPECT_THROW(write(name, "x"), FileFailure);
  }
}

}  // namespace
}  // namespace korvel
