#pragma once

// The marks on a dialog's edit fields whose text is read only in part: a pale
// yellow ground, and the note as the field's tooltip and its description for
// screen readers. The text itself is left alone. One per dialog window, which
// passes on its fields' changes and colour requests.

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/window/win32/native_controls.h"

namespace korvel {

class FieldMarks {
 public:
  FieldMarks() = default;
  FieldMarks(const FieldMarks&) = delete;
  FieldMarks& operator=(const FieldMarks&) = delete;

  // From now on the mark of `field`, an edit field of `dialog`, is `noteFor` of its text.
  void markAsTyped(HWND dialog, CEdit::Native& field, std::function<std::string(const std::string&)> noteFor);
  // The field's text has changed (EN_CHANGE): its note, ground and tip follow.
  void textChanged(HWND dialog, CEdit::Native& field);
  // The ground of `field` on `dc` (WM_CTLCOLOREDIT) when it bears a mark; null when not.
  HBRUSH ground(const CEdit::Native& field, HDC dc) const;
  // The dialog's window is gone, and its tooltip with it: no field bears a mark.
  void windowGone(const std::vector<std::unique_ptr<CEdit::Native>>& fields);

 private:
  void update(HWND dialog, CEdit::Native& field);
  bool tipShownFor(HWND edit) const;

  HWND tooltip_ = nullptr;
};

}  // namespace korvel
