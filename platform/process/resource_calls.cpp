#include "platform/process/resource_calls.h"

namespace korvel {

ResourceCalls& resourceCalls() {
  static ResourceCalls calls{
      [](std::size_t size) { return std::make_unique_for_overwrite<char[]>(size); },
      [](std::function<void()> body) { return std::thread(std::move(body)); },
  };
  return calls;
}

}  // namespace korvel
