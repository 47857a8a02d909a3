#pragma once

// Dialog templates 100 (the About box) and 102 (the main form).

#include <array>

#include "res/dialog_template.h"
#include "res/form_inputs.h"
#include "res/resource_ids.h"
#include "res/version_info.h"

namespace korvel::res {

namespace detail {
using namespace control_style;
inline constexpr std::uint32_t kStatic = kLeft | kGroup;
inline constexpr std::uint32_t kField = kBorder | kAutoHScroll | kTabStop;
// The label of an input, as the form's table of inputs writes it.
constexpr std::string_view label(int controlId) { return formInput(controlId)->label; }

inline constexpr std::array<ControlTemplate, 4> kAboutControls{{
    {IDC_STATIC, ControlKind::Icon, "", 11, 17, 20, 20, 0, IDR_MAINFRAME},
    {IDC_STATIC, ControlKind::StaticText, kAboutVersionLine, 40, 10, 119, 8, kStatic | kNoPrefix},
    {IDC_STATIC, ControlKind::StaticText, kNoticeLine, 40, 25, 119, 8, kStatic},
    {IDOK, ControlKind::PushButton, "OK", 178, 7, 50, 14, kDefaultButton | kGroup | kTabStop},
}};

inline constexpr std::array<ControlTemplate, 16> kTimeHistoryControls{{
    {IDOK, ControlKind::PushButton, "Calculate Time History", 216, 72, 83, 14, kDefaultButton | kTabStop},
    {IDCANCEL, ControlKind::PushButton, "Exit", 218, 93, 79, 14, kTabStop},
    {IDC_STATIC, ControlKind::StaticText, "korvel", 31, 20, 104, 8, kStatic},
    {IDC_AMPLITUDE, ControlKind::Edit, "", 122, 49, 44, 14, kField},
    {IDC_STATIC, ControlKind::StaticText, label(IDC_AMPLITUDE), 75, 52, 31, 8, kStatic},
    {IDC_DELAY, ControlKind::Edit, "", 121, 140, 44, 14, kField},
    {IDC_STATIC, ControlKind::StaticText, label(IDC_DELAY), 75, 143, 36, 8, kStatic},
    {IDC_STATIC, ControlKind::StaticText, label(IDC_HALF_SINES), 55, 100, 61, 8, kStatic},
    {IDC_HALF_SINES, ControlKind::ListBox, "", 121, 97, 28, 30,
     kNotify | kSorted | kNoIntegralHeight | kVScroll | kBorder | kTabStop},
    {IDC_DURATION, ControlKind::Edit, "", 121, 165, 44, 14, kField},
    {IDC_STATIC, ControlKind::StaticText, label(IDC_DURATION), 54, 168, 60, 8, kStatic},
    {IDC_STATIC, ControlKind::GroupBox, "Enter", 40, 35, 148, 179, 0},
    {IDC_FREQUENCY, ControlKind::Edit, "", 121, 72, 44, 14, kField},
    {IDC_STATIC, ControlKind::StaticText, label(IDC_FREQUENCY), 68, 75, 47, 8, kStatic},
    {IDC_SAMPLES_PER_SECOND, ControlKind::Edit, "", 122, 191, 44, 14, kField},
    {IDC_STATIC, ControlKind::StaticText, label(IDC_SAMPLES_PER_SECOND), 49, 194, 64, 8, kStatic},
}};
}  // namespace detail

// The templates keep their layout of one control a line.
// clang-format off
inline constexpr DialogTemplate kAboutBoxTemplate{
    IDD_ABOUTBOX, "About korvel", 0, 0, 235, 55, "MS Sans Serif", 8,
    dialog_style::kPopup | dialog_style::kCaption | dialog_style::kWindowMenu | dialog_style::kModalFrame,
    detail::kAboutControls};

inline constexpr DialogTemplate kTimeHistoryTemplate{
    IDD_TIMEHISTORY_DIALOG, kFormCaption, 0, 0, 320, 228, "MS Sans Serif", 10,
    dialog_style::kPopup | dialog_style::kVisible | dialog_style::kCaption | dialog_style::kWindowMenu |
        dialog_style::kModalFrame | dialog_style::kAppWindow,
    detail::kTimeHistoryControls};

// clang-format on

}  // namespace korvel::res
