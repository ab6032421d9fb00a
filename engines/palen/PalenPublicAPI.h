/* Palen: the OCR engine and imaging helpers behind the LEXIQ module.
 *
 * A small C interface over Tesseract (LSTM recogniser, Korean and English
 * data) and Leptonica. Pictures cross it as packed DIBs (BITMAPINFOHEADER,
 * colour table, bottom-up rows padded to 4 bytes) in movable global-memory
 * blocks (platform/abi/vx_global_memory.h, exported by libVxRuntime.so); a
 * block the engine returns belongs to the caller, a block the caller passes
 * is only borrowed. Texts come back as 0-terminated UTF-8 that the caller
 * frees with PALEN_FreeText.
 *
 * Every call accepts null pointers and invalid handles and then fails in its
 * documented way; none throws or aborts: running out of memory, too, ends a
 * call with its failure result (null, 0, -1 or the error code named). The engine serialises its own calls
 * with one lock, so it may be called from any thread. Tesseract runs
 * single-threaded: on two-core machines its OpenMP threads only slow it down.
 *
 * The meaning of the language, character-set and switch codes, of the layout
 * records and of template files is described next to each declaration below
 * and in docs/ocr.md. */
#ifndef ORVILO_ENGINES_PALEN_PALEN_PUBLIC_API_H
#define ORVILO_ENGINES_PALEN_PALEN_PUBLIC_API_H

#include <stdint.h>

#include "platform/abi/vx_export.h"
#include "platform/abi/vx_global_memory.h"
#include "platform/abi/vx_hwnd.h"
#include "platform/abi/vx_system_string.h"

#if defined(PALEN_BUILDING)
#define PALEN_API VX_EXPORT
#else
#define PALEN_API VX_IMPORT
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* ---- Shared value types ------------------------------------------------- */

/* Page pixels, right and bottom exclusive (a rectangle of the platform this
 * engine was written for). Right < left or bottom < top is an empty rectangle. */
typedef struct PalenRect {
  int32_t left, top, right, bottom;
} PalenRect;

typedef struct PalenPoint {
  int32_t x, y;
} PalenPoint;

/* Progress control: `report` gets 0..100 while a long call runs; returning
 * nonzero asks the engine to stop early (the call then returns what it has). */
typedef struct PalenProgress {
  int (*report)(void* context, int percent);
  void* context;
} PalenProgress;

/* Device context: a 32-bit picture the engine draws the recognised areas
 * into, with the pen selected into it. Rows are top-down, 4 bytes a pixel in
 * the order blue, green, red, unused. */
enum { PALEN_PEN_COPY = 0, PALEN_PEN_XOR = 1 };
typedef struct PalenDrawTarget {
  uint8_t* pixels;
  int32_t width, height, stride; /* stride in bytes, >= 4 * width */
  uint32_t penColour;            /* 0x00BBGGRR */
  int32_t penWidth;              /* 0: no pen selected, nothing is drawn */
  int32_t penMode;               /* PALEN_PEN_COPY or PALEN_PEN_XOR */
} PalenDrawTarget;

/* ---- Records shared with the LEXIQ module (layouts fixed) --------------- */

/* Character-set codes of a layout item: a mask of the letters the recogniser
 * may use for it. Items whose mask has neither Korean bit are read with the
 * English model alone (when English is among the languages). */
enum {
  PALEN_CHARSET_DIGITS = 0x001,
  PALEN_CHARSET_LATIN = 0x002,
  PALEN_CHARSET_PUNCTUATION = 0x010,
  PALEN_CHARSET_HANGUL = 0x040,
  PALEN_CHARSET_HANJA = 0x200
};

/* Kinds of layout items. Korean and English pages are set horizontally:
 * text the block finder takes for vertical is horizontal text here. */
