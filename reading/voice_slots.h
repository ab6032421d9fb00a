// The speakers a voice database offers, by slot number, as the reading
// panel lists them: Sonara_M_DB/<KO_KR|EN_US>/config/config.<slot>.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace orvilo::reading {

inline constexpr int kVoiceSlotCount = 10;
inline constexpr int kVoiceNameLength = 15;  // characters a slot keeps of a name

struct VoiceSlot {
  std::string name;   // empty when the file names no speaker
  int language = -1;  // -1: no database file for this slot
};

using VoiceSlots = std::array<VoiceSlot, kVoiceSlotCount>;

// The folder of a language's database under `root` (which ends in "/"):
// "KO_KR" for 0, "EN_US" for 1, empty for others.
std::string_view LanguageFolderName(int language);

// The word after the first whitespace-separated word "NAME" (exact,
// case-sensitive) of a speaker file; empty when there is none.
std::string SpeakerName(std::string_view configText);

// Fills the slots of `language` from the files config/config.0 .. 9 of its
// folder under `root`: each file that exists takes its slot (the name cut
// to 15 characters). Returns how many files were found. A later language
// overwrites a slot an earlier one filled.
int ReadVoiceSlots(const std::string& root, int language, VoiceSlots& voices);

// The highest slot of `language`, or none.
std::optional<int> VoiceSlotOf(const VoiceSlots& voices, int language);

}  // namespace orvilo::reading
