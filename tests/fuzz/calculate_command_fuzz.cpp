// Six arbitrary field texts through the whole Calculate command: it never
// crashes, a file it reports complete has exactly one well-formed 33-byte row
// per sample, and a refused run writes nothing.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <unistd.h>

#include "calc/calculate_command.h"
#include "calc/time_history_file.h"
#include "platform/files/file_failure.h"
#include "tests/fuzz/fuzz_check.h"
#include "tests/support/fake_ui.h"
#include "tests/support/temp_dir.h"

namespace {

bool isNumberField(const char* field, int width, int precision) {
  int i = 0;
  while (i < width && field[i] == ' ') ++i;
  std::string body(field + i, static_cast<std::size_t>(width - i));
  if (body == "inf" || body == "-inf" || body == "nan" || body == "-nan") return true;
  std::size_t p = 0;
  if (p < body.size() && body[p] == '-') ++p;
  auto digit = [&](std::size_t k) { return k < body.size() && body[k] >= '0' && body[k] <= '9'; };
  if (!digit(p++) || body[p++] != '.') return false;
  for (int d = 0; d < precision; ++d) {
    if (!digit(p++)) return false;
  }
  if (body.substr(p, 1) != "e" || (body[p + 1] != '+' && body[p + 1] != '-')) return false;
  return digit(p + 2) && digit(p + 3) && digit(p + 4) && p + 5 == body.size();
}

void checkRow(const char* row) {
  FUZZ_CHECK(row[0] == ' ' && std::memcmp(row + 15, " \t ", 3) == 0 && std::memcmp(row + 30, " \r\n", 3) == 0,
             "row layout: %.33s", row);
  FUZZ_CHECK(isNumberField(row + 1, 14, 6) && std::strncmp(row + 1, "           inf", 14) != 0 &&
                 std::memchr(row + 1, 'n', 14) == nullptr,
             "time field: %.33s", row);
  FUZZ_CHECK(isNumberField(row + 18, 12, 4), "amplitude field: %.33s", row);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace korvel;
  static testing::TempDir dir;
  if (size == 0) return 0;
  std::filesystem::current_path(dir.path());
  std::filesystem::remove(dir.file("fuzz.txt"));

  testing::FakeUi ui;
  ui.halfSineIndex = data[0] % kHalfSineEntryCount;
  ui.saveAnswer = "fuzz.txt";
  const int ids[] = {res::IDC_AMPLITUDE, res::IDC_FREQUENCY, res::IDC_DELAY, res::IDC_DURATION,
                     res::IDC_SAMPLES_PER_SECOND};
  const char* cursor = reinterpret_cast<const char*>(data) + 1;
  const char* end = reinterpret_cast<const char*>(data) + size;
  for (int id : ids) {
    const char* stop = static_cast<const char*>(std::memchr(cursor, '\0', static_cast<std::size_t>(end - cursor)));
    if (stop == nullptr) stop = end;
    ui.fields[id] = std::string(cursor, stop);
    cursor = stop == end ? end : stop + 1;
  }

  try {
    runCalculation(ui);
  } catch (const FileFailure& failure) {
    FUZZ_CHECK(false, "file failure: %s", failure.what());
  }
  FUZZ_CHECK(ui.cursorDepth == 0, "busy cursor left on");
  FUZZ_CHECK(ui.messages.size() == 1, "%zu messages", ui.messages.size());
  // With KORVEL_FUZZ_DIGEST set, what the input gave, for comparing platforms:
  // the file's size and a hash of its bytes, or the warning.
  static const bool printDigest = std::getenv("KORVEL_FUZZ_DIGEST") != nullptr;
  if (printDigest) {
    const std::string file = ui.saveDialogs == 0 ? ui.messages[0] : testing::readFile(dir.file("fuzz.txt"));
    std::uint64_t hash = 1469598103934665603ull;
    for (unsigned char byte : file) hash = (hash ^ byte) * 1099511628211ull;
    std::printf("%s %zu %016llx\n", ui.saveDialogs == 0 ? "refused" : "written", file.size(),
                static_cast<unsigned long long>(hash));
  }
  if (ui.saveDialogs == 0) {
    FUZZ_CHECK(ui.messages[0].rfind(" Warning: Recommended duration > ", 0) == 0, "%s", ui.messages[0].c_str());
    FUZZ_CHECK(!std::filesystem::exists(dir.file("fuzz.txt")), "refused run wrote a file");
    return 0;
  }
  const std::string text = testing::readFile(dir.file("fuzz.txt"));
  const std::size_t rows = static_cast<std::size_t>(timeHistory.count);
  FUZZ_CHECK(text.size() == rows * kRowLength, "%zu bytes for %zu rows", text.size(), rows);
  // Every row of small files; the first and last thousand of large ones.
  for (std::size_t row = 0; row < rows; ++row) {
    if (rows > 4000 && row == 1000) row = rows - 1000;
    checkRow(text.data() + row * kRowLength);
  }
  return 0;
}
