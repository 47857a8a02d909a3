#pragma once

// The controls a dialog's code reads and fills, once DataExchange has bound them
// to the window system's own control, which the dialog's window owns.

#include <functional>
#include <string>
#include <string_view>

namespace korvel {

// An edit field.
class CEdit {
 public:
  // The window system's own field (qt/native_controls.h, win32/native_controls.h).
  struct Native;

  std::string GetWindowText() const;

  // From now on, each change of the text marks the field with `noteFor` of the
  // new text (a frame that catches the eye and the note as its tooltip); an
  // empty note takes the mark away. The text itself is left alone.
  void markAsTyped(std::function<std::string(const std::string& text)> noteFor);

 private:
  friend class DataExchange;
  Native* native_ = nullptr;
};

// A list box with exactly one selected entry, which the user can move but not clear.
class CListBox {
 public:
  // The window system's own list (qt/native_controls.h, win32/native_controls.h).
  struct Native;

  // Inserts the entry at `index` (0 first), whatever the list's sorting.
  void InsertString(int index, std::string_view label);
  int GetCount() const;
  std::string GetText(int index) const;
  // The selected entry's index, -1 when there is none.
  int GetCurSel() const;
  void SetCurSel(int index);

 private:
  friend class DataExchange;
  Native* native_ = nullptr;
};

}  // namespace korvel
