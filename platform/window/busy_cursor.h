#pragma once

// The busy cursor over every window of the application.

namespace korvel {

void beginBusyCursor();
// Ends one beginBusyCursor; nothing when none is on.
void endBusyCursor();

// The normal pointer from construction to destruction, over a window that
// waits for the user while the program is busy (a message box); the busy
// cursor, if on, returns afterwards. Nothing changes when it is off.
class NormalPointerWhileWaiting {
 public:
  NormalPointerWhileWaiting();
  ~NormalPointerWhileWaiting();
  NormalPointerWhileWaiting(const NormalPointerWhileWaiting&) = delete;
  NormalPointerWhileWaiting& operator=(const NormalPointerWhileWaiting&) = delete;

 private:
  bool pushed_ = false;
};

}  // namespace korvel
