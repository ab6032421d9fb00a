#include "reading/learning_file.h"

#include <cstring>

#include "platform/sys/file_io.h"
#include "platform/text/legacy_text.h"

namespace orvilo::reading {
namespace {

// Larger than any page picture a PackedDib takes, with room for the rest.
constexpr std::size_t kLargestLearningFile = gdi::kMaxDibPixelBytes + (std::size_t{64} << 20);

class LittleEndianReader {
 public:
  explicit LittleEndianReader(std::string_view bytes) : bytes_(bytes) {}

  std::size_t Remaining() const { return bytes_.size() - position_; }

  template <typename Unsigned>
  std::optional<Unsigned> Read() {
    if (Remaining() < sizeof(Unsigned)) return std::nullopt;
    Unsigned value = 0;
    for (std::size_t i = 0; i < sizeof(Unsigned); ++i) {
      value |= static_cast<Unsigned>(static_cast<unsigned char>(bytes_[position_ + i])) << (8 * i);
    }
    position_ += sizeof(Unsigned);
    return value;
  }

  std::optional<gdi::Rect> ReadRect() {
    if (Remaining() < 16) return std::nullopt;
    gdi::Rect rect;
    rect.left = static_cast<std::int32_t>(*Read<std::uint32_t>());
    rect.top = static_cast<std::int32_t>(*Read<std::uint32_t>());
    rect.right = static_cast<std::int32_t>(*Read<std::uint32_t>());
    rect.bottom = static_cast<std::int32_t>(*Read<std::uint32_t>());
    return rect;
  }

  // `length` bytes, or nothing when the file cannot hold them.
  std::optional<std::string_view> ReadBytes(std::uint64_t length) {
    if (length > Remaining()) return std::nullopt;
    const std::string_view piece = bytes_.substr(position_, static_cast<std::size_t>(length));
    position_ += piece.size();
    return piece;
  }

 private:
  std::string_view bytes_;
  std::size_t position_ = 0;
};

void AppendUint32(std::string& out, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

void AppendRect(std::string& out, const gdi::Rect& rect) {
  AppendUint32(out, static_cast<std::uint32_t>(rect.left));
  AppendUint32(out, static_cast<std::uint32_t>(rect.top));
  AppendUint32(out, static_cast<std::uint32_t>(rect.right));
  AppendUint32(out, static_cast<std::uint32_t>(rect.bottom));
}

// Text as the reading panel shows it: up to the first zero byte, CP949 from
// Windows machines decoded.
std::string TextOf(std::string_view bytes) {
  const std::size_t end = bytes.find('\0');
  return text::DecodeLegacyText(bytes.substr(0, end));
}

}  // namespace

LearningFileContent ParseLearningFile(std::string_view bytes) {
  using Status = LearningFileContent::Status;
  LearningFileContent content;
  LittleEndianReader reader(bytes);
  const auto magic = reader.Read<std::uint16_t>();
  if (!magic || *magic != kLearningFileMagic) {
    content.status = Status::NotLearningFile;
    return content;
  }
  content.status = Status::Truncated;

  content.selection = reader.ReadRect();
  if (!content.selection) return content;

  const auto blindCount = reader.Read<std::uint32_t>();
  // Checked against what is left before anything is reserved.
  if (!blindCount || std::uint64_t{*blindCount} * 16 > reader.Remaining()) return content;
  std::vector<gdi::Rect> blinds;
  blinds.reserve(*blindCount);
  for (std::uint32_t i = 0; i < *blindCount; ++i) blinds.push_back(*reader.ReadRect());
  content.blinds = std::move(blinds);

  const auto textLength = reader.Read<std::uint32_t>();
  if (!textLength) return content;
  if (*textLength != 0) {
    const auto text = reader.ReadBytes(*textLength);
    if (!text) return content;
    content.text = TextOf(*text);
  }

  const auto musicLength = reader.Read<std::uint32_t>();
  if (!musicLength) return content;
  if (*musicLength != 0) {
    const auto music = reader.ReadBytes(*musicLength);
    if (!music) return content;
    content.music = TextOf(*music);
  }

  const auto imageLength = reader.Read<std::uint32_t>();
  if (!imageLength) return content;
  if (*imageLength != 0) {
    const auto image = reader.ReadBytes(*imageLength);
    if (!image) return content;
    // A picture whose header does not hold up is left out; the rest stands.
    content.image = gdi::PackedDib::FromBytes(image->data(), image->size());
  }
  content.status = Status::Ok;
  return content;
}

LearningFileContent ReadLearningFile(const std::string& path) {
  const sys::FileBytes file = sys::ReadFileBytes(path, kLargestLearningFile);
  if (file.status != sys::FileBytes::Status::Ok) return {};
  return ParseLearningFile(file.bytes);
}

std::string SerialiseLearningFile(const LearningPage& page) {
  const bool hasImage = page.image != nullptr && !page.image->IsEmpty();
  std::string out;
  out.reserve(64 + 16 * page.blinds.size() + page.text.size() + page.music.size() +
              (hasImage ? page.image->size() : 0));
  out.push_back(static_cast<char>(kLearningFileMagic & 0xFF));
  out.push_back(static_cast<char>(kLearningFileMagic >> 8));
  AppendRect(out, page.selection);
  AppendUint32(out, static_cast<std::uint32_t>(page.blinds.size()));
  for (const gdi::Rect& blind : page.blinds) AppendRect(out, blind);
  AppendUint32(out, static_cast<std::uint32_t>(page.text.size() + 4));
  out.append(page.text);
  out.append(4, '\0');
  AppendUint32(out, static_cast<std::uint32_t>(page.music.size()));
  out.append(page.music);
  if (hasImage) {
    // A canonical PackedDib is exactly header + table + rows, the length the
    // format counts from its header.
    AppendUint32(out, static_cast<std::uint32_t>(page.image->size()));
    out.append(reinterpret_cast<const char*>(page.image->data()), page.image->size());
  } else {
    AppendUint32(out, 0);
  }
  return out;
}

bool WriteLearningFile(const std::string& path, const LearningPage& page) {
  return sys::SaveFileAtomically(path, SerialiseLearningFile(page));
}

}  // namespace orvilo::reading
