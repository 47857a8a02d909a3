#pragma once

// The output file: opened by name (created or truncated, write only, no
// newline translation; no other program may have it open while it is
// written), written through a buffer, closed. Every failure raises FileFailure.
//
// The buffers and the writer thread are acquired before the file is touched,
// so a lack of memory leaves an existing file as it was. Full buffers go to the
// system on the second thread while the next one fills; a failure there is
// raised by the next write that passes a buffer on, or by close. The file then
// keeps the buffers passed on before the failure, as far as the system took
// them, cut back to whole records where the system allows.

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <functional>
#include <memory>
#include <string>

#include "platform/files/file_handle.h"

namespace korvel {

class BackgroundWriter;
// Each buffer handed to the writer thread wakes it and is waited for, and on
// Windows that costs more than on Linux (under Wine, where the Windows build is
// tested and measured, every wake-up is a round trip to Wine's server): there
// the buffers are larger, 4 MiB, a quarter as many hand-overs. Windows writes
// them in pieces of about a tenth of a second all the same, so what slow storage
// has taken is reported as often; Linux writes a buffer in one call, and keeps
// them at 1 MiB so that it reports at least once a MiB.
#ifdef _WIN32
inline constexpr std::size_t kOutputBufferSize = std::size_t{4} << 20;
#else
inline constexpr std::size_t kOutputBufferSize = std::size_t{1} << 20;
#endif

class OutputFile {
 public:
  OutputFile();
  OutputFile(const OutputFile&) = delete;
  OutputFile& operator=(const OutputFile&) = delete;
  // Closes a file still open without reporting anything; buffered bytes are dropped.
  ~OutputFile();

  // Relative names resolve against the current directory. After a failed write
  // the file is cut back to a whole number of `recordSize`-byte records.
  void open(const std::string& name, std::size_t recordSize = 1);
  // The process's standard output, written from where it stands and never cut
  // back: after a failed write it keeps what its reader took. `name` names it
  // in a failure.
  void openStandardOutput(const std::string& name);
  // Buffers the bytes; the buffer goes to the system in large writes.
  void write(const char* data, std::size_t size) {
    if (file_ != kNoFile && size <= kOutputBufferSize - used_) {
      std::memcpy(filling_ + used_, data, size);
      used_ += size;
    } else {
      writeSpilling(data, size);
    }
  }
  // Passes on what is buffered and closes. After a failure here the file counts as closed.
  void close();

  // Called about ten times a second while a write or the close waits on the
  // storage, with the bytes it has taken so far. Set it after open.
  void setWaitCallback(std::function<void(std::uint64_t bytesWritten)> callback);

 private:
  void writeSpilling(const char* data, std::size_t size);
  void flush();
  // After a failed write: 0 once the file ends on a whole record, or the cut's error code.
  int cutBackToWholeRecords(FileHandle file);
  void acquireResources(const std::string& name);
  void startFile(const std::string& name, std::size_t recordSize);

  FileHandle file_ = kNoFile;
  std::string name_;
  std::size_t recordSize_ = 1;
  std::unique_ptr<char[]> buffers_;  // two buffers: one filling, one with the writer
  char* filling_ = nullptr;
  std::size_t used_ = 0;
  std::unique_ptr<BackgroundWriter> writer_;
};

}  // namespace korvel
