// What the main form shows the user beyond its controls' texts: a selection
// that cannot be cleared, marks on fields read only in part, and a window that
// keeps painting, with a progress bar, while a write waits on slow storage.

#include <gtest/gtest.h>

#include <functional>

#include <QCursor>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QTest>
#include <QTextDocumentFragment>
#include <qpa/qwindowsysteminterface.h>

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTimer>
#include <chrono>
#include <thread>
#include <unistd.h>

#include "calc/field_reading.h"
#include "platform/files/system_calls.h"
#include "platform/window/qt/dialog_window.h"
#include "res/resource_ids.h"
#include "tests/support/qt/form_controls.h"
#include "tests/support/qt/recording_form.h"

namespace korvel::test {
namespace {

using namespace korvel::res;

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
      {"Ctrl+Space on the selected entry",
       [](QListWidget& l) { QTest::keyClick(&l, Qt::Key_Space, Qt::ControlModifier); }, 2},
      {"Ctrl+click on another entry", [](QListWidget& l) { clickEntry(l, 5, Qt::ControlModifier); }, 5},
      {"Ctrl+Down", [](QListWidget& l) { QTest::keyClick(&l, Qt::Key_Down, Qt::ControlModifier); }, 3},
      {"click beside the entries",
       [](QListWidget& l) {
         l.scrollToBottom();
         const QPoint belowTheLast(l.viewport()->width() - 2, l.viewport()->height() - 1);
         QTest::mouseClick(l.viewport(), Qt::LeftButton, {}, belowTheLast);
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

TEST(FormFeedback, AFieldReadInPartIsMarkedAsItIsTyped) {
  RecordingForm form;
  showActive(form);
  auto* amplitude = dynamic_cast<QLineEdit*>(qtControl(form, IDC_AMPLITUDE));
  const QPoint onFrame(0, amplitude->height() / 2);
  auto tooltip = [&] { return QTextDocumentFragment::fromHtml(amplitude->toolTip()).toPlainText().toStdString(); };

  QTest::keyClicks(amplitude, "1.5");
  EXPECT_EQ(tooltip(), "");
  const QColor plainFrame = amplitude->grab().toImage().pixelColor(onFrame);

  amplitude->clear();
  QTest::keyClicks(amplitude, "1,5");
  EXPECT_EQ(tooltip(), fieldReadingNote("1,5"));
  const QColor markedFrame = amplitude->grab().toImage().pixelColor(onFrame);
  EXPECT_NE(markedFrame, plainFrame);
  EXPECT_GT(markedFrame.red() - markedFrame.blue(), 100) << "a warm colour";

  QTest::keyClick(amplitude, Qt::Key_Backspace);
  QTest::keyClick(amplitude, Qt::Key_Backspace);
  EXPECT_EQ(tooltip(), "") << "\"1\" is read as a whole";
  EXPECT_EQ(amplitude->grab().toImage().pixelColor(onFrame), plainFrame);
  EXPECT_EQ(form.fieldText(IDC_AMPLITUDE), "1") << "the mark leaves the text alone";
}

QProgressBar* progressBar(CDialog& form) { return qtWindow(form).findChild<QProgressBar*>(); }
bool barShown(CDialog& form) { return progressBar(form) != nullptr && progressBar(form)->isVisible(); }

// Counts the paint events a widget receives.
class PaintCounter : public QObject {
 public:
  explicit PaintCounter(QWidget* widget) { widget->installEventFilter(this); }
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint) ++paints;
    return false;
  }
  int paints = 0;
};

TEST(FormFeedback, ASlowWriteKeepsTheFormPaintedAndShowsItsProgressAfterASecond) {
  RecordingForm form;
  showActive(form);
  QApplication::processEvents();
  auto* amplitude = dynamic_cast<QLineEdit*>(qtControl(form, IDC_AMPLITUDE));
  amplitude->setFocus();
  PaintCounter counter(&qtWindow(form));

  // As the command does: the busy cursor, then reports about ten times a second.
  form.beginWaitCursor();
  // Queued as the window system queues them: a key for the amplitude field and a close request.
  QWindowSystemInterface::handleKeyEvent<QWindowSystemInterface::AsynchronousDelivery>(
      qtWindow(form).windowHandle(), QEvent::KeyPress, Qt::Key_7, Qt::NoModifier, "7");
  QWindowSystemInterface::handleCloseEvent<QWindowSystemInterface::AsynchronousDelivery>(qtWindow(form).windowHandle());
  qtWindow(form).update();
  constexpr int kRows = 2'000'000;
  int rows = 0;
  for (int report = 0; report < 12; ++report) {
    moveFormClock(std::chrono::milliseconds(100));
    rows += kRows / 20;
    form.writeProgress(rows, kRows);
    if (report == 0) {
      EXPECT_GT(counter.paints, 0) << "a pending repaint is done while the write waits";
      EXPECT_FALSE(barShown(form)) << "not before a second";
    }
  }
  ASSERT_TRUE(barShown(form));
  EXPECT_EQ(progressBar(form)->value(), rows);
  EXPECT_EQ(progressBar(form)->maximum(), kRows);
  EXPECT_NE(QApplication::overrideCursor(), nullptr) << "the busy cursor stays";
  EXPECT_TRUE(qtWindow(form).isVisible()) << "the close request does nothing";
  EXPECT_EQ(amplitude->text(), "") << "input waits for the command's end";

  form.writeEnded();
  EXPECT_FALSE(barShown(form));

  // The next write is timed afresh: a short one shows no bar.
  for (int report = 0; report < 3; ++report) {
    form.writeProgress(report, 3);
    EXPECT_FALSE(barShown(form));
  }
  form.writeEnded();
  form.endWaitCursor();
  EXPECT_EQ(amplitude->text(), "");
  for (int wait = 0; wait < 100 && amplitude->text().isEmpty(); ++wait) QTest::qWait(10);
  EXPECT_EQ(amplitude->text(), "7") << "input is delivered once the command has ended";
}

// Storage that takes half a second for every block it is handed, on the form's
// clock; the command waits a fifth of that, long enough to report.
ssize_t slowWrite(int fd, const void* data, std::size_t size) {
  moveFormClock(std::chrono::milliseconds(500));
  std::this_thread::sleep_for(std::chrono::milliseconds(200));
  return ::write(fd, data, size);
}

TEST(FormFeedback, TheCalculateCommandOnSlowStorageShowsItsProgressUntilTheWriteEnds) {
  QTemporaryDir folder;
  ASSERT_TRUE(folder.isValid());
  const QString previous = QDir::currentPath();
  QDir::setCurrent(folder.path());
  const FileSystemCalls saved = fileSystemCalls();
  fileSystemCalls().write = &slowWrite;

  RecordingForm form;
  showActive(form);
  const std::pair<int, const char*> values[] = {{IDC_AMPLITUDE, "1"},
                                                {IDC_FREQUENCY, "10"},
                                                {IDC_DELAY, "0"},
                                                {IDC_DURATION, "10"},
                                                {IDC_SAMPLES_PER_SECOND, "10000"}};
  for (const auto& [id, text] : values) dynamic_cast<QLineEdit*>(qtControl(form, id))->setText(text);
  form.nextFileName = "slow.txt";
  // 100,000 rows, four blocks: well over a second on this storage.
  bool shownDuringTheWrite = false;
  QTimer look;
  QObject::connect(&look, &QTimer::timeout, [&] { shownDuringTheWrite = shownDuringTheWrite || barShown(form); });
  look.start(50);
  form.OnOK();
  look.stop();
  fileSystemCalls() = saved;
  QDir::setCurrent(previous);

  EXPECT_TRUE(shownDuringTheWrite);
  EXPECT_FALSE(barShown(form)) << "the bar goes when the write ends";
  ASSERT_EQ(form.messages.size(), 1u);
  EXPECT_EQ(QFileInfo(folder.filePath("slow.txt")).size(), 100'000 * 33);
}

}  // namespace
}  // namespace korvel::test
