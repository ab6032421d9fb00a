// The OCR module's calls that recognition makes, behind an interface so
// that tests can record the sequence. LexiqModule is the real one.
#pragma once

#include "platform/sys/global_memory.h"
#include "platform/sys/system_string.h"
#include "platform/abi/vx_hwnd.h"

namespace orvilo::reading {

class OcrModule {
 public:
  virtual ~OcrModule() = default;
  virtual int Init() = 0;  // 1: ready
  virtual int Free() = 0;
  virtual VxGlobalHandle LoadImage(const char* path) = 0;
  virtual float AutoAngle(VxGlobalHandle image) = 0;
  virtual void PreProc(VxGlobalHandle image) = 0;
  virtual int BeginRecog(vx_hwnd window) = 0;
  virtual VxSysString RecogDIBRect(VxGlobalHandle image, int type, int left, int top, int right, int bottom) = 0;
  virtual void EndRecog() = 0;
};

// The calls of libLEXIQ.
class LexiqModule : public OcrModule {
 public:
  int Init() override;
  int Free() override;
  VxGlobalHandle LoadImage(const char* path) override;
  float AutoAngle(VxGlobalHandle image) override;
  void PreProc(VxGlobalHandle image) override;
  int BeginRecog(vx_hwnd window) override;
  VxSysString RecogDIBRect(VxGlobalHandle image, int type, int left, int top, int right, int bottom) override;
  void EndRecog() override;
};

}  // namespace orvilo::reading
