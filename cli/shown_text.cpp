#include "cli/shown_text.h"

#include <cstdint>

namespace korvel::cli {
namespace {

// The length of the well-formed UTF-8 sequence at the start of `bytes` (no
// overlong forms, no surrogates, nothing above U+10FFFF) and its code point;
// 0 when the first byte does not start one.
std::size_t decode(std::string_view bytes, char32_t& codePoint) {
  const auto byte = [&](std::size_t i) { return static_cast<std::uint8_t>(bytes[i]); };
  const std::uint8_t lead = byte(0);
  std::size_t length;
  char32_t low, high;  // the range the code point must fall in for this length
  if (lead < 0x80) {
    codePoint = lead;
    return 1;
  } else if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2, codePoint = lead & 0x1F, low = 0x80, high = 0x7FF;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3, codePoint = lead & 0x0F, low = 0x800, high = 0xFFFF;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4, codePoint = lead & 0x07, low = 0x10000, high = 0x10FFFF;
  } else {
    return 0;
  }
  if (bytes.size() < length) return 0;
  for (std::size_t i = 1; i < length; ++i) {
    if ((byte(i) & 0xC0) != 0x80) return 0;
    codePoint = codePoint << 6 | (byte(i) & 0x3F);
  }
  if (codePoint < low || codePoint > high || (codePoint >= 0xD800 && codePoint <= 0xDFFF)) return 0;
  return length;
}

// Characters that move the cursor, drive the terminal or reorder the text around them.
bool isControl(char32_t c) {
  return c < 0x20 || (c >= 0x7F && c <= 0x9F) || (c >= 0x202A && c <= 0x202E) || (c >= 0x2066 && c <= 0x2069);
}

void appendEscapedByte(std::string& out, char byte) {
  switch (byte) {
    case '\n': out += "\\n"; return;
    case '\t': out += "\\t"; return;
    case '\r': out += "\\r"; return;
    case '\v': out += "\\v"; return;
    case '\f': out += "\\f"; return;
    default: break;
  }
  static constexpr char kHex[] = "0123456789abcdef";
  const auto value = static_cast<std::uint8_t>(byte);
  out += "\\x";
  out += kHex[value >> 4];
  out += kHex[value & 0xF];
}

// On Windows the backslash separates folders and is shown as typed: its file
// names hold no control characters, so no escape can be mistaken for one.
#ifdef _WIN32
constexpr bool kEscapeBackslash = false;
#else
constexpr bool kEscapeBackslash = true;
#endif

}  // namespace

std::string shownText(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  while (!text.empty()) {
    char32_t codePoint = 0;
    const std::size_t length = decode(text, codePoint);
    if (length == 0) {
      appendEscapedByte(out, text[0]);
      text.remove_prefix(1);
      continue;
    }
    if (codePoint == '\\' && kEscapeBackslash) {
      out += "\\\\";
    } else if (isControl(codePoint)) {
      for (std::size_t i = 0; i < length; ++i) appendEscapedByte(out, text[i]);
    } else {
      out.append(text.substr(0, length));
    }
    text.remove_prefix(length);
  }
  return out;
}

}  // namespace korvel::cli
