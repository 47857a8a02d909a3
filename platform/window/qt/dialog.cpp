#include "platform/window/dialog.h"

#include <QAbstractButton>
#include <QApplication>
#include <QContextMenuEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QMenu>

#include "platform/window/icon.h"
#include "platform/window/qt/accessible_names.h"
#include "platform/window/qt/control_factory.h"
#include "platform/window/qt/dialog_window.h"
#include "platform/window/qt/fixed_window.h"
#include "platform/window/qt/focus_frame_style.h"
#include "platform/window/qt/native_controls.h"
#include "platform/window/qt/native_icon.h"
#include "platform/window/win_app.h"
#include "res/resource_ids.h"

namespace korvel {
namespace {

using namespace res::control_style;

// The command of the window menu's Close entry: the number Windows gives its
// own, so that a dialog's OnSysCommand reads the commands of both systems alike.
constexpr int kCloseCommand = 0xF060;

bool isWindowMenuKey(const QKeyEvent& key) {
  return (key.key() == Qt::Key_Menu && key.modifiers() == Qt::NoModifier) ||
         (key.key() == Qt::Key_F10 && key.modifiers() == Qt::ShiftModifier);
}

Qt::FocusPolicy focusPolicyFor(const res::ControlTemplate& control) {
  switch (control.kind) {
    case res::ControlKind::StaticText:
    case res::ControlKind::GroupBox:
    case res::ControlKind::Icon: return Qt::NoFocus;
    default: return (control.styles & kTabStop) != 0 ? Qt::StrongFocus : Qt::ClickFocus;
  }
}

}  // namespace

CDialog::CDialog(const res::DialogTemplate& dialogTemplate, CDialog* parent)
    : template_(dialogTemplate),
      native_(std::make_unique<Native>(*this, parent != nullptr ? parent->native_.get() : nullptr)) {}

CDialog::~CDialog() = default;

void CDialog::Create() {
  if (created_) return;
  created_ = true;
  native_->createControls();
  if (OnInitDialog()) {
    for (QWidget* control : native_->controls()) {
      if (control->focusPolicy() == Qt::StrongFocus && control->isEnabled()) {
        control->setFocus(Qt::OtherFocusReason);
        break;
      }
    }
  }
}

int CDialog::DoModal() {
  native_->adoptOwner();
  Create();
  return native_->exec();
}

void CDialog::EndDialog(int result) { native_->done(result); }

bool CDialog::hasWindowMenu() const { return native_->windowMenu() != nullptr; }

void CDialog::appendWindowMenuEntry(int command, std::string_view text) {
  if (QMenu* menu = native_->windowMenu()) {
    QAction* action = menu->addAction(QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size())));
    action->setData(command);
  }
}

void CDialog::appendWindowMenuSeparator() {
  if (QMenu* menu = native_->windowMenu()) menu->addSeparator();
}

void CDialog::SetIcon(const Icon& icon) { native_->setWindowIcon(icon.native().icon); }

void CDialog::OnSysCommand(int command) {
  if ((command & kSysCommandMask) == kCloseCommand) native_->close();
}

CDialog::Native::Native(CDialog& dialog, QWidget* parent) : QDialog(parent), dialog_(dialog) {
  const res::DialogTemplate& t = dialog.dialogTemplate();
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowCloseButtonHint);
  setWindowTitle(QString::fromLatin1(t.caption.data(), static_cast<qsizetype>(t.caption.size())));
  setFont(dialogFont(t.fontFace, t.pointSize));
  baseUnits_ = dialogBaseUnits(font());
  // Least and greatest size agree: window managers offer no resizing and no maximising.
  setFixedSize(pixelSize(t.width, t.height, baseUnits_));
  setSizeGripEnabled(false);
  keepWindowNormal(*this);
}

