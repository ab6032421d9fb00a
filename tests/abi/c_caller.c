/* A C program that uses the shipped libraries as a customer would: it
 * includes only ocr/LEXIQ.h and engines/sonara/sonara_m.h, links only
 * libLEXIQ.so, libSONARA_M.so and libVxRuntime.so, runs each library's
 * documented sequence and frees everything it is given. Under the sanitizer
 * build a leak, a double free or a free with the wrong function fails it.
 *
 * Usage: c_caller <page picture> <expected word> <speech database folder>
 * Prints one line per step; exits 0 when every step did what its contract
 * says. */
#define _POSIX_C_SOURCE 200809L

#include <stdatomic.h>
#include <stdio.h>
#include <string.h>
#include <time.h>

#include "engines/sonara/sonara_m.h"
#include "ocr/LEXIQ.h"

static int failures = 0;

static void Check(int ok, const char* step) {
  printf("%s %s\n", ok ? "ok  " : "FAIL", step);
  if (!ok) ++failures;
}

/* ASCII copy of a wide string (other characters become '?'), then frees it. */
static void TakeText(VxSysString text, char* out, size_t room) {
  size_t length = VxSysStringLen(text);
  size_t i;
  if (length >= room) length = room - 1;
  for (i = 0; i < length; ++i) out[i] = text[i] < 128 ? (char)text[i] : '?';
  out[length] = '\0';
  VxSysFreeString(text);
}

static void Recognise(const char* picture, const char* expected) {
  char text[4096];
  VxGlobalHandle page;
  VxSysString recognised;
  CRecogResultStruct result;
  CAuxResult aux;

  Check(LEXIQ_Init() == 1, "LEXIQ_Init makes the module ready");
  page = LEXIQ_LoadImage(picture);
  Check(page != NULL && VxGlobalSize(page) > 40, "LEXIQ_LoadImage gives a page block");
  if (page == NULL) return;
  LEXIQ_AutoAngle(page);
  LEXIQ_PreProc(page);
  Check(LEXIQ_BeginRecog(NULL) == 0, "LEXIQ_BeginRecog");
  recognised = LEXIQ_RecogDIBRect(page, LEXIQ_TYPE_ENGLISH, 0, 0, 100000, 100000);
  Check(recognised != NULL, "LEXIQ_RecogDIBRect gives a string");
  TakeText(recognised, text, sizeof text);
  printf("     recognised: \"%s\"\n", text);
  Check(strstr(text, expected) != NULL, "the rectangle's text holds the expected word");
  LEXIQ_EndRecog();

  /* Template recognition fills records the caller owns; a zero-filled
   * record is a valid empty one, released with the calls made for C. */
  memset(&result, 0, sizeof result);
  memset(&aux, 0, sizeof aux);
  recognised = LEXIQ_RecogTextEx(page, &result, &aux);
  TakeText(recognised, text, sizeof text);
  Check(strstr(text, expected) != NULL, "LEXIQ_RecogTextEx's text holds the expected word");
  Check(result.textBuffer != NULL && result.count > 0, "LEXIQ_RecogTextEx fills the result record");
  Check(aux.itemTexts.count > 0 && aux.characterBuffer != NULL, "LEXIQ_RecogTextEx fills the extra results");
  LEXIQ_ReleaseRecogResult(&result);
  LEXIQ_ReleaseAuxResult(&aux);
  Check(result.textBuffer == NULL && aux.textBuffer == NULL && aux.itemTexts.items == NULL,
        "the release calls free and zero the records");

  Check(VxGlobalFree(page) == NULL, "VxGlobalFree frees the page");
  Check(LEXIQ_Free() == 0, "LEXIQ_Free releases the work image");
}

/* ---- Speech ---------------------------------------------------------- */

typedef struct PcmTotals {
  long bytes;
  int highlights;
} PcmTotals;

