#include "shock/input_text.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

#include "shock/record_text.h"
#include "shock/shown_number.h"
#include "shock/srs_command.h"

namespace korvel::shock {

std::string inputName(const std::string& path) { return path == "-" ? "standard input" : shownPath(path); }

std::string readWholeText(const std::string& path) {
  constexpr std::size_t kLongest = std::size_t{16} << 20;
  std::FILE* input = stdin;
  std::unique_ptr<std::FILE, int (*)(std::FILE*)> opened(nullptr, std::fclose);
  if (path != "-") {
    opened.reset(std::fopen(path.c_str(), "rb"));
    if (!opened) throw FileError("could not open " + inputName(path) + ": " + std::strerror(errno));
    input = opened.get();
  }
  std::string text;
  char buffer[1 << 16];
  while (true) {
    const std::size_t got = std::fread(buffer, 1, sizeof buffer, input);
    text.append(buffer, got);
    if (text.size() > kLongest) throw RecordError(inputName(path) + ": longer than 16 MiB: not a table");
    if (got < sizeof buffer) {
      if (std::ferror(input)) throw FileError("could not read " + inputName(path) + ": " + std::strerror(errno));
      return text;
    }
  }
}

}  // namespace korvel::shock
