// Any double: the row's conversions and the warning's general notation agree
// byte for byte with the slow reference.

#include <cstdint>
#include <cstring>
#include <string>

#include "calc/calculate_command.h"
#include "platform/numbers/number_format.h"
#include "tests/fuzz/fuzz_check.h"
#include "tests/support/slow_reference.h"

namespace {

void checkValue(double value) {
  using namespace korvel;
  char text[kMaxNumberText];
  const struct {
    int precision;
    int width;
  } rowFields[] = {{6, 14}, {4, 12}};
  for (const auto& field : rowFields) {
    const std::string ours(text, formatExponent(text, value, field.precision, field.width));
    const std::string reference = testing::referenceExponent(value, field.precision, field.width);
    FUZZ_CHECK(ours == reference, "%a: \"%s\", reference \"%s\"", value, ours.c_str(), reference.c_str());
  }
  const std::string warning = durationWarningText(value);
  const std::string expected = " Warning: Recommended duration > " + testing::referenceGeneral(value, 4, 8);
  FUZZ_CHECK(warning == expected, "%a: \"%s\", reference \"%s\"", value, warning.c_str(), expected.c_str());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // Each eight bytes are a double's bit pattern; a shorter tail is padded.
  for (std::size_t offset = 0; offset < size; offset += 8) {
    std::uint64_t bits = 0;
    std::memcpy(&bits, data + offset, size - offset < 8 ? size - offset : 8);
    double value;
    std::memcpy(&value, &bits, sizeof value);
    checkValue(value);
    // The value's neighbourhood at the printed digits: near a rounding boundary.
    checkValue(value * 1.0000000000000002);
  }
  return 0;
}
