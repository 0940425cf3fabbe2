// The ordinary build's stand-in for libFuzzer: runs a fuzz target once over each file named on
// the command line (a folder stands for every file in it). Exit status 1 when an input is missing
// or nothing was run; a target that finds a fault aborts on its own.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

std::vector<std::filesystem::path> inputs_of(const std::filesystem::path& path) {
  if (!std::filesystem::is_directory(path)) return {path};
  std::vector<std::filesystem::path> files;
  for (const auto& entry : std::filesystem::directory_iterator(path)) {
    if (entry.is_regular_file()) files.push_back(entry.path());
  }
  std::sort(files.begin(), files.end());
  return files;
}

}  // namespace

int main(int argc, char** argv) {
  int ran = 0;
  for (int i = 1; i < argc; ++i) {
    for (const std::filesystem::path& file : inputs_of(argv[i])) {
      std::ifstream in(file, std::ios::binary);
      if (!in) {
        std::fprintf(stderr, "cannot read %s\n", file.c_str());
        return 1;
      }
      const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(in), {}};
      std::printf("%s\n", file.c_str());
      std::fflush(stdout);  // so a crash shows which input it was
      LLVMFuzzerTestOneInput(bytes.data(), bytes.size());
      ++ran;
    }
  }
  std::printf("%d inputs run\n", ran);
  return ran > 0 ? 0 : 1;
}
