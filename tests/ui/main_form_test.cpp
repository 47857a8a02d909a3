// The main form: its controls, layout, list, keys and the Calculate command
// against the live controls.

#include <gtest/gtest.h>

#include <algorithm>

#include <QContextMenuEvent>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include "calc/calculate_command.h"
#include "platform/qt/dialog_units.h"
#include "res/resource_ids.h"
#include "tests/ui/modal_watch.h"
#include "tests/ui/recording_form.h"
#include "ui/about_dlg.h"

namespace korvel::test {
namespace {

using namespace korvel::res;

constexpr int kStepsDone = 0x5D;

QLineEdit* field(CDialog& form, int id) { return dynamic_cast<QLineEdit*>(form.GetDlgItem(id)); }
QListWidget* halfSineList(CDialog& form) { return dynamic_cast<QListWidget*>(form.GetDlgItem(IDC_HALF_SINES)); }
QPushButton* button(CDialog& form, int id) { return dynamic_cast<QPushButton*>(form.GetDlgItem(id)); }

QLabel* labelWithText(CDialog& form, const QString& text) {
  for (QWidget* control : form.controls()) {
    auto* label = dynamic_cast<QLabel*>(control);
    if (label != nullptr && label->text() == text) return label;
  }
  return nullptr;
}

// Shows the form as the user first sees it, and waits until it has the focus.
void showActive(CDialog& form) {
  form.Create();
  form.show();
  form.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&form, 2000));
}

struct ModalRun {
  int result;
  bool watchdogFired;
};

// Runs the form modally, performs `steps` inside its loop and returns how the
// loop ended. Steps that leave the form open end it with kStepsDone.
ModalRun runModal(CDialog& form, const std::function<void()>& steps) {
  ModalWatchdog watchdog;
  QTimer::singleShot(0, &form, [&form, &steps] {
    form.activateWindow();
    (void)QTest::qWaitForWindowActive(&form, 2000);
    steps();
    if (form.isVisible()) form.EndDialog(kStepsDone);
  });
  const int result = form.DoModal();
  return {result, watchdog.fired()};
}

TEST(MainForm, ShowsEveryControlWithItsText) {
  CTimeHistoryDlg form;
  form.Create();
  EXPECT_EQ(form.windowTitle(), "korvel    ver 1.0");

  struct Case {
    int id;
    const char* text;
    bool isDefault;
  };
  for (const Case& c : {Case{IDOK, "Calculate Time History", true}, Case{IDCANCEL, "Exit", false}}) {
    SCOPED_TRACE(c.id);
    QPushButton* b = button(form, c.id);
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(b->text(), c.text);
    EXPECT_EQ(b->isDefault(), c.isDefault);
  }
  for (int id : {IDC_AMPLITUDE, IDC_DELAY, IDC_DURATION, IDC_FREQUENCY, IDC_SAMPLES_PER_SECOND}) {
    SCOPED_TRACE(id);
    ASSERT_NE(field(form, id), nullptr);
    EXPECT_TRUE(field(form, id)->text().isEmpty());
    EXPECT_GE(field(form, id)->maxLength(), 1000000) << "a field has no length limit of its own";
  }
  ASSERT_NE(halfSineList(form), nullptr);
  EXPECT_NE(labelWithText(form, "korvel"), nullptr);
}

TEST(MainForm, EachLabelStandsLeftOfItsFieldOnTheSameLine) {
  CTimeHistoryDlg form;
  form.Create();
  struct Case {
    const char* label;
    int id;
  };
  const Case cases[] = {{"Amplitude", IDC_AMPLITUDE},
                        {"Frequency (Hz)", IDC_FREQUENCY},
                        {"Number of Half-Sine", IDC_HALF_SINES},
                        {"Delay (sec)", IDC_DELAY},
                        {"Total Duration (sec)", IDC_DURATION},
                        {"Samples per second", IDC_SAMPLES_PER_SECOND}};
  int previousTop = -1;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    QLabel* label = labelWithText(form, c.label);
    QWidget* control = form.GetDlgItem(c.id);
    ASSERT_NE(label, nullptr);
    ASSERT_NE(control, nullptr);
    const QRect l = label->geometry();
    const QRect f = control->geometry();
    EXPECT_LT(l.left(), f.left());
    EXPECT_LE(l.right(), f.left()) << "the label runs into its field";
    EXPECT_GE(l.center().y(), f.top());
    EXPECT_LE(l.center().y(), f.bottom());
    EXPECT_GE(label->width(), label->fontMetrics().horizontalAdvance(label->text()) - 2)
        << "the label's text is cut off";
    EXPECT_GT(f.top(), previousTop) << "read top to bottom in this order";
    previousTop = f.top();
  }
}

