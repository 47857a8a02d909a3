#pragma once

// The controls a dialog's code reads and fills, once DataExchange has bound them
// to the platform's own control (a widget or a window handle).

#include <functional>
#include <string>
#include <string_view>

namespace korvel {

// The platform's own control behind a bound control object.
using NativeControl = void*;

// An edit field.
class CEdit {
 public:
  std::string GetWindowText() const;

  // From now on, each change of the text marks the field with `noteFor` of the
  // new text (a frame that catches the eye and the note as its tooltip); an
  // empty note takes the mark away. The text itself is left alone.
  void markAsTyped(std::function<std::string(const std::string& text)> noteFor);

 private:
  friend class DataExchange;
  NativeControl control_ = nullptr;
};

// A list box with exactly one selected entry, which the user can move but not clear.
class CListBox {
 public:
  // Inserts the entry at `index` (0 first), whatever the list's sorting.
  void InsertString(int index, std::string_view label);
  int GetCount() const;
  std::string GetText(int index) const;
  // The selected entry's index, -1 when there is none.
  int GetCurSel() const;
  void SetCurSel(int index);

 private:
  friend class DataExchange;
  NativeControl control_ = nullptr;
};

}  // namespace korvel
