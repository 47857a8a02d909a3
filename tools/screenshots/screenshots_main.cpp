// korvel-screenshots FOLDER: renders the main form, with the worked example
// typed in, its context menu and the About box to FOLDER/main-dialog.png,
// FOLDER/context-menu.png and FOLDER/about-box.png.
// Runs on any Qt platform, the offscreen one included.

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QPixmap>
#include <cstdio>

#include "platform/window/qt/dialog_window.h"
#include "res/resource_ids.h"
#include "ui/about_dlg.h"
#include "ui/time_history_dlg.h"

namespace {

bool save(QWidget& window, const QString& path) {
  window.show();
  QApplication::processEvents();
  const bool saved = window.grab().save(path, "PNG");
  window.hide();
  if (!saved) std::fprintf(stderr, "korvel-screenshots: could not write %s\n", qPrintable(path));
  return saved;
}

// The form with its window menu open where the user right-clicked.
bool saveWithMenu(korvel::DialogWindow& form, const QString& path) {
  QMenu* menu = form.windowMenu();
  if (menu == nullptr) return false;
  form.show();
  const QPoint click(400, 240);
  menu->popup(form.mapToGlobal(click));
  QApplication::processEvents();
  QPixmap picture = form.grab();
  {
    QPainter painter(&picture);
    painter.drawPixmap(click, menu->grab());
  }
  menu->hide();
  form.hide();
  const bool saved = picture.save(path, "PNG");
  if (!saved) std::fprintf(stderr, "korvel-screenshots: could not write %s\n", qPrintable(path));
  return saved;
}

void type(korvel::CDialog& dialog, int id, const char* text) {
  if (auto* field = dynamic_cast<QLineEdit*>(korvel::qtControl(dialog, id))) field->setText(QString::fromLatin1(text));
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: korvel-screenshots FOLDER\n");
    return 2;
  }
  int qtArgc = 1;
  QApplication application(qtArgc, argv);
  const QDir folder(QString::fromLocal8Bit(argv[1]));
  QDir().mkpath(folder.path());

  korvel::CTimeHistoryDlg form;
  form.Create();
  using namespace korvel::res;
  type(form, IDC_AMPLITUDE, "1");
  type(form, IDC_FREQUENCY, "10");
  type(form, IDC_DELAY, "0");
  type(form, IDC_DURATION, "0.2");
  type(form, IDC_SAMPLES_PER_SECOND, "100");
  bool ok = save(korvel::qtWindow(form), folder.filePath(QStringLiteral("main-dialog.png")));

  ok = saveWithMenu(korvel::qtWindow(form), folder.filePath(QStringLiteral("context-menu.png"))) && ok;

  korvel::CAboutDlg about;
  about.Create();
  ok = save(korvel::qtWindow(about), folder.filePath(QStringLiteral("about-box.png"))) && ok;
  return ok ? 0 : 1;
}
