#include "platform/window/dialog.h"

#include <windows.h>
#include <commctrl.h>

#include "platform/window/busy_cursor.h"
#include "platform/window/controls.h"
#include "platform/window/icon.h"
#include "platform/window/win32/accessible_names.h"
#include "platform/window/win32/busy_state.h"
#include "platform/window/win32/dialog_template_builder.h"
#include "platform/window/win32/dialog_window.h"
#include "platform/window/win32/native_icon.h"
#include "platform/window/win_app.h"

namespace korvel {
namespace {

constexpr const char* kDialogProperty = "korvel.dialog";

// The progress bar and the tooltips of the common controls, registered once
// before the first dialog.
void registerCommonControls() {
  static const bool registered = [] {
    INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX),
                                  ICC_STANDARD_CLASSES | ICC_PROGRESS_CLASS | ICC_BAR_CLASSES};
    return InitCommonControlsEx(&controls) != FALSE;
  }();
  (void)registered;
}

}  // namespace

// ---- CDialog ---------------------------------------------------------------

CDialog::CDialog(const res::DialogTemplate& dialogTemplate, CDialog* parent)
    : template_(dialogTemplate), native_(std::make_unique<Native>(*this, parent)) {}

CDialog::~CDialog() = default;

void CDialog::Create() {
  if (created_) return;
  created_ = true;
  native_->create();
}

int CDialog::DoModal() {
  created_ = true;
  return native_->runModal();
}

void CDialog::EndDialog(int result) { native_->end(result); }

void CDialog::SetIcon(const Icon& icon) { native_->setIcon(icon.native().icon); }

// ---- DataExchange ----------------------------------------------------------

CEdit::Native* DataExchange::findEdit(const CDialog& dialog, int id) { return dialog.native().edit(id); }

CListBox::Native* DataExchange::findList(const CDialog& dialog, int id) { return dialog.native().list(id); }

// ---- DialogWindow ----------------------------------------------------------

CDialog::Native::Native(CDialog& dialog, CDialog* parent)
    : dialog_(dialog), parent_(parent), template_(buildDialogTemplate(dialog.dialogTemplate())) {
  registerCommonControls();
}

CDialog::Native::~Native() {
  if (hwnd_ != nullptr && !modalBox_) DestroyWindow(hwnd_);
}

DialogWindow* DialogWindow::of(HWND window) {
  return window != nullptr ? static_cast<DialogWindow*>(GetPropA(window, kDialogProperty)) : nullptr;
}

HWND DialogWindow::ownerWindow() const {
  if (parent_ != nullptr) return windowOf(*parent_);
  if (CWinApp* app = CWinApp::current();
      app != nullptr && app->mainWindow() != nullptr && app->mainWindow() != &dialog_) {
    if (HWND main = windowOf(*app->mainWindow()); main != nullptr && IsWindowEnabled(main)) return main;
  }
  HWND active = GetActiveWindow();
  return DialogWindow::of(active) != nullptr ? active : nullptr;
}

void DialogWindow::create() {
  CreateDialogIndirectParamW(GetModuleHandleW(nullptr), reinterpret_cast<LPCDLGTEMPLATEW>(template_.data()),
                             ownerWindow(), &DialogWindow::procedure, reinterpret_cast<LPARAM>(this));
}

