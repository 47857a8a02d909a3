#include "platform/window/busy_cursor.h"

#include <windows.h>

#include "platform/window/win32/busy_state.h"

namespace korvel {
namespace {

// Only the dialog thread touches these.
int busyCount = 0;
int normalPointerCount = 0;

void showCurrentCursor() { SetCursor(LoadCursorA(nullptr, busyCursorShown() ? IDC_WAIT : IDC_ARROW)); }

}  // namespace

bool busyCursorShown() { return busyCount > 0 && normalPointerCount == 0; }

void beginBusyCursor() {
  ++busyCount;
  showCurrentCursor();
}

void endBusyCursor() {
  if (busyCount == 0) return;
  --busyCount;
  showCurrentCursor();
}

NormalPointerWhileWaiting::NormalPointerWhileWaiting() {
  if (busyCount == 0) return;
  pushed_ = true;
  ++normalPointerCount;
  showCurrentCursor();
}

NormalPointerWhileWaiting::~NormalPointerWhileWaiting() {
  if (!pushed_) return;
  --normalPointerCount;
  showCurrentCursor();
}

}  // namespace korvel
