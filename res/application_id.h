#pragma once

#include <string_view>

// The reverse-DNS id that names korvel to the desktop: its desktop entry
// (ID.desktop), its AppStream metainfo (ID.metainfo.xml) and its icons (ID.png).
namespace korvel::res {

inline constexpr std::string_view kApplicationId = "org.korvel.korvel";

}  // namespace korvel::res
