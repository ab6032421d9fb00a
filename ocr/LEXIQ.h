/* LEXIQ: recognising the text of a page picture.
 *
 * Load a page file, straighten and binarise it, cut out a rectangle and get
 * its text. The recognition itself is the Palen engine's; this module adds
 * the page loading with its resolution fix, a binarisation with an
 * automatically chosen threshold, the cropping and layout set-up of a
 * rectangle, and keeps the current result and work image.
 *
 * Ownership: page images are movable global-memory blocks holding a packed
 * DIB (platform/abi/vx_global_memory.h). A block this module returns belongs
 * to the caller (free it with VxGlobalFree); a block the caller passes is
 * only borrowed. Texts come back as newly allocated wide strings
 * (platform/abi/vx_system_string.h) that the caller frees with
 * VxSysFreeString. Paths are UTF-8.
 *
 * Linking: those two free functions, and the rest of the block and string
 * calls, are exported by the runtime library libVxRuntime.so that ships
 * beside libLEXIQ.so: a C program links -lLEXIQ -lVxRuntime and needs no
 * other header than this one.
 *
 * Failures: no call lets an error escape other than through its result; a
 * call that runs out of memory returns its failure result as given below
 * (null image or text, 0, or the error code named).
 *
 * Module state is one per process and unguarded: call from one thread.
 * Usual order: LEXIQ_Init once; per recognition LEXIQ_LoadImage,
 * LEXIQ_AutoAngle, LEXIQ_PreProc, LEXIQ_BeginRecog, LEXIQ_RecogDIBRect,
 * LEXIQ_EndRecog, then free the image; LEXIQ_Free at the end. */
#ifndef ORVILO_OCR_LEXIQ_H
#define ORVILO_OCR_LEXIQ_H

#include <stdint.h>

#include "platform/abi/vx_export.h"
#include "platform/abi/vx_global_memory.h"
#include "platform/abi/vx_hwnd.h"
#include "platform/abi/vx_system_string.h"

#if defined(LEXIQ_BUILDING)
#define LEXIQ_API VX_EXPORT
#else
#define LEXIQ_API VX_IMPORT
#endif
#ifdef __cplusplus
#define LEXIQ_CLASS LEXIQ_API
#else
#define LEXIQ_CLASS
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* Results of the two save calls. */
enum {
  LEXIQ_OK = 0,
  LEXIQ_NO_RESULT = -1,       /* LEXIQ_SaveCurrentResult: nothing recognised yet */
  LEXIQ_WRITE_FAILED = -2,    /* LEXIQ_SaveCurrentResult: the file could not be written */
  LEXIQ_NOT_READY = -100,     /* LEXIQ_Init has not succeeded */
  LEXIQ_NO_WORK_IMAGE = -200  /* LEXIQ_SaveWorkImage: no page loaded */
};

/* Recognition types and the character sets they ask the engine for. */
enum {
  LEXIQ_TYPE_KOREAN_ENGLISH_HANJA = 0, /* character set 595 */
  LEXIQ_TYPE_KOREAN_ENGLISH = 2,       /* character set 83 */
  LEXIQ_TYPE_ENGLISH = 4               /* character set 19 */
};

typedef struct LexiqRect {
  int32_t left, top, right, bottom;
} LexiqRect;

/* A drawing target ("device context"): a 32-bit picture, top-down rows of
 * blue, green, red, unused bytes, with a selected pen. LEXIQ_RecogText
 * selects its own pen while it runs and puts the caller's back after. */
typedef struct LexiqDrawTarget {
  uint8_t* pixels;
  int32_t width, height, stride;
  uint32_t penColour; /* 0x00BBGGRR */
  int32_t penWidth;   /* 0: nothing is drawn */
  int32_t penMode;    /* 0 copy, 1 XOR */
} LexiqDrawTarget;

/* ---- Records (their layouts are shared with the engine) ----------------- */

/* One layout item, 40 bytes. The module sets characterSet and recognise. */
typedef struct LEXIQ_CLASS CLayerItemScript {
  int32_t characterSet;
  int32_t kind; /* 1 text, 2 picture, 3 table, 4 rule, 5 column of lines, 0 unknown */
  int32_t recognise;
  int32_t left, top, right, bottom;
  int32_t order, lineCount, reserved;
#ifdef __cplusplus
  CLayerItemScript(); /* zero-fills; copies are byte copies */
#endif
} CLayerItemScript;

/* One recognised character, 64 bytes; copies are byte copies. */
typedef struct CCharRectInfo {
  int32_t left, top, right, bottom;
  uint32_t codePoint;
  int32_t confidence;      /* 0..100 */
  int32_t item, line, word; /* indices in reading order */
  int32_t textOffset, textLength; /* UTF-16 units of the whole text */
  int32_t flags;           /* 1 word start, 2 line start, 4 item start */
  int32_t reserved[4];
} CCharRectInfo;

/* Result buffers: textBuffer holds up to capacity - 1 UTF-16 units and a 0,
 * confidenceBuffer a uint16 (0..100) per unit; count units were written.
 * (16 bytes where pointers have 32 bits, 24 here.) */
