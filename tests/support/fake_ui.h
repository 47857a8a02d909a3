#pragma once

#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "calc/time_history.h"
#include "res/resource_ids.h"

namespace korvel::testing {

// A scripted form: field texts, a list selection, a save-dialog answer; it
// records what the command showed and the busy cursor's state.
class FakeUi : public CalculationUi {
 public:
  std::map<int, std::string> fields;
  int halfSineIndex = 0;
  std::optional<std::string> saveAnswer;

  std::vector<int> fieldsRead;
  std::vector<std::string> messages;
  int saveDialogs = 0;
  int cursorDepth = 0;
  int cursorBegins = 0;
  int depthDuringMessages = -1;
  std::vector<std::pair<std::int32_t, std::int32_t>> progress;  // rows written, row count
  int writeEnds = 0;
  std::size_t messagesAtWriteEnd = 0;

  void setWorkedExample() {
    fields = {{res::IDC_AMPLITUDE, "1"},
              {res::IDC_FREQUENCY, "10"},
              {res::IDC_DELAY, "0"},
              {res::IDC_DURATION, "0.2"},
              {res::IDC_SAMPLES_PER_SECOND, "100"}};
    halfSineIndex = 0;
  }

  std::string fieldText(int controlId) override {
    fieldsRead.push_back(controlId);
    return fields[controlId];
  }
  int selectedHalfSineIndex() override { return halfSineIndex; }
  void showMessage(const std::string& text) override {
    messages.push_back(text);
    depthDuringMessages = cursorDepth;
  }
  std::optional<std::string> askOutputFileName() override {
    ++saveDialogs;
    return saveAnswer;
  }
  void beginWaitCursor() override {
    ++cursorDepth;
    ++cursorBegins;
  }
  void endWaitCursor() override { --cursorDepth; }
  void writeProgress(std::int32_t rowsWritten, std::int32_t rowCount) override {
    progress.emplace_back(rowsWritten, rowCount);
  }
  void writeEnded() override {
    ++writeEnds;
    messagesAtWriteEnd = messages.size();
  }
};

}  // namespace korvel::testing
