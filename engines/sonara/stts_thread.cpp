// STTS_* calls of synthesis handles: settings, synthesis to PCM blocks
// through the caller's callback, and stopping.
#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <limits>
#include <mutex>
#include <thread>
#include <unordered_set>

#include "engines/sonara/api_support.h"
#include "engines/sonara/engine.h"
#include "engines/sonara/encoder_state.h"
#include "engines/sonara/synthesis.h"

using namespace orvilo::sonara;

struct STTS_Thread {
  void* userData = nullptr;
  STTS_Callback callback = nullptr;
  EspeakSynthesizer* synthesizer = nullptr;
  // Guarded by the registry lock:
  SynthesisSettings settings;
  bool busy = false;
  std::thread::id busyThread;
  // Set by STTS_StopTextToSpeech, consumed by the synthesis it stops.
  std::atomic<bool> stop{false};
};

namespace {

constexpr int kTextToSpeechBlockMilliseconds = 1000;
constexpr int kMaxBlockBytes = 16 * 1024 * 1024;

// Every live handle: calls on anything else are refused instead of touching freed memory.
struct Registry {
  std::mutex mutex;
  std::condition_variable idle;
  std::unordered_set<STTS_Thread*> live;
};

// Never destroyed: a thread may still use a handle while the process exits.
Registry& Handles() {
  static auto* registry = new Registry;
  return *registry;
}

// Runs `change` on the handle's settings under the registry lock.
template <typename Change>
int ChangeSettings(STTS_HANDLE handle, Change change) {
  Registry& registry = Handles();
  std::lock_guard lock(registry.mutex);
  if (registry.live.count(handle) == 0) return Report(STTS_ERR_HANDLE);
  return Report(change(handle->settings));
}

int SynthesizeOnHandle(STTS_HANDLE handle, const char* text, int mode, int blockBytes) {
  std::string_view bytes;
  SynthesisSettings settings;
  Registry& registry = Handles();
  {
    std::lock_guard lock(registry.mutex);
    if (registry.live.count(handle) == 0) return Report(STTS_ERR_HANDLE);
    if (handle->busy) return Report(STTS_ERR_BUSY);
    if (mode != STTS_MODE_SYNCHRONOUS || blockBytes < 2 || blockBytes > kMaxBlockBytes) {
      return Report(STTS_ERR_ARGUMENT);
    }
    if (const int status = CheckText(text, &bytes); status != STTS_OK) return Report(status);
    settings = handle->settings;
    handle->busy = true;
    handle->busyThread = std::this_thread::get_id();
  }
  // However the synthesis ends, an exception included, the handle is free
  // again and a STTS_DeleteThread waiting for it wakes up.
  struct BusyRelease {
    Registry& registry;
    STTS_HANDLE handle;
    ~BusyRelease() {
      {
        std::lock_guard lock(registry.mutex);
        handle->busy = false;
        handle->stop = false;
      }
      registry.idle.notify_all();
    }
  } const release{registry, handle};
  settings.maxBlockSamples = static_cast<std::size_t>(blockBytes / 2);
  ResetThreadEncoders();  // a synthesis on this thread begins a new encoded stream

  std::int32_t textRange[2] = {0, 0};
  HighlightRecord record{};
  const bool ok = Synthesize(
      *handle->synthesizer, settings, bytes, handle->stop,
      [&](const std::int16_t* samples, std::size_t count, const WordMark* mark) {
        PcmChunk chunk{};
        chunk.byteCount = static_cast<std::int32_t>(count * 2);
        chunk.samples = const_cast<std::int16_t*>(samples);
        if (mark != nullptr) {
          textRange[0] = mark->firstByte;
          textRange[1] = mark->lastByte;
          record.type = 1;
          record.wordIndex = mark->wordIndex;
          record.sampleOffset = static_cast<std::int32_t>(
              std::min<std::int64_t>(mark->sample, std::numeric_limits<std::int32_t>::max()));
          record.textRange = textRange;
          chunk.marker = 1;
          chunk.highlight = &record;
        }
        if (handle->callback(handle->userData, &chunk) != 0) handle->stop = true;
        return !handle->stop.load();
      });

  return ok ? STTS_DONE : Report(STTS_ERR_SYNTHESIZER);
}

}  // namespace

