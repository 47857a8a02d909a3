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

std::string shownText(std::string_view text) {
  constexpr std::size_t kShown = 40;
  if (text.size() <= kShown) return cli::shownText(text);
  // Cut at a character's start, not within a UTF-8 sequence.
  std::size_t cut = kShown;
  while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80) --cut;
  return cli::shownText(text.substr(0, cut)) + "...";
}

}  // namespace korvel::shock
