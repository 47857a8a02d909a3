// Which label names which field, decided from the dialog templates alone.

#include <gtest/gtest.h>

#include <array>
#include <optional>
#include <string_view>

#include "res/control_names.h"
#include "res/dialog_templates.h"

namespace korvel::res {
namespace {

// The text of the label that names control `id`; empty when none does.
std::string_view labelTextOf(const DialogTemplate& dialog, int id) {
  for (std::size_t i = 0; i < dialog.controls.size(); ++i) {
    if (dialog.controls[i].id != id) continue;
    const std::optional<std::size_t> label = labelOf(dialog, i);
    return label ? dialog.controls[*label].text : std::string_view{};
  }
  ADD_FAILURE() << "no control " << id;
  return {};
}

TEST(ControlNames, EveryFieldOfTheMainFormIsNamedByTheLabelOnItsRow) {
  struct Case {
    int id;
    std::string_view label;
  };
  for (const Case& c : {Case{IDC_AMPLITUDE, "Amplitude"}, Case{IDC_FREQUENCY, "Frequency (Hz)"},
                        Case{IDC_HALF_SINES, "Number of Half-Sine"}, Case{IDC_DELAY, "Delay (sec)"},
                        Case{IDC_DURATION, "Total Duration (sec)"}, Case{IDC_SAMPLES_PER_SECOND, "Samples per second"},
                        // Buttons show their own text, though "Calculate Time History"
                        // shares its row with "Frequency (Hz)".
                        Case{IDOK, ""}, Case{IDCANCEL, ""}}) {
    SCOPED_TRACE(c.id);
    EXPECT_EQ(labelTextOf(kTimeHistoryTemplate, c.id), c.label);
  }
  for (std::size_t i = 0; i < kTimeHistoryTemplate.controls.size(); ++i) {
    if (kTimeHistoryTemplate.controls[i].id == IDC_STATIC) {
      EXPECT_EQ(labelOf(kTimeHistoryTemplate, i), std::nullopt);
    }
  }
  for (std::size_t i = 0; i < kAboutBoxTemplate.controls.size(); ++i) {
    EXPECT_EQ(labelOf(kAboutBoxTemplate, i), std::nullopt) << "the About box has no field";
  }
  EXPECT_EQ(labelOf(kTimeHistoryTemplate, kTimeHistoryTemplate.controls.size()), std::nullopt);
}

TEST(ControlNames, TheNearestNonEmptyTextLeftOnTheSameRowWins) {
  using enum ControlKind;
  constexpr std::array<ControlTemplate, 9> controls{{
      {10, Edit, "", 100, 10, 40, 14, 0},
      {IDC_STATIC, StaticText, "far", 10, 12, 30, 8, 0},
      {IDC_STATIC, StaticText, "near", 50, 12, 30, 8, 0},
      {IDC_STATIC, StaticText, "", 85, 12, 10, 8, 0},  // empty: names nothing
      {IDC_STATIC, StaticText, "right of it", 150, 12, 40, 8, 0},
      {IDC_STATIC, StaticText, "row above", 60, 0, 30, 8, 0},
      {IDC_STATIC, StaticText, "runs into it", 80, 30, 30, 8, 0},
      {11, ListBox, "", 100, 30, 40, 30, 0},  // its row's only text runs into it
      {12, Edit, "", 100, 70, 40, 14, 0},     // nothing on its row
  }};
  const DialogTemplate dialog{1, "", 0, 0, 200, 100, "", 8, 0, controls};
  EXPECT_EQ(labelTextOf(dialog, 10), "near");
  EXPECT_EQ(labelTextOf(dialog, 11), "");
  EXPECT_EQ(labelTextOf(dialog, 12), "");
}

}  // namespace
}  // namespace korvel::res
