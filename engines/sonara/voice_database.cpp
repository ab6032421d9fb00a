#include "engines/sonara/voice_database.h"

#include <algorithm>
#include <charconv>
#include <sstream>

#include "platform/sys/file_io.h"

namespace orvilo::sonara {
namespace {

constexpr std::size_t kMaxConfigBytes = 64 * 1024;

std::optional<int> ParseInt(const std::string& text) {
  int value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

}  // namespace

std::string Speaker::SynthesizerVoice() const { return variant.empty() ? voice : voice + "+" + variant; }

const Speaker* LanguageDatabase::Find(int number) const {
  if (number < 0 || number >= kSpeakerCount || !speakers[number]) return nullptr;
  return &*speakers[number];
}

int LanguageDatabase::InstalledCount() const {
  return static_cast<int>(std::count_if(speakers.begin(), speakers.end(), [](const auto& s) { return s.has_value(); }));
}

std::optional<Speaker> ParseSpeakerConfig(std::string_view contents, int number) {
  Speaker speaker;
  speaker.number = number;
  speaker.id = number;
  bool haveRate = false;
  std::istringstream lines{std::string(contents)};
  std::string line;
  while (std::getline(lines, line)) {
    std::istringstream words(line);
    std::string key;
    std::string value;
    if (!(words >> key >> value)) continue;
    if (key == "NAME") {
      speaker.name = value;
    } else if (key == "VOICE") {
      speaker.voice = value;
    } else if (key == "VARIANT") {
      speaker.variant = value;
    } else if (key == "PITCH") {
      if (const auto pitch = ParseInt(value)) speaker.pitch = std::clamp(*pitch, 0, 100);
    } else if (key == "WORDS_PER_MINUTE") {
      if (const auto rate = ParseInt(value)) speaker.wordsPerMinute = std::clamp(*rate, 80, 450);
    } else if (key == "SAMPLE_RATE") {
      const auto rate = ParseInt(value);
      haveRate = rate && (*rate == 16000 || *rate == 8000);
      if (haveRate) speaker.sampleRate = *rate;
    } else if (key == "ID") {
      if (const auto id = ParseInt(value); id && *id >= 0) speaker.id = *id;
    }
  }
  // The synthesiser's voice names are plain words; anything else is refused here.
  const auto plain = [](const std::string& s) {
    return std::all_of(s.begin(), s.end(), [](char c) {
      return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' || c == '_';
    });
  };
  if (speaker.name.empty() || speaker.voice.empty() || !haveRate || !plain(speaker.voice) ||
      !plain(speaker.variant)) {
    return std::nullopt;
  }
  return speaker;
}

std::shared_ptr<LanguageDatabase> ReadLanguageDatabase(Language language, const std::string& folder) {
  std::string path = folder;
  std::replace(path.begin(), path.end(), '\\', '/');
  if (path.empty()) return nullptr;
  if (path.back() != '/') path.push_back('/');
  if (!sys::IsDirectory(path)) return nullptr;

  auto database = std::make_shared<LanguageDatabase>();
  database->language = language;
  database->folder = path;
  for (int number = 0; number < kSpeakerCount; ++number) {
    const sys::FileBytes file = sys::ReadFileBytes(path + "config/config." + std::to_string(number), kMaxConfigBytes);
    if (file.status == sys::FileBytes::Status::Ok) database->speakers[number] = ParseSpeakerConfig(file.bytes, number);
  }
  return database;
}

}  // namespace orvilo::sonara