enum {
  PALEN_ITEM_UNKNOWN = 0,
  PALEN_ITEM_TEXT = 1,
  PALEN_ITEM_PICTURE = 2,
  PALEN_ITEM_TABLE = 3,
  PALEN_ITEM_RULE = 4,
  PALEN_ITEM_COLUMN = 5 /* lines of text of any size one under another */
};

/* One layout item (40 bytes). `recognise` = 1 asks for its text; items of a
 * kind other than text are read too then, but only their confident words are
 * kept (pictures otherwise yield noise). */
typedef struct PalenLayoutItem {
  int32_t characterSet; /* PALEN_CHARSET_* mask */
  int32_t kind;         /* PALEN_ITEM_* */
  int32_t recognise;    /* 1 = recognise this item */
  int32_t left, top, right, bottom;
  int32_t order;     /* reading order, 0 first */
  int32_t lineCount; /* text lines the layout analysis found in it */
  int32_t reserved;
} PalenLayoutItem;

/* Result buffers: `text` holds up to capacity - 1 UTF-16 units and a 0,
 * `confidence` one uint16 (0..100) per unit; `count` units were written.
 * Both are global-memory blocks owned by whoever owns the record. */
typedef struct PalenResultBuffers {
  VxGlobalHandle text;
  VxGlobalHandle confidence;
  int32_t capacity;
  int32_t count;
} PalenResultBuffers;

/* Capacity the engine gives result buffers it has to create itself. */
enum { PALEN_DEFAULT_RESULT_CAPACITY = 8192 };

/* One recognised character (64 bytes). */
enum { PALEN_CHAR_WORD_START = 1, PALEN_CHAR_LINE_START = 2, PALEN_CHAR_ITEM_START = 4 };
typedef struct PalenCharRect {
  int32_t left, top, right, bottom; /* page pixels */
  uint32_t codePoint;               /* first code point of the character */
  int32_t confidence;               /* 0..100 */
  int32_t item, line, word;         /* indices in reading order */
  int32_t textOffset;               /* first UTF-16 unit in the returned text */
  int32_t textLength;               /* UTF-16 units */
  int32_t flags;                    /* PALEN_CHAR_* */
  int32_t reserved[4];
} PalenCharRect;

/* A growable array of wide strings. `items` comes from malloc (one heap for
 * every library of the process) and holds `count` strings of `capacity`. */
typedef struct PalenStringArray {
  VxSysString* items;
  int32_t count;
  int32_t capacity;
} PalenStringArray;

/* Extra results of template recognition: the text of each item, the whole
 * text as 0-terminated UTF-16 (no capacity limit) and the characters as an
 * array of PalenCharRect. The engine replaces what it fills and frees what
 * it replaces. */
typedef struct PalenAuxResult {
  PalenStringArray itemTexts;
  VxGlobalHandle text;
  VxGlobalHandle characters;
} PalenAuxResult;

/* ---- Output switches of the recognition calls --------------------------- */
/* The five integer switches, in order:
 *  1 fill the result buffers;
 *  2 draw the recognised items into the device context;
 *  3 keep the page's line breaks (off: each paragraph becomes one line, lines
 *    joined by spaces and words hyphenated at a line end joined again);
 *  4 fill aux->characters (template recognition only);
 *  5 fill aux->itemTexts (template recognition only). */

/* ---- Calls -------------------------------------------------------------- */

/* Resolution check, on by default: while on, recognition refuses pictures
 * whose DIB resolution is under 200 dpi (7874 pixels per metre). */
PALEN_API void PALEN_EnableDPICheck(int on);

/* Languages. `language` and `languageEx` are codes of one table:
 *   0 Korean ("kor"), 12 English ("eng");
 * languageEx adds a second language; a negative value or the same code as
 * `language` adds none. (0, 12) is Korean with English.
 * Data files are looked up in `folder`/tessdata first (when folder is given
 * and holds every file needed), then in $TESSDATA_PREFIX when set, else in
 * Debian's /usr/share/tesseract-ocr/5/tessdata. `mode` must be 0 (LSTM).
 * `window` is kept for the calls' shape; this engine posts nothing to it.
 * Returns 1 when the languages are ready, 0 when a code is unknown, a data
 * file is missing or Tesseract fails to start: recognition then returns no
 * text until a later call succeeds. Setting what is already set is free. */
