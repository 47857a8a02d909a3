#pragma once

// The calling thread in a single-threaded COM apartment from construction to
// destruction, as the accessibility interfaces and the shell's dialogs need
// it. Nested scopes count; a thread already in another kind of apartment
// stays as it is.

#include <objbase.h>

namespace korvel {

class ComApartment {
 public:
  ComApartment() : entered_(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}
  ~ComApartment() {
    if (entered_) CoUninitialize();
  }
  ComApartment(const ComApartment&) = delete;
  ComApartment& operator=(const ComApartment&) = delete;

 private:
  bool entered_;
};

}  // namespace korvel
