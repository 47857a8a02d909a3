#include "platform/qt/save_dialog.h"

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>

namespace korvel {

std::optional<std::string> askSaveFileName(QWidget* owner) {
  QFileDialog dialog(owner);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setDefaultSuffix(QString());
  dialog.setOption(QFileDialog::DontConfirmOverwrite, false);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  const QStringList chosen = dialog.selectedFiles();
  if (chosen.isEmpty()) return std::nullopt;

  const QFileInfo file(chosen.front());
  // Should the folder have gone meanwhile, the full path keeps the file from
  // landing in whatever folder happens to be current; the open then reports it.
  if (!QDir::setCurrent(file.absolutePath())) return QFile::encodeName(file.absoluteFilePath()).toStdString();
  return QFile::encodeName(file.fileName()).toStdString();
}

}  // namespace korvel
