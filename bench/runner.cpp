// Runs korvel-cli, the baselines and dd side by side for the two benchmark cases
// and prints wall times (median, min-max), peak resident memory and the ratios
// the program aims at. Informational only: the exit status says nothing about speed.
//
//   bench_runner [RUNS] [SCRATCH_FOLDER]
//
// KORVEL_WINDOWS_CLIS="NAME=PATH.exe ..." adds Windows builds of korvel-cli, run
// under Wine (its server kept up by the caller; 64-bit programs by Wine's own
// 64-bit loader), and the start of Wine itself
// (the program printing its version), so that the program's own time can be
// set against the Linux korvel-cli's.

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <utility>
#include <sys/resource.h>
#include <sys/wait.h>
#include <fcntl.h>
#include <unistd.h>
#include <vector>

namespace {

struct Program {
  Program(std::string label, std::vector<std::string> argv) : label(std::move(label)), argv(std::move(argv)) {}
  std::string label;
  std::vector<std::string> argv;  // "@OUT@" in an argument stands for the output file
  std::vector<double> seconds;
  long peakKilobytes = 0;
};

struct Case {
  const char* name;
  const char* frequency;
};

// One run: wall time from fork to reaped exit, and the child's peak RSS.
bool runOnce(Program& program, const std::string& output) {
  std::vector<std::string> args;
  for (std::string arg : program.argv) {
    if (const auto at = arg.find("@OUT@"); at != std::string::npos) arg.replace(at, 5, output);
    args.push_back(arg);
  }
  std::vector<char*> raw;
  for (std::string& arg : args) raw.push_back(arg.data());
  raw.push_back(nullptr);
  ::unlink(output.c_str());

  const auto start = std::chrono::steady_clock::now();
  const pid_t child = ::fork();
  if (child < 0) return false;
  if (child == 0) {
    const int null = ::open("/dev/null", O_WRONLY);
    ::dup2(null, 1);
    ::dup2(null, 2);
    ::execv(raw[0], raw.data());
    ::_exit(127);
  }
  int status = 0;
  rusage usage{};
  if (::wait4(child, &status, 0, &usage) != child) return false;
  const auto end = std::chrono::steady_clock::now();
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
    std::fprintf(stderr, "bench: %s failed (status %d)\n", program.label.c_str(), status);
    return false;
  }
  program.seconds.push_back(std::chrono::duration<double>(end - start).count());
  program.peakKilobytes = std::max(program.peakKilobytes, usage.ru_maxrss);
  return true;
}

double median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const std::size_t n = values.size();
  return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

// The file's size and a hash of its bytes, read in pieces: the runner stays
// small, since a child's peak RSS counts the parent's pages until its exec.
struct FileDigest {
  std::size_t size = 0;
  std::uint64_t hash = 1469598103934665603ULL;
  bool operator==(const FileDigest&) const = default;
};

FileDigest digestOf(const std::string& path) {
  FileDigest digest;
  std::ifstream in(path, std::ios::binary);
  char piece[1 << 16];
  while (in.read(piece, sizeof piece) || in.gcount() > 0) {
    const std::size_t got = static_cast<std::size_t>(in.gcount());
    for (std::size_t i = 0; i < got; ++i) {
      digest.hash = (digest.hash ^ static_cast<unsigned char>(piece[i])) * 1099511628211ULL;
    }
    digest.size += got;
  }
  return digest;
}

// Wine's own loader for a 64-bit program where Debian keeps it: the wine
// command starts the 32-bit loader first, which then hands 64-bit programs
// over, and that alone takes longer than the Linux korvel-cli's whole run.
std::string wineLoaderFor(const std::string& exe) {
  std::ifstream in(exe, std::ios::binary);
  unsigned char header[0x40] = {};
  in.read(reinterpret_cast<char*>(header), sizeof header);
  const std::uint32_t peOffset =
      header[0x3C] | header[0x3D] << 8 | header[0x3E] << 16 | std::uint32_t{header[0x3F]} << 24;
  unsigned char machine[2] = {};
  in.seekg(peOffset + 4);
  in.read(reinterpret_cast<char*>(machine), 2);
  const bool is64 = (machine[0] | machine[1] << 8) == 0x8664;
  return is64 && ::access("/usr/lib/wine/wine64", X_OK) == 0 ? "/usr/lib/wine/wine64" : "/usr/bin/wine";
}

