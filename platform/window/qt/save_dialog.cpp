#include "platform/window/qt/save_dialog.h"

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QSettings>

#include "platform/files/chosen_folder.h"
#include "platform/window/qt/dialog_window.h"
#include "platform/window/save_dialog.h"

namespace korvel {
namespace {

// The file dialog reads its last folder, folder history, side bar and view from
// the Qt settings file that every Qt program of the user shares, and writes them
// back when it closes; korvel keeps nothing between runs. So the process's
// settings files lie under a device instead of a folder: Qt finds no file to
// read there, and its check for a writable folder fails before it creates a
// folder, a lock file or a file. Within a run the dialog still remembers its
// last folder.
void keepNoSettings() {
  static const bool kept = [] {
    for (const QSettings::Format format : {QSettings::NativeFormat, QSettings::IniFormat}) {
      for (const QSettings::Scope scope : {QSettings::UserScope, QSettings::SystemScope}) {
        QSettings::setPath(format, scope, QStringLiteral("/dev/null"));
      }
    }
    return true;
  }();
  (void)kept;
}

}  // namespace

std::optional<std::string> askSaveFileName(QWidget* owner) {
  keepNoSettings();
  // Opens in the current directory: the folder of the file last chosen, if any.
  // Titled by name: the desktop's own dialog (GTK's on GNOME) takes the title
  // given and shows none when none is.
  QFileDialog dialog(owner, QStringLiteral("Save As"), QDir::currentPath());
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setDefaultSuffix(QString());
  dialog.setOption(QFileDialog::DontConfirmOverwrite, false);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  const QStringList chosen = dialog.selectedFiles();
  if (chosen.isEmpty()) return std::nullopt;

  // Should the folder have gone meanwhile, the full path keeps the file from
  // landing in whatever folder happens to be current; the open then reports it.
  return enterFolderOf(QFile::encodeName(QFileInfo(chosen.front()).absoluteFilePath()).toStdString()).name;
}

std::optional<std::string> askSaveFileName(CDialog& owner) { return askSaveFileName(&qtWindow(owner)); }

}  // namespace korvel
