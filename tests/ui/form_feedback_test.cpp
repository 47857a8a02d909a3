// What the main form shows the user beyond its controls' texts: a selection
// that cannot be cleared, marks on fields read only in part, and a window that
// keeps painting, with a progress bar, while a write waits on slow storage.

#include <gtest/gtest.h>

#include <functional>

#include <QListWidget>
#include <QTest>

#include "res/resource_ids.h"
#include "tests/ui/recording_form.h"

namespace korvel::test {
namespace {

using namespace korvel::res;

QListWidget* halfSineList(CDialog& form) { return dynamic_cast<QListWidget*>(form.GetDlgItem(IDC_HALF_SINES)); }

void showActive(CDialog& form) {
  form.Create();
  form.show();
  form.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&form, 2000));
}

void clickEntry(QListWidget& list, int row, Qt::KeyboardModifiers modifiers = {}) {
  list.scrollToItem(list.item(row));
  QTest::mouseClick(list.viewport(), Qt::LeftButton, modifiers, list.visualItemRect(list.item(row)).center());
}

TEST(FormFeedback, TheListShowsSelectedExactlyTheEntryTheCommandReads) {
  struct Case {
    const char* name;
    std::function<void(QListWidget&)> act;
    int row;  // the entry selected afterwards
  };
  const Case cases[] = {
      {"Ctrl+click on the selected entry", [](QListWidget& l) { clickEntry(l, 2, Qt::ControlModifier); }, 2},
      {"Ctrl+Space on the selected entry", [](QListWidget& l) { QTest::keyClick(&l, Qt::Key_Space, Qt::ControlModifier); }, 2},
      {"Ctrl+click on another entry", [](QListWidget& l) { clickEntry(l, 5, Qt::ControlModifier); }, 5},
      {"Ctrl+Down", [](QListWidget& l) { QTest::keyClick(&l, Qt::Key_Down, Qt::ControlModifier); }, 3},
      {"Ctrl+End", [](QListWidget& l) { QTest::keyClick(&l, Qt::Key_End, Qt::ControlModifier); }, 10},
      {"click beside the entries",
       [](QListWidget& l) {
         l.scrollToBottom();
         QTest::mouseClick(l.viewport(), Qt::LeftButton, {}, QPoint(l.viewport()->width() - 2, l.viewport()->height() - 1));
       },
       2},
      {"drag beyond the last entry",
       [](QListWidget& l) {
         clickEntry(l, 10);
         QTest::mousePress(l.viewport(), Qt::LeftButton, Qt::ControlModifier, l.visualItemRect(l.item(10)).center());
         QTest::mouseMove(l.viewport(), QPoint(2, l.viewport()->height() + 20));
         QTest::mouseRelease(l.viewport(), Qt::LeftButton, Qt::ControlModifier, QPoint(2, l.viewport()->height() + 20));
       },
       10},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    RecordingForm form;
    showActive(form);
    QListWidget* list = halfSineList(form);
    list->setFocus();
    clickEntry(*list, 2);
    c.act(*list);
    const QList<QListWidgetItem*> selected = list->selectedItems();
    EXPECT_EQ(selected.size(), 1) << "exactly one entry is shown selected";
    if (!selected.isEmpty()) {
      EXPECT_EQ(list->row(selected[0]), c.row);
    }
    EXPECT_EQ(form.selectedHalfSineIndex(), c.row);
  }
}

}  // namespace
}  // namespace korvel::test
