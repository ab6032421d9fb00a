// The system-string functions of the runtime library libVxRuntime.so.
#include "platform/abi/vx_system_string.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <limits>

#include "platform/abi/exception_barrier.h"
#include "platform/text/unicode.h"

namespace {
// Byte length prefix, as the wide strings of the platform this mirrors.
using LengthPrefix = std::uint32_t;
constexpr std::size_t kMaximumUnits = (std::numeric_limits<LengthPrefix>::max() / 2) - 2;

LengthPrefix* PrefixOf(VxSysString text) { return reinterpret_cast<LengthPrefix*>(text) - 1; }
}  // namespace

extern "C" {

VxSysString VxSysAllocStringLen(const VxOleChar* text, size_t length) {
  if (length > kMaximumUnits) return nullptr;
  auto* memory = static_cast<unsigned char*>(std::malloc(sizeof(LengthPrefix) + (length + 1) * sizeof(VxOleChar)));
  if (memory == nullptr) return nullptr;
  const auto bytes = static_cast<LengthPrefix>(length * sizeof(VxOleChar));
  std::memcpy(memory, &bytes, sizeof bytes);
  auto* units = reinterpret_cast<VxOleChar*>(memory + sizeof(LengthPrefix));
  if (text != nullptr) {
    std::memcpy(units, text, length * sizeof(VxOleChar));
  } else {
    std::memset(units, 0, length * sizeof(VxOleChar));
  }
  units[length] = 0;
  return units;
}

VxSysString VxSysAllocString(const VxOleChar* text) {
  if (text == nullptr) return nullptr;
  size_t length = 0;
  while (text[length] != 0) ++length;
  return VxSysAllocStringLen(text, length);
}

VxSysString VxSysAllocStringFromUtf8(const char* utf8, size_t bytes) {
  return orvilo::abi::Guarded(
      [&]() -> VxSysString {
        const std::u16string wide =
            orvilo::text::Utf8ToUtf16(utf8 == nullptr ? std::string_view{} : std::string_view(utf8, bytes));
        return VxSysAllocStringLen(reinterpret_cast<const VxOleChar*>(wide.data()), wide.size());
      },
      nullptr);
}

size_t VxSysStringLen(VxSysString text) {
  if (text == nullptr) return 0;
  LengthPrefix bytes;
  std::memcpy(&bytes, PrefixOf(text), sizeof bytes);
  return bytes / sizeof(VxOleChar);
}

void VxSysFreeString(VxSysString text) {
  if (text != nullptr) std::free(PrefixOf(text));
}

}  // extern "C"
