#include "calc/time_history_file.h"

#include <cstring>

#include "calc/synthesis.h"
#include "platform/fast_exponent.h"
#include "platform/output_file.h"

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

namespace {

void writeRows(OutputFile& file, const TimeHistory& history, std::string& row, std::int32_t begin, std::int32_t end) {
  for (std::int32_t i = begin; i < end; ++i) {
    formatTimeHistoryRow(history.time[i], history.amplitude[i], row);
    // Every row has kRowLength bytes; saying so lets the copy into the buffer be inlined.
    if (row.size() == static_cast<std::size_t>(kRowLength)) {
      file.write(row.data(), kRowLength);
    } else {
      file.write(row.data(), row.size());
    }
  }
}

}  // namespace

void writeTimeHistory(OutputFile& file, const TimeHistory& history, std::string& row) {
  writeRows(file, history, row, 0, history.count);
}

void writeTimeHistory(OutputFile& file, const TimeHistory& history, std::string& row,
                      const BackgroundSynthesis& samples) {
  for (std::int32_t done = 0; done < history.count;) {
    std::int32_t ready = samples.waitBeyond(done);
    if (ready > history.count) ready = history.count;
    writeRows(file, history, row, done, ready);
    done = ready;
  }
}

}  // namespace korvel
