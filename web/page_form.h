#pragma once

// The page's six inputs as the Calculate command reads them: the five field
// texts as typed (UTF-8) and the index of the chosen half-sine count.

#include <map>
#include <optional>
#include <string>

#include "calc/time_history.h"

namespace korvel::web {

class PageForm : public CalculationUi {
 public:
  // Keeps the text of the field with this control id; ids of no text field
  // (res/form_inputs.h) are ignored.
  void setFieldText(int controlId, std::string text);
  void setHalfSineIndex(int index) { halfSineIndex_ = index; }

  std::string fieldText(int controlId) override;
  int selectedHalfSineIndex() override { return halfSineIndex_; }
  // The page shows messages and saves files itself; the command is not run through these.
  void showMessage(const std::string&) override {}
  std::optional<std::string> askOutputFileName() override { return std::nullopt; }
  void beginWaitCursor() override {}
  void endWaitCursor() override {}

 private:
  std::map<int, std::string> texts_;  // by control id
  int halfSineIndex_ = 0;
};

}  // namespace korvel::web
