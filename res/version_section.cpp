// The version block as a read-only section of the executable, ".korvel.version",
// so that `readelf -p .korvel.version korvel` shows it: one "Key=Value" string per
// entry, the fixed part first, then the string table in its order.

#include <array>
#include <cstddef>
#include <string_view>

#include "res/version_info.h"

namespace korvel::res {
namespace {

static_assert(kProductVersion == kFileVersion, "the fixed part carries one version text");

constexpr std::array<VersionEntry, 6> kFixedPart{{
    {"FixedFileVersion", kVersionText},
    {"FixedProductVersion", kVersionText},
    {"FileFlags", "0"},
    {"FileType", "application"},
    {"FileOS", "Linux"},
    {"Translation", "0409 04B0 (US English, code page 1200)"},
}};

constexpr std::size_t sectionSize() {
  std::size_t size = 0;
  for (const VersionEntry& entry : kFixedPart) size += entry.key.size() + entry.value.size() + 2;
  for (const VersionEntry& entry : kVersionStrings) size += entry.key.size() + entry.value.size() + 2;
  return size;
}

constexpr auto sectionText() {
  std::array<char, sectionSize()> text{};
  std::size_t at = 0;
  auto put = [&](const VersionEntry& entry) {
    for (char c : entry.key) text[at++] = c;
    text[at++] = '=';
    for (char c : entry.value) text[at++] = c;
    text[at++] = '\0';
  };
  for (const VersionEntry& entry : kFixedPart) put(entry);
  for (const VersionEntry& entry : kVersionStrings) put(entry);
  return text;
}

[[gnu::section(".korvel.version"), gnu::used]] constexpr auto kVersionSection = sectionText();

}  // namespace
}  // namespace korvel::res
