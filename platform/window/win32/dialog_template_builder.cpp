#include "platform/window/win32/dialog_template_builder.h"

#include <string_view>

namespace korvel {
namespace {

using namespace res::control_style;

class Words {
 public:
  void word(unsigned value) { words_.push_back(static_cast<WORD>(value)); }
  void dword(DWORD value) {
    word(value & 0xFFFF);
    word(value >> 16);
  }
  // The program's texts are ASCII: each character widens to one UTF-16 unit.
  void text(std::string_view value) {
    for (char c : value) word(static_cast<unsigned char>(c));
    word(0);
  }
  void alignToDword() {
    if (words_.size() % 2 != 0) word(0);
  }
  std::vector<WORD> take() { return std::move(words_); }

 private:
  std::vector<WORD> words_;
};

// The predefined window classes by their atoms.
WORD classAtom(res::ControlKind kind) {
  switch (kind) {
    case res::ControlKind::PushButton:
    case res::ControlKind::GroupBox: return 0x0080;
    case res::ControlKind::Edit: return 0x0081;
    case res::ControlKind::ListBox: return 0x0083;
    default: return 0x0082;
  }
}

DWORD dialogStyleOf(const res::DialogTemplate& dialog) {
  using namespace res::dialog_style;
  DWORD style = DS_SETFONT;
  if (dialog.styles & kPopup) style |= WS_POPUP;
  if (dialog.styles & kVisible) style |= WS_VISIBLE;
  if (dialog.styles & kCaption) style |= WS_CAPTION;
  if (dialog.styles & kWindowMenu) style |= WS_SYSMENU;
  if (dialog.styles & kModalFrame) style |= DS_MODALFRAME;
  return style;
}

}  // namespace

DWORD windowStyleOf(const res::ControlTemplate& control) {
  DWORD style = WS_CHILD | WS_VISIBLE;
  const std::uint32_t s = control.styles;
  if (s & kTabStop) style |= WS_TABSTOP;
  if (s & kGroup) style |= WS_GROUP;
  if (s & kBorder) style |= WS_BORDER;
  if (s & kVScroll) style |= WS_VSCROLL;
  switch (control.kind) {
    case res::ControlKind::PushButton: style |= (s & kDefaultButton) ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON; break;
    case res::ControlKind::GroupBox: style |= BS_GROUPBOX; break;
    case res::ControlKind::Edit:
      style |= ES_LEFT;
      if (s & kAutoHScroll) style |= ES_AUTOHSCROLL;
      break;
    case res::ControlKind::ListBox:
      if (s & kNotify) style |= LBS_NOTIFY;
      if (s & kSorted) style |= LBS_SORT;
      if (s & kNoIntegralHeight) style |= LBS_NOINTEGRALHEIGHT;
      break;
    case res::ControlKind::StaticText:
      style |= SS_LEFT;
      if (s & kNoPrefix) style |= SS_NOPREFIX;
      break;
    case res::ControlKind::Icon: style |= SS_ICON; break;
  }
  return style;
}

std::vector<WORD> buildDialogTemplate(const res::DialogTemplate& dialog) {
  Words out;
  out.dword(dialogStyleOf(dialog));
  out.dword((dialog.styles & res::dialog_style::kAppWindow) ? WS_EX_APPWINDOW : 0);
  out.word(static_cast<unsigned>(dialog.controls.size()));
  out.word(dialog.x);
  out.word(dialog.y);
  out.word(dialog.width);
  out.word(dialog.height);
  out.word(0);  // no menu
  out.word(0);  // the dialog class
  out.text(dialog.caption);
  out.word(dialog.pointSize);
  out.text(dialog.fontFace);
  for (const res::ControlTemplate& control : dialog.controls) {
    out.alignToDword();
    out.dword(windowStyleOf(control));
    out.dword(0);
    out.word(control.x);
    out.word(control.y);
    out.word(control.width);
    out.word(control.height);
    out.word(static_cast<WORD>(control.id));
    out.word(0xFFFF);
    out.word(classAtom(control.kind));
    if (control.kind == res::ControlKind::Icon) {
      out.word(0xFFFF);  // the icon by its resource id
      out.word(control.imageId);
    } else {
      out.text(control.text);
    }
    out.word(0);  // no creation data
  }
  return out.take();
}

}  // namespace korvel
