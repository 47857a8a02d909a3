#pragma once

// A dialog built from a template of res/: its controls are Qt's own widgets,
// created in template order (the tab order) and found by control id. Derived
// dialogs bind their controls in DoDataExchange, prepare the form in
// OnInitDialog and answer the two standard buttons in OnOK and OnCancel.

#include <QDialog>
#include <string_view>
#include <vector>

#include "platform/qt/dialog_units.h"
#include "res/dialog_template.h"

class QMenu;

namespace korvel {

class DataExchange;

class CDialog : public QDialog {
 public:
  // The command of the window menu's Close entry.
  static constexpr int kCloseCommand = 0xF060;

  explicit CDialog(const res::DialogTemplate& dialogTemplate, QWidget* parent = nullptr);
  ~CDialog() override;

  // Creates the controls and runs OnInitDialog, once; DoModal does it if needed.
  void Create();
  // Runs the dialog modally, centred over its owner (without a parent, the
  // application's main window or the modal dialog on top) or else on the
  // screen. Returns the result passed to EndDialog: IDOK, IDCANCEL, ...
  int DoModal();
  void EndDialog(int result);

  // The control with this id; null when there is none.
  QWidget* GetDlgItem(int id) const;
  // Every control, in template order.
  const std::vector<QWidget*>& controls() const { return controls_; }
  const res::DialogTemplate& dialogTemplate() const { return template_; }
  DialogBaseUnits baseUnits() const { return baseUnits_; }

  // The window menu, shown as the form's context menu: right click on the form,
  // the Menu key or Shift+F10. Null when the template has no window menu.
  QMenu* windowMenu() const { return windowMenu_; }
  void appendWindowMenuEntry(int command, std::string_view text);
  void appendWindowMenuSeparator();

 protected:
  virtual void DoDataExchange(DataExchange& exchange);
  // Binds the controls. Returning true gives the focus to the first tab stop.
  virtual bool OnInitDialog();
  // The default button (IDOK) and Enter: ends the dialog with IDOK.
  virtual void OnOK();
  // IDCANCEL, Escape and the close box: ends the dialog with IDCANCEL.
  virtual void OnCancel();
  // A window-menu command.
  virtual void OnSysCommand(int command);

  void accept() override;
  void reject() override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void createControls();
  void adoptOwner();
  void showWindowMenu(const QPoint& globalPosition);
  // Where the window menu opens when asked for from the keyboard: at the focused control.
  QPoint keyboardMenuPosition() const;

  const res::DialogTemplate& template_;
  DialogBaseUnits baseUnits_;
  std::vector<QWidget*> controls_;
  QMenu* windowMenu_ = nullptr;
  bool created_ = false;
};

// Binds a dialog's controls by id to the control pointers of a derived dialog.
class DataExchange {
 public:
  explicit DataExchange(const CDialog& dialog) : dialog_(dialog) {}

  // Throws std::logic_error when the template has no control of this id and kind.
  template <class Control>
  void bind(int id, Control*& control) {
    control = dynamic_cast<Control*>(dialog_.GetDlgItem(id));
    if (control == nullptr) missingControl(id);
  }

 private:
  [[noreturn]] void missingControl(int id) const;
  const CDialog& dialog_;
};

}  // namespace korvel
