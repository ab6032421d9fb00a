// The engine's numbered imaging helpers, looked up once and called with
// their real types.
#pragma once

#include "engines/palen/PalenPublicAPI.h"

namespace lexiq::imaging {

int MakeWorkImage(const void* packedDib, VicWorkImage* work);     // number 26
int ReleaseWorkImage(VicWorkImage* work);                         // number 36
int MakeDib(const VicWorkImage* work, VxGlobalHandle* dib);       // number 43
int Save(const char* path, const VicWorkImage* work, int quality);  // number 121

inline bool IsEmpty(const VicWorkImage& work) { return work.storage == nullptr; }

// A work image released when the holder goes.
class TemporaryWorkImage {
 public:
  TemporaryWorkImage() = default;
  ~TemporaryWorkImage() { ReleaseWorkImage(&work_); }
  TemporaryWorkImage(const TemporaryWorkImage&) = delete;
  TemporaryWorkImage& operator=(const TemporaryWorkImage&) = delete;
  VicWorkImage* get() { return &work_; }

 private:
  VicWorkImage work_{};
};

}  // namespace lexiq::imaging
