#include "calc/time_history_file.h"

#include "platform/number_format.h"
#include "platform/output_file.h"

namespace korvel {

void formatTimeHistoryRow(double time, double amplitude, std::string& row) {
  row.assign(1, ' ');
  appendExponent(row, time, 6, 14);
  row.append(" \t ");
  appendExponent(row, amplitude, 4, 12);
  row.append(" \r\n");
}

void writeTimeHistory(OutputFile& file, const TimeHistory& history, std::string& row) {
  for (std::int32_t i = 0; i < history.count; ++i) {
    formatTimeHistoryRow(history.time[i], history.amplitude[i], row);
    file.write(row.data(), row.size());
  }
}

}  // namespace korvel
