#include "platform/gdi/bitmap_file.h"

#include <cstring>

#include "platform/sys/file_io.h"

namespace orvilo::gdi {
namespace {

constexpr std::uint32_t kBiBitfields = 3;
constexpr std::uint32_t kRedMask = 0x00FF0000;
constexpr std::uint32_t kGreenMask = 0x0000FF00;
constexpr std::uint32_t kBlueMask = 0x000000FF;

PackedDib Refuse(DibError* error, DibError reason) {
  if (error != nullptr) *error = reason;
  return {};
}

std::uint32_t ReadU32(const char* at) {
  std::uint32_t value;
  std::memcpy(&value, at, sizeof value);
  return value;
}

}  // namespace

BitmapFileHeader BitmapFileHeaderFor(const PackedDib& dib) {
  BitmapFileHeader file{};
  file.bfType = kBitmapFileType;
  const std::size_t offBits = sizeof(BitmapFileHeader) + dib.size() - dib.pixelBytes();
  file.bfSize = static_cast<std::uint32_t>(sizeof(BitmapFileHeader) + dib.size());
  file.bfOffBits = static_cast<std::uint32_t>(offBits);
  return file;
}

std::string EncodeBitmapFile(const PackedDib& dib) {
  if (dib.IsEmpty()) return {};
  const BitmapFileHeader file = BitmapFileHeaderFor(dib);
  std::string bytes(reinterpret_cast<const char*>(&file), sizeof file);
  bytes.append(reinterpret_cast<const char*>(dib.data()), dib.size());
  return bytes;
}

PackedDib DecodeBitmapFile(std::string_view bytes, DibError* error) {
  constexpr std::size_t kFileHeader = sizeof(BitmapFileHeader);
  if (bytes.size() < 2) return Refuse(error, DibError::Truncated);
  if (bytes[0] != 'B' || bytes[1] != 'M') return Refuse(error, DibError::NotBitmap);
  if (bytes.size() < kFileHeader + sizeof(BitmapInfoHeader)) return Refuse(error, DibError::Truncated);
  BitmapFileHeader file;
  BitmapInfoHeader info;
  std::memcpy(&file, bytes.data(), sizeof file);
  std::memcpy(&info, bytes.data() + kFileHeader, sizeof info);

  const std::uint32_t infoSize = info.biSize;
  if (infoSize != 40 && infoSize != 52 && infoSize != 56 && infoSize != 108 && infoSize != 124) {
    return Refuse(error, infoSize < 40 ? DibError::Unsupported : DibError::BadHeader);
  }
  std::size_t tableOffset = kFileHeader + infoSize;
  if (bytes.size() < tableOffset) return Refuse(error, DibError::Truncated);

  if (info.biCompression == kBiBitfields) {
    // Masks follow a 40-byte header, or are its own fields in the longer ones.
    if (info.biBitCount != 32) return Refuse(error, DibError::Unsupported);
    const std::size_t masksAt = kFileHeader + 40;
    if (infoSize == 40) tableOffset += 12;
    if (bytes.size() < masksAt + 12) return Refuse(error, DibError::Truncated);
    if (ReadU32(bytes.data() + masksAt) != kRedMask || ReadU32(bytes.data() + masksAt + 4) != kGreenMask ||
        ReadU32(bytes.data() + masksAt + 8) != kBlueMask) {
      return Refuse(error, DibError::Unsupported);
    }
    info.biCompression = kBiRgb;
  }
  info.biSize = sizeof(BitmapInfoHeader);
  if (info.biClrUsed > 256) return Refuse(error, DibError::BadHeader);
  const std::size_t tableBytes = DibColourCount(info) * sizeof(RgbQuad);
  if (bytes.size() < tableOffset + tableBytes) return Refuse(error, DibError::Truncated);
  if (file.bfOffBits < tableOffset + tableBytes) return Refuse(error, DibError::BadHeader);
  if (file.bfOffBits > bytes.size()) return Refuse(error, DibError::Truncated);

  RgbQuad table[256];
  std::memcpy(table, bytes.data() + tableOffset, tableBytes);
  return PackedDib::FromParts(info, table, bytes.data() + file.bfOffBits, bytes.size() - file.bfOffBits, error);
}

bool WriteBitmapFile(const std::string& path, const PackedDib& dib) {
  if (dib.IsEmpty()) return false;
  const BitmapFileHeader file = BitmapFileHeaderFor(dib);
  return sys::SaveFileAtomically(path, {std::string_view(reinterpret_cast<const char*>(&file), sizeof file),
                                        std::string_view(reinterpret_cast<const char*>(dib.data()), dib.size())});
}

PackedDib ReadBitmapFile(const std::string& path, DibError* error) {
  const sys::FileBytes file = sys::ReadFileBytes(path, kMaxBitmapFileBytes);
  if (file.status != sys::FileBytes::Status::Ok) return Refuse(error, DibError::Io);
  return DecodeBitmapFile(file.bytes, error);
}

}  // namespace orvilo::gdi