PALEN_API int SetLanguage(vx_hwnd window, const char* folder, int language, int languageEx, int mode);

/* Loads any picture file Leptonica reads. `page` picks the page of a
 * multi-page TIFF (0 first; other formats have only page 0). `mode`:
 *   0 plain 8-bit grey;
 *   1 camera page: grey with the background evened out (uneven light and
 *     shading removed), ready for one global threshold.
 * `reserved` must be 0. Returns an 8-bit grey DIB (256-entry grey palette,
 * the file's resolution in pixels per metre) or null; *error (optional) gets
 * PALEN_OK or a PALEN_ERROR_* code. Pictures over 100 million pixels or
 * 65535 pixels a side are refused before decoding. */
enum {
  PALEN_OK = 0,
  PALEN_ERROR_ARGUMENT = 1,
  PALEN_ERROR_FILE_MISSING = 2,
  PALEN_ERROR_UNREADABLE = 3,
  PALEN_ERROR_TOO_LARGE = 4,
  PALEN_ERROR_MEMORY = 5
};
PALEN_API VxGlobalHandle PALEN_LoadImage(const char* path, int page, int mode, int reserved, int* error);

/* Finds the skew of the text lines (within `rect`, or the whole page when
 * null) and straightens the picture in place: same block, same size, corners
 * filled white. Returns the angle turned in degrees (positive:
 * counter-clockwise), 0 when the page is straight, the skew is unsure or the
 * picture unusable. The handle is a reference for the calls' shape; this
 * engine never replaces it, so copies of the handle stay valid. Works on 8-,
 * 24- and 32-bit DIBs. */
PALEN_API float PALEN_AutoAdjustTilt(VxGlobalHandle* image, const PalenRect* rect, const PalenProgress* progress);

/* New DIB of `rect` (clipped to the picture; null: the whole picture), with
 * the source's resolution: 8-bit grey for 1-, 4- and 8-bit sources, 24-bit
 * otherwise. Null when the rectangle is empty after clipping. */
PALEN_API VxGlobalHandle PALEN_CropImage(VxGlobalHandle image, const PalenRect* rect);

/* Layout analysis of `image` (within `rect` when given): writes up to
 * `maxItems` items in reading order and returns their number (0 when none,
 * no language is ready or the picture is unusable). Items get the character
 * set of the current languages, `recognise` = 1 for text kinds. A page whose
 * text does not stand in columns side by side comes back as one column item
 * covering the analysed area: read as one column of lines, it loses nothing
 * to the block finder's mistakes (figures taken for tables, paragraphs left
 * out). */
PALEN_API int PALEN_AutoSpliteLayout(VxGlobalHandle image, PalenLayoutItem* items, int maxItems, const PalenRect* rect,
                                     const PalenProgress* progress);

/* Recognises the items with `recognise` = 1 in reading order. Switches as
 * above (4 and 5 are ignored here). `dc`, `origin`, `placement`, `scale`
 * place the page on the device context: page point p lands on
 * origin + p * scale (origin: `origin`, else placement's top-left, else 0, 0;
 * scale <= 0 means 1), clipped to `placement` when given. Returns the text
 * (free with PALEN_FreeText) or null when nothing was recognised. */
PALEN_API char* PALEN_GetTextForRect(VxGlobalHandle image, PalenResultBuffers* result, const PalenLayoutItem* items,
                                     int count, int fillResult, int draw, int keepLines, int fillCharacters,
                                     int fillItemTexts, PalenDrawTarget* dc, const PalenPoint* origin,
                                     const PalenRect* placement, float scale);

