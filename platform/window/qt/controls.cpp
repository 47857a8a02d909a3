#include "platform/window/controls.h"

#include "platform/window/qt/field_mark.h"
#include "platform/window/qt/native_controls.h"

namespace korvel {

std::string CEdit::GetWindowText() const { return native_->text().toStdString(); }

void CEdit::markAsTyped(std::function<std::string(const std::string& text)> noteFor) {
  markFieldAsTyped(native_, std::move(noteFor));
}

void CListBox::InsertString(int index, std::string_view label) {
  native_->insertItem(index, QString::fromLatin1(label.data(), static_cast<qsizetype>(label.size())));
}

int CListBox::GetCount() const { return native_->count(); }

std::string CListBox::GetText(int index) const {
  const QListWidgetItem* item = native_->item(index);
  return item != nullptr ? item->text().toStdString() : std::string();
}

int CListBox::GetCurSel() const { return native_->currentRow(); }

void CListBox::SetCurSel(int index) { native_->setCurrentRow(index); }

}  // namespace korvel
