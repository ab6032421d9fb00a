// One synthesis from the caller's bytes to blocks of PCM at the speaker's
// rate: decode, apply the user dictionary, cut into pieces, synthesise each
// piece, resample, and cut the stream into blocks (at word starts when
// highlighting). Pieces are synthesised one at a time, so the synthesiser
// is held only while a piece is computed and blocks are delivered with no
// engine lock held; the first block of a text follows its first sentence.
#pragma once

#include <atomic>
#include <cstddef>
#include <memory>
#include <string_view>

#include "engines/sonara/block_cutter.h"
#include "engines/sonara/espeak_synthesizer.h"
#include "engines/sonara/prosody.h"
#include "engines/sonara/text_decoder.h"
#include "engines/sonara/user_dictionary.h"
#include "engines/sonara/voice_database.h"

namespace orvilo::sonara {

struct SynthesisSettings {
  std::shared_ptr<const LanguageDatabase> database;  // keeps `speaker` alive
  const Speaker* speaker = nullptr;
  Prosody prosody;
  std::shared_ptr<const UserDictionary> dictionary;  // may be null
  CharacterSet characterSet = CharacterSet::kAutomatic;
  bool highlight = false;
  std::size_t maxBlockSamples = 16000;
};

// The synthesiser's voice settings for a speaker and prosody.
EspeakSynthesizer::Voice VoiceFor(const Speaker& speaker, const Prosody& prosody);

// Calls `emit` per block until the text is spoken, `stop` is set or `emit`
// refuses. Returns false only when the synthesiser failed.
bool Synthesize(EspeakSynthesizer& synthesizer, const SynthesisSettings& settings, std::string_view text,
                const std::atomic<bool>& stop, const BlockCutter::Emit& emit);

}  // namespace orvilo::sonara