TEST(MainForm, GroupBoxFramesTheInputsAndLetsClicksThrough) {
  RecordingForm form;
  showActive(form);
  QGroupBox* group = nullptr;
  for (QWidget* control : form.controls()) {
    if (auto* g = dynamic_cast<QGroupBox*>(control)) group = g;
  }
  ASSERT_NE(group, nullptr);
  EXPECT_EQ(group->title(), "Enter");
  for (int id : {IDC_AMPLITUDE, IDC_DELAY, IDC_HALF_SINES, IDC_DURATION, IDC_FREQUENCY, IDC_SAMPLES_PER_SECOND}) {
    SCOPED_TRACE(id);
    QWidget* control = form.GetDlgItem(id);
    EXPECT_TRUE(group->geometry().contains(control->geometry()));
    EXPECT_NE(form.childAt(control->geometry().center()), group) << "the group box lies on top";
  }
  // A click in the amplitude field (created before the group box) reaches it.
  QTest::mouseClick(field(form, IDC_AMPLITUDE), Qt::LeftButton);
  EXPECT_TRUE(field(form, IDC_AMPLITUDE)->hasFocus());
}

TEST(MainForm, MeasuresInDialogUnitsOfItsTenPointSansFont) {
  CTimeHistoryDlg form;
  form.Create();
  const QFont font = form.font();
  EXPECT_EQ(font.family(), nearestSansSerifFamily());
  EXPECT_EQ(font.pointSize(), 10);

  const QFontMetrics metrics(font);
  const int averageWidth =
      (metrics.horizontalAdvance("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz") / 26 + 1) / 2;
  const int height = metrics.height();
  auto x = [&](int units) { return (units * averageWidth * 2 + 4) / 8; };  // rounded, all positive
  auto y = [&](int units) { return (units * height + 4) / 8; };

  EXPECT_EQ(form.minimumSize(), form.maximumSize()) << "fixed size";
  EXPECT_EQ(form.size(), QSize(x(320), y(228)));
  EXPECT_EQ(button(form, IDOK)->geometry(), QRect(x(216), y(72), x(216 + 83) - x(216), y(72 + 14) - y(72)));
  EXPECT_EQ(halfSineList(form)->geometry(), QRect(x(121), y(97), x(121 + 28) - x(121), y(97 + 30) - y(97)));
  EXPECT_FALSE(form.windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
  EXPECT_FALSE(form.windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
}

// Fixed-size dialogs: no minimise or maximise box, and a request to maximise or
// fill the screen leaves them where and as large as they were.
TEST(MainForm, FormAndAboutBoxKeepTheirSizeAndPlace) {
  CTimeHistoryDlg form;
  CAboutDlg about;
  for (CDialog* dialog : std::initializer_list<CDialog*>{&form, &about}) {
    SCOPED_TRACE(dialog->windowTitle().toStdString());
    showActive(*dialog);
    EXPECT_EQ(dialog->minimumSize(), dialog->maximumSize());
    EXPECT_FALSE(dialog->windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));
    const QRect before = dialog->geometry();
    for (Qt::WindowState state : {Qt::WindowFullScreen, Qt::WindowMaximized}) {
      dialog->setWindowState(state);
      QApplication::processEvents();
      EXPECT_EQ(dialog->windowState(), Qt::WindowNoState) << state;
      EXPECT_EQ(dialog->geometry(), before) << state;
    }
    dialog->showFullScreen();
    QApplication::processEvents();
    EXPECT_EQ(dialog->geometry(), before);
    dialog->hide();
  }
}

TEST(MainForm, StartsWithFocusOnCalculateAndTabsInTemplateOrder) {
  CTimeHistoryDlg form;
  showActive(form);
  EXPECT_EQ(QApplication::focusWidget(), button(form, IDOK));

  const int expected[] = {IDCANCEL, IDC_AMPLITUDE, IDC_DELAY, IDC_HALF_SINES,
                          IDC_DURATION, IDC_FREQUENCY, IDC_SAMPLES_PER_SECOND, IDOK};
  for (int id : expected) {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), form.GetDlgItem(id)) << "after Tab, expected control " << id;
  }
}

