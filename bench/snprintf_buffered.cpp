// Baseline: synthesis, then snprintf into a 1 MiB buffer, one write(2) per MiB.

#include <cstdio>
#include <algorithm>
#include <cstring>
#include <fcntl.h>
#include <memory>
#include <unistd.h>

#include "bench/bench_case.h"
#include "calc/synthesis.h"

namespace {

constexpr std::size_t kBufferSize = 1 << 20;

bool writeAll(int fd, const char* data, std::size_t size) {
  while (size > 0) {
    const ssize_t written = ::write(fd, data, size);
    if (written <= 0) return false;
    data += written;
    size -= static_cast<std::size_t>(written);
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  using namespace korvel;
  const bench::BenchCase benchCase = bench::benchCaseFromArgs(argc, argv);
  WaveletSynthesis(benchCase.params, timeHistory).finish();
  const int fd = ::open(benchCase.outputPath, O_WRONLY | O_CREAT | O_TRUNC, 0666);
  if (fd < 0) return 1;
  const auto buffer = std::make_unique<char[]>(kBufferSize);
  std::size_t used = 0;
  char row[128];
  for (std::int32_t i = 0; i < timeHistory.count; ++i) {
    const int length =
        std::snprintf(row, sizeof row, " %14.6e \t %12.4e \r\n", timeHistory.time[i], timeHistory.amplitude[i]);
    for (int k = 0; k < length;) {
      if (used == kBufferSize) {
        if (!writeAll(fd, buffer.get(), used)) return 1;
        used = 0;
      }
      const std::size_t part = std::min(static_cast<std::size_t>(length - k), kBufferSize - used);
      std::memcpy(buffer.get() + used, row + k, part);
      used += part;
      k += static_cast<int>(part);
    }
  }
  if (!writeAll(fd, buffer.get(), used)) return 1;
  return ::close(fd) == 0 ? 0 : 1;
}
