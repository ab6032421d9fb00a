// GLib, GStreamer and its plug-ins keep process-wide allocations (type system, registry,
// caches) to the end of the process; LeakSanitizer would report them in sanitizer
// builds. Allocations made through these libraries are not reported; the decoding
// core's own (malloc, new) still are.
extern "C" __attribute__((visibility("default"))) const char* __lsan_default_suppressions() {
  return "leak:libglib-2.0.so\n"
         "leak:libgobject-2.0.so\n"
         "leak:libgstreamer-1.0.so\n"
         "leak:libgstbase-1.0.so\n"
         "leak:libgstvideo-1.0.so\n"
         "leak:libgstapp-1.0.so\n"
         "leak:/gstreamer-1.0/\n";
}
