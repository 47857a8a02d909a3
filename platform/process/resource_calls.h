#pragma once

// What the process takes from the system besides files: memory for large
// buffers, and second threads. Both are reached through replaceable entries so
// that tests can make them fail; only the code that acquires these resources,
// and the tests, include this header. Standard C++ only, so that the
// calculation starts its threads here without the file service.

#include <cstddef>
#include <functional>
#include <memory>
#include <new>
#include <system_error>
#include <thread>
#include <utility>

namespace korvel {

struct ResourceCalls {
  // Uninitialised memory; throws std::bad_alloc when there is none.
  std::unique_ptr<char[]> (*allocate)(std::size_t size);
  // A thread running `body`; throws std::system_error (or std::bad_alloc) when none can start.
  std::thread (*startThread)(std::function<void()> body);
};
ResourceCalls& resourceCalls();

// Starts `body` on a second thread through resourceCalls(); an empty thread
// when the system cannot start one, and then nothing has run.
template <class Body>
std::thread tryStartThread(Body&& body) {
  try {
    return resourceCalls().startThread(std::function<void()>(std::forward<Body>(body)));
  } catch (const std::system_error&) {
  } catch (const std::bad_alloc&) {}
  return {};
}

}  // namespace korvel
