#include "speechutil/unicode_text_file.h"

#include <filesystem>
#include <string_view>

#include "platform/sys/file_io.h"
#include "platform/text/legacy_text.h"
#include "platform/text/unicode.h"

namespace orvilo::speechutil {
namespace {

std::u16string Utf16FromBytes(std::string_view bytes, bool bigEndian, bool& lost) {
  std::u16string units;
  units.reserve(bytes.size() / 2);
  for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
    const auto first = static_cast<unsigned char>(bytes[i]);
    const auto second = static_cast<unsigned char>(bytes[i + 1]);
    units.push_back(static_cast<char16_t>(bigEndian ? (first << 8 | second) : (second << 8 | first)));
  }
  if (bytes.size() % 2 != 0) lost = true;  // half a character at the end
  // Unpaired surrogates become U+FFFD on the way through UTF-8.
  const std::string utf8 = text::Utf16ToUtf8(units);
  std::u16string checked = text::Utf8ToUtf16(utf8);
  if (checked != units) lost = true;
  return checked;
}

// Line breaks of any kind become CR-LF, as the edit control's lines are joined.
std::u16string JoinLinesWithCrLf(std::u16string_view text, bool& lost) {
  std::u16string joined;
  joined.reserve(text.size() + text.size() / 16);
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char16_t c = text[i];
    if (c == u'\r') {
      if (i + 1 < text.size() && text[i + 1] == u'\n') ++i;
      joined += u"\r\n";
    } else if (c == u'\n') {
      joined += u"\r\n";
    } else if (c == 0) {
      lost = true;  // a text control cannot hold NUL
    } else {
      joined.push_back(c);
    }
  }
  return joined;
}

}  // namespace

CUnicodeTextFile::ReadResult CUnicodeTextFile::Decode(const std::string& bytes) {
  ReadResult result;
  result.status = Status::Ok;
  std::string_view view(bytes);
  std::u16string text;
  if (view.starts_with("\xEF\xBB\xBF")) {
    result.encoding = Encoding::Utf8Bom;
    view.remove_prefix(3);
    result.dataLost = !text::IsValidUtf8(view);
    text = text::Utf8ToUtf16(view);
  } else if (view.starts_with("\xFF\xFE")) {
    result.encoding = Encoding::Utf16Le;
    text = Utf16FromBytes(view.substr(2), false, result.dataLost);
  } else if (view.starts_with("\xFE\xFF")) {
    result.encoding = Encoding::Utf16Be;
    text = Utf16FromBytes(view.substr(2), true, result.dataLost);
  } else {
    switch (text::DetectTextEncoding(view, text::CodePage::Cp949)) {
      case text::TextEncoding::kUtf8:
        result.encoding = Encoding::Utf8;
        text = text::Utf8ToUtf16(view);
        break;
      case text::TextEncoding::kLegacy:
        result.encoding = Encoding::Cp949;
        text = text::Utf8ToUtf16(text::DecodeLegacyText(view));
        break;
      case text::TextEncoding::kNeither:
        result.encoding = Encoding::Unknown;
        result.dataLost = true;
        text = text::Utf8ToUtf16(view);
        break;
    }
  }
  result.text = JoinLinesWithCrLf(text, result.dataLost);
  return result;
}

CUnicodeTextFile::ReadResult CUnicodeTextFile::Read(const std::string& path) {
  sys::FileBytes file = sys::ReadFileBytes(path, kTextFileLimit);
  if (file.status != sys::FileBytes::Status::Ok) {
    ReadResult failed;
    std::error_code error;
    const auto size = std::filesystem::file_size(path, error);
    failed.status = !error && size > kTextFileLimit ? Status::TooLarge : Status::CannotOpen;
    return failed;
  }
  return Decode(file.bytes);
}

std::string CUnicodeTextFile::Encode(const std::u16string& text) {
  std::string bytes;
  bytes.reserve(2 + text.size() * 2);
  bytes += "\xFF\xFE";
  // Through a 1024-byte buffer, as the text goes to the file in pieces.
  char buffer[1024];
  std::size_t used = 0;
  for (const char16_t unit : text) {
    buffer[used++] = static_cast<char>(unit & 0xFF);
    buffer[used++] = static_cast<char>(unit >> 8);
    if (used == sizeof buffer) {
      bytes.append(buffer, used);
      used = 0;
    }
  }
  bytes.append(buffer, used);
  return bytes;
}

bool CUnicodeTextFile::Write(const std::string& path, const std::u16string& text) {
  return sys::SaveFileAtomically(path, Encode(text));
}

std::string WithDefaultExtension(const std::string& path, const std::string& extension) {
  const std::size_t slash = path.find_last_of('/');
  const std::size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
  const std::size_t dot = path.find_last_of('.');
  const bool hasExtension = dot != std::string::npos && dot > nameStart && dot + 1 < path.size();
  if (hasExtension || extension.empty()) return path;
  if (!path.empty() && path.back() == '.') return path + extension;
  return path + "." + extension;
}

}  // namespace orvilo::speechutil
