// Runs the fuzz target without libFuzzer: every file of the given folders (the seed
// corpus and the kept crash inputs), then a few thousand mutations of them made from a
// fixed seed, so that the run is the same every time. Built with ASan and UBSan; any
// finding aborts the program.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace {

using Bytes = std::vector<uint8_t>;

struct Random {
  uint64_t state;
  uint32_t Next() {
    state = state * 6364136223846793005ull + 1442695040888963407ull;
    return static_cast<uint32_t>(state >> 33);
  }
  size_t Below(size_t n) { return n == 0 ? 0 : Next() % n; }
};

// Byte flips, interesting values (JPEG markers, text and INI punctuation),
// marker pairs, cuts, inserted runs and removed runs.
Bytes Mutate(const Bytes& input, Random& random) {
  Bytes out = input;
  const int edits = 1 + static_cast<int>(random.Below(4));
  for (int e = 0; e < edits && !out.empty(); ++e) {
    const size_t at = random.Below(out.size());
    switch (random.Below(7)) {
      case 0: out[at] ^= static_cast<uint8_t>(1u << random.Below(8)); break;
      case 1: out[at] = static_cast<uint8_t>(random.Next()); break;
      case 2: {
        static const uint8_t kValues[] = {0x00, 0x01, 0x7F, 0x80, 0xFF, 0xC0, 0xC2, 0xC4, 0xD0, 0xD9, 0xDA, 0xDD,
                                          '[',  ']',  '=',  '\r', '\n', ';',  '"',  ' ',  0xB0, 0xA1, 0xEC};
        out[at] = kValues[random.Below(sizeof kValues)];
        break;
      }
      case 3: out.resize(at); break;
      case 4: out.insert(out.begin() + static_cast<long>(at), 1 + random.Below(16), static_cast<uint8_t>(random.Next())); break;
      case 5: out.erase(out.begin() + static_cast<long>(at), out.begin() + static_cast<long>(std::min(out.size(), at + 1 + random.Below(64)))); break;
      case 6:
        if (at + 1 < out.size()) {
          out[at] = 0xFF;
          out[at + 1] = static_cast<uint8_t>(0xC0 + random.Below(64));
        }
        break;
    }
  }
  return out;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<Bytes> inputs;
  int mutations = 3000;
  for (int i = 1; i < argc; ++i) {
    if (std::string(argv[i]) == "--mutations" && i + 1 < argc) {
      mutations = std::atoi(argv[++i]);
      continue;
    }
    if (!std::filesystem::is_directory(argv[i])) continue;
    for (const auto& entry : std::filesystem::directory_iterator(argv[i])) {
      if (!entry.is_regular_file() || entry.path().extension() == ".md") continue;
      std::ifstream file(entry.path(), std::ios::binary);
      inputs.emplace_back(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    }
  }
  if (inputs.empty()) {
    std::fprintf(stderr, "no inputs\n");
    return 1;
  }
  for (const Bytes& input : inputs) LLVMFuzzerTestOneInput(input.data(), input.size());
  Random random{12345};
  for (int i = 0; i < mutations; ++i) {
    const Bytes mutated = Mutate(inputs[random.Below(inputs.size())], random);
    LLVMFuzzerTestOneInput(mutated.data(), mutated.size());
  }
  std::printf("%zu inputs and %d mutations ran without a finding\n", inputs.size(), mutations);
  return 0;
}
