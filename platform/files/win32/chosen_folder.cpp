#include "platform/files/chosen_folder.h"

#include <windows.h>

#include "platform/files/win32/wide_text.h"

namespace korvel {

// Folders end at a slash or a backslash; "C:name" names a file in drive C's
// current folder. The folder keeps its last separator, so that "C:\x" enters
// the root of C and "\\server\share\x" the share. Windows keeps the current
// folder below 259 characters, also for programs that declare long paths.
EnteredFolder enterFolderOf(const std::string& path) {
  const auto separator = path.find_last_of("/\\");
  std::size_t nameStart = 0;
  if (separator != std::string::npos) {
    nameStart = separator + 1;
  } else if (path.size() >= 2 && path[1] == ':') {
    nameStart = 2;
  } else {
    return {path};
  }
  const std::wstring folder = wideText(path.substr(0, nameStart));
  if (folder.size() > MAX_PATH - 2) return {path};
  if (!::SetCurrentDirectoryW(folder.c_str())) return {path, static_cast<int>(::GetLastError())};
  return {path.substr(nameStart)};
}

}  // namespace korvel
