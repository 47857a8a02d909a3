// The Qt services behind the form: message boxes, the save dialog, the busy
// cursor and dialog units.

#include <gtest/gtest.h>

#include <QApplication>
#include <QPushButton>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>
#include <cerrno>
#include <optional>
#include <stdexcept>
#include <utility>

#include <private/qguiapplication_p.h>
#include <qpa/qplatformdialoghelper.h>
#include <qpa/qplatformtheme.h>

#include "platform/files/file_failure.h"
#include "platform/window/busy_cursor.h"
#include "platform/window/controls.h"
#include "platform/window/dialog.h"
#include "platform/window/qt/dialog_units.h"
#include "platform/window/qt/dialog_window.h"
#include "platform/window/qt/message_box.h"
#include "platform/window/qt/save_dialog.h"
#include "res/dialog_templates.h"
#include "res/resource_ids.h"
#include "tests/support/qt/modal_watch.h"

namespace korvel::test {
namespace {

struct SeenMessageBox {
  QMessageBox::Icon icon = QMessageBox::NoIcon;
  QString title, text;
  QList<QAbstractButton*>::size_type buttons = 0;
  bool ok = false;
  QWidget* owner = nullptr;
  bool modal = false;
  std::optional<Qt::CursorShape> cursor;  // the override cursor, if any
  bool fixed = false;  // fixed size, no minimise or maximise box, stays put when asked to fill the screen
};

std::optional<Qt::CursorShape> overrideCursorShape() {
  if (QCursor* cursor = QApplication::overrideCursor()) return cursor->shape();
  return std::nullopt;
}

// Shows a message box through `show` and returns what it looked like; Enter dismisses it.
SeenMessageBox seeMessageBox(const std::function<void()>& show) {
  SeenMessageBox seen;
  ModalWatchdog watchdog;
  whenOnTop<QMessageBox>([&seen](QMessageBox& box) {
    seen = {box.icon(),
            box.windowTitle(),
            box.text(),
            box.buttons().size(),
            box.standardButtons() == QMessageBox::Ok,
            box.parentWidget(),
            box.isModal(),
            overrideCursorShape()};
    const QRect before = box.geometry();
    box.showFullScreen();
    QApplication::processEvents();
    seen.fixed = box.minimumSize() == box.maximumSize() && box.geometry() == before &&
                 !(box.windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));
    QTest::keyClick(&box, Qt::Key_Return);
  });
  show();
  EXPECT_FALSE(watchdog.fired());
  return seen;
}

TEST(MessageBoxes, WarningAndFileFailureReportShowOneOkOverTheirOwner) {
  QWidget owner;
  owner.show();
  const FileFailure failure(FileFailure::Write, "wave.txt", ENOSPC);
  struct Case {
    const char* name;
    std::function<void()> show;
    QMessageBox::Icon icon;
    std::vector<QString> inText;
  };
  const Case cases[] = {
      {"warning",
       [&] { showMessageBox(&owner, " Warning: Recommended duration >     0.15"); },
       QMessageBox::Warning,
       {" Warning: Recommended duration >     0.15"}},
      {"file failure",
       [&] { showFileFailureReport(&owner, failure); },
       QMessageBox::Critical,
       {"wave.txt", "No space left on device"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    // Shown while busy: the normal pointer over the box, the wait cursor again after it.
    beginBusyCursor();
    const SeenMessageBox seen = seeMessageBox(c.show);
    EXPECT_EQ(seen.cursor, Qt::ArrowCursor);
    EXPECT_EQ(overrideCursorShape(), Qt::WaitCursor);
    endBusyCursor();
    EXPECT_EQ(seen.icon, c.icon);
    EXPECT_EQ(seen.title, QApplication::applicationName());
    for (const QString& part : c.inText) EXPECT_TRUE(seen.text.contains(part)) << seen.text.toStdString();
    EXPECT_EQ(seen.buttons, 1);
    EXPECT_TRUE(seen.ok);
    EXPECT_EQ(seen.owner, &owner);
    EXPECT_TRUE(seen.modal);
    EXPECT_TRUE(seen.fixed);
  }
  EXPECT_TRUE(owner.isVisible()) << "the owner stays open";
}

class SaveDialog : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(folder_.isValid());
    previous_ = QDir::currentPath();
    ASSERT_TRUE(QDir(folder_.path()).mkpath("chosen"));
    ASSERT_TRUE(QDir(folder_.path()).mkpath("start"));
    QDir::setCurrent(folder_.filePath("start"));
  }
  void TearDown() override { QDir::setCurrent(previous_); }

  QString chosenFolder() const { return QDir(folder_.filePath("chosen")).canonicalPath(); }
  QString startFolder() const { return QDir(folder_.filePath("start")).canonicalPath(); }

 private:
  QTemporaryDir folder_;
  QString previous_;
};

TEST_F(SaveDialog, ConfirmedChoiceMovesToItsFolderAndGivesTheBareName) {
  ModalWatchdog watchdog;
  bool saveMode = false, confirmsOverwrite = false;
  QString suffix = "unset";
  whenOnTop<QFileDialog>([&](QFileDialog& dialog) {
    saveMode = dialog.acceptMode() == QFileDialog::AcceptSave;
    confirmsOverwrite = !dialog.testOption(QFileDialog::DontConfirmOverwrite);
    suffix = dialog.defaultSuffix();
    enterFileName(dialog, chosenFolder() + "/wave.dat");
  });
  const std::optional<std::string> name = askSaveFileName(nullptr);
  EXPECT_FALSE(watchdog.fired());
  EXPECT_TRUE(saveMode);
  EXPECT_TRUE(confirmsOverwrite);
  EXPECT_EQ(suffix, "");
  EXPECT_EQ(name, std::optional<std::string>("wave.dat"));
  EXPECT_EQ(QDir::current().canonicalPath(), chosenFolder());
}

TEST_F(SaveDialog, CancelGivesNothingAndStaysInTheFolder) {
  ModalWatchdog watchdog;
  whenOnTop<QFileDialog>([](QFileDialog& dialog) { QTest::keyClick(&dialog, Qt::Key_Escape); });
  EXPECT_EQ(askSaveFileName(nullptr), std::nullopt);
  EXPECT_FALSE(watchdog.fired());
  EXPECT_EQ(QDir::current().canonicalPath(), startFolder());
}

TEST_F(SaveDialog, AnExistingFileIsReplacedOnlyAfterConfirmation) {
  QFile existing(chosenFolder() + "/old.txt");
  ASSERT_TRUE(existing.open(QIODevice::WriteOnly));
  existing.close();

  ModalWatchdog watchdog;
  bool asked = false;
  whenOnTop<QFileDialog>([&](QFileDialog& dialog) {
    whenOnTop<QMessageBox>([&asked, &dialog](QMessageBox& question) {
      asked = true;
      question.button(QMessageBox::No) != nullptr ? question.button(QMessageBox::No)->click() : question.reject();
      // Declined: the save dialog is still open; leave it.
      dialog.reject();
    });
    enterFileName(dialog, existing.fileName());
  });
  EXPECT_EQ(askSaveFileName(nullptr), std::nullopt);
  EXPECT_FALSE(watchdog.fired());
  EXPECT_TRUE(asked);
  EXPECT_EQ(QDir::current().canonicalPath(), startFolder());
}

// The desktop's own file dialog, as a platform theme supplies it (GTK's on
// GNOME desktops): it keeps the title it is shown with and is cancelled.
class DesktopFileDialog : public QPlatformFileDialogHelper {
 public:
  explicit DesktopFileDialog(QString& title) : title_(title) {}
  bool show(Qt::WindowFlags, Qt::WindowModality, QWindow*) override {
    title_ = options()->windowTitle();
    QTimer::singleShot(0, this, [this] { emit reject(); });
    return true;
  }
  void exec() override {}
  void hide() override {}
  bool defaultNameFilterDisables() const override { return false; }
  void setDirectory(const QUrl&) override {}
  QUrl directory() const override { return {}; }
  void selectFile(const QUrl&) override {}
  QList<QUrl> selectedFiles() const override { return {}; }
  void setFilter() override {}
  void selectNameFilter(const QString&) override {}
  QString selectedNameFilter() const override { return {}; }

