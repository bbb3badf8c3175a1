// Runs a fuzz target over the files of its corpus, as a plain program: every CI run replays the
// committed corpus this way (under the sanitizers in the second pass) without needing libFuzzer.
// Arguments: files or folders; the run fails when a folder holds no file at all.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

bool replay(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  if (!in) {
    std::fprintf(stderr, "cannot read %s\n", file.c_str());
    return false;
  }
  const std::vector<char> bytes((std::istreambuf_iterator<char>(in)),
                                std::istreambuf_iterator<char>());
  std::fprintf(stderr, "%s (%zu bytes)\n", file.c_str(), bytes.size());
  // A copy of exactly the file's size, so that ASan sees any read past its end.
  std::vector<std::uint8_t> input(bytes.begin(), bytes.end());
  // libFuzzer never hands over a null pointer, not even for an empty input.
  static std::uint8_t none = 0;
  LLVMFuzzerTestOneInput(input.empty() ? &none : input.data(), input.size());
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: %s CORPUS-FOLDER-OR-FILE...\n", argv[0]);
    return 2;
  }
  std::size_t count = 0;
  for (int i = 1; i < argc; ++i) {
    const std::filesystem::path arg(argv[i]);
    if (std::filesystem::is_directory(arg)) {
      std::vector<std::filesystem::path> files;
      for (const auto& entry : std::filesystem::directory_iterator(arg)) {
        if (entry.is_regular_file()) files.push_back(entry.path());
      }
      if (files.empty()) {
        std::fprintf(stderr, "%s holds no input\n", arg.c_str());
        return 1;
      }
      std::sort(files.begin(), files.end());
      for (const auto& file : files) {
        if (!replay(file)) return 1;
        ++count;
      }
    } else {
      if (!replay(arg)) return 1;
      ++count;
    }
  }
  std::printf("%zu inputs replayed\n", count);
  return 0;
}
