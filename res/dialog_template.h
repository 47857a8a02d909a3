#pragma once

// The shape of a dialog template: the dialog's size, caption, font and styles,
// and its controls in template order (which is also the tab order). Positions
// and sizes are in dialog units. Plain data, no window system.

#include <cstdint>
#include <span>
#include <string_view>

namespace korvel::res {

enum class ControlKind { PushButton, StaticText, Edit, ListBox, GroupBox, Icon };

// Style bits of a control.
namespace control_style {
inline constexpr std::uint32_t kTabStop = 1u << 0;
inline constexpr std::uint32_t kGroup = 1u << 1;          // starts a group
inline constexpr std::uint32_t kDefaultButton = 1u << 2;  // pressed by Enter
inline constexpr std::uint32_t kBorder = 1u << 3;
inline constexpr std::uint32_t kAutoHScroll = 1u << 4;  // the text scrolls as it is typed
inline constexpr std::uint32_t kNotify = 1u << 5;       // the list reports clicks
inline constexpr std::uint32_t kSorted = 1u << 6;       // added entries sort; inserted ones do not
inline constexpr std::uint32_t kNoIntegralHeight = 1u << 7;
inline constexpr std::uint32_t kVScroll = 1u << 8;
inline constexpr std::uint32_t kNoPrefix = 1u << 9;  // & is shown, not a mnemonic
inline constexpr std::uint32_t kLeft = 1u << 10;     // left-aligned text
}  // namespace control_style

// Style bits of a dialog.
namespace dialog_style {
inline constexpr std::uint32_t kPopup = 1u << 0;
inline constexpr std::uint32_t kVisible = 1u << 1;
inline constexpr std::uint32_t kCaption = 1u << 2;
inline constexpr std::uint32_t kWindowMenu = 1u << 3;
inline constexpr std::uint32_t kModalFrame = 1u << 4;
inline constexpr std::uint32_t kAppWindow = 1u << 5;  // its own taskbar button
}  // namespace dialog_style

struct ControlTemplate {
  int id;  // IDC_STATIC for texts and frames without an id of their own
  ControlKind kind;
  std::string_view text;
  int x, y, width, height;
  std::uint32_t styles;
  int imageId = 0;  // the icon group an icon control shows
};

struct DialogTemplate {
  int id;
  std::string_view caption;
  int x, y, width, height;  // x, y 0: centred by the window system
  std::string_view fontFace;
  int pointSize;
  std::uint32_t styles;
  std::span<const ControlTemplate> controls;
};

}  // namespace korvel::res