typedef struct LEXIQ_CLASS CRecogResultStruct {
  VxGlobalHandle textBuffer;
  VxGlobalHandle confidenceBuffer;
  int32_t capacity;
  int32_t count;
#ifdef __cplusplus
  CRecogResultStruct();  /* all zero */
  ~CRecogResultStruct(); /* frees both buffers */
  CRecogResultStruct(const CRecogResultStruct& other);
  /* Gives this record its own copies of the other's buffers. */
  CRecogResultStruct& operator=(const CRecogResultStruct& other);
#endif
} CRecogResultStruct;

/* Strings of CAuxResult: `items` (from malloc) holds `count` wide strings. */
typedef struct LexiqStringArray {
  VxSysString* items;
  int32_t count;
  int32_t capacity;
} LexiqStringArray;

/* Extra results of LEXIQ_RecogTextEx: the text of each layout item, the
 * whole text as 0-terminated UTF-16 and an array of CCharRectInfo. */
typedef struct LEXIQ_CLASS CAuxResult {
  LexiqStringArray itemTexts;
  VxGlobalHandle textBuffer;      /* 2 zero bytes after construction */
  VxGlobalHandle characterBuffer; /* null after construction */
#ifdef __cplusplus
  CAuxResult();
  ~CAuxResult();
  CAuxResult(const CAuxResult& other);
  /* Replaces the strings with copies of the other's, and each buffer with a
   * new block holding a copy of the other's (null for null). */
  CAuxResult& operator=(const CAuxResult& other);
#endif
} CAuxResult;

/* Frees what a record holds and zeroes it: the destructors' work, for C. A
 * zero-filled record is a valid empty one. */
LEXIQ_API void LEXIQ_ReleaseRecogResult(CRecogResultStruct* result);
LEXIQ_API void LEXIQ_ReleaseAuxResult(CAuxResult* aux);

/* ---- Calls -------------------------------------------------------------- */

/* Makes the module ready: 1, or 2 when it already was (0: it could not be
 * made ready). Turns the engine's resolution check off. */
LEXIQ_API int LEXIQ_Init(void);

/* Releases the work image; 0. */
LEXIQ_API int LEXIQ_Free(void);

/* Korean with English for the next recognitions; languages are looked for
 * in a "tessdata" folder beside this library, then in the system's. 0. */
LEXIQ_API int LEXIQ_BeginRecog(vx_hwnd window);
LEXIQ_API void LEXIQ_EndRecog(void);

/* The page at `path` as an 8-bit grey DIB with its background evened out,
 * resolution raised to at least 11511 pixels per metre; it also becomes the
 * work image. Null when not ready or the file is missing or unreadable. */
LEXIQ_API VxGlobalHandle LEXIQ_LoadImage(const char* path);

/* Straightens the page in place (the handle stays the same); returns the
 * tilt found in degrees, 0 when none. */
LEXIQ_API float LEXIQ_AutoAngle(VxGlobalHandle image);

/* Binarises an 8-bit page in place with the iterative intermeans threshold:
 * every byte above it becomes 255, the others 0. Pages of other depths, and
 * blocks too small for their header, are left alone. */
LEXIQ_API void LEXIQ_PreProc(VxGlobalHandle image);

/* Text of the rectangle (page pixels, right and bottom exclusive; clipped to
 * the page). Null when not ready; an empty string for a null image, an empty
 * rectangle or no text. Paragraphs come one a line. LEXIQ_RecogDIB keeps the
 * page's line breaks instead. The current result is not changed. */
LEXIQ_API VxSysString LEXIQ_RecogDIBRect(VxGlobalHandle image, int type, int left, int top, int right, int bottom);
LEXIQ_API VxSysString LEXIQ_RecogDIB(VxGlobalHandle image, int type, int left, int top, int right, int bottom);

/* Text of the whole page, which becomes the current result; when `dc` is
 * given the recognised areas are outlined on it (cyan XOR pen, 2 pixels),
 * the page placed at rect's top-left (or 0, 0) at `scale` target pixels per
 * page pixel (<= 0: 1), clipped to `rect` when given. */
LEXIQ_API VxSysString LEXIQ_RecogText(VxGlobalHandle image, int type, LexiqDrawTarget* dc, const LexiqRect* rect,
                                      float scale);

/* Text of the whole page through a layout template ("Template.ltf" beside
 * this library), filling `result` (buffers are created when it has none) and
 * `aux`; the text becomes the current result. */
LEXIQ_API VxSysString LEXIQ_RecogTextEx(VxGlobalHandle image, CRecogResultStruct* result, CAuxResult* aux);

/* Writes the current result's UTF-8 bytes (no terminator) to `path`:
 * LEXIQ_OK, LEXIQ_NOT_READY, LEXIQ_NO_RESULT or LEXIQ_WRITE_FAILED. */
LEXIQ_API int LEXIQ_SaveCurrentResult(const char* path);

/* Saves the work image (.bmp, .png, .jpg with quality 80, .tif): 0, a
 * negative imaging error (-1 no path, -2 out of memory, -3 an extension
 * not offered, -4 not written), LEXIQ_NOT_READY or LEXIQ_NO_WORK_IMAGE. */
LEXIQ_API int LEXIQ_SaveWorkImage(const char* path);

#ifdef __cplusplus
}
#endif

#endif
