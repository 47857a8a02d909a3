// Any text: the field reader agrees bit for bit with the slow reference.

#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>

#include "calc/number_text.h"
#include "fuzz/fuzz_check.h"
#include "support/slow_reference.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // A field's text ends at its first zero byte.
  const std::string text(reinterpret_cast<const char*>(data), strnlen(reinterpret_cast<const char*>(data), size));
  const korvel::LeadingNumber number = korvel::readLeadingNumber(text);
  const korvel::testing::ReferenceNumber reference = korvel::testing::referenceParse(text);
  FUZZ_CHECK(number.length == reference.length, "text \"%s\": length %zu, reference %zu", text.c_str(),
             number.length, reference.length);
  std::uint64_t bits, referenceBits;
  std::memcpy(&bits, &number.value, sizeof bits);
  std::memcpy(&referenceBits, &reference.value, sizeof bits);
  FUZZ_CHECK(bits == referenceBits, "text \"%s\": %a, reference %a", text.c_str(), number.value, reference.value);
  return 0;
}
