#include "platform/files/system_calls.h"

#include <windows.h>

#include <chrono>

namespace korvel {
namespace {

// Slow storage (a USB stick written through, a network share) takes a large
// write for seconds, and what it has taken is known only when a write returns.
// So each thread's writes go out in pieces of at most about a tenth of a
// second: from 64 KiB, twice as large after a piece that took under half of
// that, half as large after one that took longer, up to 1 MiB. The rest of a
// longer write is a short write.
constexpr std::size_t kSmallestPiece = std::size_t{64} << 10;
constexpr std::size_t kLargestPiece = std::size_t{1} << 20;
constexpr std::chrono::milliseconds kSlowPiece{100};
constexpr std::chrono::milliseconds kFastPiece = kSlowPiece / 2;
thread_local std::size_t pieceSize = kSmallestPiece;

std::int64_t writeFile(FileHandle file, const void* data, std::size_t size) {
  const std::size_t piece = pieceSize;
  const DWORD part = static_cast<DWORD>(size < piece ? size : piece);
  const auto start = std::chrono::steady_clock::now();
  DWORD done = 0;
  if (!::WriteFile(file, data, part, &done, nullptr)) return -1;
  if (done == piece) {
    const auto took = std::chrono::steady_clock::now() - start;
    if (took < kFastPiece && piece < kLargestPiece) pieceSize = 2 * piece;
    if (took > kSlowPiece && piece > kSmallestPiece) pieceSize = piece / 2;
  }
  return done;
}

int closeFile(FileHandle file) { return ::CloseHandle(file) ? 0 : -1; }

int truncateFile(FileHandle file, std::int64_t length) {
  LARGE_INTEGER position;
  position.QuadPart = length;
  return ::SetFilePointerEx(file, position, nullptr, FILE_BEGIN) && ::SetEndOfFile(file) ? 0 : -1;
}

}  // namespace

FileSystemCalls& fileSystemCalls() {
  static FileSystemCalls calls{&writeFile, &closeFile, &truncateFile};
  return calls;
}

int lastSystemError() { return static_cast<int>(::GetLastError()); }

const SystemErrors& systemErrors() {
  static constexpr SystemErrors errors{-1, ERROR_DISK_FULL, ERROR_NOT_ENOUGH_MEMORY, ERROR_INVALID_HANDLE};
  return errors;
}

}  // namespace korvel
