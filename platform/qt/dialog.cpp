#include "platform/qt/dialog.h"

#include <QAbstractButton>
#include <QApplication>
#include <QContextMenuEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QMenu>
#include <stdexcept>
#include <string>

#include "platform/qt/accessible_names.h"
#include "platform/qt/control_factory.h"
#include "platform/qt/fixed_window.h"
#include "platform/qt/focus_frame_style.h"
#include "platform/qt/win_app.h"
#include "res/resource_ids.h"

namespace korvel {
namespace {

using namespace res::control_style;

bool isWindowMenuKey(const QKeyEvent& key) {
  return (key.key() == Qt::Key_Menu && key.modifiers() == Qt::NoModifier) ||
         (key.key() == Qt::Key_F10 && key.modifiers() == Qt::ShiftModifier);
}

Qt::FocusPolicy focusPolicyFor(const res::ControlTemplate& control) {
  switch (control.kind) {
    case res::ControlKind::StaticText:
    case res::ControlKind::GroupBox:
    case res::ControlKind::Icon:
      return Qt::NoFocus;
    default:
      return (control.styles & kTabStop) != 0 ? Qt::StrongFocus : Qt::ClickFocus;
  }
}

}  // namespace

CDialog::CDialog(const res::DialogTemplate& dialogTemplate, QWidget* parent)
    : QDialog(parent), template_(dialogTemplate) {
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowCloseButtonHint);
  setWindowTitle(QString::fromLatin1(template_.caption.data(), static_cast<qsizetype>(template_.caption.size())));
  setFont(dialogFont(template_.fontFace, template_.pointSize));
  baseUnits_ = dialogBaseUnits(font());
  // Least and greatest size agree: window managers offer no resizing and no maximising.
  setFixedSize(pixelSize(template_.width, template_.height, baseUnits_));
  setSizeGripEnabled(false);
  keepWindowNormal(*this);
}

CDialog::~CDialog() = default;

void CDialog::Create() {
  if (created_) return;
  created_ = true;
  createControls();
  if (OnInitDialog()) {
    for (QWidget* control : controls_) {
      if (control->focusPolicy() == Qt::StrongFocus && control->isEnabled()) {
        control->setFocus(Qt::OtherFocusReason);
        break;
      }
    }
  }
}

void CDialog::createControls() {
  QWidget* previousTabStop = nullptr;
  for (const res::ControlTemplate& control : template_.controls) {
    QWidget* widget = createControl(control, baseUnits_, this);
    widget->setFocusPolicy(focusPolicyFor(control));
    if (widget->focusPolicy() != Qt::NoFocus) widget->setStyle(focusFrameStyle());
    widget->installEventFilter(this);
    if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
      const int id = control.id;
      connect(button, &QAbstractButton::clicked, this, [this, id] {
        if (id == res::IDOK) OnOK();
        if (id == res::IDCANCEL) OnCancel();
      });
    }
    if (control.kind != res::ControlKind::StaticText && (control.styles & kTabStop) != 0) {
      if (previousTabStop != nullptr) QWidget::setTabOrder(previousTabStop, widget);
      previousTabStop = widget;
    }
    controls_.push_back(widget);
  }
  nameControls(template_, controls_);
  // Group boxes only frame the controls around them: they lie beneath every
  // other control, so clicks inside them reach the fields.
  for (QWidget* widget : controls_) {
    if (qobject_cast<QGroupBox*>(widget) != nullptr) widget->lower();
  }
  if ((template_.styles & res::dialog_style::kWindowMenu) != 0) {
    windowMenu_ = new QMenu(this);
    appendWindowMenuEntry(kCloseCommand, "&Close\tAlt+F4");
  }
}

void CDialog::adoptOwner() {
  if (parentWidget() != nullptr) return;
  QWidget* owner = nullptr;
  if (CWinApp* app = CWinApp::current()) owner = app->mainWindow();
  if (owner == nullptr || owner == this || !owner->isVisible()) owner = QApplication::activeModalWidget();
  if (owner != nullptr && owner != this) setParent(owner, windowFlags());
}

int CDialog::DoModal() {
  adoptOwner();
  Create();
  return exec();
}

void CDialog::EndDialog(int result) { done(result); }

QWidget* CDialog::GetDlgItem(int id) const {
  if (id == res::IDC_STATIC) return nullptr;
  for (QWidget* control : controls_) {
    if (control->property("controlId").toInt() == id) return control;
  }
  return nullptr;
}

void CDialog::appendWindowMenuEntry(int command, std::string_view text) {
  if (windowMenu_ == nullptr) return;
  QAction* action = windowMenu_->addAction(QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size())));
  action->setData(command);
}

void CDialog::appendWindowMenuSeparator() {
  if (windowMenu_ != nullptr) windowMenu_->addSeparator();
}

void CDialog::DoDataExchange(DataExchange&) {}

bool CDialog::OnInitDialog() {
  DataExchange exchange(*this);
  DoDataExchange(exchange);
  return true;
}

void CDialog::OnOK() { EndDialog(res::IDOK); }

void CDialog::OnCancel() { EndDialog(res::IDCANCEL); }

void CDialog::OnSysCommand(int command) {
  if ((command & 0xFFF0) == kCloseCommand) close();
}

void CDialog::accept() { OnOK(); }

void CDialog::reject() { OnCancel(); }

void CDialog::showWindowMenu(const QPoint& globalPosition) {
  if (windowMenu_ == nullptr) return;
  if (QAction* chosen = windowMenu_->exec(globalPosition)) OnSysCommand(chosen->data().toInt());
}

QPoint CDialog::keyboardMenuPosition() const {
  // Under the focused control, as a menu opened by a click would be.
  const QWidget* control = focusWidget();
  if (control == nullptr || control == this) return mapToGlobal(QPoint(0, 0));
  return control->mapToGlobal(QPoint(0, control->height()));
}

void CDialog::contextMenuEvent(QContextMenuEvent* event) {
  if (windowMenu_ == nullptr) {
    event->ignore();
    return;
  }
  event->accept();
  // From the keyboard (on X11 the Menu key sends this request before its key press).
  showWindowMenu(event->reason() == QContextMenuEvent::Mouse ? event->globalPos() : keyboardMenuPosition());
}

void CDialog::keyPressEvent(QKeyEvent* event) {
  if (windowMenu_ != nullptr && isWindowMenuKey(*event)) {
    event->accept();
    showWindowMenu(keyboardMenuPosition());
    return;
  }
  QDialog::keyPressEvent(event);
}

bool CDialog::eventFilter(QObject* watched, QEvent* event) {
  // The Menu key and Shift+F10 open the window menu from any control.
  if (event->type() == QEvent::KeyPress && windowMenu_ != nullptr &&
      isWindowMenuKey(*static_cast<QKeyEvent*>(event))) {
    showWindowMenu(keyboardMenuPosition());
    return true;
  }
  return QDialog::eventFilter(watched, event);
}

void DataExchange::missingControl(int id) const {
  throw std::logic_error("dialog " + std::to_string(dialog_.dialogTemplate().id) + " has no control " +
                         std::to_string(id) + " of the bound kind");
}

}  // namespace korvel
