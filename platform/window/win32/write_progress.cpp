#include "platform/window/write_progress.h"

#include <windows.h>
#include <commctrl.h>

#include "platform/window/win32/dialog_window.h"

namespace korvel {
namespace {

// Paints and timers only: keys and clicks are not delivered while the command runs.
void pumpPaintAndTimers() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE | PM_QS_PAINT)) DispatchMessageW(&message);
  while (PeekMessageW(&message, nullptr, WM_TIMER, WM_TIMER, PM_REMOVE)) DispatchMessageW(&message);
}

// Keys and clicks made while the write waited, the close box's too, are
// dropped: left queued, they would act on whatever shows once the write ends
// (Return on the completion message, Escape on the form).
void dropUserInput() {
  MSG message;
  while (PeekMessageW(&message, nullptr, WM_KEYFIRST, WM_KEYLAST, PM_REMOVE)) {}
  while (PeekMessageW(&message, nullptr, WM_MOUSEFIRST, WM_MOUSELAST, PM_REMOVE)) {}
  while (PeekMessageW(&message, nullptr, WM_NCMOUSEMOVE, WM_NCXBUTTONDBLCLK, PM_REMOVE)) {}
}

// A bar of the system's shows no text, so it needs no more room than the
// button above it: it lines up with the lowest push button over the area that
// overlaps it, or takes the whole area when there is none.
DialogRect barPlace(const CDialog& dialog, DialogRect area) {
  const res::ControlTemplate* above = nullptr;
  for (const res::ControlTemplate& control : dialog.dialogTemplate().controls) {
    if (control.kind != res::ControlKind::PushButton || control.y + control.height > area.y) continue;
    if (control.x >= area.x + area.width || control.x + control.width <= area.x) continue;
    if (above == nullptr || control.y > above->y) above = &control;
  }
  if (above == nullptr) return area;
  return DialogRect{above->x, area.y, above->width, area.height};
}

}  // namespace

struct WriteProgress::Native {
  CDialog& dialog;
  DialogRect area;
  HWND bar = nullptr;
};

WriteProgress::WriteProgress(CDialog& dialog, DialogRect barArea, Clock clock)
    : native_(std::make_unique<Native>(Native{dialog, barArea})), clock_(clock) {}

WriteProgress::~WriteProgress() { end(); }

void WriteProgress::showRows(std::int32_t rowsWritten, std::int32_t rowCount) {
  Native& n = *native_;
  HWND dialog = windowOf(n.dialog);
  if (n.bar == nullptr && dialog != nullptr) {
    const DialogRect place = barPlace(n.dialog, n.area);
    RECT area{place.x, place.y, place.x + place.width, place.y + place.height};
    MapDialogRect(dialog, &area);
    n.bar =
        CreateWindowExW(0, PROGRESS_CLASSW, nullptr, WS_CHILD | WS_VISIBLE, area.left, area.top, area.right - area.left,
                        area.bottom - area.top, dialog, nullptr, GetModuleHandleW(nullptr), nullptr);
  }
  if (n.bar != nullptr) {
    SendMessageW(n.bar, PBM_SETRANGE32, 0, rowCount);
    SendMessageW(n.bar, PBM_SETPOS, static_cast<WPARAM>(rowsWritten), 0);
  }
}

void WriteProgress::paintWithoutInput() {
  pumpPaintAndTimers();
  dropUserInput();
}

void WriteProgress::finish(bool reported) {
  Native& n = *native_;
  // Input made since the last report goes the same way.
  if (reported) dropUserInput();
  if (n.bar != nullptr && IsWindow(n.bar)) DestroyWindow(n.bar);
  n.bar = nullptr;
}

}  // namespace korvel
