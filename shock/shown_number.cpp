#include "shock/shown_number.h"

#include <charconv>

#include "cli/shown_text.h"

namespace korvel::shock {

std::string shownNumber(double value) {
  char text[32];
  const auto printed = std::to_chars(text, text + sizeof text, value);
  return std::string(text, printed.ptr);
}

std::string shownPlainNumber(double value) {
  if (!(value == static_cast<double>(static_cast<long long>(value)) && value > -1e15 && value < 1e15)) {
    return shownNumber(value);
  }
  return std::to_string(static_cast<long long>(value));
}

namespace {
constexpr std::size_t kShown = 40;

bool continuesACharacter(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }
}  // namespace

std::string shownText(std::string_view text) {
  if (text.size() <= kShown) return cli::shownText(text);
  // Cut at a character's start, not within a UTF-8 sequence.
  std::size_t cut = kShown;
  while (cut > 0 && continuesACharacter(text[cut])) --cut;
  return cli::shownText(text.substr(0, cut)) + "...";
}

std::string shownPath(std::string_view path) {
  if (path.size() <= kShown) return cli::shownText(path);
  // Start at a character's start, not within a UTF-8 sequence.
  std::size_t start = path.size() - kShown;
  while (start < path.size() && continuesACharacter(path[start])) ++start;
  return "..." + cli::shownText(path.substr(start));
}

}  // namespace korvel::shock
