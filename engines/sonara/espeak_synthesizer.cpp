#include "engines/sonara/espeak_synthesizer.h"

#include <espeak-ng/speak_lib.h>

#include <algorithm>
#include <mutex>

namespace orvilo::sonara {
namespace {

// espeak-ng's state is global: one mutex guards every call into it. Never
// destroyed, like the synthesiser, since the player may still be using it
// while static objects are destroyed at exit.
std::mutex& SynthesizerLock() {
  static auto* lock = new std::mutex;
  return *lock;
}

// The collector of the synthesis in progress (set under SynthesizerLock).
struct Collector {
  const std::atomic<bool>* stop;
  std::vector<std::int16_t>* samples;
  std::vector<EspeakSynthesizer::Word>* words;
  int sampleRate;
};
Collector* activeCollector = nullptr;

int OnSynthesized(short* wave, int count, espeak_EVENT* events) {
  Collector* collector = activeCollector;
  if (collector == nullptr) return 1;
  if (wave != nullptr && count > 0) collector->samples->insert(collector->samples->end(), wave, wave + count);
  for (espeak_EVENT* event = events; event != nullptr && event->type != espeakEVENT_LIST_TERMINATED; ++event) {
    // Word events without a place in the text are the synthesiser's own (pauses).
    if (event->type != espeakEVENT_WORD || event->text_position <= 0) continue;
    collector->words->push_back({event->text_position - 1, std::max(1, event->length),
                                 static_cast<std::int64_t>(event->audio_position) * collector->sampleRate / 1000});
  }
  return collector->stop->load(std::memory_order_relaxed) ? 1 : 0;
}

}  // namespace

EspeakSynthesizer* EspeakSynthesizer::Instance() {
  static EspeakSynthesizer* instance = nullptr;
  std::lock_guard lock(SynthesizerLock());
  if (instance != nullptr) return instance;
  // DONT_EXIT: without its data espeak-ng would otherwise end the process.
  const int rate = espeak_Initialize(AUDIO_OUTPUT_SYNCHRONOUS, 50, nullptr, espeakINITIALIZE_DONT_EXIT);
  if (rate <= 0) return nullptr;
  espeak_SetSynthCallback(OnSynthesized);
  instance = new EspeakSynthesizer(rate);
  return instance;
}

bool EspeakSynthesizer::UseVoice(const std::string& name) {
  if (name == currentVoice_) return true;
  if (espeak_SetVoiceByName(name.c_str()) != EE_OK) return false;
  currentVoice_ = name;
  return true;
}

bool EspeakSynthesizer::HasVoice(const std::string& name) {
  std::lock_guard lock(SynthesizerLock());
  return UseVoice(name);
}

bool EspeakSynthesizer::Synthesize(const Voice& voice, const std::string& utf8, const std::atomic<bool>& stop,
                                   std::vector<std::int16_t>& samples, std::vector<Word>& words) {
  std::lock_guard lock(SynthesizerLock());
  if (!UseVoice(voice.name)) return false;
  espeak_SetParameter(espeakRATE, voice.wordsPerMinute, 0);
  espeak_SetParameter(espeakVOLUME, voice.volume, 0);
  espeak_SetParameter(espeakPITCH, voice.pitch, 0);
  Collector collector{&stop, &samples, &words, sampleRate_};
  activeCollector = &collector;
  const espeak_ERROR result = espeak_Synth(utf8.c_str(), utf8.size() + 1, 0, POS_CHARACTER, 0, espeakCHARS_UTF8,
                                           nullptr, nullptr);
  activeCollector = nullptr;
  return result == EE_OK;
}

}  // namespace orvilo::sonara
