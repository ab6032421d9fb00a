// Leak checking in the sanitizer build, for every OCR test program: memory
// that libraries we do not build keep on purpose until the process ends.
// Nothing of ours is here.
//  - Tesseract loads each dictionary (dawg) once into a process-wide cache
//    that it never frees: the cache's entries and the dictionaries' tables.
//  - fontconfig's configuration cache, set up when Qt draws the tests' text.
// Without the sanitizer nothing calls this.
extern "C" __attribute__((visibility("default"), used)) const char* __lsan_default_suppressions() {
  return "leak:tesseract::DawgLoader::Load\n"
         "leak:tesseract::SquishedDawg::read_squished_dawg\n"
         "leak:libfontconfig.so\n";
}
