#pragma once

// The output file: opened by name (created or truncated, write only, no
// newline translation, held under an exclusive advisory lock), written through
// a buffer, closed. Every failure raises FileFailure.

#include <cstddef>
#include <memory>
#include <string>
#include <sys/types.h>

namespace korvel {

class OutputFile {
 public:
  OutputFile() = default;
  OutputFile(const OutputFile&) = delete;
  OutputFile& operator=(const OutputFile&) = delete;
  // Closes a file still open without reporting anything; buffered bytes are dropped.
  ~OutputFile();

  // Relative names resolve against the current directory.
  void open(const std::string& name);
  // Buffers the bytes; the buffer goes to the system in large writes.
  void write(const char* data, std::size_t size);
  // Passes on what is buffered and closes. After a failure here the file counts as closed.
  void close();
  bool isOpen() const { return fd_ >= 0; }
  const std::string& name() const { return name_; }

 private:
  void flush();

  int fd_ = -1;
  std::string name_;
  std::unique_ptr<char[]> buffer_;
  std::size_t used_ = 0;
};

// The system calls behind the file, replaceable so that tests can inject faults.
struct FileSystemCalls {
  ssize_t (*write)(int fd, const void* data, std::size_t size);
  int (*close)(int fd);
};
FileSystemCalls& fileSystemCalls();

inline constexpr std::size_t kOutputBufferSize = 1 << 20;

}  // namespace korvel
