#pragma once

#include <string>
#include <string_view>

namespace korvel {

// A text in the program's 8-bit code page (UTF-8, as its manifest declares) as
// the UTF-16 that Windows' wide calls take. Those know no 260-character limit
// for names, which the 8-bit calls keep where the system converts for them.
std::wstring wideText(std::string_view text);

}  // namespace korvel
