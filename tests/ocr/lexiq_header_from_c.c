/* LEXIQ.h must compile as C: a C caller zero-fills the records and frees
 * them with the release calls. */
#include <string.h>

#include "ocr/LEXIQ.h"

int LexiqRecordSizesSeenFromC(int which) {
  CRecogResultStruct result;
  CAuxResult aux;
  memset(&result, 0, sizeof result);
  memset(&aux, 0, sizeof aux);
  LEXIQ_ReleaseRecogResult(&result);
  LEXIQ_ReleaseAuxResult(&aux);
  switch (which) {
    case 0:
      return (int)sizeof(CLayerItemScript);
    case 1:
      return (int)sizeof(CCharRectInfo);
    case 2:
      return (int)sizeof(CRecogResultStruct);
    default:
      return (int)sizeof(CAuxResult);
  }
}