extern "C" {

STTS_API STTS_HANDLE STTS_CreateThread(void* userData, STTS_Callback callback, int language, int speaker) {
  return Guarded(
      [&]() -> STTS_HANDLE {
        const auto which = LanguageFromNumber(language);
        if (!which) return Report(STTS_ERR_LANGUAGE), nullptr;
        if (speaker < 0 || speaker >= STTS_SPEAKER_COUNT) return Report(STTS_ERR_SPEAKER), nullptr;
        if (callback == nullptr) return Report(STTS_ERR_ARGUMENT), nullptr;
        Engine& engine = Engine::Instance();
        int error = STTS_OK;
        auto database = engine.Database(*which, &error);
        if (!database) return Report(error), nullptr;
        const Speaker* found = database->Find(speaker);
        if (found == nullptr) return Report(STTS_ERR_SPEAKER), nullptr;
        EspeakSynthesizer* synthesizer = engine.Synthesizer();
        if (synthesizer == nullptr) return Report(STTS_ERR_NOT_INITIALIZED), nullptr;

        auto handle = std::make_unique<STTS_Thread>();
        handle->userData = userData;
        handle->callback = callback;
        handle->synthesizer = synthesizer;
        handle->settings.database = std::move(database);
        handle->settings.speaker = found;
        Registry& registry = Handles();
        std::lock_guard lock(registry.mutex);
        registry.live.insert(handle.get());
        return handle.release();
      },
      static_cast<STTS_HANDLE>(nullptr));
}

STTS_API int STTS_GetError(void) { return Guarded([] { return LastError(); }, STTS_ERR_INTERNAL); }

STTS_API int STTS_DeleteThread(STTS_HANDLE handle) {
  return Guarded(
      [&]() -> int {
        Registry& registry = Handles();
        {
          std::unique_lock lock(registry.mutex);
          if (registry.live.count(handle) == 0) return Report(STTS_ERR_HANDLE);
          if (handle->busy) {
            if (handle->busyThread == std::this_thread::get_id()) return Report(STTS_ERR_BUSY);
            handle->stop = true;
            registry.idle.wait(lock, [&]() -> int { return !handle->busy; });
            if (registry.live.count(handle) == 0) return Report(STTS_ERR_HANDLE);  // deleted meanwhile
          }
          registry.live.erase(handle);
        }
        delete handle;
        return STTS_OK;
      },
      STTS_ERR_INTERNAL);
}

STTS_API int STTS_ChangeAttr(STTS_HANDLE handle, const char* markup) {
  return Guarded(
      [&]() -> int {
        return ChangeSettings(handle, [&](SynthesisSettings& settings) -> int {
          if (markup == nullptr) return STTS_ERR_ARGUMENT;
          return ApplyMarkup(markup, settings.prosody) ? STTS_OK : STTS_ERR_MARKUP;
        });
      },
      STTS_ERR_INTERNAL);
}

STTS_API int STTS_LoadUserDict(STTS_HANDLE handle, const char* path, int* entries, int* rejectedLines) {
  return Guarded(
      [&]() -> int {
        if (entries != nullptr) *entries = 0;
        if (rejectedLines != nullptr) *rejectedLines = 0;
        Language language = Language::kKorean;
        const int found = ChangeSettings(handle, [&](SynthesisSettings& settings) -> int {
          language = settings.database->language;
          return STTS_OK;
        });
        if (found != STTS_OK) return found;
        if (path == nullptr || path[0] == '\0') return Report(STTS_ERR_ARGUMENT);
        auto loaded = UserDictionary::Load(path, language);  // read without holding any lock
        if (loaded.status != UserDictionary::LoadStatus::kLoaded) return Report(STTS_ERR_DICTIONARY);
        if (entries != nullptr) *entries = loaded.entries;
        if (rejectedLines != nullptr) *rejectedLines = loaded.rejectedLines;
        return ChangeSettings(handle, [&](SynthesisSettings& settings) -> int {
          settings.dictionary = std::move(loaded.dictionary);
          return STTS_OK;
        });
      },
      STTS_ERR_INTERNAL);
}

STTS_API int STTS_UnLoadUserDict(STTS_HANDLE handle) {
  return Guarded(
      [&]() -> int {
        return ChangeSettings(handle, [](SynthesisSettings& settings) -> int {
          settings.dictionary.reset();
          return STTS_OK;
        });
      },
      STTS_ERR_INTERNAL);
}

STTS_API int STTS_SetCharSet(STTS_HANDLE handle, int charSet) {
  return Guarded(
      [&]() -> int {
        return ChangeSettings(handle, [&](SynthesisSettings& settings) -> int {
          switch (charSet) {
            case STTS_CHARSET_AUTO: settings.characterSet = CharacterSet::kAutomatic; return STTS_OK;
            case STTS_CHARSET_UTF8: settings.characterSet = CharacterSet::kUtf8; return STTS_OK;
            case STTS_CHARSET_CODE_PAGE: settings.characterSet = CharacterSet::kCodePage; return STTS_OK;
            default: return STTS_ERR_UNSUPPORTED;
          }
        });
      },
      STTS_ERR_INTERNAL);
}

STTS_API int STTS_SetTextFormat(STTS_HANDLE handle, int format) {
  return Guarded(
      [&]() -> int {
        return ChangeSettings(handle, [&](SynthesisSettings&) -> int {
          return format == STTS_TEXT_PLAIN ? STTS_OK : STTS_ERR_UNSUPPORTED;
        });
      },
      STTS_ERR_INTERNAL);
}

STTS_API int STTS_SetHighLight(STTS_HANDLE handle, int on) {
  return Guarded(
      [&]() -> int {
        return ChangeSettings(handle, [&](SynthesisSettings& settings) -> int {
          settings.highlight = on != 0;
          return STTS_OK;
        });
      },
      STTS_ERR_INTERNAL);
}

STTS_API int STTS_SetLipSync(STTS_HANDLE handle, int on) {
  return Guarded(
      [&]() -> int {
        return ChangeSettings(handle, [&](SynthesisSettings&) -> int { return on == 0 ? STTS_OK : STTS_ERR_UNSUPPORTED; });
      },
      STTS_ERR_INTERNAL);
}

STTS_API int STTS_TextToPcmBuf(STTS_HANDLE handle, const char* text, int mode, int blockBytes) {
  return Guarded([&]() -> int { return SynthesizeOnHandle(handle, text, mode, blockBytes & ~1); }, STTS_ERR_INTERNAL);
}

STTS_API int STTS_TextToSpeech(STTS_HANDLE handle, const char* text, int mode) {
  return Guarded(
      [&]() -> int {
        int rate = 16000;
        const int found = ChangeSettings(handle, [&](SynthesisSettings& settings) -> int {
          rate = settings.speaker->sampleRate;
          return STTS_OK;
        });
        if (found != STTS_OK) return found;
        return SynthesizeOnHandle(handle, text, mode, 2 * rate * kTextToSpeechBlockMilliseconds / 1000);
      },
      STTS_ERR_INTERNAL);
}

STTS_API int STTS_StopTextToSpeech(STTS_HANDLE handle) {
  return Guarded(
      [&]() -> int {
        return ChangeSettings(handle, [&](SynthesisSettings&) -> int {
          handle->stop = true;
          return STTS_OK;
        });
      },
      STTS_ERR_INTERNAL);
}

}  // extern "C"
