#include "platform/window/win32/field_mark.h"

#include <commctrl.h>

#include "platform/window/win32/accessible_names.h"

namespace korvel {
namespace {

// The tint of a field whose text is read only in part: a pale yellow.
constexpr COLORREF kMarkColour = RGB(255, 240, 170);

}  // namespace

void FieldMarks::markAsTyped(HWND dialog, CEdit::Native& field,
                             std::function<std::string(const std::string&)> noteFor) {
  if (tooltip_ == nullptr) {
    tooltip_ =
        CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT, CW_USEDEFAULT,
                        CW_USEDEFAULT, CW_USEDEFAULT, dialog, nullptr, GetModuleHandleW(nullptr), nullptr);
    SendMessageA(tooltip_, TTM_SETMAXTIPWIDTH, 0, 300);
  }
  field.noteFor = std::move(noteFor);
  TTTOOLINFOA tool{};
  tool.cbSize = sizeof tool;
  tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  tool.hwnd = dialog;
  tool.uId = reinterpret_cast<UINT_PTR>(field.window);
  tool.lpszText = const_cast<char*>("");
  SendMessageA(tooltip_, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
  update(dialog, field);
}

void FieldMarks::textChanged(HWND dialog, CEdit::Native& field) {
  if (field.noteFor) update(dialog, field);
}

HBRUSH FieldMarks::ground(const CEdit::Native& field, HDC dc) const {
  if (field.note.empty()) return nullptr;
  static HBRUSH markBrush = CreateSolidBrush(kMarkColour);
  SetBkColor(dc, kMarkColour);
  return markBrush;
}

void FieldMarks::windowGone(const std::vector<std::unique_ptr<CEdit::Native>>& fields) {
  tooltip_ = nullptr;
  for (const auto& field : fields) {
    field->noteFor = nullptr;
    field->note.clear();
  }
}

void FieldMarks::update(HWND dialog, CEdit::Native& field) {
  field.note = field.noteFor(windowText(field.window));
  TTTOOLINFOA tool{};
  tool.cbSize = sizeof tool;
  tool.hwnd = dialog;
  tool.uId = reinterpret_cast<UINT_PTR>(field.window);
  tool.lpszText = field.note.data();
  SendMessageA(tooltip_, TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&tool));
  SendMessageA(tooltip_, TTM_ACTIVATE, TRUE, 0);
  // A tip showing for this field follows its text at once: the new note, or
  // none when the text is read as a whole.
  if (tipShownFor(field.window)) SendMessageA(tooltip_, field.note.empty() ? TTM_POP : TTM_UPDATE, 0, 0);
  InvalidateRect(field.window, nullptr, TRUE);
  describeControl(field.window, field.note);
}

bool FieldMarks::tipShownFor(HWND edit) const {
  if (tooltip_ == nullptr || !IsWindowVisible(tooltip_)) return false;
  TTTOOLINFOA tool{};
  tool.cbSize = sizeof tool;
  return SendMessageA(tooltip_, TTM_GETCURRENTTOOLA, 0, reinterpret_cast<LPARAM>(&tool)) != 0 &&
         tool.uId == reinterpret_cast<UINT_PTR>(edit);
}

}  // namespace korvel
