#pragma once

// A dialog built from a template of res/, in the window system's own windows
// and controls: they are created in template order (the tab order) and found by
// control id. Derived dialogs bind their controls in DoDataExchange, prepare the
// form in OnInitDialog, answer the two standard buttons in OnOK and OnCancel and
// the window menu's commands in OnSysCommand. Those defaults and the binding are
// the same on every window system (dialog.cpp); the window is each one's own.

#include <memory>
#include <string_view>

#include "platform/window/controls.h"
#include "res/dialog_template.h"

namespace korvel {

class DataExchange;
class Icon;

class CDialog {
 public:
  // The window system's own window behind the dialog (qt/dialog_window.h,
  // win32/dialog_window.h).
  struct Native;

  // The bits of a window-menu command passed to OnSysCommand that name it; the
  // window system may use the rest. The program's own commands leave the rest
  // clear.
  static constexpr int kSysCommandMask = 0xFFF0;

  explicit CDialog(const res::DialogTemplate& dialogTemplate, CDialog* parent = nullptr);
  virtual ~CDialog();
  CDialog(const CDialog&) = delete;
  CDialog& operator=(const CDialog&) = delete;

  // Creates the controls and runs OnInitDialog, once; DoModal does it if needed.
  void Create();
  // Runs the dialog modally, centred over its owner (without a parent, the
  // application's main window or the modal dialog on top) or else on the
  // screen. Returns the result passed to EndDialog: IDOK, IDCANCEL, ...
  int DoModal();
  void EndDialog(int result);

  const res::DialogTemplate& dialogTemplate() const { return template_; }

  // The window menu: right click on the form, the Menu key or Shift+F10. Both
  // do nothing when the template has no window menu.
  bool hasWindowMenu() const;
  void appendWindowMenuEntry(int command, std::string_view text);
  void appendWindowMenuSeparator();

  // The icon of the title bar, the taskbar and the window switcher.
  void SetIcon(const Icon& icon);

  Native& native() const { return *native_; }

 protected:
  virtual void DoDataExchange(DataExchange& exchange);
  // Binds the controls. Returning true gives the focus to the first tab stop.
  virtual bool OnInitDialog();
  // The default button (IDOK) and Enter: ends the dialog with IDOK.
  virtual void OnOK();
  // IDCANCEL, Escape and the close box: ends the dialog with IDCANCEL.
  virtual void OnCancel();
  // A window-menu command; Close closes the window.
  virtual void OnSysCommand(int command);

 private:
  const res::DialogTemplate& template_;
  std::unique_ptr<Native> native_;
  bool created_ = false;
};

// Binds a dialog's controls by id to the control objects of a derived dialog.
// Throws std::logic_error when the template has no control of that id and kind.
class DataExchange {
 public:
  explicit DataExchange(const CDialog& dialog) : dialog_(dialog) {}

  void bind(int id, CEdit& edit);
  void bind(int id, CListBox& list);

 private:
  // The window system's own field or list of control `id`; null when the
  // dialog has no control of that id and kind.
  static CEdit::Native* findEdit(const CDialog& dialog, int id);
  static CListBox::Native* findList(const CDialog& dialog, int id);
  [[noreturn]] void missingControl(int id) const;

  const CDialog& dialog_;
};

}  // namespace korvel
