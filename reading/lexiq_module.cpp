#include "ocr/LEXIQ.h"
#include "reading/ocr_module.h"

namespace orvilo::reading {

int LexiqModule::Init() { return LEXIQ_Init(); }
int LexiqModule::Free() { return LEXIQ_Free(); }
VxGlobalHandle LexiqModule::LoadImage(const char* path) { return LEXIQ_LoadImage(path); }
float LexiqModule::AutoAngle(VxGlobalHandle image) { return LEXIQ_AutoAngle(image); }
void LexiqModule::PreProc(VxGlobalHandle image) { LEXIQ_PreProc(image); }
int LexiqModule::BeginRecog(vx_hwnd window) { return LEXIQ_BeginRecog(window); }
VxSysString LexiqModule::RecogDIBRect(VxGlobalHandle image, int type, int left, int top, int right, int bottom) {
  return LEXIQ_RecogDIBRect(image, type, left, top, right, bottom);
}
void LexiqModule::EndRecog() { LEXIQ_EndRecog(); }

}  // namespace orvilo::reading
