// The form and the About box as a screen reader reads them through Qt's
// accessibility interfaces: every control has a name, each field its label's.

#include <gtest/gtest.h>

#include <QAccessible>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QWidget>

#include "calc/field_reading.h"
#include "platform/window/qt/dialog_window.h"
#include "res/resource_ids.h"
#include "ui/about_dlg.h"
#include "ui/time_history_dlg.h"

namespace korvel::test {
namespace {

using namespace korvel::res;

// Reads every child of the dialog as a screen reader does; each must have a name.
// Returns the interface of `control`, or null.
QAccessibleInterface* readChildren(CDialog& dialog, QWidget* control) {
  QAccessibleInterface* window = QAccessible::queryAccessibleInterface(&qtWindow(dialog));
  EXPECT_NE(window, nullptr);
  if (window == nullptr) return nullptr;
  EXPECT_EQ(window->childCount(), static_cast<int>(qtWindow(dialog).controls().size()));
  QAccessibleInterface* found = nullptr;
  for (int i = 0; i < window->childCount(); ++i) {
    QAccessibleInterface* child = window->child(i);
    EXPECT_FALSE(child->text(QAccessible::Name).isEmpty()) << "a control read as blank, role " << child->role();
    if (child->object() == control) found = child;
  }
  return found;
}

TEST(Accessibility, EveryFieldOfTheFormIsReadWithItsLabel) {
  CTimeHistoryDlg form;
  form.Create();
  struct Case {
    int id;
    const char* name;
    QAccessible::Role role;
  };
  for (const Case& c :
       {Case{IDC_AMPLITUDE, "Amplitude", QAccessible::EditableText},
        Case{IDC_FREQUENCY, "Frequency (Hz)", QAccessible::EditableText},
        Case{IDC_HALF_SINES, "Number of Half-Sine", QAccessible::List},
        Case{IDC_DELAY, "Delay (sec)", QAccessible::EditableText},
        Case{IDC_DURATION, "Total Duration (sec)", QAccessible::EditableText},
        Case{IDC_SAMPLES_PER_SECOND, "Samples per second", QAccessible::EditableText},
        Case{IDOK, "Calculate Time History", QAccessible::Button}, Case{IDCANCEL, "Exit", QAccessible::Button}}) {
    SCOPED_TRACE(c.name);
    QAccessibleInterface* control = readChildren(form, qtControl(form, c.id));
    ASSERT_NE(control, nullptr);
    EXPECT_EQ(control->text(QAccessible::Name), c.name);
    EXPECT_EQ(control->role(), c.role);
    if (c.role == QAccessible::Button) continue;
    // The label says whom it labels, and stays a label.
    QAccessibleInterface* label = nullptr;
    for (QWidget* other : qtWindow(form).controls()) {
      auto* l = dynamic_cast<QLabel*>(other);
      if (l != nullptr && l->text() == c.name) label = QAccessible::queryAccessibleInterface(l);
    }
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->role(), QAccessible::StaticText);
    const auto labelled = label->relations(QAccessible::Labelled);
    ASSERT_EQ(labelled.size(), 1);
    EXPECT_EQ(labelled[0].first->object(), qtControl(form, c.id));
  }
}

// The note a sighted user gets from the field's mark, as plain words.
TEST(Accessibility, AFieldReadInPartIsDescribedByWhatItIsReadAs) {
  CTimeHistoryDlg form;
  form.Create();
  auto* amplitude = dynamic_cast<QLineEdit*>(qtControl(form, IDC_AMPLITUDE));
  QAccessibleInterface* field = QAccessible::queryAccessibleInterface(amplitude);
  QTest::keyClicks(amplitude, "1,5");
  EXPECT_EQ(field->text(QAccessible::Description).toStdString(), fieldReadingNote("1,5"));
  QTest::keyClick(amplitude, Qt::Key_Backspace);
  QTest::keyClick(amplitude, Qt::Key_Backspace);
  EXPECT_EQ(field->text(QAccessible::Description).toStdString(), "") << "\"1\" is read as a whole";
}

TEST(Accessibility, TheAboutBoxNamesItsIcon) {
  CAboutDlg box;
  box.Create();
  QWidget* icon = qtWindow(box).controls().front();
  QAccessibleInterface* read = readChildren(box, icon);
  ASSERT_NE(read, nullptr);
  EXPECT_EQ(read->text(QAccessible::Name), "korvel icon");
  EXPECT_EQ(read->role(), QAccessible::Graphic);
  EXPECT_FALSE(dynamic_cast<QLabel*>(icon)->pixmap().isNull()) << "the icon still shows its picture";
}

}  // namespace
}  // namespace korvel::test
