#include "platform/window/qt/field_mark.h"

#include <QLineEdit>
#include <QTextDocument>

namespace korvel {
namespace {

// An amber frame, as wide as the style's own so the text does not move, on a
// faintly tinted ground: seen at a glance without looking like an error. The
// frame darkens while the field has the focus.
const QString kMarkedStyle = QStringLiteral(
    "QLineEdit { border: 2px solid #d98200; border-radius: 2px; background: #fff6e0; color: black; padding: 0px; }"
    "QLineEdit:focus { border-color: #9a5a00; }");

}  // namespace

void setFieldMark(QLineEdit* field, const std::string& note) {
  const bool marked = !note.empty();
  field->setStyleSheet(marked ? kMarkedStyle : QString());
  // As rich text made from the plain note, so that nothing in it reads as markup.
  field->setToolTip(marked ? Qt::convertFromPlainText(QString::fromStdString(note)) : QString());
  // Screen readers hear the plain words: without a description of its own they
  // would read the tooltip's markup.
  field->setAccessibleDescription(QString::fromStdString(note));
}

void markFieldAsTyped(QLineEdit* field, std::function<std::string(const std::string& text)> noteFor) {
  QObject::connect(field, &QLineEdit::textChanged, field, [field, noteFor = std::move(noteFor)](const QString& text) {
    setFieldMark(field, noteFor(text.toStdString()));
  });
}

}  // namespace korvel
