// What every window system's dialog does alike: the default answers of a
// dialog and the binding of its controls. The window, its controls and the rest
// of CDialog are the window system's (qt/dialog.cpp, win32/dialog.cpp).

#include "platform/window/dialog.h"

#include <stdexcept>
#include <string>

#include "res/resource_ids.h"

namespace korvel {

void CDialog::DoDataExchange(DataExchange&) {}

bool CDialog::OnInitDialog() {
  DataExchange exchange(*this);
  DoDataExchange(exchange);
  return true;
}

void CDialog::OnOK() { EndDialog(res::IDOK); }

void CDialog::OnCancel() { EndDialog(res::IDCANCEL); }

void DataExchange::bind(int id, CEdit& edit) {
  edit.native_ = findEdit(dialog_, id);
  if (edit.native_ == nullptr) missingControl(id);
}

void DataExchange::bind(int id, CListBox& list) {
  list.native_ = findList(dialog_, id);
  if (list.native_ == nullptr) missingControl(id);
}

void DataExchange::missingControl(int id) const {
  throw std::logic_error("dialog " + std::to_string(dialog_.dialogTemplate().id) + " has no control " +
                         std::to_string(id) + " of the bound kind");
}

}  // namespace korvel
