#pragma once

// The string table: string 101, the About entry of the window menu.

#include <string_view>

#include "res/resource_ids.h"

namespace korvel::res {

// The string with this id; empty when the table has none.
constexpr std::string_view loadString(int id) {
  switch (id) {
    case IDS_ABOUTBOX: return "&About korvel...";
    default: return {};
  }
}

}  // namespace korvel::res
