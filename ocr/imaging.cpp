#include "ocr/imaging.h"

namespace lexiq::imaging {
namespace {

template <typename Proc>
Proc Lookup(int ordinal) {
  return reinterpret_cast<Proc>(VIC_ProcByOrdinal(ordinal));
}

}  // namespace

int MakeWorkImage(const void* packedDib, VicWorkImage* work) {
  static const auto proc = Lookup<VicMakeWorkImageProc>(VIC_ORDINAL_MAKE_WORK_IMAGE);
  return proc != nullptr ? proc(packedDib, work) : VIC_ERROR_ARGUMENT;
}

int ReleaseWorkImage(VicWorkImage* work) {
  static const auto proc = Lookup<VicReleaseWorkImageProc>(VIC_ORDINAL_RELEASE_WORK_IMAGE);
  return proc != nullptr ? proc(work) : VIC_ERROR_ARGUMENT;
}

int MakeDib(const VicWorkImage* work, VxGlobalHandle* dib) {
  static const auto proc = Lookup<VicMakeDibProc>(VIC_ORDINAL_MAKE_DIB);
  return proc != nullptr ? proc(work, dib) : VIC_ERROR_ARGUMENT;
}

int Save(const char* path, const VicWorkImage* work, int quality) {
  static const auto proc = Lookup<VicSaveProc>(VIC_ORDINAL_SAVE);
  return proc != nullptr ? proc(path, work, quality) : VIC_ERROR_ARGUMENT;
}

}  // namespace lexiq::imaging
