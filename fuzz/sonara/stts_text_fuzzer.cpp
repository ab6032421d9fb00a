// libFuzzer target: text of any bytes through the engine's C interface, as
// a caller hands it to STTS_TextToPcmBuf. The first byte picks the language
// and the character set, the rest is the text. Synthesis must never crash,
// must end with STTS_DONE or a refusal, and hand out only whole, non-empty
// blocks with word marks inside the text.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "engines/sonara/sonara_m.h"

namespace {

constexpr int kBlockBytes = 8000;

struct Received {
  size_t textBytes = 0;
};

int Receive(void* userData, PcmChunk* chunk) {
  const Received* received = static_cast<const Received*>(userData);
  if (chunk->byteCount <= 0 || chunk->byteCount > kBlockBytes || chunk->byteCount % 2 != 0 || chunk->samples == nullptr) {
    abort();
  }
  if (chunk->marker == 1) {
    const int32_t* range = chunk->highlight->textRange;
    if (range[0] < 0 || range[0] > range[1] || static_cast<size_t>(range[1]) >= received->textBytes) abort();
  }
  return 0;
}

// The started engine with the shipped databases and one handle a language,
// for the whole run.
struct Engine {
  Engine() {
    if (STTS_Initialize() != STTS_OK) abort();
    const char* folders[] = {"KO_KR", "EN_US", "ZH_CN", "JA_JP"};
    for (int language = 0; language < 4; ++language) {
      const std::string folder = std::string(ORVILO_SOURCE_DIR) + "/engines/sonara/Sonara_M_DB/" + folders[language];
      if (STTS_LoadEngine(language, folder.c_str(), 0) != STTS_OK) abort();
      handles[language] = STTS_CreateThread(&received, &Receive, language, language);
      if (handles[language] == nullptr) abort();
      STTS_SetHighLight(handles[language], 1);
    }
  }
  ~Engine() {
    for (STTS_HANDLE handle : handles) STTS_DeleteThread(handle);
    STTS_UnInitialize();
  }
  Received received;
  STTS_HANDLE handles[4] = {};
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // Synthesis takes time in proportion to the text: a few sentences show
  // every path of the text handling without slowing the search down.
  if (size < 1 || size > 512) return 0;
  static Engine engine;
  const int language = data[0] % 4;
  const int charSet = (data[0] / 4) % 3;
  const std::string text(reinterpret_cast<const char*>(data + 1), size - 1);  // ends at the first NUL, as in C
  STTS_HANDLE handle = engine.handles[language];
  if (STTS_SetCharSet(handle, charSet) != STTS_OK) abort();
  engine.received.textBytes = text.c_str() == nullptr ? 0 : std::char_traits<char>::length(text.c_str());
  const int result = STTS_TextToPcmBuf(handle, text.c_str(), STTS_MODE_SYNCHRONOUS, kBlockBytes);
  if (result != STTS_DONE && result != STTS_ERR_EMPTY_TEXT) abort();
  if (result == STTS_ERR_EMPTY_TEXT && engine.received.textBytes != 0) abort();
  return 0;
}
