// The table of the form's inputs against the form's template, korvel-cli's
// other options and the page: every input is a control of its kind on the
// form, named there by its label, with an option and a page element of its own.

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <set>
#include <span>
#include <string_view>

#include "res/control_names.h"
#include "res/dialog_templates.h"
#include "res/form_inputs.h"

namespace korvel::res {
namespace {

TEST(FormInputs, EachIsAControlOfTheFormWithAnOptionAndAPageElementOfItsOwn) {
  const std::span<const ControlTemplate> controls = kTimeHistoryTemplate.controls;
  // korvel-cli's options that are no input's.
  std::set<std::string_view> options = {"--output", "-o", "--help", "-h", "--version", "-V"};
  std::set<std::string_view> elements;
  for (const FormInput& input : kFormInputs) {
    SCOPED_TRACE(input.label);
    const auto control = std::ranges::find(controls, input.controlId, &ControlTemplate::id);
    ASSERT_NE(control, controls.end());
    EXPECT_EQ(control->kind, input.kind == FormInput::Field ? ControlKind::Edit : ControlKind::ListBox);
    const std::optional<std::size_t> label = labelOf(kTimeHistoryTemplate, control - controls.begin());
    ASSERT_TRUE(label.has_value());
    EXPECT_EQ(controls[*label].text, input.label);

    EXPECT_TRUE(input.longOption.starts_with("--") && input.longOption.size() > 3);
    EXPECT_TRUE(input.shortOption.size() == 2 && input.shortOption[0] == '-' && input.shortOption[1] != '-');
    EXPECT_TRUE(options.insert(input.longOption).second) << input.longOption << " is another's";
    EXPECT_TRUE(options.insert(input.shortOption).second) << input.shortOption << " is another's";
    EXPECT_FALSE(input.help.empty());
    EXPECT_FALSE(input.pageElement.empty());
    EXPECT_TRUE(elements.insert(input.pageElement).second) << input.pageElement << " is another's";
    EXPECT_EQ(formInput(input.controlId), &input);
  }
  for (const ControlTemplate& control : controls) {
    if (control.kind == ControlKind::Edit || control.kind == ControlKind::ListBox) {
      EXPECT_NE(formInput(control.id), nullptr) << "control " << control.id << " is no input";
    }
  }
}

}  // namespace
}  // namespace korvel::res