void runCase(const Case& benchCase, int runs, const std::string& folder) {
  const std::string bench = BENCH_DIR;
  const std::string f = benchCase.frequency;
  std::vector<Program> programs = {
      {"korvel-cli", {KORVEL_CLI, "-a", "1", "-f", f, "-n", "3", "-d", "0", "-t", "200", "-r", "10000", "-o", "@OUT@"}},
      {"exact formatter, 1 MiB writes", {bench + "/bench_reference_formatter", f, "@OUT@"}},
      {"snprintf, write(2) per row", {bench + "/bench_write_per_row", f, "@OUT@"}},
      {"fprintf per row (stdio)", {bench + "/bench_stdio_per_row", f, "@OUT@"}},
      {"snprintf, 1 MiB writes", {bench + "/bench_snprintf_buffered", f, "@OUT@"}},
      {"floor 1: synthesis only", {bench + "/bench_synthesis_only", f, "@OUT@"}},
      {"floor 2: dd 63 MiB", {"/bin/dd", "if=/dev/zero", "of=@OUT@", "bs=1M", "count=63", "status=none"}},
  };
  struct WindowsBuild {
    std::string name;
    std::size_t program;  // its run; the next one is Wine's start
  };
  std::vector<WindowsBuild> windowsBuilds;
  if (const char* list = std::getenv("KORVEL_WINDOWS_CLIS")) {
    std::istringstream words(list);
    for (std::string word; words >> word;) {
      const auto equals = word.find('=');
      if (equals == std::string::npos) continue;
      const std::string name = word.substr(0, equals);
      const std::string exe = word.substr(equals + 1);
      const std::string loader = wineLoaderFor(exe);
      windowsBuilds.push_back({name, programs.size()});
      programs.push_back(
          {"korvel-cli.exe, " + name + " (Wine)",
           {loader, exe, "-a", "1", "-f", f, "-n", "3", "-d", "0", "-t", "200", "-r", "10000", "-o", "@OUT@"}});
      programs.push_back({"  Wine start (" + name + " --version)", {loader, exe, "--version"}});
    }
  }
  const std::string output = folder + "/bench-output.txt";

  // Same bytes as the straightforward formatter?
  runOnce(programs[0], output);
  const FileDigest fast = digestOf(output);
  runOnce(programs[1], output);
  const bool identical = fast == digestOf(output);
  std::vector<bool> windowsIdentical;
  for (const WindowsBuild& build : windowsBuilds) {
    runOnce(programs[build.program], output);
    windowsIdentical.push_back(fast == digestOf(output));
  }
  for (Program& program : programs) program.seconds.clear();

  for (int run = 0; run < runs; ++run) {
    for (Program& program : programs) {
      if (!runOnce(program, output)) return;
    }
  }
  ::unlink(output.c_str());

  std::printf("\n%s (frequency %s Hz), %d runs; korvel-cli file %zu bytes, %s the exact formatter's\n", benchCase.name,
              benchCase.frequency, runs, fast.size, identical ? "identical to" : "DIFFERENT FROM");
  std::printf("  %-32s %9s %19s %10s\n", "program", "median s", "min-max s", "peak RSS");
  std::vector<double> medians;
  for (const Program& program : programs) {
    const auto [low, high] = std::minmax_element(program.seconds.begin(), program.seconds.end());
    medians.push_back(median(program.seconds));
    std::printf("  %-32s %9.3f %9.3f-%-9.3f %7.1f MB\n", program.label.c_str(), medians.back(), *low, *high,
                static_cast<double>(program.peakKilobytes) / 1024.0);
  }
  const double korvel = medians[0];
  const double floor = medians[5] + medians[6];
  struct Ratio {
    const char* text;
    double value;
    double target;
    bool atMost;
  } ratios[] = {
      {"exact formatter / korvel-cli", medians[1] / korvel, 2, false},
      {"write(2) per row / korvel-cli", medians[2] / korvel, 25, false},
      {"stdio fprintf / korvel-cli", medians[3] / korvel, 4, false},
      {"korvel-cli / (synthesis only + dd)", korvel / floor, 1.5, true},
      {"korvel-cli peak RSS, MB", static_cast<double>(programs[0].peakKilobytes) / 1024.0, 48, true},
  };
  for (const Ratio& r : ratios) {
    const bool met = r.atMost ? r.value <= r.target : r.value >= r.target;
    std::printf("  %-36s %7.2f  (target %s %g: %s)\n", r.text, r.value, r.atMost ? "<=" : ">=", r.target,
                met ? "met" : "not met");
  }
  for (std::size_t k = 0; k < windowsBuilds.size(); ++k) {
    const std::size_t at = windowsBuilds[k].program;
    const double own = medians[at] - medians[at + 1];
    std::printf("  korvel-cli.exe %s: file %s korvel-cli's\n", windowsBuilds[k].name.c_str(),
                windowsIdentical[k] ? "identical to" : "DIFFERENT FROM");
    std::printf("    %-34s %7.2f\n", "with Wine's start / korvel-cli", medians[at] / korvel);
    std::printf("    %-34s %7.2f  (target <= 1.5: %s)\n", "less Wine's start / korvel-cli", own / korvel,
                own / korvel <= 1.5 ? "met" : "not met");
  }
}

}  // namespace

int main(int argc, char** argv) {
  const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 9;
  std::string folder = argc > 2 ? argv[2] : "";
  if (folder.empty()) {
    char pattern[] = "/tmp/korvel-bench-XXXXXX";
    if (!::mkdtemp(pattern)) return 0;
    folder = pattern;
  }
  const Case cases[] = {{"max case", "10"}, {"full-window case", "0.0075"}};
  for (const Case& benchCase : cases) runCase(benchCase, runs, folder);
  if (argc <= 2) ::rmdir(folder.c_str());
  return 0;
}