static int CountPcm(void* userData, PcmChunk* chunk) {
  PcmTotals* totals = (PcmTotals*)userData;
  totals->bytes += chunk->byteCount;
  if (chunk->marker == 1 && chunk->highlight != NULL) ++totals->highlights;
  return 0;
}

/* A window as the engine sees one: a function table. It records the last
 * status posted to it (from the engine's thread). */
enum { kStatusMessage = 1433 };
static atomic_int lastStatus;
static atomic_int startedSeen;

static int PostStatus(vx_hwnd window, uint32_t message, uintptr_t wparam, intptr_t lparam) {
  (void)window;
  (void)lparam;
  if (message != kStatusMessage) return 0;
  if (wparam == STTS_STATUS_STARTED) atomic_store(&startedSeen, 1);
  atomic_store(&lastStatus, (int)wparam);
  return 1;
}

static void WaitForFinished(int seconds) {
  const struct timespec step = {0, 10 * 1000 * 1000};
  int i;
  for (i = 0; i < seconds * 100 && atomic_load(&lastStatus) != STTS_STATUS_FINISHED; ++i) nanosleep(&step, NULL);
}

/* Each shipped language has its own speaker slot; English is slot 1. */
enum { kEnglishSpeaker = 1 };

static void Speak(const char* database) {
  static const char kSentence[] = "The quick brown fox jumps over the lazy dog.";
  struct vx_window_handle window = {7, PostStatus, NULL};
  PcmTotals totals = {0, 0};
  STTS_HANDLE handle;
  SpeakerDbInfo speaker;

  Check(STTS_Initialize() == STTS_OK, "STTS_Initialize");
  Check(STTS_LoadEngine(STTS_LANGUAGE_ENGLISH, database, 0) == STTS_OK, "STTS_LoadEngine (English)");
  Check(STTS_GetDBInfo(STTS_LANGUAGE_ENGLISH, kEnglishSpeaker, &speaker) == STTS_OK && speaker.sampleRate > 0,
        "STTS_GetDBInfo describes the shipped English speaker");

  handle = STTS_CreateThread(&totals, CountPcm, STTS_LANGUAGE_ENGLISH, kEnglishSpeaker);
  Check(handle != NULL, "STTS_CreateThread");
  if (handle != NULL) {
    Check(STTS_SetHighLight(handle, 1) == STTS_OK, "STTS_SetHighLight");
    Check(STTS_TextToPcmBuf(handle, kSentence, STTS_MODE_SYNCHRONOUS, 4096) == STTS_DONE, "STTS_TextToPcmBuf");
    printf("     %ld bytes of PCM, %d words marked\n", totals.bytes, totals.highlights);
    /* A second of speech or more: 9 words at the speaker's rate. */
    Check(totals.bytes >= 2L * speaker.sampleRate, "the sentence became at least a second of sound");
    Check(totals.highlights == 9, "every word was marked");
    Check(STTS_DeleteThread(handle) == STTS_OK, "STTS_DeleteThread");
  }

  Check(STTS_PlayTTS(&window, kStatusMessage, kSentence, "<speed=\"200\">", STTS_LANGUAGE_ENGLISH, kEnglishSpeaker) == STTS_DONE,
        "STTS_PlayTTS accepts the sentence");
  WaitForFinished(30);
  Check(atomic_load(&startedSeen) && atomic_load(&lastStatus) == STTS_STATUS_FINISHED,
        "the window was told STARTED, then FINISHED");

  Check(STTS_UnLoadEngine(STTS_LANGUAGE_ENGLISH) == STTS_OK, "STTS_UnLoadEngine");
  STTS_UnInitialize();
}

int main(int argc, char** argv) {
  if (argc != 4) {
    fprintf(stderr, "usage: %s <page picture> <expected word> <speech database folder>\n", argv[0]);
    return 2;
  }
  Recognise(argv[1], argv[2]);
  Speak(argv[3]);
  printf("%d failed\n", failures);
  return failures == 0 ? 0 : 1;
}
