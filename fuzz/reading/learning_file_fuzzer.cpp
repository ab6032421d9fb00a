// libFuzzer target: learning files of any content. Parsing must never crash
// nor allocate what the file cannot hold, and what it reads must write back
// to a file that parses to the same fields.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "reading/learning_file.h"

using namespace orvilo::reading;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // A page picture of a few hundred pixels says everything the parser can
  // get wrong; larger inputs only slow the search down.
  if (size > (1 << 20)) return 0;
  const LearningFileContent content = ParseLearningFile(std::string_view(reinterpret_cast<const char*>(data), size));
  if (content.status != LearningFileContent::Status::Ok) return 0;
  LearningPage page;
  page.selection = *content.selection;
  page.blinds = *content.blinds;
  page.text = content.text.value_or("");
  page.music = content.music.value_or("");
  page.image = &content.image;
  const LearningFileContent again = ParseLearningFile(SerialiseLearningFile(page));
  if (again.status != LearningFileContent::Status::Ok || again.selection != content.selection ||
      again.blinds != content.blinds || again.text.value_or("") != page.text ||
      again.music.value_or("") != page.music || again.image.size() != content.image.size()) {
    abort();
  }
  return 0;
}
