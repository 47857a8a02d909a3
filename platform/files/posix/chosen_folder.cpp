#include "platform/files/chosen_folder.h"

#include <cerrno>
#include <unistd.h>

namespace korvel {

// The folder is what comes before the last slash; "/x" is in the root.
EnteredFolder enterFolderOf(const std::string& path) {
  const auto slash = path.rfind('/');
  if (slash == std::string::npos) return {path};
  const std::string folder = path.substr(0, slash == 0 ? 1 : slash);
  if (::chdir(folder.c_str()) != 0) return {path, errno};
  return {path.substr(slash + 1)};
}

}  // namespace korvel
