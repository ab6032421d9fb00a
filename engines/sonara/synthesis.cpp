#include "engines/sonara/synthesis.h"

#include <algorithm>
#include <vector>

#include "engines/sonara/polyphase_resampler.h"
#include "engines/sonara/spoken_text.h"
#include "engines/sonara/word_timing.h"
#include "platform/text/unicode.h"

namespace orvilo::sonara {

EspeakSynthesizer::Voice VoiceFor(const Speaker& speaker, const Prosody& prosody) {
  EspeakSynthesizer::Voice voice;
  voice.name = speaker.SynthesizerVoice();
  voice.wordsPerMinute = std::clamp(speaker.wordsPerMinute * prosody.speed / 100, 80, 450);
  voice.volume = std::clamp(prosody.volume, 0, 200);
  voice.pitch = std::clamp(speaker.pitch * prosody.pitch / 100, 0, 100);
  return voice;
}

bool Synthesize(EspeakSynthesizer& synthesizer, const SynthesisSettings& settings, std::string_view text,
                const std::atomic<bool>& stop, const BlockCutter::Emit& emit) {
  const Speaker& speaker = *settings.speaker;
  const DecodedText decoded = DecodeText(text, settings.database->language, settings.characterSet);
  const SpokenText spoken = MakeSpokenText(decoded, settings.dictionary.get());
  const std::vector<Piece> pieces = CutIntoPieces(spoken.characters);
  const EspeakSynthesizer::Voice voice = VoiceFor(speaker, settings.prosody);

  PolyphaseResampler resampler(synthesizer.SampleRate(), speaker.sampleRate);
  BlockCutter cutter(settings.maxBlockSamples, emit);
  std::vector<std::int16_t> samples;
  std::vector<EspeakSynthesizer::Word> words;
  std::vector<std::int16_t> resampled;
  std::int64_t pieceStart = 0;  // in synthesiser samples
  std::int32_t wordIndex = 0;
  std::pair<std::int32_t, std::int32_t> lastMarked{-1, -1};

  for (const Piece& piece : pieces) {
    if (stop.load()) return true;
    samples.clear();
    words.clear();
    const std::u32string_view characters(spoken.characters.data() + piece.begin, piece.end - piece.begin);
    if (!synthesizer.Synthesize(voice, text::Utf32ToUtf8(characters), stop, samples, words)) return false;
    if (stop.load()) return true;
    if (settings.highlight) {
      AddUnreportedWords(characters, static_cast<std::int64_t>(samples.size()), words);
      for (const EspeakSynthesizer::Word& word : words) {
        const std::size_t pieceLength = piece.end - piece.begin;
        const std::size_t first = piece.begin + std::min<std::size_t>(word.characterPosition, pieceLength - 1);
        const std::size_t last =
            std::min(piece.end, first + static_cast<std::size_t>(word.characterLength)) - 1;
        const std::int32_t firstByte = spoken.firstByte[first];
        const std::int32_t lastByte = std::max(firstByte, spoken.lastByte[last]);
        // A word spoken in several parts (a spelled abbreviation, a dictionary
        // pronunciation) is one word of the caller's text: marked once.
        if (firstByte == lastMarked.first && lastByte == lastMarked.second) continue;
        lastMarked = {firstByte, lastByte};
        cutter.Mark({wordIndex++, resampler.OutputPositionOf(pieceStart + word.sample), firstByte, lastByte});
      }
    }
    pieceStart += static_cast<std::int64_t>(samples.size());
    resampled.clear();
    resampler.Process(samples.data(), samples.size(), resampled);
    // A piece's sound goes out as soon as it exists: the first block follows the first sentence.
    if (!cutter.Push(resampled.data(), resampled.size()) || !cutter.Flush()) return true;
  }
  resampled.clear();
  resampler.Finish(resampled);
  if (cutter.Push(resampled.data(), resampled.size())) cutter.Flush();
  return true;
}

}  // namespace orvilo::sonara
