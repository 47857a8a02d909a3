#include "platform/window/write_progress.h"

#include <windows.h>
#include <commctrl.h>

#include <chrono>
#include <optional>

#include "platform/window/win32/dialog_window.h"

namespace korvel {
namespace {

constexpr std::chrono::milliseconds kQuietTime{1000};

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

struct WriteProgress::State {
  CDialog& dialog;
  DialogRect area;
  std::optional<std::chrono::steady_clock::time_point> start;
  HWND bar = nullptr;
};

WriteProgress::WriteProgress(CDialog& dialog, DialogRect barArea)
    : state_(std::make_unique<State>(State{dialog, barArea, std::nullopt, nullptr})) {}

WriteProgress::~WriteProgress() { end(); }

void WriteProgress::update(std::int32_t rowsWritten, std::int32_t rowCount) {
  State& s = *state_;
  const auto now = std::chrono::steady_clock::now();
  if (!s.start) s.start = now;
  HWND dialog = windowOf(s.dialog);
  if (s.bar == nullptr && dialog != nullptr && now - *s.start >= kQuietTime) {
    const DialogRect place = barPlace(s.dialog, s.area);
    RECT area{place.x, place.y, place.x + place.width, place.y + place.height};
    MapDialogRect(dialog, &area);
    s.bar = CreateWindowExW(0, PROGRESS_CLASSW, nullptr, WS_CHILD | WS_VISIBLE, area.left, area.top,
                            area.right - area.left, area.bottom - area.top, dialog, nullptr,
                            GetModuleHandleW(nullptr), nullptr);
  }
  if (s.bar != nullptr) {
    SendMessageW(s.bar, PBM_SETRANGE32, 0, rowCount);
    SendMessageW(s.bar, PBM_SETPOS, static_cast<WPARAM>(rowsWritten), 0);
  }
  pumpPaintAndTimers();
  dropUserInput();
}

void WriteProgress::end() {
  State& s = *state_;
  // Input made since the last report goes the same way.
  if (s.start) dropUserInput();
  if (s.bar != nullptr && IsWindow(s.bar)) DestroyWindow(s.bar);
  s.bar = nullptr;
  s.start.reset();
}

}  // namespace korvel
