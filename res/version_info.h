#pragma once

#include <array>
#include <string_view>

// The executable's version block: fixed version and the string table of block
// "040904B0" (US English, code page 1200), keys in their order. The one place the
// version is written: the build, the package and the desktop metadata take it from here.
namespace korvel::res {

inline constexpr std::array<int, 4> kFileVersion{1, 0, 0, 1};
inline constexpr std::array<int, 4> kProductVersion{1, 0, 0, 1};
inline constexpr std::string_view kVersionBlockName = "040904B0";
inline constexpr std::string_view kVersionText = "1.0.0.1";

// Short enough for its line in the About box.
inline constexpr std::string_view kNoticeLine = "Copyright (C) 2026 korvel authors";

// The executable's file name as the version block states it.
#ifdef _WIN32
inline constexpr std::string_view kOriginalFilename = "korvel.EXE";
#else
inline constexpr std::string_view kOriginalFilename = "korvel";
#endif

// korvel-cli.exe's own entries where its version block differs from korvel.exe's.
inline constexpr std::string_view kCliFileDescription = "korvel command-line twin";
inline constexpr std::string_view kCliInternalName = "korvel-cli";
inline constexpr std::string_view kCliOriginalFilename = "korvel-cli.exe";

struct VersionEntry {
  std::string_view key;
  std::string_view value;
};

inline constexpr std::array<VersionEntry, 9> kVersionStrings{{
    {"CompanyName", ""},
    {"FileDescription", "korvel MFC Application"},
    {"FileVersion", "1, 0, 0, 1"},
    {"InternalName", "korvel"},
    {"LegalCopyright", kNoticeLine},
    {"LegalTrademarks", ""},
    {"OriginalFilename", kOriginalFilename},
    {"ProductName", "korvel Application"},
    {"ProductVersion", "1, 0, 0, 1"},
}};

}  // namespace korvel::res
