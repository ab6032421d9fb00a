// The numbered imaging helpers: work images (a private copy of a packed DIB)
// made, released, turned back into a DIB and saved.
#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <cstring>
#include <string>

#include "engines/palen/PalenPublicAPI.h"
#include "engines/palen/dib_image.h"
#include "platform/abi/exception_barrier.h"
#include "platform/sys/file_io.h"
#include "platform/sys/global_memory.h"

namespace palen {
namespace {

using orvilo::gdi::BitmapInfoHeader;

std::optional<PackedDibView> ViewWorkImage(const VicWorkImage* work) {
  if (work == nullptr || work->storage == nullptr || work->header == nullptr) return std::nullopt;
  const auto* header = static_cast<const BitmapInfoHeader*>(work->header);
  const std::optional<std::size_t> bytes = PackedDibBytes(*header);
  if (!bytes) return std::nullopt;
  return ViewPackedDib(work->storage, *bytes);
}

int MakeWorkImageUnguarded(const void* packedDib, VicWorkImage* work) {
  if (packedDib == nullptr || work == nullptr) return VIC_ERROR_ARGUMENT;
  BitmapInfoHeader source{};
  std::memcpy(&source, packedDib, sizeof source);
  const std::optional<std::size_t> sourceBytes = PackedDibBytes(source);
  if (!sourceBytes) return VIC_ERROR_FORMAT;
  const std::optional<PackedDibView> view = ViewPackedDib(packedDib, *sourceBytes);
  if (!view) return VIC_ERROR_FORMAT;

  // The copy is always bottom-up with a 40-byte header.
  BitmapInfoHeader header = source;
  header.biSize = sizeof(BitmapInfoHeader);
  header.biHeight = view->height;
  header.biSizeImage = static_cast<std::uint32_t>(view->stride * view->height);
  header.biClrUsed = view->colourCount;
  const std::size_t paletteBytes = std::size_t{view->colourCount} * sizeof(orvilo::gdi::RgbQuad);
  const std::size_t total = sizeof header + paletteBytes + header.biSizeImage;
  auto* storage = static_cast<std::uint8_t*>(std::malloc(total));
  if (storage == nullptr) return VIC_ERROR_MEMORY;
  std::memcpy(storage, &header, sizeof header);
  std::memcpy(storage + sizeof header, view->palette, paletteBytes);
  std::uint8_t* rows = storage + sizeof header + paletteBytes;
  for (int y = 0; y < view->height; ++y) {
    // Row y of the picture from the top is row height-1-y of a bottom-up copy.
    std::memcpy(rows + view->stride * static_cast<std::size_t>(view->height - 1 - y), view->Row(y), view->stride);
  }
  *work = VicWorkImage{};
  work->pixels = rows;
  work->width = view->width;
  work->height = view->height;
  work->bitCount = view->bitCount;
  work->stride = static_cast<std::int32_t>(view->stride);
  work->colourCount = static_cast<std::int32_t>(view->colourCount);
  work->xPelsPerMeter = header.biXPelsPerMeter;
  work->yPelsPerMeter = header.biYPelsPerMeter;
  work->header = storage;
  work->storage = storage;
  return VIC_OK;
}

int ReleaseWorkImageUnguarded(VicWorkImage* work) {
  if (work == nullptr) return VIC_ERROR_ARGUMENT;
  std::free(work->storage);
  *work = VicWorkImage{};
  return VIC_OK;
}

int MakeDibUnguarded(const VicWorkImage* work, VxGlobalHandle* dib) {
  if (dib == nullptr) return VIC_ERROR_ARGUMENT;
  *dib = nullptr;
  const std::optional<PackedDibView> view = ViewWorkImage(work);
  if (!view) return VIC_ERROR_ARGUMENT;
  *dib = orvilo::sys::GlobalBlockWith(work->storage, *PackedDibBytes(*view->header)).release();
  return *dib != nullptr ? VIC_OK : VIC_ERROR_MEMORY;
}

// Leptonica's file format for the extension of `path`; 0 when unknown.
int FormatOf(const std::string& path) {
  const auto dot = path.find_last_of('.');
  if (dot == std::string::npos || path.find('/', dot) != std::string::npos) return 0;
  std::string extension = path.substr(dot + 1);
  for (char& c : extension) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  if (extension == "bmp") return IFF_BMP;
  if (extension == "png") return IFF_PNG;
  if (extension == "jpg" || extension == "jpeg") return IFF_JFIF_JPEG;
  if (extension == "tif" || extension == "tiff") return IFF_TIFF_ZIP;
  return 0;
}

int SaveUnguarded(const char* path, const VicWorkImage* work, int quality) {
  if (path == nullptr || path[0] == '\0') return VIC_ERROR_ARGUMENT;
  const std::optional<PackedDibView> view = ViewWorkImage(work);
  if (!view) return VIC_ERROR_ARGUMENT;
  const int format = FormatOf(path);
  if (format == 0) return VIC_ERROR_FORMAT;
  DibPicture picture = PictureFromView(*view);
  if (!picture.pix) return VIC_ERROR_MEMORY;
  l_uint8* encoded = nullptr;
  std::size_t size = 0;
  const int failed = format == IFF_JFIF_JPEG
                         ? pixWriteMemJpeg(&encoded, &size, picture.pix.get(), std::clamp(quality, 1, 100), 0)
                         : pixWriteMem(&encoded, &size, picture.pix.get(), format);
  LeptonicaBytes holder(encoded);
  if (failed != 0 || encoded == nullptr) return VIC_ERROR_MEMORY;
  const std::string_view bytes(reinterpret_cast<const char*>(encoded), size);
  return orvilo::sys::SaveFileAtomically(path, bytes) ? VIC_OK : VIC_ERROR_WRITE;
}

// The helpers as callers reach them: C functions behind the barrier, a
// throw (out of memory) becoming VIC_ERROR_MEMORY.
int MakeWorkImage(const void* packedDib, VicWorkImage* work) {
  return orvilo::abi::Guarded([&] { return MakeWorkImageUnguarded(packedDib, work); }, int{VIC_ERROR_MEMORY});
}
int ReleaseWorkImage(VicWorkImage* work) {
  return orvilo::abi::Guarded([&] { return ReleaseWorkImageUnguarded(work); }, int{VIC_ERROR_MEMORY});
}
int MakeDib(const VicWorkImage* work, VxGlobalHandle* dib) {
  return orvilo::abi::Guarded([&] { return MakeDibUnguarded(work, dib); }, int{VIC_ERROR_MEMORY});
}
int Save(const char* path, const VicWorkImage* work, int quality) {
  return orvilo::abi::Guarded([&] { return SaveUnguarded(path, work, quality); }, int{VIC_ERROR_MEMORY});
}

}  // namespace
}  // namespace palen

extern "C" PALEN_API VicProc VIC_ProcByOrdinal(int ordinal) {
  return orvilo::abi::Guarded(
      [&]() -> VicProc {
        switch (ordinal) {
          case VIC_ORDINAL_MAKE_WORK_IMAGE:
            return reinterpret_cast<VicProc>(&palen::MakeWorkImage);
          case VIC_ORDINAL_RELEASE_WORK_IMAGE:
            return reinterpret_cast<VicProc>(&palen::ReleaseWorkImage);
          case VIC_ORDINAL_MAKE_DIB:
            return reinterpret_cast<VicProc>(&palen::MakeDib);
          case VIC_ORDINAL_SAVE:
            return reinterpret_cast<VicProc>(&palen::Save);
          default:
            return nullptr;
        }
      },
      nullptr);
}
