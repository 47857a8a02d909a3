#include "web/page_form.h"

#include <utility>

#include "res/form_inputs.h"

namespace korvel::web {

void PageForm::setFieldText(int controlId, std::string text) {
  const res::FormInput* input = res::formInput(controlId);
  if (input != nullptr && input->kind == res::FormInput::Field) texts_[controlId] = std::move(text);
}

std::string PageForm::fieldText(int controlId) {
  const auto found = texts_.find(controlId);
  return found == texts_.end() ? std::string() : found->second;
}

}  // namespace korvel::web
