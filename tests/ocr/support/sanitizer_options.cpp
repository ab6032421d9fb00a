// Leak checking in the sanitizer build, for every OCR test program: the
// suppressions (third_party_leaks.supp) name only memory that Tesseract and
// fontconfig keep on purpose until the process ends. The test framework's
// per-test environment cannot carry LSAN_OPTIONS, so the programs bring
// them along; without the sanitizer nothing calls this.
extern "C" __attribute__((visibility("default"), used)) const char* __lsan_default_options() {
  return "suppressions=" OCR_LEAK_SUPPRESSIONS;
}
