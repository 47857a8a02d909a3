#include "platform/window/controls.h"

#include <QLineEdit>
#include <QListWidget>

#include "platform/window/qt/field_mark.h"

namespace korvel {
namespace {

QLineEdit* lineEdit(NativeControl control) { return static_cast<QLineEdit*>(control); }
QListWidget* listWidget(NativeControl control) { return static_cast<QListWidget*>(control); }

}  // namespace

std::string CEdit::GetWindowText() const { return lineEdit(control_)->text().toStdString(); }

void CEdit::markAsTyped(std::function<std::string(const std::string& text)> noteFor) {
  markFieldAsTyped(lineEdit(control_), std::move(noteFor));
}

void CListBox::InsertString(int index, std::string_view label) {
  listWidget(control_)->insertItem(index,
                                   QString::fromLatin1(label.data(), static_cast<qsizetype>(label.size())));
}

int CListBox::GetCount() const { return listWidget(control_)->count(); }

std::string CListBox::GetText(int index) const {
  const QListWidgetItem* item = listWidget(control_)->item(index);
  return item != nullptr ? item->text().toStdString() : std::string();
}

int CListBox::GetCurSel() const { return listWidget(control_)->currentRow(); }

void CListBox::SetCurSel(int index) { listWidget(control_)->setCurrentRow(index); }

}  // namespace korvel
