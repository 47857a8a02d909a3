#include "web/page_form.h"

#include <utility>

namespace korvel::web {

void PageForm::setFieldText(int controlId, std::string text) {
  if (controlId >= kFirstField && controlId < kFirstField + kFieldCount) {
    texts_[controlId - kFirstField] = std::move(text);
  }
}

std::string PageForm::fieldText(int controlId) {
  if (controlId < kFirstField || controlId >= kFirstField + kFieldCount) return {};
  return texts_[controlId - kFirstField];
}

}  // namespace korvel::web
