#pragma once

// The Qt widgets behind CEdit and CListBox: what the control factory creates
// for a template's edit fields and lists, and what DataExchange binds.

#include <QLineEdit>

#include "platform/window/controls.h"
#include "platform/window/qt/single_choice_list.h"

namespace korvel {

struct CEdit::Native : public QLineEdit {
  using QLineEdit::QLineEdit;
};

struct CListBox::Native : public SingleChoiceList {
  using SingleChoiceList::SingleChoiceList;
};

}  // namespace korvel
