#include "platform/system_calls.h"

#include <sys/file.h>
#include <unistd.h>

namespace korvel {

FileSystemCalls& fileSystemCalls() {
  static FileSystemCalls calls{&::write, &::close, &::flock, &::ftruncate};
  return calls;
}

ResourceCalls& resourceCalls() {
  static ResourceCalls calls{
      [](std::size_t size) { return std::make_unique_for_overwrite<char[]>(size); },
      [](std::function<void()> body) { return std::thread(std::move(body)); },
  };
  return calls;
}

}  // namespace korvel
