// Any text: the field reader agrees bit for bit with the slow reference, on the
// text itself and on a stretched copy with one character repeated up to a
// million times (long digit runs and exponents that a fuzzer's short inputs
// never reach).

#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>

#include "calc/number_text.h"
#include "tests/fuzz/fuzz_check.h"
#include "tests/support/slow_reference.h"

namespace {

void check(const std::string& text) {
  const korvel::LeadingNumber number = korvel::readLeadingNumber(text);
  const korvel::testing::ReferenceNumber reference = korvel::testing::referenceParse(text);
  const std::string shown = text.size() <= 200 ? text : text.substr(0, 100) + "..." + text.substr(text.size() - 100);
  FUZZ_CHECK(number.length == reference.length, "text \"%s\" (%zu bytes): length %zu, reference %zu", shown.c_str(),
             text.size(), number.length, reference.length);
  std::uint64_t bits, referenceBits;
  std::memcpy(&bits, &number.value, sizeof bits);
  std::memcpy(&referenceBits, &reference.value, sizeof bits);
  FUZZ_CHECK(bits == referenceBits, "text \"%s\" (%zu bytes): %a, reference %a", shown.c_str(), text.size(),
             number.value, reference.value);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // A field's text ends at its first zero byte.
  const char* bytes = reinterpret_cast<const char*>(data);
  const std::size_t length = strnlen(bytes, size);
  std::string text(bytes, length);
  check(text);
  // Two bytes after the zero, if there are: which character to repeat, and
  // 2^(0..20) times. The reader is the same code everywhere; on Windows the
  // reference's C-library strtod takes minutes over the longest texts, so
  // there the stretch stops at 2^12.
#ifdef _WIN32
  constexpr unsigned kStretchSteps = 13;
#else
  constexpr unsigned kStretchSteps = 21;
#endif
  if (length > 0 && size >= length + 3) {
    const std::size_t at = data[length + 1] % length;
    const std::size_t times = std::size_t{1} << (data[length + 2] % kStretchSteps);
    text.insert(at, times, text[at]);
    check(text);
  }
  return 0;
}
