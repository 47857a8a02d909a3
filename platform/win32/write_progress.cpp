#include "platform/write_progress.h"

#include <windows.h>
#include <commctrl.h>

#include <chrono>
#include <optional>

#include "platform/win32/dialog_window.h"

namespace korvel {
namespace {

constexpr std::chrono::milliseconds kQuietTime{1000};

// Paints and timers only: keys and clicks stay queued until the command ends.
void pumpPaintAndTimers() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE | PM_QS_PAINT)) DispatchMessageW(&message);
  while (PeekMessageW(&message, nullptr, WM_TIMER, WM_TIMER, PM_REMOVE)) DispatchMessageW(&message);
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
    RECT area{s.area.x, s.area.y, s.area.x + s.area.width, s.area.y + s.area.height};
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
}

void WriteProgress::end() {
  State& s = *state_;
  if (s.bar != nullptr && IsWindow(s.bar)) DestroyWindow(s.bar);
  s.bar = nullptr;
  s.start.reset();
}

}  // namespace korvel
