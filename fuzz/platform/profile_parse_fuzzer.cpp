// libFuzzer target: settings files of any content. Parsing, reading every
// key, writing and re-parsing must never crash, and a written value must
// read back as written.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "platform/profile/profile_file.h"

using orvilo::profile::ProfileFile;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // Settings files are small; larger inputs only slow the search down.
  if (size > (64 << 10)) return 0;
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  ProfileFile file = ProfileFile::Parse("/nonexistent/fuzz.ini", bytes);
  for (const std::string& section : file.Sections()) {
    for (const std::string& key : file.Keys(section)) (void)file.Read(section, key);
  }
  if (!file.Write("QEL-3", "ROTATE", "3") || !file.Write("VOICEBOOK", "VoiceBook000", "/a/b.qel")) abort();
  const ProfileFile again = ProfileFile::Parse("/nonexistent/fuzz.ini", file.Serialise());
  if (again.Read("QEL-3", "ROTATE") != "3" || again.Read("voicebook", "voicebook000") != "/a/b.qel") abort();
  return 0;
}