 private:
  QString& title_;
};

class DesktopTheme : public QPlatformTheme {
 public:
  explicit DesktopTheme(QString& title) : title_(title) {}
  bool usePlatformNativeDialog(DialogType type) const override { return type == FileDialog; }
  QPlatformDialogHelper* createPlatformDialogHelper(DialogType type) const override {
    return type == FileDialog ? new DesktopFileDialog(title_) : nullptr;
  }

 private:
  QString& title_;
};

TEST_F(SaveDialog, TheDesktopsOwnDialogIsTitledSaveAs) {
  QString title = "not shown";
  DesktopTheme theme(title);
  QPlatformTheme* const stock = std::exchange(QGuiApplicationPrivate::platform_theme, &theme);
  const std::optional<std::string> name = askSaveFileName(nullptr);
  QGuiApplicationPrivate::platform_theme = stock;
  EXPECT_EQ(name, std::nullopt);
  EXPECT_EQ(title, "Save As");
}

// Every Qt program of the user shares one Qt settings file, where the file
// dialog would keep its folders and view; korvel reads nothing from the tests'
// private settings folder and leaves it as it was, empty or not.
TEST_F(SaveDialog, KeepsNothingBetweenRuns) {
  const QDir settings(qEnvironmentVariable("XDG_CONFIG_HOME"));
  ASSERT_TRUE(settings.exists());
  const QString elsewhere = QDir(chosenFolder()).filePath("elsewhere");
  ASSERT_TRUE(QDir().mkpath(elsewhere));
  const QByteArray otherProgram =
      "[FileDialog]\nlastVisited=" + QUrl::fromLocalFile(elsewhere).toEncoded() + "\nviewMode=List\n";
  for (const QByteArray& stored : {otherProgram, QByteArray()}) {
    SCOPED_TRACE(stored.isEmpty() ? "no settings" : "another program's settings");
    for (const QString& entry : settings.entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot)) {
      ASSERT_TRUE(QFile::remove(settings.filePath(entry)));
    }
    if (!stored.isEmpty()) {
      QFile file(settings.filePath("QtProject.conf"));
      ASSERT_TRUE(file.open(QIODevice::WriteOnly));
      file.write(stored);
    }
    ModalWatchdog watchdog;
    QString folder;
    auto view = QFileDialog::List;
    whenOnTop<QFileDialog>([&](QFileDialog& dialog) {
      folder = dialog.directory().absolutePath();
      view = dialog.viewMode();
      enterFileName(dialog, chosenFolder() + "/wave.txt");
    });
    const QString current = QDir::current().canonicalPath();
    EXPECT_EQ(askSaveFileName(nullptr), std::optional<std::string>("wave.txt"));
    EXPECT_FALSE(watchdog.fired());
    EXPECT_EQ(QDir(folder).canonicalPath(), current) << "opens in the current directory, not the stored folder";
    EXPECT_EQ(view, QFileDialog::Detail) << "the dialog's own view, not the stored one";

    const QStringList left = settings.entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    EXPECT_EQ(left, stored.isEmpty() ? QStringList() : QStringList{"QtProject.conf"});
    QFile file(settings.filePath("QtProject.conf"));
    if (file.open(QIODevice::ReadOnly)) {
      EXPECT_EQ(file.readAll(), stored);
    }
  }
}

