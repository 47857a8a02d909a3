#pragma once

// Reaching the main form's controls from a test, and showing the form as the
// user first sees it.

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include "platform/window/qt/dialog_window.h"
#include "res/resource_ids.h"
#include "ui/time_history_dlg.h"

namespace korvel::test {

inline QLineEdit* field(CDialog& form, int id) { return dynamic_cast<QLineEdit*>(qtControl(form, id)); }
inline QListWidget* halfSineList(CDialog& form) {
  return dynamic_cast<QListWidget*>(qtControl(form, res::IDC_HALF_SINES));
}
inline QPushButton* button(CDialog& form, int id) { return dynamic_cast<QPushButton*>(qtControl(form, id)); }

inline QLabel* labelWithText(CDialog& form, const QString& text) {
  for (QWidget* control : qtWindow(form).controls()) {
    auto* label = dynamic_cast<QLabel*>(control);
    if (label != nullptr && label->text() == text) return label;
  }
  return nullptr;
}

// Shows the form as the user first sees it, and waits until it has the focus.
inline void showActive(CDialog& form) {
  form.Create();
  qtWindow(form).show();
  qtWindow(form).activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&qtWindow(form), 2000));
}

}  // namespace korvel::test
