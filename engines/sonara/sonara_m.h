/* SONARA_M: the speech engine. It speaks Korean, English, Chinese and
 * Japanese text with the voices of a database folder, plays it on the
 * default audio output or hands it to the caller as 16-bit mono PCM, and
 * offers the sample-rate conversion, encoders and file headers that
 * programs need to save speech as audio files.
 *
 * Languages: 0 Korean, 1 English, 2 Chinese, 3 Japanese. Speakers: 0-9.
 *
 * Results: set-up calls (initialise, load, information, settings of a
 * handle, dictionaries, pause/restart/stop) return STTS_OK (0) on success;
 * synthesis calls (STTS_PlayTTS, STTS_TextToPcmBuf, STTS_TextToSpeech)
 * return STTS_DONE (1). Failures are the negative STTS_ERR_* codes below.
 *
 * Text: a zero-terminated byte string in the system code page (UTF-8) or in
 * the language's legacy code page (CP949 Korean, US-ASCII English, CP936
 * Chinese, CP932 Japanese): text that is valid UTF-8 is read as UTF-8, else
 * as the code page when it decodes cleanly there, else as UTF-8 with every
 * invalid byte read as a blank. Positions reported back are byte positions
 * in the caller's bytes, whatever the encoding. At most STTS_MAX_TEXT_BYTES.
 *
 * Markups (for STTS_PlayTTS and STTS_ChangeAttr), percent of the speaker's
 * normal: <speed="%d"> (50-200), <volume="%d"> (0-200), <pitch="%d">
 * (80-120), in any order and combination; closing tags such as </speed> and
 * blanks are allowed and ignored; values outside the range are clamped.
 *
 * User dictionaries: text files (UTF-8, UTF-16 with a byte-order mark, or
 * CP949) of one entry a line, "word pronunciation": the first blank-
 * separated word, then the rest of the line, which is spoken in place of
 * the word wherever the word stands alone or, for Korean, is followed by
 * further Hangul (a particle). Empty lines and lines starting with '#' are
 * skipped. Matching is case-sensitive; the longest entry wins.
 *
 * Databases: a folder per language (Sonara_M_DB/KO_KR/, EN_US/, ZH_CN/,
 * JA_JP/) holding config/config.0 ... config/config.9, one text file per
 * installed speaker of "KEY value" lines: NAME (the speaker's name, read by
 * scanning for the word "NAME"), VOICE (the synthesiser's voice), VARIANT,
 * PITCH (0-100), WORDS_PER_MINUTE (at 100 % speed), SAMPLE_RATE (16000 or
 * 8000) and ID; see docs/speech.md.
 *
 * Failures never leave a call other than through its result: a call that
 * runs out of memory returns STTS_ERR_INTERNAL (or the call's null, 0 or
 * nothing) and STTS_GetError() then tells STTS_ERR_INTERNAL.
 *
 * Linking: this header needs no other project header than platform/abi;
 * a C program links -lSONARA_M alone (nothing the engine returns is freed
 * with the runtime library's functions).
 *
 * Threads: every call may be made from any thread. Synthesis is serialised
 * inside the engine only while a piece of text is being computed (about a
 * millisecond per second of speech); callbacks run without engine locks.
 */
#ifndef ORVILO_ENGINES_SONARA_SONARA_M_H
#define ORVILO_ENGINES_SONARA_SONARA_M_H

#include <stdint.h>

#include "platform/abi/vx_export.h"
#include "platform/abi/vx_hwnd.h"

#if defined(STTS_BUILDING)
#define STTS_API VX_EXPORT
#else
#define STTS_API VX_IMPORT
#endif

