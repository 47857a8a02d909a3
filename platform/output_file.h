#pragma once

// The output file: opened by name (created or truncated, write only, no
// newline translation, held under an exclusive advisory lock), written through
// a buffer, closed. Every failure raises FileFailure.
//
// Full buffers go to the system on a second thread while the next one fills; a
// failure there is raised by the next write that passes a buffer on, or by close.
// Either way the file keeps exactly the buffers passed on before the failure.

#include <cstddef>
#include <cstring>
#include <memory>
#include <string>
#include <sys/types.h>

namespace korvel {

class BackgroundWriter;
inline constexpr std::size_t kOutputBufferSize = 1 << 20;

class OutputFile {
 public:
  OutputFile();
  OutputFile(const OutputFile&) = delete;
  OutputFile& operator=(const OutputFile&) = delete;
  // Closes a file still open without reporting anything; buffered bytes are dropped.
  ~OutputFile();

  // Relative names resolve against the current directory.
  void open(const std::string& name);
  // Buffers the bytes; the buffer goes to the system in large writes.
  void write(const char* data, std::size_t size) {
    if (fd_ >= 0 && size <= kOutputBufferSize - used_) {
      std::memcpy(filling_ + used_, data, size);
      used_ += size;
    } else {
      writeSpilling(data, size);
    }
  }
  // Passes on what is buffered and closes. After a failure here the file counts as closed.
  void close();
  bool isOpen() const { return fd_ >= 0; }
  const std::string& name() const { return name_; }

 private:
  void writeSpilling(const char* data, std::size_t size);
  void flush();

  int fd_ = -1;
  std::string name_;
  std::unique_ptr<char[]> buffers_;  // two buffers: one filling, one with the writer
  char* filling_ = nullptr;
  std::size_t used_ = 0;
  std::unique_ptr<BackgroundWriter> writer_;  // from the first full buffer on
};

// The system calls behind the file, replaceable so that tests can inject faults.
struct FileSystemCalls {
  ssize_t (*write)(int fd, const void* data, std::size_t size);
  int (*close)(int fd);
};
FileSystemCalls& fileSystemCalls();

}  // namespace korvel
