#pragma once

// The busy cursor over every window of the application.

namespace korvel {

void beginBusyCursor();
// Ends one beginBusyCursor; nothing when none is on.
void endBusyCursor();

// The busy cursor from construction to destruction.
class BusyCursor {
 public:
  BusyCursor() { beginBusyCursor(); }
  ~BusyCursor() { endBusyCursor(); }
  BusyCursor(const BusyCursor&) = delete;
  BusyCursor& operator=(const BusyCursor&) = delete;
};

}  // namespace korvel
