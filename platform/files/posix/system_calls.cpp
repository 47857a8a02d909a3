#include "platform/files/system_calls.h"

#include <cerrno>
#include <sys/file.h>
#include <unistd.h>

namespace korvel {

FileSystemCalls& fileSystemCalls() {
  static FileSystemCalls calls{&::write, &::close, &::flock, &::ftruncate};
  return calls;
}

int lastSystemError() { return errno; }

const SystemErrors& systemErrors() {
  static constexpr SystemErrors errors{EINTR, ENOSPC, ENOMEM, EBADF};
  return errors;
}

}  // namespace korvel
