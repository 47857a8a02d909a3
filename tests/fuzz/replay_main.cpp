// Runs a fuzz target over saved inputs: every file named, and every file in
// every folder named. Used where libFuzzer is not at hand, so that the corpus
// runs as an ordinary test.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

void replay(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  const std::vector<char> bytes((std::istreambuf_iterator<char>(in)), {});
  // As under libFuzzer, even an empty input comes with a valid pointer.
  static const std::uint8_t nothing = 0;
  LLVMFuzzerTestOneInput(bytes.empty() ? &nothing : reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
}

}  // namespace

int main(int argc, char** argv) {
  // In name order, so that runs on different systems can be compared line by
  // line where a target prints what each input gave (KORVEL_FUZZ_DIGEST set).
  std::vector<std::filesystem::path> inputs;
  for (int i = 1; i < argc; ++i) {
    const std::filesystem::path path = argv[i];
    if (std::filesystem::is_directory(path)) {
      for (const auto& entry : std::filesystem::directory_iterator(path)) {
        if (entry.is_regular_file()) inputs.push_back(entry.path());
      }
    } else {
      inputs.push_back(path);
    }
  }
  std::sort(inputs.begin(), inputs.end());
  const bool named = std::getenv("KORVEL_FUZZ_DIGEST") != nullptr;
  for (const std::filesystem::path& input : inputs) {
    if (named) std::cout << input.filename().string() << ' ' << std::flush;
    replay(input);
  }
  const std::size_t count = inputs.size();
  std::cout << count << " inputs replayed\n";
  return count > 0 ? 0 : 1;
}
