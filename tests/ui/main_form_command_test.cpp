// The main form's Calculate command against the live controls, and the files it writes.

#include <gtest/gtest.h>

#include <algorithm>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMessageBox>
#include <QProcess>
#include <QTemporaryDir>

#include "platform/window/qt/dialog_window.h"
#include "res/resource_ids.h"
#include "tests/support/qt/form_controls.h"
#include "tests/support/qt/modal_watch.h"
#include "tests/support/qt/recording_form.h"

namespace korvel::test {
namespace {

using namespace korvel::res;

TEST(MainForm, CalculationReadsWhatTheUserTypedAndSelected) {
  CTimeHistoryDlg form;
  showActive(form);
  struct Case {
    int id;
    const char* typed;
  };
  const Case cases[] = {{IDC_AMPLITUDE, "1.5d3"},
                        {IDC_DELAY, " 0.25"},
                        {IDC_DURATION, "2.5abc"},
                        {IDC_FREQUENCY, "1,5"},
                        {IDC_SAMPLES_PER_SECOND, "-7e2"}};
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
  const std::pair<int, const char*> values[] = {{IDC_AMPLITUDE, "1"},
                                                {IDC_FREQUENCY, "10"},
                                                {IDC_DELAY, "0"},
                                                {IDC_DURATION, "0.2"},
                                                {IDC_SAMPLES_PER_SECOND, "100"}};
  for (const auto& [id, text] : values) {
    QTest::mouseClick(qtControl(form, id), Qt::LeftButton);
    QTest::keyClicks(qtControl(form, id), text);
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
  cli.start(QStringLiteral(KORVEL_CLI_PATH),
            {"-a", "1", "-f", "10", "-n", "3", "-d", "0", "-t", "0.2", "-r", "100", "-o", path("cli.txt")});
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
  EXPECT_TRUE(qtWindow(form).isVisible());

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
  EXPECT_EQ(owner, &qtWindow(form));
  EXPECT_TRUE(qtWindow(form).isVisible());
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
    const bool typeable =
        std::all_of(c.text.begin(), c.text.end(), [](QChar ch) { return ch >= ' ' && ch < QChar(0x7f); });
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
  EXPECT_TRUE(qtWindow(form).isVisible());
}

}  // namespace
}  // namespace korvel::test
