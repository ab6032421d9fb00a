// The synthesiser behind the engine: espeak-ng, in synchronous mode, one
// text at a time for the whole process (espeak-ng keeps its state in
// globals). A piece of text is turned into 16-bit samples at the
// synthesiser's own rate plus the time and place of every word in it.
#pragma once

#include <atomic>
#include <cstdint>
#include <string>
#include <vector>

namespace orvilo::sonara {

class EspeakSynthesizer {
 public:
  struct Voice {
    std::string name;        // "ko+f3"
    int wordsPerMinute = 175;
    int volume = 100;        // 0-200
    int pitch = 50;          // 0-100
  };
  struct Word {
    int characterPosition;   // 0-based, in the synthesised piece
    int characterLength;     // at least 1
    std::int64_t sample;     // where its sound starts, in samples from the piece's start
  };

  // The process's synthesiser, started on first use and kept for the life
  // of the process (ending espeak-ng while another thread might start it
  // again is not safe, and a started synthesiser costs nothing idle); null
  // while espeak-ng or its data cannot be started.
  static EspeakSynthesizer* Instance();
  EspeakSynthesizer(const EspeakSynthesizer&) = delete;
  EspeakSynthesizer& operator=(const EspeakSynthesizer&) = delete;

  int SampleRate() const { return sampleRate_; }

  // Whether the voice (with its variant) exists.
  bool HasVoice(const std::string& name);

  // Appends the sound of `utf8` to `samples` and its words to `words`.
  // Returns false when the synthesiser fails; ends early (returning true)
  // once `stop` is set.
  bool Synthesize(const Voice& voice, const std::string& utf8, const std::atomic<bool>& stop,
                  std::vector<std::int16_t>& samples, std::vector<Word>& words);

 private:
  explicit EspeakSynthesizer(int sampleRate) : sampleRate_(sampleRate) {}
  bool UseVoice(const std::string& name);

  const int sampleRate_;
  std::string currentVoice_;  // under the synthesiser lock
};

}  // namespace orvilo::sonara