void DialogWindow::createControls() {
  const res::DialogTemplate& t = dialog_.dialogTemplate();
  QWidget* previousTabStop = nullptr;
  for (const res::ControlTemplate& control : t.controls) {
    QWidget* widget = createControl(control, baseUnits_, this);
    widget->setFocusPolicy(focusPolicyFor(control));
    if (widget->focusPolicy() != Qt::NoFocus) widget->setStyle(focusFrameStyle());
    widget->installEventFilter(this);
    if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
      const int id = control.id;
      connect(button, &QAbstractButton::clicked, this, [this, id] {
        if (id == res::IDOK) dialog_.OnOK();
        if (id == res::IDCANCEL) dialog_.OnCancel();
      });
    }
    if (control.kind != res::ControlKind::StaticText && (control.styles & kTabStop) != 0) {
      if (previousTabStop != nullptr) QWidget::setTabOrder(previousTabStop, widget);
      previousTabStop = widget;
    }
    controls_.push_back(widget);
  }
  nameControls(t, controls_);
  // Group boxes only frame the controls around them: they lie beneath every
  // other control, so clicks inside them reach the fields.
  for (QWidget* widget : controls_) {
    if (qobject_cast<QGroupBox*>(widget) != nullptr) widget->lower();
  }
  if ((t.styles & res::dialog_style::kWindowMenu) != 0) {
    windowMenu_ = new QMenu(this);
    dialog_.appendWindowMenuEntry(kCloseCommand, "&Close\tAlt+F4");
  }
}

void DialogWindow::adoptOwner() {
  if (parentWidget() != nullptr) return;
  QWidget* owner = nullptr;
  if (CWinApp* app = CWinApp::current(); app != nullptr && app->mainWindow() != nullptr) {
    owner = &app->mainWindow()->native();
  }
  if (owner == nullptr || owner == this || !owner->isVisible()) owner = QApplication::activeModalWidget();
  if (owner != nullptr && owner != this) setParent(owner, windowFlags());
}

QWidget* DialogWindow::control(int id) const {
  if (id == res::IDC_STATIC) return nullptr;
  for (QWidget* control : controls_) {
    if (control->property("controlId").toInt() == id) return control;
  }
  return nullptr;
}

void DialogWindow::accept() { dialog_.OnOK(); }

void DialogWindow::reject() { dialog_.OnCancel(); }

void DialogWindow::showWindowMenu(const QPoint& globalPosition) {
  if (windowMenu_ == nullptr) return;
  if (QAction* chosen = windowMenu_->exec(globalPosition)) dialog_.OnSysCommand(chosen->data().toInt());
}

QPoint DialogWindow::keyboardMenuPosition() const {
  // Under the focused control, as a menu opened by a click would be.
  const QWidget* control = focusWidget();
  if (control == nullptr || control == this) return mapToGlobal(QPoint(0, 0));
  return control->mapToGlobal(QPoint(0, control->height()));
}

void DialogWindow::contextMenuEvent(QContextMenuEvent* event) {
  if (windowMenu_ == nullptr) {
    event->ignore();
    return;
  }
  event->accept();
  // From the keyboard (on X11 the Menu key sends this request before its key press).
  showWindowMenu(event->reason() == QContextMenuEvent::Mouse ? event->globalPos() : keyboardMenuPosition());
}

void DialogWindow::keyPressEvent(QKeyEvent* event) {
  if (windowMenu_ != nullptr && isWindowMenuKey(*event)) {
    event->accept();
    showWindowMenu(keyboardMenuPosition());
    return;
  }
  QDialog::keyPressEvent(event);
}

bool DialogWindow::eventFilter(QObject* watched, QEvent* event) {
  // The Menu key and Shift+F10 open the window menu from any control.
  if (event->type() == QEvent::KeyPress && windowMenu_ != nullptr && isWindowMenuKey(*static_cast<QKeyEvent*>(event))) {
    showWindowMenu(keyboardMenuPosition());
    return true;
  }
  return QDialog::eventFilter(watched, event);
}

CEdit::Native* DataExchange::findEdit(const CDialog& dialog, int id) {
  return dynamic_cast<CEdit::Native*>(qtControl(dialog, id));
}

CListBox::Native* DataExchange::findList(const CDialog& dialog, int id) {
  return dynamic_cast<CListBox::Native*>(qtControl(dialog, id));
}

}  // namespace korvel
