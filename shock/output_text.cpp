#include "shock/output_text.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

#include "shock/shown_number.h"
#include "shock/srs_command.h"

namespace korvel::shock {

void writeText(const std::string& path, std::string_view text) {
  if (path == "-") {
    if (std::fwrite(text.data(), 1, text.size(), stdout) != text.size() || std::fflush(stdout) != 0) {
      throw FileError("could not write to standard output: " + std::string(std::strerror(errno)));
    }
    return;
  }
  const std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "wb"), std::fclose);
  if (!file) throw FileError("could not create " + shownPath(path) + ": " + std::strerror(errno));
  if (std::fwrite(text.data(), 1, text.size(), file.get()) != text.size() || std::fflush(file.get()) != 0) {
    throw FileError("could not write " + shownPath(path) + ": " + std::strerror(errno));
  }
}

}  // namespace korvel::shock