#ifdef __cplusplus
extern "C" {
#endif

enum {
  STTS_LANGUAGE_KOREAN = 0,
  STTS_LANGUAGE_ENGLISH = 1,
  STTS_LANGUAGE_CHINESE = 2,
  STTS_LANGUAGE_JAPANESE = 3,
  STTS_LANGUAGE_COUNT = 4,
  STTS_SPEAKER_COUNT = 10
};

enum {
  STTS_OK = 0,
  STTS_DONE = 1,
  STTS_ERR_NOT_INITIALIZED = -1,  /* STTS_Initialize has not succeeded */
  STTS_ERR_ARGUMENT = -2,         /* a null pointer, a bad size or mode */
  STTS_ERR_LANGUAGE = -3,         /* language outside 0-3 */
  STTS_ERR_SPEAKER = -4,          /* speaker outside 0-9 or not installed */
  STTS_ERR_DATABASE = -5,         /* no such folder, or no usable config/config.N in it */
  STTS_ERR_NOT_LOADED = -6,       /* the language's database is not loaded */
  STTS_ERR_SYNTHESIZER = -7,      /* the synthesiser or its data is missing or failed */
  STTS_ERR_AUDIO_DEVICE = -8,     /* no audio output could be opened */
  STTS_ERR_DICTIONARY = -9,       /* the dictionary is missing, too large or not text */
  STTS_ERR_EMPTY_TEXT = -10,      /* null or empty text */
  STTS_ERR_TEXT_TOO_LONG = -11,   /* more than STTS_MAX_TEXT_BYTES */
  STTS_ERR_MARKUP = -12,          /* a markup with no speed, volume or pitch in it */
  STTS_ERR_HANDLE = -13,          /* not a live handle of STTS_CreateThread */
  STTS_ERR_BUSY = -14,            /* the handle is synthesising (or deleted from its own callback) */
  STTS_ERR_UNSUPPORTED = -15,     /* a character set, text format or lip-sync mode not offered */
  STTS_ERR_NOTHING_PLAYING = -16, /* pause, restart or stop with nothing in that state */
  STTS_ERR_INTERNAL = -17         /* out of memory */
};

enum { STTS_MAX_TEXT_BYTES = 64 * 1024 * 1024 };

/* wParam of the message STTS_PlayTTS posts. */
enum {
  STTS_STATUS_STARTED = 1,
  STTS_STATUS_PAUSED = 2,
  STTS_STATUS_RESUMED = 3,
  STTS_STATUS_FINISHED = 4
};

/* Character sets of STTS_SetCharSet; text formats of STTS_SetTextFormat. */
enum { STTS_CHARSET_AUTO = 0, STTS_CHARSET_UTF8 = 1, STTS_CHARSET_CODE_PAGE = 2 };
enum { STTS_TEXT_PLAIN = 0 };
/* Mode of STTS_TextToPcmBuf and STTS_TextToSpeech: the call returns when done. */
enum { STTS_MODE_SYNCHRONOUS = 1 };

/* Encodings of STTS_MakeWaveHeader and STTS_MakeAuHeader. */
enum {
  STTS_ENCODING_LINEAR16 = 0,
  STTS_ENCODING_LINEAR8 = 1, /* unsigned in WAVE, signed in AU */
  STTS_ENCODING_MULAW = 2,
  STTS_ENCODING_ALAW = 3
};

/* 48 bytes. id is negative when the speaker is not installed (the other
 * fields are then empty or 0). Texts are zero-terminated. */
typedef struct SpeakerDbInfo {
  int32_t id;
  char name[20];
  char languageName[20];
  int32_t sampleRate; /* 16000 or 8000 */
} SpeakerDbInfo;

/* 141 bytes of zero-terminated texts: the engine, the language, the
 * version, the state ('L' loaded, 'U' not loaded) and the synthesiser. */
typedef struct EngineInfo {
  char engineName[40];
  char languageName[40];
  char version[20];
  char state;
  char synthesizer[40];
} EngineInfo;

/* The word being spoken, attached to the first block of its sound. */
typedef struct HighlightRecord {
  int32_t type;              /* 1: a word */
  int32_t wordIndex;         /* 0 for the first word of the text */
  int32_t sampleOffset;      /* where the word starts, in samples from the start of the synthesis */
  const int32_t* textRange;  /* [0] first byte, [1] last byte (inclusive) of the word in the caller's text */
} HighlightRecord;

/* One block handed to the callback of a handle. Valid during the call only. */
typedef struct PcmChunk {
  int32_t byteCount;         /* bytes of samples (2 per sample); never 0 */
  int16_t* samples;          /* mono, at the speaker's sample rate */
  int32_t marker;            /* 1: `highlight` names the word that starts with this block; else 0 */
  int32_t reserved;
  const HighlightRecord* highlight;
} PcmChunk;

/* Returns 0 to go on; any other value ends the synthesis as a stop would. */
typedef int (*STTS_Callback)(void* userData, PcmChunk* chunk);

typedef struct STTS_Thread* STTS_HANDLE;

/* State of STTS_ConvSamplingRateBuf: zero it before first use, release it
 * with STTS_FreeConvState. */
typedef struct STTS_ConvState {
  void* converter;
  int32_t fromRate;
  int32_t toRate;
} STTS_ConvState;

/* ---- Set-up ------------------------------------------------------------ */

/* Starts the engine (and the synthesiser). A second call while started
 * succeeds and does nothing. STTS_ERR_SYNTHESIZER when the synthesiser's
 * data cannot be found. */
STTS_API int STTS_Initialize(void);

/* Stops playback, unloads every database and the user dictionary of
 * STTS_PlayTTS. Handles stay usable until deleted. */
STTS_API void STTS_UnInitialize(void);

/* Loads the database folder of a language ("/" or "\" at the end, or
 * none). Refused (non-zero) when the folder has no config/config.N file
 * describing a speaker the synthesiser can voice. Loading again replaces
 * the database; a running synthesis keeps the one it started with.
 * `reserved` must be 0. */
STTS_API int STTS_LoadEngine(int language, const char* dbFolder, int reserved);
STTS_API int STTS_UnLoadEngine(int language);

/* Describes a speaker of a loaded language; for a speaker that is not
 * installed fills id = -1 and returns STTS_ERR_SPEAKER. */
STTS_API int STTS_GetDBInfo(int language, int speaker, SpeakerDbInfo* info);
STTS_API int STTS_GetEngineInfo(int language, EngineInfo* info);

/* Default percent (returned) and range of the markups: speed 100 (50-200),
 * volume 100 (0-200), pitch 100 (80-120). min and max may be null. A
 * negative result is an error (bad language). */
STTS_API int STTS_GetSpeedDefault(int language, int* min, int* max);
STTS_API int STTS_GetVolumeDefault(int language, int* min, int* max);
STTS_API int STTS_GetPitchDefault(int language, int speaker, int* min, int* max);

/* ---- Speaking on the audio output --------------------------------------- */

/* Starts speaking `text` (markup may be null) on the default audio output
 * (ORVILO_AUDIO_OUT) and returns at once with STTS_DONE. Posts `message` to
 * `window` from the engine's thread with wParam STTS_STATUS_STARTED when the
 * first sound goes to the device, PAUSED and RESUMED as pause and restart
 * take effect, and FINISHED once the last sound has been heard or the
 * speech was stopped (lParam 0). A speech still running is stopped first.
 * Every accepted call posts FINISHED exactly once; STARTED comes first
 * unless the speech was stopped before any sound. The window's post must
 * queue, not call back into the engine. */
STTS_API int STTS_PlayTTS(vx_hwnd window, uint32_t message, const char* text, const char* markup, int language,
                          int speaker);

/* Act at once (within 10 ms of audio): pause holds the sound where it is,
 * restart continues with the next unheard sample, stop silences the output,
 * discards the rest and returns after FINISHED was posted.
 * STTS_ERR_NOTHING_PLAYING when there is nothing to pause, restart or stop. */
STTS_API int STTS_PauseTTS(void);
STTS_API int STTS_RestartTTS(void);
STTS_API int STTS_StopTTS(void);

/* The user dictionary of STTS_PlayTTS (one at a time; replaces the last). */
STTS_API int STTS_RegisterUserDict(const char* path);
STTS_API int STTS_DeleteUserDict(void);

/* ---- Synthesis to PCM ----------------------------------------------------- */

/* A synthesis context for one speaker (no thread of its own: the synthesis
 * calls run on the caller's thread). Null on failure; STTS_GetError() then
 * tells why. The handle keeps its database even if the language is
 * unloaded afterwards. */
STTS_API STTS_HANDLE STTS_CreateThread(void* userData, STTS_Callback callback, int language, int speaker);

/* The error of the last failed call on this thread (0 when none). */
STTS_API int STTS_GetError(void);

/* Frees a handle. A synthesis running on it on another thread is stopped
 * and waited for; from its own callback STTS_ERR_BUSY. */
STTS_API int STTS_DeleteThread(STTS_HANDLE handle);

/* Settings of a handle, used from its next synthesis on. */
STTS_API int STTS_ChangeAttr(STTS_HANDLE handle, const char* markup);
/* entries: entries read; rejectedLines: lines that were not "word
 * pronunciation" (either may be null). */
STTS_API int STTS_LoadUserDict(STTS_HANDLE handle, const char* path, int* entries, int* rejectedLines);
STTS_API int STTS_UnLoadUserDict(STTS_HANDLE handle);
STTS_API int STTS_SetCharSet(STTS_HANDLE handle, int charSet);
STTS_API int STTS_SetTextFormat(STTS_HANDLE handle, int format);
/* On: every word's first block carries a highlight record; blocks then also
 * end where a word starts. */
STTS_API int STTS_SetHighLight(STTS_HANDLE handle, int on);
/* Only 0 (off) is offered. */
STTS_API int STTS_SetLipSync(STTS_HANDLE handle, int on);

/* Synthesise `text` and call the handle's callback per block of at most
 * blockBytes bytes (rounded down to even; at least 2) of 16-bit mono PCM at
 * the speaker's sample rate, then return STTS_DONE, also when the synthesis
 * was stopped. STTS_TextToSpeech uses blocks of one second. `mode` must be
 * STTS_MODE_SYNCHRONOUS. */
STTS_API int STTS_TextToPcmBuf(STTS_HANDLE handle, const char* text, int mode, int blockBytes);
STTS_API int STTS_TextToSpeech(STTS_HANDLE handle, const char* text, int mode);

/* Ends the handle's synthesis early: the running one, or when none runs,
 * the next one (which then returns STTS_DONE without calling back). */
STTS_API int STTS_StopTextToSpeech(STTS_HANDLE handle);

/* ---- Sample-rate conversion ----------------------------------------------- */

/* Converts n samples from one rate to the other in one piece; returns the
 * samples written to out: n * to / from rounded to the nearest (0 on bad
 * arguments). */
STTS_API int STTS_ConvSamplingRate(int n, const int16_t* in, int16_t* out, int fromRate, int toRate);

/* The same for a stream cut into blocks: later blocks continue the filter
 * of the earlier ones; blockIndex 0 starts the filter afresh, after
 * delivering what the previous blocks still held in it, so no sample is
 * lost. Returns the samples written, at most n * to / from (rounded up) + 4;
 * what does not fit comes with the next block. */
STTS_API int STTS_ConvSamplingRateBuf(int n, const int16_t* in, int16_t* out, int fromRate, int toRate,
                                      int blockIndex, STTS_ConvState* state);
STTS_API void STTS_FreeConvState(STTS_ConvState* state);

/* ---- Encoders: n 16-bit samples in, bytes out ---------------------------- */

/* One byte per sample. */
STTS_API int STTS_Linear8EnCoding(int n, const int16_t* in, uint8_t* out);         /* signed */
STTS_API int STTS_Linear8UnsignedEnCoding(int n, const int16_t* in, uint8_t* out); /* offset 128 */
STTS_API int STTS_uLawEnCoding(int n, const int16_t* in, uint8_t* out);            /* G.711 mu-law */
STTS_API int STTS_aLawEnCoding(int n, const int16_t* in, uint8_t* out);            /* G.711 A-law */

/* Four bits per sample, two samples a byte, first sample in the high
 * nibble (the order raw .vox and .ima files are read in): VOX is Dialogic
 * ADPCM of 12-bit samples, IMA ADPCM of 16-bit ones. The encoder state continues from call to call on the same thread
 * so that consecutive blocks form one stream; an odd sample waits for the
 * next call. It starts afresh with every synthesis on the thread and with
 * STTS_ResetEnCoding. */
STTS_API int STTS_VOXADPCMEnCoding(int n, const int16_t* in, uint8_t* out);
STTS_API int STTS_ADPCMEnCoding(int n, const int16_t* in, uint8_t* out);
STTS_API void STTS_ResetEnCoding(void);

/* ---- File headers ---------------------------------------------------------- */

/* Write the header of a mono file of dataBytes bytes in `encoding` into
 * buffer (room for 128 bytes) and return its length; 0 (nothing written)
 * for an unknown encoding or a rate that is not positive. */
STTS_API int STTS_MakeWaveHeader(int encoding, int rate, int dataBytes, uint8_t* buffer);
STTS_API int STTS_MakeAuHeader(int encoding, int rate, int dataBytes, uint8_t* buffer);

#ifdef __cplusplus
}
#endif

#ifdef __cplusplus
static_assert(sizeof(SpeakerDbInfo) == 48, "SpeakerDbInfo is 48 bytes");
static_assert(sizeof(EngineInfo) == 141, "EngineInfo is 141 bytes");
#else
_Static_assert(sizeof(SpeakerDbInfo) == 48, "SpeakerDbInfo is 48 bytes");
_Static_assert(sizeof(EngineInfo) == 141, "EngineInfo is 141 bytes");
#endif

#endif
