#include "reading/voice_slots.h"

#include <sstream>

#include "platform/sys/file_io.h"
#include "platform/text/unicode.h"

namespace orvilo::reading {
namespace {

// A speaker file is a handful of "KEY value" lines.
constexpr std::size_t kMaxConfigBytes = 64 * 1024;

}  // namespace

std::string_view LanguageFolderName(int language) {
  switch (language) {
    case 0: return "KO_KR";
    case 1: return "EN_US";
    default: return {};
  }
}

std::string SpeakerName(std::string_view configText) {
  std::istringstream words{std::string(configText)};
  std::string word;
  while (words >> word) {
    if (word == "NAME") return (words >> word) ? word : std::string();
  }
  return {};
}

int ReadVoiceSlots(const std::string& root, int language, VoiceSlots& voices) {
  const std::string_view folder = LanguageFolderName(language);
  if (folder.empty()) return 0;
  int found = 0;
  for (int slot = 0; slot < kVoiceSlotCount; ++slot) {
    const std::string path = root + std::string(folder) + "/config/config." + std::to_string(slot);
    const sys::FileBytes file = sys::ReadFileBytes(path, kMaxConfigBytes);
    if (file.status != sys::FileBytes::Status::Ok) continue;
    const std::string name = SpeakerName(file.bytes);
    if (!name.empty()) {
      // At most 15 characters, never half of one.
      std::size_t cut = 0;
      for (int n = 0; n < kVoiceNameLength && cut < name.size(); ++n) {
        char32_t ignored;
        const std::size_t length = text::DecodeUtf8Character(std::string_view(name).substr(cut), ignored);
        cut += length == 0 ? 1 : length;
      }
      voices[slot].name = name.substr(0, cut);
    }
    voices[slot].language = language;
    ++found;
  }
  return found;
}

std::optional<int> VoiceSlotOf(const VoiceSlots& voices, int language) {
  for (int slot = kVoiceSlotCount - 1; slot >= 0; --slot) {
    if (voices[slot].language == language) return slot;
  }
  return std::nullopt;
}

}  // namespace orvilo::reading
