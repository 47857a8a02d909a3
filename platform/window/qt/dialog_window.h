#pragma once

// The Qt window behind a CDialog: a QDialog whose controls are Qt's own
// widgets, created from the template; it hands the standard buttons, Enter,
// Escape, the close box and the window menu to the CDialog's virtuals. Tests
// and the screenshot program reach the widgets through it.

#include <QDialog>
#include <vector>

#include "platform/window/dialog.h"
#include "platform/window/qt/dialog_units.h"

class QMenu;

namespace korvel {

struct CDialog::Native : public QDialog {
 public:
  Native(CDialog& dialog, QWidget* parent);

  CDialog& dialog() const { return dialog_; }

  void createControls();
  // Without a parent, takes the application's main window or the modal window
  // on top as owner, so the dialog is centred over it.
  void adoptOwner();

  // The control with this id; null when there is none.
  QWidget* control(int id) const;
  // Every control, in template order.
  const std::vector<QWidget*>& controls() const { return controls_; }
  DialogBaseUnits baseUnits() const { return baseUnits_; }
  // Null when the template has no window menu.
  QMenu* windowMenu() const { return windowMenu_; }

 protected:
  void accept() override;
  void reject() override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void showWindowMenu(const QPoint& globalPosition);
  // Where the window menu opens when asked for from the keyboard: at the focused control.
  QPoint keyboardMenuPosition() const;

  CDialog& dialog_;
  DialogBaseUnits baseUnits_;
  std::vector<QWidget*> controls_;
  QMenu* windowMenu_ = nullptr;
};

// Its name in the Qt wing.
using DialogWindow = CDialog::Native;

// The Qt window of a dialog, and the widget of its control `id` (null when none).
inline DialogWindow& qtWindow(const CDialog& dialog) { return dialog.native(); }
inline QWidget* qtControl(const CDialog& dialog, int id) { return dialog.native().control(id); }
// The dialog whose window `window` is; null for any other window.
inline CDialog* dialogOf(QWidget* window) {
  auto* dialogWindow = dynamic_cast<DialogWindow*>(window);
  return dialogWindow != nullptr ? &dialogWindow->dialog() : nullptr;
}

}  // namespace korvel