// A keyboard user sees where the focus is: a button or the list looks different
// with the focus than with the focus in a field.
TEST(MainForm, FocusedButtonOrListShowsAFocusFrame) {
  CTimeHistoryDlg form;
  showActive(form);
  auto tabTo = [&form](QWidget* target) {
    for (int i = 0; i < 10 && QApplication::focusWidget() != target; ++i) {
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    ASSERT_EQ(QApplication::focusWidget(), target);
  };
  for (int id : {IDOK, IDCANCEL, IDC_HALF_SINES}) {
    SCOPED_TRACE(id);
    QWidget* control = form.GetDlgItem(id);
    const QRect around = control->geometry().adjusted(-4, -4, 4, 4);
    tabTo(control);
    const QImage focused = form.grab(around).toImage();
    tabTo(field(form, IDC_AMPLITUDE));
    const QImage elsewhere = form.grab(around).toImage();
    ASSERT_EQ(elsewhere.size(), focused.size());
    // The pixels that change clearly, not by a shade.
    int changed = 0;
    for (int y = 0; y < focused.height(); ++y) {
      for (int x = 0; x < focused.width(); ++x) {
        if (std::abs(qGray(focused.pixel(x, y)) - qGray(elsewhere.pixel(x, y))) >= 64) ++changed;
      }
    }
    // A dotted outline round even one line of text changes some fifty pixels.
    EXPECT_GE(changed, 40);
  }
}

TEST(MainForm, ListsHalfSineCountsInNumericOrderWithThreeSelected) {
  CTimeHistoryDlg form;
  form.Create();
  QListWidget* list = halfSineList(form);
  ASSERT_EQ(list->count(), 11);
  for (int k = 0; k < list->count(); ++k) {
    EXPECT_EQ(list->item(k)->text(), QString::number(3 + 2 * k));
    EXPECT_EQ(list->item(k)->text().toInt(), halfSineCountForIndex(k)) << "label and count of entry " << k;
  }
  EXPECT_EQ(list->currentRow(), 0);
  EXPECT_EQ(list->selectedItems().size(), 1);
  EXPECT_EQ(form.selectedHalfSineIndex(), 0);
}

TEST(MainForm, CalculationReadsWhatTheUserTypedAndSelected) {
  CTimeHistoryDlg form;
  showActive(form);
  struct Case {
    int id;
    const char* typed;
  };
  const Case cases[] = {{IDC_AMPLITUDE, "1.5d3"}, {IDC_DELAY, " 0.25"}, {IDC_DURATION, "2.5abc"},
                        {IDC_FREQUENCY, "1,5"},   {IDC_SAMPLES_PER_SECOND, "-7e2"}};
  for (const Case& c : cases) {
    QTest::mouseClick(field(form, c.id), Qt::LeftButton);
    QTest::keyClicks(field(form, c.id), c.typed);
  }
  for (const Case& c : cases) EXPECT_EQ(form.fieldText(c.id), c.typed) << "field " << c.id;

  QListWidget* list = halfSineList(form);
  list->scrollToItem(list->item(4));
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(4)).center());
  EXPECT_EQ(form.selectedHalfSineIndex(), 4);
  QTest::keyClick(list, Qt::Key_Down);
  EXPECT_EQ(form.selectedHalfSineIndex(), 5);
  EXPECT_EQ(list->selectedItems().size(), 1);
}

TEST(MainForm, EnterInAFieldOrTheListRunsTheCalculation) {
  for (int id : {IDC_AMPLITUDE, IDC_SAMPLES_PER_SECOND, IDC_HALF_SINES}) {
    SCOPED_TRACE(id);
    RecordingForm form;
    const ModalRun run = runModal(form, [&form, id] {
      QWidget* control = form.GetDlgItem(id);
      control->setFocus();
      QTest::keyClick(control, Qt::Key_Return);
    });
    EXPECT_FALSE(run.watchdogFired);
    EXPECT_EQ(run.result, kStepsDone) << "the form stays open after a calculation";
    // Every field empty reads as 0: frequency 0 needs an endless duration.
    EXPECT_EQ(form.messages, std::vector<std::string>{" Warning: Recommended duration >      inf"});
    EXPECT_EQ(form.saveDialogs, 0);
  }
}

