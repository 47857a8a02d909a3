#pragma once

// A mark on an edit field whose text deserves a second look: a coloured frame,
// and a note as its tooltip and its description for screen readers. The text
// itself is left alone.

#include <functional>
#include <string>

class QLineEdit;

namespace korvel {

// Marks `field` with `note`; an empty note takes the mark away.
void setFieldMark(QLineEdit* field, const std::string& note);

// From now on, each change of the field's text sets its mark to `noteFor` of the new text.
void markFieldAsTyped(QLineEdit* field, std::function<std::string(const std::string& text)> noteFor);

}  // namespace korvel
