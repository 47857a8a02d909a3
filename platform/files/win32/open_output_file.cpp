#include <windows.h>

#include "platform/files/file_failure.h"
#include "platform/files/system_file.h"
#include "platform/files/win32/wide_text.h"

namespace korvel {
namespace {

[[noreturn]] void failOpen(HANDLE file, const std::string& name, DWORD error) {
  if (file != INVALID_HANDLE_VALUE) ::CloseHandle(file);
  throw FileFailure(FileFailure::Open, name, static_cast<int>(error));
}

}  // namespace

// No sharing: while the file is written no other program can open it, and a
// file another program has open is refused before anything in it changes.
FileHandle openOutputFile(const std::string& name) {
  // Opened as it is, then emptied: the file is emptied only once it is ours.
  // A pipe without a free end fails at once (ERROR_PIPE_BUSY) instead of waiting.
  HANDLE file =
      ::CreateFileW(wideText(name).c_str(), GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) failOpen(file, name, ::GetLastError());
  if (::GetFileType(file) == FILE_TYPE_DISK) {
    LARGE_INTEGER size{};
    if (!::GetFileSizeEx(file, &size)) failOpen(file, name, ::GetLastError());
    // An empty file is left alone, as on every platform.
    if (size.QuadPart != 0 && !::SetEndOfFile(file)) failOpen(file, name, ::GetLastError());
  }
  return file;
}

FileHandle openStandardOutput(const std::string& name) {
  const HANDLE output = ::GetStdHandle(STD_OUTPUT_HANDLE);
  if (output == nullptr || output == INVALID_HANDLE_VALUE) failOpen(INVALID_HANDLE_VALUE, name, ERROR_INVALID_HANDLE);
  HANDLE copy = INVALID_HANDLE_VALUE;
  if (!::DuplicateHandle(::GetCurrentProcess(), output, ::GetCurrentProcess(), &copy, 0, FALSE,
                         DUPLICATE_SAME_ACCESS)) {
    failOpen(INVALID_HANDLE_VALUE, name, ::GetLastError());
  }
  return copy;
}

bool readerHasGone(int errorCode) { return errorCode == ERROR_NO_DATA || errorCode == ERROR_BROKEN_PIPE; }

}  // namespace korvel
