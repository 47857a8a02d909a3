#include "calc/time_history_file.h"

#include <cstring>

#include "calc/synthesis.h"
#include "platform/files/output_file.h"
#include "platform/numbers/row_fields.h"

namespace korvel {

void formatTimeHistoryRow(double time, double amplitude, std::string& row) {
  // Both fields come out at exactly their widths (the widest finite text, "-d.dddddde-ddd",
  // fills 14, and the inf/nan words are padded), so every row is kRowLength bytes.
  row.resize(kRowLength);
  char* p = row.data();
  *p++ = ' ';
  p = formatTimeField(p, time);
  std::memcpy(p, " \t ", 3);
  p = formatAmplitudeField(p + 3, amplitude);
  std::memcpy(p, " \r\n", 3);
}

void writeTimeHistory(OutputFile& file, const TimeHistory& history, std::string& row, const WaveletSynthesis& samples) {
  for (std::int32_t done = 0; done < history.count;) {
    std::int32_t ready = samples.waitBeyond(done);
    if (ready > history.count) ready = history.count;
    for (; done < ready; ++done) {
      formatTimeHistoryRow(history.time[done], history.amplitude[done], row);
      file.write(row.data(), kRowLength);
    }
  }
}

}  // namespace korvel