/* Template recognition. _WithLocal keeps the layout of *image (within `rect`)
 * as the engine's local layout and returns its item count (-1 on failure;
 * `options` must be 0). SaveLayerTemplate writes the local layout to `path`
 * as a template file (0, or -1 when there is none or the file cannot be
 * written). Recognize_WithLocal reads the items from `templatePath` (the
 * local layout when null; null text when the file is unreadable or is not a
 * template of a page this size) and recognises them like GetTextForRect, also
 * filling `aux` by switches 4 and 5. `itemDone` (optional) is called with
 * each item's index after it is read; nonzero stops. `maxItems` > 0 reads
 * only the first maxItems items. */
PALEN_API int PALEN_AutoSpliteLayout_WithLocal(VxGlobalHandle* image, const PalenRect* rect, int options,
                                               const PalenProgress* progress);
PALEN_API int PALEN_SaveLayerTemplate_WithLocal(const char* path);
PALEN_API char* PALEN_Recognize_WithLocal(VxGlobalHandle image, PalenResultBuffers* result, PalenAuxResult* aux,
                                          const char* templatePath, int fillResult, int draw, int keepLines,
                                          int fillCharacters, int fillItemTexts, PalenDrawTarget* dc,
                                          const PalenPoint* origin, const PalenRect* placement, float scale,
                                          int (*itemDone)(int), int maxItems, const PalenProgress* progress);

/* Frees a text returned above; null is ignored. */
PALEN_API void PALEN_FreeText(char* text);

/* ---- Imaging helpers, reached by number --------------------------------- */

/* A work image: one packed DIB in memory the helpers own, described for
 * direct access. Zero-filled means "none". */
typedef struct VicWorkImage {
  uint8_t* pixels; /* bottom-up rows of `stride` bytes */
  int32_t width, height, bitCount, stride, colourCount;
  int32_t xPelsPerMeter, yPelsPerMeter, reserved;
  void* header; /* the BITMAPINFOHEADER, followed by the colour table */
  void* storage;
} VicWorkImage;

enum {
  VIC_ORDINAL_MAKE_WORK_IMAGE = 26,   /* int (const void* packedDib, VicWorkImage* work) */
  VIC_ORDINAL_RELEASE_WORK_IMAGE = 36, /* int (VicWorkImage* work) */
  VIC_ORDINAL_MAKE_DIB = 43,          /* int (const VicWorkImage* work, VxGlobalHandle* dib) */
  VIC_ORDINAL_SAVE = 121              /* int (const char* path, const VicWorkImage* work, int quality) */
};
typedef int (*VicMakeWorkImageProc)(const void* packedDib, VicWorkImage* work);
typedef int (*VicReleaseWorkImageProc)(VicWorkImage* work);
typedef int (*VicMakeDibProc)(const VicWorkImage* work, VxGlobalHandle* dib);
typedef int (*VicSaveProc)(const char* path, const VicWorkImage* work, int quality);

/* Results of the helpers. */
enum {
  VIC_OK = 0,
  VIC_ERROR_ARGUMENT = -1,
  VIC_ERROR_MEMORY = -2,
  VIC_ERROR_FORMAT = -3, /* unsupported DIB or file type */
  VIC_ERROR_WRITE = -4
};

/* Make-work-image copies a complete packed DIB (1, 4, 8, 24 or 32 bits,
 * uncompressed; the caller guarantees the bytes are there) into a new work
 * image, replacing nothing: release `work` first. Release frees it and zeroes
 * the descriptor. Make-DIB returns a new global block with a copy. Save
 * writes the picture by the path's extension (.bmp, .png, .jpg/.jpeg with
 * `quality` 1..100, .tif/.tiff); the file is replaced only once complete. */
typedef void (*VicProc)(void);
PALEN_API VicProc VIC_ProcByOrdinal(int ordinal); /* null for an unknown number */

#ifdef __cplusplus
}
#endif

#endif
