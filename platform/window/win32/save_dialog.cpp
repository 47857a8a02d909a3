#include "platform/window/save_dialog.h"

#include <windows.h>
#include <commdlg.h>

#include "platform/files/chosen_folder.h"
#include "platform/window/win32/dialog_window.h"

namespace korvel {

std::optional<std::string> askSaveFileName(CDialog& owner) {
  // Room for any name the UTF-8 code page can give.
  std::string path(32768, '\0');
  OPENFILENAMEA dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = windowOf(owner);
  dialog.lpstrFile = path.data();
  dialog.nMaxFile = static_cast<DWORD>(path.size());
  dialog.Flags = OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY;
  if (!GetSaveFileNameA(&dialog)) return std::nullopt;
  path.resize(path.find('\0'));
  // The chosen folder becomes current, whatever the dialog itself did, so the
  // bare name names the chosen file. A folder that cannot be entered (gone,
  // never there, a drive that is not) leaves the full path, so the file cannot
  // land in whatever folder happens to be current; the open then reports it.
  return enterFolderOf(path).name;
}

}  // namespace korvel
