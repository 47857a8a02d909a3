#include "cli/command_line_ui.h"

#ifdef _WIN32
#include <windows.h>

#include "platform/files/win32/wide_text.h"
#else
#include <cerrno>
#include <unistd.h>
#endif

#include "platform/files/file_failure.h"

namespace korvel::cli {
namespace {

struct PathSplit {
  std::size_t folderLength;  // 0: the path is a bare name
  std::size_t nameStart;
};

#ifdef _WIN32
// Folders end at a slash or a backslash; "C:name" names a file in drive C's
// current folder. The folder keeps its last separator, so that "C:\x" enters
// the root of C and "\\server\share\x" the share.
PathSplit splitPath(const std::string& path) {
  const auto separator = path.find_last_of("/\\");
  if (separator != std::string::npos) return {separator + 1, separator + 1};
  return path.size() >= 2 && path[1] == ':' ? PathSplit{2, 2} : PathSplit{0, 0};
}
int enterFolder(const std::string& folder) {
  return ::SetCurrentDirectoryW(wideText(folder).c_str()) ? 0 : static_cast<int>(::GetLastError());
}
// Windows keeps the current folder below 259 characters, also for programs that
// declare long paths: the file in a longer folder is opened by its whole path.
bool tooLongToEnter(const std::string& folder) { return wideText(folder).size() > MAX_PATH - 2; }
#else
// The folder is what comes before the last slash; "/x" is in the root.
PathSplit splitPath(const std::string& path) {
  const auto slash = path.rfind('/');
  if (slash == std::string::npos) return {0, 0};
  return {slash == 0 ? 1 : slash, slash + 1};
}
int enterFolder(const std::string& folder) { return ::chdir(folder.c_str()) == 0 ? 0 : errno; }
bool tooLongToEnter(const std::string&) { return false; }
#endif

}  // namespace

std::string CommandLineUi::fieldText(int controlId) {
  const auto found = options_.fieldTexts.find(controlId);
  return found == options_.fieldTexts.end() ? std::string() : found->second;
}

std::optional<std::string> CommandLineUi::askOutputFileName() {
  askedForFile_ = true;
  const std::string& path = options_.outputPath;
  const PathSplit split = splitPath(path);
  if (split.folderLength == 0 || options_.standardOutput || tooLongToEnter(path.substr(0, split.folderLength))) {
    return path;
  }
  // A folder that cannot be entered is reported as the file that cannot be opened.
  const int error = enterFolder(path.substr(0, split.folderLength));
  if (error != 0) throw FileFailure(FileFailure::Open, path, error);
  return path.substr(split.nameStart);
}

}  // namespace korvel::cli