TEST(MainForm, EscapeExitAndTheCloseBoxEndTheModalRun) {
  struct Case {
    const char* name;
    std::function<void(CDialog&)> act;
  };
  const Case cases[] = {
      {"Escape in a field", [](CDialog& f) { QTest::keyClick(f.GetDlgItem(IDC_DELAY), Qt::Key_Escape); }},
      {"Escape in the list", [](CDialog& f) { QTest::keyClick(f.GetDlgItem(IDC_HALF_SINES), Qt::Key_Escape); }},
      {"Exit clicked", [](CDialog& f) { QTest::mouseClick(f.GetDlgItem(IDCANCEL), Qt::LeftButton); }},
      {"Enter on Exit",
       [](CDialog& f) {
         f.GetDlgItem(IDCANCEL)->setFocus();
         QTest::keyClick(f.GetDlgItem(IDCANCEL), Qt::Key_Return);
       }},
      {"close box", [](CDialog& f) { f.close(); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    RecordingForm form;
    const ModalRun run = runModal(form, [&] { c.act(form); });
    EXPECT_FALSE(run.watchdogFired);
    EXPECT_EQ(run.result, IDCANCEL);
    EXPECT_TRUE(form.messages.empty()) << "nothing was calculated";
  }
}

TEST(MainForm, WindowMenuOpensTheAboutBoxAndLeavesTheFormAsItWas) {
  struct Case {
    const char* name;
    std::function<void(CDialog&)> open;
  };
  const Case cases[] = {
      {"Shift+F10", [](CDialog& f) { QTest::keyClick(f.GetDlgItem(IDOK), Qt::Key_F10, Qt::ShiftModifier); }},
      {"Menu key in the list", [](CDialog& f) { QTest::keyClick(f.GetDlgItem(IDC_HALF_SINES), Qt::Key_Menu); }},
      {"right click on the form", [](CDialog& f) { QTest::mouseClick(f.windowHandle(), Qt::RightButton, {}, QPoint(5, 5)); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    RecordingForm form;
    QStringList entries;
    QWidget* aboutOwner = nullptr;
    QString aboutTitle;
    const ModalRun run = runModal(form, [&] {
      QTest::keyClicks(field(form, IDC_FREQUENCY), "10");
      halfSineList(form)->setCurrentRow(2);
      whenOnTop<QMenu>([&](QMenu& menu) {
        QAction* about = nullptr;
        for (QAction* action : menu.actions()) {
          entries << (action->isSeparator() ? QStringLiteral("-") : action->text());
          if (action->data().toInt() == IDM_ABOUTBOX) about = action;
        }
        if (about == nullptr) {
          menu.close();
          return;
        }
        menu.setActiveAction(about);
        QTest::keyClick(&menu, Qt::Key_Return);
      });
      whenOnTop<CAboutDlg>([&](CAboutDlg& box) {
        aboutOwner = box.parentWidget();
        aboutTitle = box.windowTitle();
        QTest::mouseClick(box.GetDlgItem(IDOK), Qt::LeftButton);
      });
      c.open(form);
    });
    EXPECT_FALSE(run.watchdogFired);
    EXPECT_EQ(run.result, kStepsDone) << "closing the About box leaves the form open";
    EXPECT_EQ(entries, (QStringList{"&Close\tAlt+F4", "-", "&About korvel..."}));
    EXPECT_EQ(aboutOwner, &form);
    EXPECT_EQ(aboutTitle, "About korvel");
    EXPECT_EQ(form.fieldText(IDC_FREQUENCY), "10");
    EXPECT_EQ(form.selectedHalfSineIndex(), 2);
  }
}

// The Menu key arrives as a key press, and on X11 first as a context-menu
// request from the keyboard; either way the menu opens at the focused control.
TEST(MainForm, MenuKeyOpensTheWindowMenuAtTheFocusedControl) {
  const std::pair<const char*, std::function<void(QWidget*)>> presses[] = {
      {"key press", [](QWidget* control) { QTest::keyClick(control, Qt::Key_Menu); }},
      {"context-menu request",
       [](QWidget* control) {
         QContextMenuEvent request(QContextMenuEvent::Keyboard, QPoint(), control->mapToGlobal(QPoint()));
         QApplication::sendEvent(control, &request);
       }},
  };
  for (int id : {IDC_HALF_SINES, IDOK, IDCANCEL}) {
    for (const auto& [how, press] : presses) {
      SCOPED_TRACE(std::to_string(id) + " " + how);
      RecordingForm form;
      QRect control;
      QPoint menuAt;
      const ModalRun run = runModal(form, [&, press = press] {
        QWidget* focused = form.GetDlgItem(id);
        focused->setFocus();
        control = QRect(focused->mapToGlobal(QPoint()), focused->size());
        whenOnTop<QMenu>([&](QMenu& menu) {
          menuAt = menu.pos();
          menu.close();
        });
        press(focused);
      });
      EXPECT_FALSE(run.watchdogFired);
      EXPECT_TRUE(control.adjusted(0, 0, 0, 1).contains(menuAt)) << menuAt.x() << "," << menuAt.y();
    }
  }
}

// Runs in a fresh temporary folder, returning to the previous one afterwards.
class InTemporaryFolder : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(folder_.isValid());
    previous_ = QDir::currentPath();
    QDir::setCurrent(folder_.path());
  }
  void TearDown() override { QDir::setCurrent(previous_); }
  QString path(const QString& name) const { return folder_.filePath(name); }

 private:
  QTemporaryDir folder_;
  QString previous_;
};

using MainFormFiles = InTemporaryFolder;

void typeWorkedExample(CDialog& form) {
  const std::pair<int, const char*> values[] = {{IDC_AMPLITUDE, "1"}, {IDC_FREQUENCY, "10"}, {IDC_DELAY, "0"},
                                                {IDC_DURATION, "0.2"}, {IDC_SAMPLES_PER_SECOND, "100"}};
  for (const auto& [id, text] : values) {
    QTest::mouseClick(form.GetDlgItem(id), Qt::LeftButton);
    QTest::keyClicks(form.GetDlgItem(id), text);
  }
}

TEST_F(MainFormFiles, WorkedExampleWritesTheSameBytesAsTheCommandLine) {
  RecordingForm form;
  showActive(form);
  typeWorkedExample(form);
  form.nextFileName = "form.txt";
  QTest::mouseClick(button(form, IDOK), Qt::LeftButton);
  ASSERT_EQ(form.messages.size(), 1u);
  EXPECT_NE(form.messages[0].find("form.txt"), std::string::npos);
  EXPECT_TRUE(form.failures.empty());

  QProcess cli;
  cli.start(QStringLiteral(KORVEL_CLI_PATH), {"-a", "1", "-f", "10", "-n", "3", "-d", "0", "-t", "0.2", "-r", "100",
                                              "-o", path("cli.txt")});
  ASSERT_TRUE(cli.waitForFinished(30000));
  ASSERT_EQ(cli.exitCode(), 0);
  QFile fromForm(path("form.txt")), fromCli(path("cli.txt"));
  ASSERT_TRUE(fromForm.open(QIODevice::ReadOnly));
  ASSERT_TRUE(fromCli.open(QIODevice::ReadOnly));
  const QByteArray formBytes = fromForm.readAll();
  EXPECT_EQ(formBytes.size(), 20 * 33) << "20 rows of 33 bytes";
  EXPECT_EQ(formBytes, fromCli.readAll());
}

TEST_F(MainFormFiles, FileFailureIsReportedAndTheFormStaysUsable) {
  RecordingForm form;
  showActive(form);
  typeWorkedExample(form);
  form.nextFileName = "no-such-folder/out.txt";
  QTest::mouseClick(button(form, IDOK), Qt::LeftButton);
  EXPECT_EQ(form.failures, std::vector<std::string>{"no-such-folder/out.txt"});
  EXPECT_FALSE(form.busyWhileReporting) << "the busy cursor ends before the report";
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
  EXPECT_TRUE(form.messages.empty()) << "no completion message after a failure";
  EXPECT_TRUE(form.isVisible());

  // The next calculation runs as usual.
  form.nextFileName = "out.txt";
  QTest::keyClick(field(form, IDC_DURATION), Qt::Key_Return);
  EXPECT_EQ(form.failures.size(), 1u);
  ASSERT_EQ(form.messages.size(), 1u);
  EXPECT_TRUE(QFile::exists(path("out.txt")));
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

// The form with its own file-failure report: a real message box.
class FormWithRealReport : public RecordingForm {
 public:
  void reportFileFailure(const FileFailure& failure) override { CTimeHistoryDlg::reportFileFailure(failure); }
};

TEST_F(MainFormFiles, FileFailureReportIsAStopMessageNamingTheFile) {
  FormWithRealReport form;
  showActive(form);
  typeWorkedExample(form);
  form.nextFileName = "missing/wave.txt";
  QMessageBox::Icon icon = QMessageBox::NoIcon;
  QString text;
  QWidget* owner = nullptr;
  ModalWatchdog watchdog;
  whenOnTop<QMessageBox>([&](QMessageBox& box) {
    icon = box.icon();
    text = box.text();
    owner = box.parentWidget();
    QTest::keyClick(&box, Qt::Key_Return);
  });
  QTest::mouseClick(button(form, IDOK), Qt::LeftButton);
  EXPECT_FALSE(watchdog.fired());
  EXPECT_EQ(icon, QMessageBox::Critical);
  EXPECT_TRUE(text.contains("missing/wave.txt")) << text.toStdString();
  EXPECT_TRUE(text.contains("No such file or directory")) << text.toStdString();
  EXPECT_EQ(owner, &form);
  EXPECT_TRUE(form.isVisible());
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

// Whatever reaches a field, typed or pasted, the form reads it, answers as the
// arithmetic says, and goes on working.
TEST_F(MainFormFiles, SurvivesAnythingTypedOrPasted) {
  RecordingForm form;
  showActive(form);
  typeWorkedExample(form);
  const QString tenThousandDigits = "1" + QString(9999, '0');
  const struct {
    int id;
    QString text;
    const char* warning;  // nullptr when a file is written
  } cases[] = {
      {IDC_AMPLITUDE, "", nullptr},
      {IDC_AMPLITUDE, "1e999", nullptr},
      {IDC_AMPLITUDE, "-1e999", nullptr},
      {IDC_AMPLITUDE, "-0", nullptr},
      {IDC_AMPLITUDE, QString::fromUtf8("\u00e9\u4e2d5"), nullptr},
      {IDC_DELAY, "   ", nullptr},
      {IDC_DELAY, "1e999", " Warning: Recommended duration >      inf"},
      {IDC_FREQUENCY, "-", " Warning: Recommended duration >      inf"},
      {IDC_FREQUENCY, "nan", " Warning: Recommended duration >      inf"},
      {IDC_FREQUENCY, "inf", " Warning: Recommended duration >      inf"},
      {IDC_FREQUENCY, "0x10", " Warning: Recommended duration >      inf"},
      {IDC_FREQUENCY, "1,5", " Warning: Recommended duration >      1.5"},
      {IDC_FREQUENCY, "1e-400", " Warning: Recommended duration >      inf"},
      {IDC_DURATION, "1e999", nullptr},
      {IDC_SAMPLES_PER_SECOND, tenThousandDigits, nullptr},
      {IDC_SAMPLES_PER_SECOND, QString::fromLatin1("\x01\x7f 100"), nullptr},
  };
  form.nextFileName = "odd.txt";
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text.left(20).toStdString());
    QLineEdit* edit = field(form, c.id);
    const QString before = edit->text();
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    const bool typeable = std::all_of(c.text.begin(), c.text.end(), [](QChar ch) { return ch >= ' ' && ch < QChar(0x7f); });
    if (typeable) {
      QTest::keyClicks(edit, c.text);
    } else {
      edit->setText(c.text);  // what a paste can deliver: any character, control characters included
    }
    form.messages.clear();
    QTest::keyClick(edit, Qt::Key_Return);
    ASSERT_EQ(form.messages.size(), 1u);
    if (c.warning != nullptr) {
      EXPECT_EQ(form.messages[0], c.warning);
    } else {
      EXPECT_EQ(form.messages[0].rfind("Calculation complete.", 0), 0u) << form.messages[0];
      EXPECT_EQ(QFileInfo(path("odd.txt")).size() % 33, 0);
    }
    EXPECT_TRUE(form.failures.empty());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(form.fieldText(c.id), c.text.toStdString()) << "the field keeps what was typed";
    edit->setText(before);
  }
  // Back to the worked example: the same 20 rows as ever.
  form.nextFileName = "after.txt";
  QTest::mouseClick(button(form, IDOK), Qt::LeftButton);
  QFile after(path("after.txt"));
  ASSERT_TRUE(after.open(QIODevice::ReadOnly));
  EXPECT_EQ(after.size(), 20 * 33);
  EXPECT_TRUE(form.isVisible());
}

}  // namespace
}  // namespace korvel::test