TEST(BusyCursor, ShowsTheWaitCursorUntilItEnds) {
  beginBusyCursor();
  ASSERT_NE(QApplication::overrideCursor(), nullptr);
  EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
  endBusyCursor();
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
  endBusyCursor();  // one end too many does no harm
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST(DialogUnits, RoundToTheNearestPixelHalfAway) {
  const DialogBaseUnits base{7, 15};
  struct Case {
    int units;
    int x, y;
  };
  // x: units * 7 / 4; y: units * 15 / 8.
  const Case cases[] = {{0, 0, 0}, {1, 2, 2}, {2, 4, 4}, {3, 5, 6}, {4, 7, 8}, {228, 399, 428}, {-3, -5, -6}};
  for (const Case& c : cases) {
    EXPECT_EQ(horizontalPixels(c.units, base), c.x) << c.units;
    EXPECT_EQ(verticalPixels(c.units, base), c.y) << c.units;
  }
  // A rectangle's edges are converted, not its size: no gaps between neighbours.
  EXPECT_EQ(pixelRect(1, 1, 2, 2, base), QRect(2, 2, 3, 4));
}

TEST(DialogUnits, TemplateFontIsAnInstalledSansSerif) {
  const QFont font = dialogFont("MS Sans Serif", 8);
  EXPECT_EQ(font.family(), nearestSansSerifFamily());
  EXPECT_EQ(QFontInfo(font).family(), font.family()) << "the face is installed";
  EXPECT_EQ(font.pointSize(), 8);
  const DialogBaseUnits base = dialogBaseUnits(font);
  EXPECT_GT(base.x, 0);
  EXPECT_GT(base.y, base.x);
}

// The main form's template behind a dialog that binds whatever a test asks for.
class BindingDialog : public CDialog {
 public:
  BindingDialog() : CDialog(res::kTimeHistoryTemplate) {}
  std::function<void(DataExchange&)> exchange;

 protected:
  void DoDataExchange(DataExchange& e) override { exchange(e); }
};

TEST(Controls, BindOnlyAControlOfTheirKindAndListEntriesGoWhereInserted) {
  CEdit edit;
  CListBox list;
  const std::pair<const char*, std::function<void(DataExchange&)>> wrong[] = {
      {"a button as an edit", [&](DataExchange& e) { e.bind(res::IDOK, edit); }},
      {"an edit as a list", [&](DataExchange& e) { e.bind(res::IDC_AMPLITUDE, list); }},
      {"an id not in the template", [&](DataExchange& e) { e.bind(4242, edit); }},
  };
  for (const auto& [name, bind] : wrong) {
    BindingDialog dialog;
    dialog.exchange = bind;
    EXPECT_THROW(dialog.Create(), std::logic_error) << name;
  }

  BindingDialog dialog;
  dialog.exchange = [&](DataExchange& e) {
    e.bind(res::IDC_AMPLITUDE, edit);
    e.bind(res::IDC_HALF_SINES, list);
  };
  dialog.Create();
  dynamic_cast<QLineEdit*>(qtControl(dialog, res::IDC_AMPLITUDE))->setText(QStringLiteral("2.5 g"));
  EXPECT_EQ(edit.GetWindowText(), "2.5 g");
  list.InsertString(0, "b");
  list.InsertString(0, "a");
  list.InsertString(2, "c");
  ASSERT_EQ(list.GetCount(), 3);
  EXPECT_EQ(list.GetText(0) + list.GetText(1) + list.GetText(2), "abc");
  EXPECT_EQ(list.GetCurSel(), -1);
  list.SetCurSel(2);
  EXPECT_EQ(list.GetCurSel(), 2);
}

}  // namespace
}  // namespace korvel::test