int DialogWindow::runModal() {
  ended_ = false;
  if (hwnd_ == nullptr) {
    modalBox_ = true;
    const INT_PTR result =
        DialogBoxIndirectParamW(GetModuleHandleW(nullptr), reinterpret_cast<LPCDLGTEMPLATEW>(template_.data()),
                                ownerWindow(), &DialogWindow::procedure, reinterpret_cast<LPARAM>(this));
    modalBox_ = false;
    return static_cast<int>(result);
  }
  // A dialog created beforehand runs modally in a loop of its own.
  HWND owner = GetWindow(hwnd_, GW_OWNER);
  const bool ownerWasEnabled = owner != nullptr && IsWindowEnabled(owner);
  if (ownerWasEnabled) EnableWindow(owner, FALSE);
  ShowWindow(hwnd_, SW_SHOW);
  MSG message;
  while (!ended_ && GetMessageW(&message, nullptr, 0, 0) > 0) {
    if (!IsDialogMessageW(hwnd_, &message)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
  }
  if (ownerWasEnabled) EnableWindow(owner, TRUE);
  ShowWindow(hwnd_, SW_HIDE);
  return result_;
}

void DialogWindow::end(int result) {
  result_ = result;
  ended_ = true;
  if (hwnd_ == nullptr) return;
  if (modalBox_) {
    ::EndDialog(hwnd_, result);
  } else {
    PostMessageW(hwnd_, WM_NULL, 0, 0);  // wakes the modal loop
  }
}

void DialogWindow::setIcon(HICON icon) {
  icon_ = icon;
  SendMessageW(hwnd_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
  SendMessageW(hwnd_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
}

// The form on the screen's work area, a dialog with an owner over its owner.
void DialogWindow::place() {
  RECT own;
  GetWindowRect(hwnd_, &own);
  RECT area;
  HWND owner = GetWindow(hwnd_, GW_OWNER);
  if (owner != nullptr && IsWindowVisible(owner) && !IsIconic(owner)) {
    GetWindowRect(owner, &area);
  } else {
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromWindow(hwnd_, MONITOR_DEFAULTTOPRIMARY), &monitor);
    area = monitor.rcWork;
  }
  const int width = own.right - own.left;
  const int height = own.bottom - own.top;
  const int x = area.left + (area.right - area.left - width) / 2;
  const int y = area.top + (area.bottom - area.top - height) / 2;
  SetWindowPos(hwnd_, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// What the template cannot say about the controls: their names for screen
// readers, and that fields take text of any length (by default the system
// stops typing and pasting at 30,000 characters, cutting a longer text short
// without a word).
void DialogWindow::prepareControls() {
  const res::DialogTemplate& t = dialog_.dialogTemplate();
  edits_.clear();
  lists_.clear();
  for (const res::ControlTemplate& control : t.controls) {
    HWND window = GetDlgItem(hwnd_, control.id);
    if (control.kind == res::ControlKind::Edit) {
      SendMessageW(window, EM_SETLIMITTEXT, 0, 0);
      edits_.push_back(std::make_unique<CEdit::Native>(CEdit::Native{control.id, window, {}, {}}));
    } else if (control.kind == res::ControlKind::ListBox) {
      lists_.push_back(std::make_unique<CListBox::Native>(CListBox::Native{control.id, window}));
    }
  }
  nameControls(hwnd_, t);
}

CEdit::Native* DialogWindow::edit(int id) const {
  for (const auto& field : edits_) {
    if (field->id == id) return field.get();
  }
  return nullptr;
}

CEdit::Native* DialogWindow::editOf(HWND window) const {
  for (const auto& field : edits_) {
    if (field->window == window) return field.get();
  }
  return nullptr;
}

CListBox::Native* DialogWindow::list(int id) const {
  for (const auto& list : lists_) {
    if (list->id == id) return list.get();
  }
  return nullptr;
}

// Minimised, the dialog shows its icon centred in its client area.
bool DialogWindow::paintMinimised() {
  if (!IsIconic(hwnd_) || icon_ == nullptr) return false;
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(hwnd_, &paint);
  SendMessageW(hwnd_, WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
  RECT client;
  GetClientRect(hwnd_, &client);
  const int x = (client.right - client.left - GetSystemMetrics(SM_CXICON) + 1) / 2;
  const int y = (client.bottom - client.top - GetSystemMetrics(SM_CYICON) + 1) / 2;
  DrawIcon(dc, x, y, icon_);
  EndPaint(hwnd_, &paint);
  return true;
}

INT_PTR CALLBACK DialogWindow::procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  DialogWindow* self = nullptr;
  if (message == WM_INITDIALOG) {
    self = reinterpret_cast<DialogWindow*>(lParam);
    self->hwnd_ = window;
    SetPropA(window, kDialogProperty, self);
  } else {
    self = of(window);
  }
  if (self == nullptr) return FALSE;
  if (message == WM_NCDESTROY) {
    RemovePropA(window, kDialogProperty);
    self->hwnd_ = nullptr;
    self->marks_.windowGone(self->edits_);
    return FALSE;
  }
  return self->handle(message, wParam, lParam);
}

INT_PTR DialogWindow::handle(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG: {
      place();
      prepareControls();
      return dialog_.OnInitDialog() ? TRUE : FALSE;
    }
    case WM_COMMAND: {
      const int id = LOWORD(wParam);
      const int code = HIWORD(wParam);
      if (code == BN_CLICKED && id == IDOK) {
        dialog_.OnOK();
        return TRUE;
      }
      if (code == BN_CLICKED && id == IDCANCEL) {
        dialog_.OnCancel();
        return TRUE;
      }
      if (code == EN_CHANGE) {
        if (CEdit::Native* field = editOf(reinterpret_cast<HWND>(lParam))) marks_.textChanged(hwnd_, *field);
        return TRUE;
      }
      return FALSE;
    }
    case WM_SYSCOMMAND:
      if (!windowMenu_.isOwn(wParam)) return FALSE;
      dialog_.OnSysCommand(static_cast<int>(wParam));
      return TRUE;
    case WM_CONTEXTMENU: return WindowMenu::show(hwnd_, lParam) ? TRUE : FALSE;
    case WM_PAINT: return paintMinimised() ? TRUE : FALSE;
    case WM_QUERYDRAGICON: return reinterpret_cast<INT_PTR>(icon_);
    case WM_SETCURSOR:
      if (busyCursorShown()) {
        SetCursor(LoadCursorA(nullptr, IDC_WAIT));
        SetWindowLongPtrW(hwnd_, DWLP_MSGRESULT, TRUE);
        return TRUE;
      }
      return FALSE;
    case WM_CTLCOLOREDIT: {
      const CEdit::Native* field = editOf(reinterpret_cast<HWND>(lParam));
      const HBRUSH ground = field != nullptr ? marks_.ground(*field, reinterpret_cast<HDC>(wParam)) : nullptr;
      return ground != nullptr ? reinterpret_cast<INT_PTR>(ground) : FALSE;
    }
    default: return FALSE;
  }
}

}  // namespace korvel
